// The benchmark build's watcher of the start-up: every step is a timing mark (bench/StartupMarks.h), the
// main steps with the process's memory beside them; the reader thread's registry calls are counted by
// kind and written down per list, and once the window is painted and every list filled, the calls of
// each list are made again bare (bench/CallScript.h): that list's floor, in this process, apart from the
// start-up.
#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "bench/CallScript.h"
#include "bench/StartupMarks.h"
#include "pages/StartupObserver.h"

namespace velmora {
namespace {

using Page = StartupList::Page;
constexpr int kPages = 3;

class BenchStartupObserver : public StartupObserver {
  public:
    void Step(const char* step) override {
        bench::Mark(step);
        // The list boxes' fills are many and short: time only.
        if (std::strncmp(step, "fill ", 5) != 0) {
            bench::MarkMemory(step);
        }
    }
    void ListsAwaited(int count) override {
        bench::AwaitLists(count);
        bench::BeforeWriting() = [this] { MeasureFloors(); };
    }
    void WindowShown(std::uintptr_t window) override { bench::WindowShown(reinterpret_cast<HWND>(window)); }
    void ListFilled(Page page) override { bench::ListFilled(bench::ListName(page)); }

    Registry& ReaderRegistry(Registry& own) override {
        recorder_.emplace(own);
        Begin(Page::kFolderRun);
        return *recorder_;
    }
    void ListRead(Page page) override {
        const std::string name = bench::ListName(page);
        bench::Mark((name + " end").c_str());
        for (int kind = 0; kind < bench::kCallKinds; ++kind) {
            bench::Count(name + " calls " + bench::kCallKindNames[kind],
                         recorder_->Calls(static_cast<bench::CallKind>(kind)) - base_[kind]);
        }
        if (page == Page::kShellNew) {
            bench::Count("New extension keys", recorder_->ExtensionKeys());
        }
        {
            bench::NotesLock lock;
            scripts_[static_cast<int>(page)] = recorder_->Take();
        }
        if (page != Page::kShellNew) {
            Begin(static_cast<Page>(static_cast<int>(page) + 1));
        }
    }

  private:
    // The lists are read in the order of the pages' enumeration: Folders/Run, Add/Remove, New.
    void Begin(Page page) {
        for (int kind = 0; kind < bench::kCallKinds; ++kind) {
            base_[kind] = recorder_->Calls(static_cast<bench::CallKind>(kind));
        }
        bench::Mark((std::string(bench::ListName(page)) + " begin").c_str());
    }

    void MeasureFloors() {
        for (int page = 0; page < kPages; ++page) {
            const std::string name = bench::ListName(static_cast<Page>(page));
            bench::CallScript script;
            {
                bench::NotesLock lock;
                script = scripts_[page];
            }
            bench::Mark(("floor " + name + " begin").c_str());
            bench::Replay(script);
            bench::Mark(("floor " + name + " end").c_str());
        }
    }

    std::optional<bench::RecordingRegistry> recorder_;  // the reader thread's, made on that thread
    long long base_[bench::kCallKinds] = {};
    bench::CallScript scripts_[kPages];
};

}  // namespace

StartupObserver& TheStartupObserver() {
    static BenchStartupObserver bench;
    return bench;
}

}  // namespace velmora
