// What every setting page's table promises, checked row by row over all four pages: rows in their own
// order with controls of their own, the missing state of an absent value, a touch only by the row's
// own notification, and every state written so that it reads back as itself, at the row's location
// alone, with the row's flags.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "registry/RegistryStore.h"
#include "registry/ViewedRegistry.h"
#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/RecordingRegistryCalls.h"
#include "tests/support/RegistryDump.h"
#include "tests/support/Windows.h"

namespace velmora {
namespace {

// Loads every row of a page, as the main window loads the page where everything is available.
void LoadAll(TableModel& m) {
    m.Load(testing::kWindows98Plus);
}

// The rows the table itself describes: read by their rule and written by their two actions.
template <class Row>
bool Described(const Row& row) {
    return row.routine == Routine::kTable && row.at.key != nullptr;
}

// Values anywhere in the registry, one line each.
std::string ValueLines(Registry& registry) {
    std::istringstream dump(testing::DumpRegistry(registry));
    std::string values;
    for (std::string line; std::getline(dump, line);) {
        if (line.rfind("  \"", 0) == 0) {
            values += line + "\n";
        }
    }
    return values;
}

template <class Model>
class SettingTablesTest : public ::testing::Test {
  protected:
    FakeServices fakes_;
    Services services_ = fakes_.Get();
};

using Models = ::testing::Types<StartMenuSettings, DesktopSettings, MiscSettings, SecuritySettings>;
TYPED_TEST_SUITE(SettingTablesTest, Models);

TYPED_TEST(SettingTablesTest, RowsStandInTheirOwnOrderEachWithControlsOfItsOwn) {
    std::set<int> controls;
    int index = 0;
    for (const auto& row : TypeParam::Table()) {
        EXPECT_EQ(row.row, index++);
        EXPECT_TRUE(row.control != 0 || !row.parts.empty()) << row.row;
        if (row.control != 0) {
            EXPECT_TRUE(controls.insert(row.control).second) << row.control;
        }
        for (const RowPart& part : row.parts) {
            EXPECT_TRUE(controls.insert(part.control).second) << part.control;
        }
    }
    EXPECT_EQ(index, TypeParam::kRowCount);
}

TYPED_TEST(SettingTablesTest, EveryRowWhoseValueIsAbsentShowsItsMissingState) {
    TypeParam model(this->services_);
    LoadAll(model);
    for (const auto& row : TypeParam::Table()) {
        if (Described(row)) {
            const int missing = row.at.value == nullptr || row.missing == Missing::kUnchecked ? 0 : 1;
            EXPECT_EQ(model.check[static_cast<std::size_t>(row.row)], missing) << row.caption;
        }
    }
    EXPECT_EQ(this->fakes_.registry.OpenHandleCount(), 0u);
}

TYPED_TEST(SettingTablesTest, OnlyTheRowsOwnNotificationTouchesIt) {
    for (const auto& row : TypeParam::Table()) {
        std::vector<std::pair<int, Shown>> controls;
        if (row.control != 0) {
            controls.emplace_back(row.control, row.shown);
        }
        for (const RowPart& part : row.parts) {
            controls.emplace_back(part.control, part.shown);
        }
        for (const auto& [control, shown] : controls) {
            TypeParam model(this->services_);
            const int other = NotificationOf(shown) == notify::kButtonClicked ? notify::kEditChange
                                                                              : notify::kButtonClicked;
            EXPECT_FALSE(model.Touch(control, other)) << control;
            EXPECT_FALSE(model.AnyChanged()) << control;
            EXPECT_TRUE(model.Touch(control, NotificationOf(shown))) << control;
            for (int r = 0; r < TypeParam::kRowCount; ++r) {
                EXPECT_EQ(model.Changed(r), r == row.row) << control << " marks row " << r;
            }
        }
    }
}

TYPED_TEST(SettingTablesTest, EachStateIsWrittenAtTheRowsLocationAloneAndReadsBackAsItself) {
    for (const auto& row : TypeParam::Table()) {
        if (!Described(row)) {
            continue;
        }
        SCOPED_TRACE(row.caption);
        FakeServices fakes;
        // Both ways round: each state written over the other one.
        for (const int state : {1, 0, 1}) {
            TypeParam model(fakes.Get());
            LoadAll(model);
            model.check[static_cast<std::size_t>(row.row)] = state;
            ASSERT_TRUE(model.Touch(row.control, NotificationOf(row.shown)));
            EXPECT_TRUE(model.ApplyTouched(0).failures.empty());
            const bool restart =
                (row.flags & kRestart) != 0 || ((row.flags & kRestartWhenChecked) != 0 && state == 1);
            EXPECT_EQ(model.RestartNeeded(), restart) << state;
            EXPECT_EQ(model.IconRebuildPending(), (row.flags & kIconRebuild) != 0) << state;

            TypeParam reloaded(fakes.Get());
            LoadAll(reloaded);
            EXPECT_EQ(reloaded.check[static_cast<std::size_t>(row.row)], state);
        }
        // Nothing but the row's own value or key was written.
        const RegistryStore store(fakes.registry);
        if (row.at.value != nullptr) {
            store.DeleteValue(row.at.root, row.at.key, row.at.value);
        } else {
            store.DeleteKey(row.at.root, std::string(row.at.key), row.checked.text);
        }
        EXPECT_EQ(ValueLines(fakes.registry), "");
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

// Under WOW64 the program reads and writes the 64-bit view: every row's load and both of its states go
// through it, and in the process's own view nothing asks for a view.
TYPED_TEST(SettingTablesTest, EachStateIsReadAndWrittenInTheProcesssRegistryView) {
    for (const RegistryView view : {RegistryView::Own, RegistryView::SixtyFour}) {
        for (const auto& row : TypeParam::Table()) {
            if (!Described(row)) {
                continue;
            }
            SCOPED_TRACE(std::string(row.caption) +
                         (view == RegistryView::Own ? ", own view" : ", 64-bit view"));
            FakeServices fakes;
            testing::RecordingRegistryCalls calls(fakes.registry);
            ViewedRegistry viewed(calls, view);
            const Services services = fakes.Get(viewed);
            for (const int state : {1, 0}) {
                TypeParam model(services);
                LoadAll(model);
                model.check[static_cast<std::size_t>(row.row)] = state;
                ASSERT_TRUE(model.Touch(row.control, NotificationOf(row.shown)));
                EXPECT_TRUE(model.ApplyTouched(0).failures.empty());
                TypeParam reloaded(services);
                LoadAll(reloaded);
                EXPECT_EQ(reloaded.check[static_cast<std::size_t>(row.row)], state);
            }
            EXPECT_FALSE(calls.made.empty());
            EXPECT_EQ(testing::CallsOutOfView(calls.made, view), std::vector<std::string>{});
        }
    }
}

}  // namespace
}  // namespace velmora
