// The hostile registry end to end: the states of the hostile corpus written into the real registry over
// the values and keys the program reads, many at a time (one state over all its targets per run). The
// program must start, show every page, write nothing and end normally when closed; the registry is put
// back after each run. The states that write thousands of entries, 1 MiB texts or long names beside every
// value take from 40 seconds to minutes per run under Wine; they run on the host over the in-memory
// registry only.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/ReliabilityCounts.h"
#include "tests/e2e/harness/WindowState.h"
#include "tests/e2e/reliability/ProgramRun.h"
#include "tests/support/HostileCorpus.h"

namespace velmora::e2e {
namespace {

bool Heavy(const hostile::State& state) {
    const std::string_view name = state.name;
    return name.find("thousands") != std::string_view::npos || name.find("MiB") != std::string_view::npos ||
           name.find("beside the value") != std::string_view::npos;
}

std::vector<std::size_t> LightStates() {
    std::vector<std::size_t> states;
    for (std::size_t i = 0; i < hostile::States().size(); ++i) {
        if (!Heavy(hostile::States()[i])) {
            states.push_back(i);
        }
    }
    return states;
}

// The targets one run writes the state over.
std::vector<const hostile::Target*> TargetsOf(const hostile::State& state) {
    std::vector<const hostile::Target*> targets;
    for (const hostile::Target& target : hostile::Targets()) {
        if (hostile::Applies(state, target)) {
            targets.push_back(&target);
        }
    }
    return targets;
}

class HostileRegistry : public testing::TestWithParam<std::size_t> {};

TEST_P(HostileRegistry, TheProgramStartsShowsEveryPageWritesNothingAndEndsNormally) {
    const hostile::State& state = hostile::States()[GetParam()];
    // 9x, so that the Security page is there and loaded too.
    ProgramRun run(WindowsVersion::Windows98);
    run.PutBackAtEndTo(RegistryImage::Take());
    const std::vector<const hostile::Target*> targets = TargetsOf(state);
    ASSERT_FALSE(targets.empty()) << state.name;
    for (const hostile::Target* target : targets) {
        hostile::SetUp(MachineRegistry(), *target);
        state.apply(MachineRegistry(), *target);
    }
    ASSERT_TRUE(run.Start()) << state.name;
    const HWND sheet = HostedSheet::Find(run.Main());
    ASSERT_NE(sheet, nullptr);
    HostedSheet pages(sheet);
    const int count = pages.TabCount();
    EXPECT_GE(count, 10);
    for (int index = 0; index < count; ++index) {
        EXPECT_TRUE(pages.Select(index)) << state.name << ": page " << index;
        EXPECT_TRUE(Responds(run.Main())) << state.name << ": page " << index;
    }
    EXPECT_TRUE(run.CloseWith(main_window::kCancel)) << state.name;
    for (const hostile::Target* target : targets) {
        CountScenario(target->page, kHostileStates);
    }
}

INSTANTIATE_TEST_SUITE_P(, HostileRegistry, testing::ValuesIn(LightStates()),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             std::string name = "State" + std::to_string(info.param);
                             return name;
                         });

}  // namespace
}  // namespace velmora::e2e
