#include "settings/ApplyCycle.h"

#include <gtest/gtest.h>

#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "system/fakes/FakeServices.h"

namespace velmora {
namespace {

// A page model that records the order in which it is asked to apply.
class RecordingModel : public SettingsModel {
  public:
    RecordingModel(Journal& journal, std::string name, bool rebuild)
        : journal_(journal), name_(std::move(name)), rebuild_(rebuild) {}
    bool Touch(int, int) override { return true; }
    void ApplyRow(int) override {}
    void ApplyTouched(const PullControls& pull) override {
        pull();
        journal_.push_back("apply " + name_);
        if (rebuild_) {
            iconRebuild_ = 1;
        }
    }

  private:
    Journal& journal_;
    std::string name_;
    bool rebuild_;
};

TEST(ApplyCycle, PagesApplyInOrderAndOneRebuildFollowsWhenAnyPageAsks) {
    FakeServices fakes;
    Services services = fakes.Get();
    RegistryStore(fakes.registry)
        .WriteString(RootKey::CurrentUser, "Control Panel\\desktop\\WindowMetrics", "Shell Icon Size", "48");
    RecordingModel first(fakes.journal, "first", false);
    RecordingModel second(fakes.journal, "second", true);
    RecordingModel third(fakes.journal, "third", true);
    const ApplyTarget pages[] = {{&first, [&] { fakes.journal.push_back("pull first"); }},
                                 {nullptr, nullptr},
                                 {&second, [&] { fakes.journal.push_back("pull second"); }},
                                 {&third, [&] { fakes.journal.push_back("pull third"); }}};
    ApplyTouchedSettings(services, pages);

    const Journal expected = {"pull first",
                              "apply first",
                              "pull second",
                              "apply second",
                              "pull third",
                              "apply third",
                              "SystemParametersInfo(88, 0, null, 1)",
                              "SystemParametersInfo(88, 0, null, 2)",
                              "Broadcast(26)",
                              "SystemParametersInfo(88, 0, null, 1)",
                              "SystemParametersInfo(88, 0, null, 2)",
                              "Broadcast(26)"};
    EXPECT_EQ(fakes.journal, expected);
    EXPECT_FALSE(second.IconRebuildPending());
    EXPECT_FALSE(third.IconRebuildPending());
    const auto size = ReadValue(fakes.registry, RootKey::CurrentUser, "Control Panel\\Desktop\\WindowMetrics",
                                "Shell Icon Size");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->Bytes(), (std::vector<std::uint8_t>{'3', '2', 0}));
}

TEST(ApplyCycle, RebuildNeverCreatesTheMetricsKeyButStillReloadsTheIcons) {
    FakeServices fakes;
    Services services = fakes.Get();
    RebuildIconCache(services);
    EXPECT_FALSE(KeyExists(fakes.registry, RootKey::CurrentUser, "Control Panel\\desktop\\WindowMetrics"));
    EXPECT_EQ(fakes.parameters.calls.size(), 4u);
    EXPECT_EQ(fakes.broadcaster.messages.size(), 2u);
    EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
}

TEST(ApplyCycle, RestartQuestionUsesItsExactWordsAndAnswers) {
    FakeServices fakes;
    fakes.messages.answers = {mb::kIdNo, mb::kIdYes};
    EXPECT_FALSE(AskRestart(fakes.messages, 7));
    EXPECT_TRUE(AskRestart(fakes.messages, 7));
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    const auto& box = fakes.messages.shown[0];
    EXPECT_EQ(box.text,
              "For the changes to take effect Windows needs to be restarted.\r\n\r\nRestart Windows?");
    EXPECT_EQ(box.caption, "Velmora 99 - Restart Windows?");
    EXPECT_EQ(box.style, 0x24u);
    EXPECT_EQ(box.owner, 7u);
}

}  // namespace
}  // namespace velmora
