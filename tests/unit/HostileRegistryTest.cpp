// Every page's load over every hostile state of every value, key and list it reads: the page shows what
// it shows for the state's benign equivalent, leaves no key open and changes nothing. Run under
// AddressSanitizer too, where the in-memory registry hands out exactly the bytes it stores, so that a
// read past the data received is caught.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "registry/ValueReader.h"
#include "settings/DesktopSettings.h"
#include "settings/Locations.h"
#include "settings/UninstallList.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/HostileCorpus.h"
#include "tests/support/PageLoads.h"
#include "tests/support/RegistryCapture.h"
#include "tests/support/ReliabilityLog.h"
#include "tests/support/Windows.h"

namespace velmora {
namespace {

using hostile::State;
using hostile::Target;
using testing::LoadPage;
using testing::PageView;

// Where two long texts first differ, for a readable failure.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto at = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first - a.begin());
    const auto around = [at](const std::string& s) {
        const std::size_t from = at > 40 ? at - 40 : 0;
        return "\"" + s.substr(from, 120) + "\" (" + std::to_string(s.size()) + " bytes)";
    };
    return "differ at byte " + std::to_string(at) + ":\n  hostile    " + around(a) + "\n  equivalent " +
           around(b);
}

TEST(HostileRegistryTest, EveryPageLoadsEveryHostileStateAsItsBenignEquivalent) {
    testing::ReliabilityLog log(VELMORA_RELIABILITY_DIR, "host_hostile_states");
    for (const Target& target : hostile::Targets()) {
        for (const State& state : hostile::States()) {
            if (!hostile::Applies(state, target)) {
                continue;
            }
            SCOPED_TRACE(hostile::Describe(target) + ", " + state.name);
            FakeServices hostileFakes;
            hostile::SetUp(hostileFakes.registry, target);
            state.apply(hostileFakes.registry, target);
            ASSERT_EQ(hostileFakes.registry.OpenHandleCount(), 0u);
            const capture::RegistryCapture before = capture::CaptureRoots(hostileFakes.registry);

            const PageView shown = LoadPage(hostileFakes, target.page);
            EXPECT_EQ(hostileFakes.registry.OpenHandleCount(), 0u);
            EXPECT_TRUE(capture::CaptureRoots(hostileFakes.registry) == before)
                << "the load changed the registry";

            FakeServices benignFakes;
            hostile::SetUp(benignFakes.registry, target);
            state.equivalent(benignFakes.registry, target);
            const PageView expected = LoadPage(benignFakes, target.page);
            EXPECT_TRUE(shown.text == expected.text) << FirstDifference(shown.text, expected.text);

            const std::set<std::string> listed(shown.listed.begin(), shown.listed.end());
            for (const std::string& name : hostile::ListedNames(state, target)) {
                EXPECT_EQ(listed.count(name), 1u)
                    << "not listed: " << name.substr(0, 40) << " (" << name.size() << " characters)";
            }
            log.Add(target.page, "hostile states");
        }
    }
    // Every page that reads the registry has its states.
    for (const std::string& page : testing::LoadedPages()) {
        EXPECT_GT(log.Count(page, "hostile states"), 0) << page;
    }
    EXPECT_TRUE(log.Write());
}

// The equivalence above proves the states read like ordinary values; these pin down what a few of them
// read as, so that an equivalent that drifted would be caught too.
class HostileStateMeaningTest : public ::testing::Test {
  protected:
    const Target& Find(const char* page, const char* name) {
        for (const Target& target : hostile::Targets()) {
            if (std::string_view(target.page) == page && std::string_view(target.name) == name &&
                target.kind == hostile::Kind::kValue) {
                return target;
            }
        }
        throw std::logic_error(std::string("no target ") + name);
    }
    const State& Named(std::string_view prefix) {
        for (const State& state : hostile::States()) {
            if (std::string_view(state.name).starts_with(prefix)) {
                return state;
            }
        }
        throw std::logic_error("no state " + std::string(prefix));
    }
    DesktopSettings LoadDesktopWith(const char* value, std::string_view statePrefix) {
        const Target& target = Find("Desktop", value);
        hostile::SetUp(fakes_.registry, target);
        Named(statePrefix).apply(fakes_.registry, target);
        DesktopSettings model(fakes_.Get());
        model.Load(testing::kWindows98Plus);
        EXPECT_EQ(fakes_.registry.OpenHandleCount(), 0u);
        return model;
    }

    FakeServices fakes_;
};

TEST_F(HostileStateMeaningTest, ValuesReadByTheirBytesNotTheirType) {
    // A DWORD 1 under a policy switch hides the Internet icon like the binary flag does.
    EXPECT_EQ(
        LoadDesktopWith("NoInternetIcon", "wrong type: REG_DWORD").check[DesktopSettings::kNoInternetIcon],
        0);
}

TEST_F(HostileStateMeaningTest, ShortAndUnterminatedTextsReadAsTheBytesReceived) {
    // One byte '1' is the text "1".
    EXPECT_EQ(LoadDesktopWith("AutoEndTasks", "one byte").check[DesktopSettings::kAutoEndTasks], 1);
}

TEST_F(HostileStateMeaningTest, EmbeddedZerosEndTheText) {
    // "0", zero, "1": only the "0" counts, so the Windows version is not painted.
    EXPECT_EQ(
        LoadDesktopWith("PaintDesktopVersion", "embedded zeros").check[DesktopSettings::kPaintDesktopVersion],
        0);
}

TEST_F(HostileStateMeaningTest, AHugeNumberClampsAndAValueWithoutDataIsNoSize) {
    // 1 MiB of sevens clamps to the int range, which is no size the combo offers: Default.
    EXPECT_EQ(LoadDesktopWith("Shell Icon Size", "1 MiB").iconSize, 1);
    FakeServices other;
    const Target& target = Find("Desktop", "Shell Icon Size");
    Named("no data").apply(other.registry, target);
    EXPECT_EQ(ReadValue(other.registry, target.root, target.path, target.name)->Number(), 0);
}

TEST_F(HostileStateMeaningTest, AKeyWhereTheValueIsExpectedIsAMissingValue) {
    // Missing, "Show Internet icon" is checked.
    EXPECT_EQ(LoadDesktopWith("NoInternetIcon", "a key where").check[DesktopSettings::kNoInternetIcon], 1);
}

TEST(HostileListTest, ListsStopAtTheFirstNameTheirBufferCannotHold) {
    // 99 characters and the zero fill the 100-byte buffer; 100 characters end the walk, so the entry
    // after it is not listed either.
    FakeServices fakes;
    const std::string key = std::string(keys::kUninstall);
    const auto add = [&](const std::string& name) {
        hostile::SetText(fakes.registry, RootKey::LocalMachine, key + "\\" + name, "DisplayName", name);
        hostile::SetText(fakes.registry, RootKey::LocalMachine, key + "\\" + name, "UninstallString", "x");
    };
    add(std::string(99, 'a'));
    add(std::string(100, 'b'));
    add("c after");
    UninstallList list(fakes.Get());
    list.Load();
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0].displayName, std::string(99, 'a'));
    EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace velmora
