// The system services of the running machine.
#pragma once

#include "registry/Win32Registry.h"
#include "system/Services.h"
#include "system/win32/Win32HelpViewer.h"

namespace velmora {

class Win32SystemParameters : public SystemParameters {
  public:
    int Call(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) override;
    long LastError() override { return lastError_; }

  private:
    long lastError_ = 0;
};

class Win32Broadcaster : public Broadcaster {
  public:
    // How long one window may take to handle a broadcast before the next one gets it.
    static constexpr unsigned kTimeoutPerWindow = 5000;
    void Broadcast(std::uint32_t message) override;
    void RepaintDesktop() override;
};

class Win32Directories : public Directories {
  public:
    bool Exists(const std::string& path) override;
    bool Create(const std::string& path) override;
    bool Remove(const std::string& path) override;
    std::string SystemDirectory() override;
    std::string WindowsDirectory() override;
};

class Win32MessageBoxes : public MessageBoxes {
  public:
    int Show(WindowRef owner, const std::string& text, const std::string& caption,
             std::uint32_t style) override;
    std::string SystemErrorText(long code) override;
};

class Win32Restarter : public Restarter {
  public:
    bool EnableShutdownPrivilege() override;
    long EndSession(std::uint32_t flags) override;
};

class Win32Shell : public Shell {
  public:
    std::uintptr_t Open(const std::string& target, int show) override;
    unsigned Run(const std::string& commandLine, int show) override;
};

// One of each, as the program uses them.
struct Win32Services {
    Win32Registry registry;
    Win32SystemParameters parameters;
    Win32Broadcaster broadcaster;
    Win32Directories directories;
    Win32MessageBoxes messages;
    Win32Restarter restarter;
    Win32Shell shell;
    Win32HelpViewer help;

    Services Get() {
        return Services{registry, parameters, broadcaster, directories, messages, restarter, shell, help};
    }
};

}  // namespace velmora
