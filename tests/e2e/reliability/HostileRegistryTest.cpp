// The hostile registry end to end: the states of the hostile corpus written into the real registry over
// the values and keys the program reads, many at a time (one state over all its targets per run). The
// program must start, show every page, write nothing and end normally when closed; the registry is put
// back after each run. The heavy states (thousands of entries, 1 MiB texts, long names beside the value)
// take 40 seconds and more per run when written over every target under Wine; here they go over
// the first target of each page only, and over every target on the host's in-memory registry.
#include <windows.h>

#include <set>
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

std::vector<std::size_t> StatesWhere(bool heavy) {
    std::vector<std::size_t> states;
    for (std::size_t i = 0; i < hostile::States().size(); ++i) {
        if (Heavy(hostile::States()[i]) == heavy) {
            states.push_back(i);
        }
    }
    return states;
}

// The targets one run writes the state over: all of them, or the first of each page.
std::vector<const hostile::Target*> TargetsOf(const hostile::State& state, bool firstOfEachPage) {
    std::vector<const hostile::Target*> targets;
    std::set<std::string_view> pages;
    for (const hostile::Target& target : hostile::Targets()) {
        if (!hostile::Applies(state, target)) {
            continue;
        }
        // The corpus lists a page's targets in more than one place.
        if (!pages.insert(target.page).second && firstOfEachPage) {
            continue;
        }
        targets.push_back(&target);
    }
    return targets;
}

void RunOver(const hostile::State& state, const std::vector<const hostile::Target*>& targets) {
    // 9x, so that the Security page is there and loaded too.
    ProgramRun run(WindowsVersion::Windows98);
    run.PutBackAtEndTo(RegistrySnapshot::TakeWhole());
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
    EXPECT_TRUE(run.CloseWith(IDCANCEL)) << state.name;
    for (const hostile::Target* target : targets) {
        CountScenario(target->page, kHostileStates);
    }
}

std::string StateName(const testing::TestParamInfo<std::size_t>& info) {
    return "State" + std::to_string(info.param);
}

class HostileRegistry : public testing::TestWithParam<std::size_t> {};

TEST_P(HostileRegistry, TheProgramStartsShowsEveryPageWritesNothingAndEndsNormally) {
    const hostile::State& state = hostile::States()[GetParam()];
    RunOver(state, TargetsOf(state, false));
}

INSTANTIATE_TEST_SUITE_P(, HostileRegistry, testing::ValuesIn(StatesWhere(false)), StateName);

class HeavyHostileRegistry : public testing::TestWithParam<std::size_t> {};

TEST_P(HeavyHostileRegistry, OverTheFirstTargetOfEachPageTheProgramStillWritesNothingAndEndsNormally) {
    const hostile::State& state = hostile::States()[GetParam()];
    RunOver(state, TargetsOf(state, true));
}

INSTANTIATE_TEST_SUITE_P(, HeavyHostileRegistry, testing::ValuesIn(StatesWhere(true)), StateName);

}  // namespace
}  // namespace velmora::e2e
