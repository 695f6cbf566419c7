// The maker's addresses, shown as text on the About page and in the promotional window.
// Plain string macros, so code that opens them can include this header as well.
#ifndef VELMORA_ADDRESSES_H
#define VELMORA_ADDRESSES_H

// The About page and the promotional window show the host alone: the whole address does not fit them.
#define VELMORA_HOME_HOST "www.velmora.example"
#define VELMORA_HOME_PAGE "http://" VELMORA_HOME_HOST "/"
#define VELMORA_SUPPORT_MAIL "help@velmora.example"

#endif
