// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDD_MAIN 102
#define IDC_MAIN_FRAME 1269
#define IDC_APPLY 1010
#define IDC_HELP_BUTTON 1100

#define IDI_VELMORA 128
#define IDI_PROGRAMS 154
#define IDI_SYSTEM_FOLDER 171
#define IDI_AUTORUN 172
#define IDI_OK 176
#define IDI_CANCEL 177
#define IDI_HELP 178
#define IDI_APPLY 179
#define IDI_BROWSE 180
#define IDI_DELETE 181
#define IDI_EDIT 183
#define IDI_REGEDIT 186
#define IDI_SYSTEM_INFO 187
#define IDI_SYSEDIT 188
#define IDI_WRENCH 189
#define IDI_IP_CONFIG 199
#define IDI_OPTIONS 208
