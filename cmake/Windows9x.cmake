# The programs are made for Windows 95, 98 and NT 4.0 and everything after them. The Windows headers are
# held to what those systems have, so that a call one of them lacks does not compile; what only the NT
# family has is looked up at run time. _WIN32_IE 0x0400 is the common controls of Internet Explorer 4.
# The test programs (tests/) clear these and may use whatever Windows they run on offers.
add_compile_definitions(WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0400 _WIN32_IE=0x0400)

# A program for these systems carries subsystem and OS version 4.0 in its PE header; later Windows
# versions load such programs as they are.
add_link_options(-Wl,--major-subsystem-version,4,--minor-subsystem-version,0
                 -Wl,--major-os-version,4,--minor-os-version,0)
