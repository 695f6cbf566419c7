// The system's help viewers, and what choosing between them needs: where the program's file lies,
// whether a file is there and which Windows version runs.
#pragma once

#include <cstdint>
#include <string>

#include "system/MessageBoxes.h"

namespace velmora {

namespace help_command {
constexpr std::uint32_t kContext = 0x0001;   // HELP_CONTEXT
constexpr std::uint32_t kQuit = 0x0002;      // HELP_QUIT
constexpr std::uint32_t kContents = 0x0003;  // HELP_CONTENTS
}  // namespace help_command

class HelpViewer {
  public:
    virtual ~HelpViewer() = default;
    // GetModuleFileNameA of the program itself; empty when it cannot be had.
    virtual std::string ProgramFile() = 0;
    // True when a file (not a folder) is at `path`.
    virtual bool FileExists(const std::string& path) = 0;
    // The major version GetVersionExA reports (4 for Windows 95, 98 and NT 4.0, 6 from Vista on).
    virtual unsigned long MajorVersion() = 0;
    // WinHelpA; false when it reports a failure.
    virtual bool CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                             std::uintptr_t data) = 0;
    // Shows `target` ("<file>.chm" or "<file>.chm::/<page>.html") in HTML Help: HtmlHelpA of
    // hhctrl.ocx, looked up at run time, or hh.exe where that cannot be had. False when neither opened.
    virtual bool ShowHtmlHelp(WindowRef owner, const std::string& target) = 0;
    // Closes the HTML Help windows this process opened.
    virtual void CloseHtmlHelp() = 0;
};

}  // namespace velmora
