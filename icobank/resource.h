// Resource identifiers of Icobank.exe. The icons' order (by id) is the icon index the "Shell Icons" value
// names.
#pragma once

#define IDI_SHORTCUT_ARROW 1
#define IDI_SMALL_ARROW 2
#define IDI_EMPTY_OVERLAY 3
