#include "tests/e2e/reliability/ProgramRun.h"
#include "res/resource.h"

#include <cstring>

#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/TopLevelWindows.h"
#include "tests/e2e/harness/WindowState.h"
#include "text/win32/SystemText.h"

namespace velmora::e2e {
namespace {

constexpr char kRestartCaption[] = "Velmora 99 - Restart Windows?";

}  // namespace

ProgramRun::ProgramRun(WindowsVersion version) : session_(version) {}

ProgramRun::~ProgramRun() {
    // Whatever a failed scenario left behind goes back before the session restores its own values.
    const RegistrySnapshot& end = end_ ? *end_ : before_;
    if (end.Whole()) {
        session_.WaitForExit(Milliseconds(0));
        PutBack(end, RegistrySnapshot::TakeWhole());
    }
}

testing::AssertionResult ProgramRun::Start() {
    before_ = RegistrySnapshot::TakeWhole();
    if (before_.Keys().empty()) {
        return testing::AssertionFailure() << "the registry could not be read";
    }
    testing::AssertionResult started = session_.Start();
    // A registry full of strange data can make the first messages slow (Wine reads its own settings
    // from it too): a window that answers within the deadline has started.
    if (!started && Main() != nullptr && Responds(Main())) {
        return testing::AssertionSuccess();
    }
    return started;
}

HWND ProgramRun::SelectPage(const std::string& title) {
    return session_.SelectPage(title);
}

testing::AssertionResult ProgramRun::Apply(const char* question) {
    const HWND apply = Control(Main(), IDC_MAIN_APPLY_BUTTON);
    if (!IsEnabled(apply)) {
        return testing::AssertionFailure() << "Apply is not enabled";
    }
    if (question == nullptr) {
        if (!Click(apply, kLongDeadline)) {
            return testing::AssertionFailure() << "Apply did not return";
        }
    } else {
        PostClick(apply);
        const HWND box = WaitForMessageBox(ProcessId(), question, kDeadline);
        if (box == nullptr || !AnswerMessageBox(box, IDYES)) {
            return testing::AssertionFailure() << "no question \"" << question << "\" to answer";
        }
    }
    if (!Responds(Main(), kLongDeadline) || IsEnabled(apply)) {
        return testing::AssertionFailure() << "Apply did not finish";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult ProgramRun::OnlyChanged(const std::string& page,
                                                 const std::function<void(ExpectedChanges&)>& expect,
                                                 const std::string& kind) {
    const RegistrySnapshot after = RegistrySnapshot::TakeWhole();
    ExpectedChanges expected(before_, after);
    expect(expected);
    testing::AssertionResult result = OnlyTheseChanged(before_, after, expected);
    CountScenario(page, kind);
    if (!PutBack(before_, after)) {
        return testing::AssertionFailure() << "the registry could not be put back";
    }
    return result;
}

testing::AssertionResult ProgramRun::NothingChangedYet(const std::string& page, const std::string& kind) {
    return OnlyChanged(
        page, [](ExpectedChanges&) {}, kind);
}

testing::AssertionResult ProgramRun::CloseWith(int button) {
    if (!PostClick(Control(Main(), button))) {
        return testing::AssertionFailure() << "could not press " << button;
    }
    if (button == IDOK) {
        // A restart question may follow; No closes without restarting. Whichever comes first, the
        // question or the end, is waited for: a question that comes late must not keep the program open.
        HWND box = nullptr;
        WaitUntil(
            [&] {
                box = FindTopLevelWindow({ProcessId(), kRestartCaption, "#32770"});
                return box != nullptr || !session_.Program().Running();
            },
            kDeadline);
        if (box != nullptr) {
            AnswerMessageBox(box, IDNO);
        }
    }
    if (!session_.WaitForExit()) {
        return testing::AssertionFailure() << "the program did not end";
    }
    const std::optional<DWORD> code = session_.Program().ExitCode();
    if (!code || *code >= 0xC0000000u) {
        return testing::AssertionFailure()
               << "the program ended with the code 0x" << std::hex << code.value_or(0);
    }
    return NothingChanged(before_, RegistrySnapshot::TakeWhole());
}

bool Touch(const ProgramRun& run, HWND box, const char* notice) {
    if (notice == nullptr || IsChecked(box)) {
        return Click(box);
    }
    PostClick(box);
    const HWND shown = WaitForMessageBox(run.ProcessId(), notice, kDeadline);
    return shown != nullptr && AnswerMessageBox(shown, IDOK) && Responds(run.Main());
}

HWND OpenWindow(const ProgramRun& run, HWND button, const std::string& caption) {
    if (!IsEnabled(button) || !PostClick(button)) {
        return nullptr;
    }
    return WaitForTopLevelWindow({run.ProcessId(), caption, "#32770"}, kDeadline);
}

bool CloseWindow(HWND window, int button) {
    return PostClick(Control(window, button)) && WaitForWindowGone(window, kDeadline);
}

bool Answer(const ProgramRun& run, const std::string& caption, int button) {
    const HWND box = WaitForMessageBox(run.ProcessId(), caption, kDeadline);
    return box != nullptr && AnswerMessageBox(box, button) && Responds(run.Main());
}

bool Paste(HWND edit, const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    // As Unicode text, which the edits of the NT family take whatever the code page.
    const std::wstring wide = text::Wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool ok = memory != nullptr;
    if (ok) {
        std::memcpy(GlobalLock(memory), wide.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    CloseClipboard();
    // The whole old text is replaced, as after Ctrl+A.
    return ok && SendToProgram(edit, EM_SETSEL, 0, -1) && SendToProgram(edit, WM_PASTE, 0, 0);
}

}  // namespace velmora::e2e
