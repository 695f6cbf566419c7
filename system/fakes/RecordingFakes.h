// Stand-ins for the system services that record every call, for the host tests (and for end-to-end runs
// that must not restart the session). Each fake also appends a readable line to a shared journal, so
// that a test can check the order of calls across services.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "registry/FaultTrigger.h"
#include "system/Broadcaster.h"
#include "system/Directories.h"
#include "system/HelpViewer.h"
#include "system/MessageBoxes.h"
#include "system/Restarter.h"
#include "system/Shell.h"
#include "system/SystemParameters.h"

namespace velmora {

using Journal = std::vector<std::string>;

class FakeSystemParameters : public SystemParameters {
  public:
    explicit FakeSystemParameters(Journal& journal) : journal_(journal) {}

    struct CallRecord {
        std::uint32_t action;
        std::uint32_t param;
        bool hadData;
        std::uint32_t flags;
    };

    int Call(std::uint32_t action, std::uint32_t param, void* data, std::uint32_t flags) override;
    long LastError() override { return lastError; }

    // What a "get" action stores through its data pointer (an int, as SPI_GETBEEP does).
    std::map<std::uint32_t, int> stored;
    // The return value per action; actions not listed return 1.
    std::map<std::uint32_t, int> results;
    std::vector<CallRecord> calls;
    // An injected failure returns 0 and stores nothing.
    FaultTrigger fault;
    // What LastError reports after a failure (ERROR_ACCESS_DENIED unless a test says otherwise).
    long lastError = 5;

  private:
    Journal& journal_;
};

class FakeBroadcaster : public Broadcaster {
  public:
    explicit FakeBroadcaster(Journal& journal) : journal_(journal) {}
    void Broadcast(std::uint32_t message) override;
    void RepaintDesktop() override;
    std::vector<std::uint32_t> messages;
    int desktopRepaints = 0;

  private:
    Journal& journal_;
};

// Directories are held as a set of paths, compared without regard to case as Windows does.
class FakeDirectories : public Directories {
  public:
    explicit FakeDirectories(Journal& journal) : journal_(journal) {}
    bool Exists(const std::string& path) override;
    bool Create(const std::string& path) override;
    bool Remove(const std::string& path) override;
    std::string SystemDirectory() override { return systemDirectory; }
    std::string WindowsDirectory() override { return windowsDirectory; }

    void AddDirectory(const std::string& path);
    // A directory that holds a file cannot be removed.
    void AddFileIn(const std::string& directory);
    bool Has(const std::string& path) const;

    std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
    std::string windowsDirectory = "C:\\WINDOWS";
    // Injected failures: the call returns false and changes nothing.
    FaultTrigger existsFault;
    FaultTrigger createFault;
    FaultTrigger removeFault;

  private:
    static std::string Key(const std::string& path);
    std::set<std::string> directories_;
    std::set<std::string> nonEmpty_;
    Journal& journal_;
};

class FakeMessageBoxes : public MessageBoxes {
  public:
    explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}

    struct Shown {
        WindowRef owner;
        std::string text;
        std::string caption;
        std::uint32_t style;
    };

    int Show(WindowRef owner, const std::string& text, const std::string& caption,
             std::uint32_t style) override;
    // "Error text N." unless the test gives the code a text of its own.
    std::string SystemErrorText(long code) override;

    std::map<long, std::string> errorTexts;
    // Answers given in turn; when none is queued, OK boxes answer IDOK and Yes/No boxes `defaultAnswer`.
    std::deque<int> answers;
    int defaultAnswer = mb::kIdNo;
    std::vector<Shown> shown;

  private:
    Journal& journal_;
};

class FakeRestarter : public Restarter {
  public:
    explicit FakeRestarter(Journal& journal) : journal_(journal) {}
    bool EnableShutdownPrivilege() override;
    long EndSession(std::uint32_t flags) override;
    int privilegeRequests = 0;
    std::vector<std::uint32_t> requests;
    // What EndSession returns (0 success).
    long endSessionError = 0;

  private:
    Journal& journal_;
};

class FakeShell : public Shell {
  public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}
    std::uintptr_t Open(const std::string& target, int show) override;
    unsigned Run(const std::string& commandLine, int show) override;

    std::uintptr_t openResult = 42;
    unsigned runResult = 33;
    // Injected failures return 2 (file not found).
    FaultTrigger openFault;
    FaultTrigger runFault;
    std::vector<std::string> opened;
    std::vector<std::string> run;

  private:
    Journal& journal_;
};

// The help viewers of a machine whose program file, files and Windows version a test chooses.
class FakeHelpViewer : public HelpViewer {
  public:
    explicit FakeHelpViewer(Journal& journal) : journal_(journal) {}

    struct Call {
        WindowRef owner;
        std::string file;  // WinHelp's file, or HTML Help's target
        std::uint32_t command;
        std::uintptr_t data;
    };

    std::string ProgramFile() override { return programFile; }
    bool FileExists(const std::string& path) override;
    unsigned long MajorVersion() override { return majorVersion; }
    bool CallWinHelp(WindowRef owner, const std::string& file, std::uint32_t command,
                     std::uintptr_t data) override;
    bool ShowHtmlHelp(WindowRef owner, const std::string& target) override;
    void CloseHtmlHelp() override;

    std::string programFile = "C:\\Program Files\\Velmora\\Velmora.exe";
    // The files that exist, compared without regard to case.
    std::set<std::string> files;
    unsigned long majorVersion = 4;
    bool winHelpWorks = true;
    bool htmlHelpWorks = true;
    std::vector<Call> winHelpCalls;
    std::vector<Call> htmlHelpCalls;  // command and data 0
    int htmlHelpClosed = 0;

  private:
    Journal& journal_;
};

}  // namespace velmora
