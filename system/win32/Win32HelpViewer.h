// The running system's help viewers: WinHelp, and HTML Help through hhctrl.ocx (or hh.exe).
#pragma once

#include "system/HelpViewer.h"

namespace velmora {

class Win32HelpViewer : public HelpViewer {
  public:
    std::string ProgramFile() override;
    bool FileExists(const std::string& path) override;
    unsigned long MajorVersion() override;
    bool CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                     std::uintptr_t data) override;
    bool ShowHtmlHelp(WindowRef owner, const std::string& target) override;
    void CloseHtmlHelp() override;

  private:
    using HtmlHelpFn = void*(__stdcall*)(void* caller, const void* file, unsigned command,
                                         std::uintptr_t data);
    // HtmlHelpW on the NT family and HtmlHelpA on Windows 95 and 98 (the file's name in the system's
    // text), loaded on first use and kept for the life of the process (its windows live in it);
    // null where hhctrl.ocx is missing.
    HtmlHelpFn HtmlHelpFunction();

    bool htmlHelpLookedUp_ = false;
    HtmlHelpFn htmlHelp_ = nullptr;
};

}  // namespace velmora
