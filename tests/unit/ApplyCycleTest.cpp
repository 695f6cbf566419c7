#include "settings/ApplyCycle.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <span>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ModelPage.h"
#include "system/fakes/FakeServices.h"

namespace velmora {
namespace {

constexpr const char* kMetrics = "Control Panel\\desktop\\WindowMetrics";

// A page model of one touched row, applied by its own routine, which notes the apply; with `rebuild` the
// row asks for the icon cache's rebuild.
constexpr std::array<SettingRow, 1> kPlainRow = {
    {{.row = 0, .control = 1, .caption = "", .routine = Routine::kOwn}}};
constexpr std::array<SettingRow, 1> kRebuildRow = {
    {{.row = 0, .control = 1, .caption = "", .flags = kIconRebuild, .routine = Routine::kOwn}}};

class RecordingModel : public TableModel {
  public:
    RecordingModel(Services services, Journal& journal, std::string name, bool rebuild)
        : TableModel(services, rebuild ? std::span<const SettingRow>(kRebuildRow) : kPlainRow),
          journal_(journal),
          name_(std::move(name)) {
        MarkTouched(0);
    }

  protected:
    long ApplyOwn(const SettingRow&) override {
        journal_.push_back("apply " + name_);
        return reg::kSuccess;
    }

  private:
    Journal& journal_;
    std::string name_;
};

// The icon size value exactly as stored: type and bytes, or nothing.
std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>> StoredIconSize(Registry& registry) {
    RegKey key;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (key.Open(registry, ToHKey(RootKey::CurrentUser), kMetrics, reg::kRead) != reg::kSuccess ||
        registry.QueryValue(key.Get(), "Shell Icon Size", &type, nullptr, &size) != reg::kSuccess) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size);
    registry.QueryValue(key.Get(), "Shell Icon Size", &type, bytes.data(), &size);
    return std::pair{type, bytes};
}

TEST(ApplyCycle, PagesApplyInOrderAndOneRebuildFollowsWhenAnyPageAsks) {
    FakeServices fakes;
    Services services = fakes.Get();
    RegistryStore(fakes.registry).WriteString(RootKey::CurrentUser, kMetrics, "Shell Icon Size", "48");
    RecordingModel first(services, fakes.journal, "first", false);
    RecordingModel second(services, fakes.journal, "second", true);
    RecordingModel third(services, fakes.journal, "third", true);
    ModelPage firstPage(first, [&] { fakes.journal.push_back("pull first"); });
    ModelPage secondPage(second, [&] { fakes.journal.push_back("pull second"); });
    ModelPage thirdPage(third, [&] { fakes.journal.push_back("pull third"); });
    const ApplyTarget pages[] = {{&firstPage}, {nullptr}, {&secondPage}, {&thirdPage}};
    EXPECT_TRUE(ApplyTouchedSettings(services, pages).failed.empty());

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
}

// Whatever stood comes back byte for byte; between the two reloads the shell sees another size.
TEST(ApplyCycle, RebuildPutsBackExactlyWhatStoodInTheIconSize) {
    using Stored = std::optional<std::pair<std::uint32_t, std::vector<std::uint8_t>>>;
    const struct {
        const char* name;
        Stored stood;
        std::vector<std::uint8_t> between;
    } cases[] = {
        {"absent", std::nullopt, {'3', '1', 0}},
        {"REG_SZ 48", std::pair{reg::kSz, std::vector<std::uint8_t>{'4', '8', 0}}, {'3', '1', 0}},
        {"REG_SZ 31", std::pair{reg::kSz, std::vector<std::uint8_t>{'3', '1', 0}}, {'3', '2', 0}},
        {"REG_DWORD", std::pair{reg::kDword, std::vector<std::uint8_t>{0x30, 0, 0, 0}}, {'3', '1', 0}},
        {"empty REG_BINARY", std::pair{reg::kBinary, std::vector<std::uint8_t>{}}, {'3', '1', 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeServices fakes;
        HKey key = 0;
        ASSERT_EQ(fakes.registry.CreateKey(ToHKey(RootKey::CurrentUser), kMetrics, reg::kAllAccess, key),
                  reg::kSuccess);
        if (c.stood) {
            fakes.registry.SetValue(key, "Shell Icon Size", c.stood->first,
                                    c.stood->second.empty() ? nullptr : c.stood->second.data(),
                                    static_cast<std::uint32_t>(c.stood->second.size()));
        }
        fakes.registry.CloseKey(key);
        Stored seenBetween;
        bool looked = false;
        fakes.parameters.results[spi::kSetIcons] = 1;
        // The first reload is where the shell reads the forced size.
        FakeServices* f = &fakes;
        struct Peek : Broadcaster {
            std::function<void()> onBroadcast;
            void Broadcast(std::uint32_t) override { onBroadcast(); }
            void RepaintDesktop() override {}
        } peek;
        peek.onBroadcast = [&] {
            if (!looked) {
                seenBetween = StoredIconSize(f->registry);
                looked = true;
            }
        };
        Services services{fakes.registry, fakes.parameters, peek,        fakes.directories,
                          fakes.messages, fakes.restarter,  fakes.shell, fakes.help};
        EXPECT_EQ(RebuildIconCache(services), reg::kSuccess);
        ASSERT_TRUE(seenBetween);
        EXPECT_EQ(seenBetween->first, reg::kSz);
        EXPECT_EQ(seenBetween->second, c.between);
        EXPECT_EQ(StoredIconSize(fakes.registry), c.stood);
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

TEST(ApplyCycle, RebuildNeverCreatesTheMetricsKeyButStillReloadsTheIcons) {
    FakeServices fakes;
    Services services = fakes.Get();
    EXPECT_EQ(RebuildIconCache(services), reg::kSuccess);
    EXPECT_FALSE(KeyExists(fakes.registry, RootKey::CurrentUser, kMetrics));
    EXPECT_EQ(fakes.parameters.calls.size(), 4u);
    EXPECT_EQ(fakes.broadcaster.messages.size(), 2u);
    EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
}

TEST(ApplyCycle, PlainCaptionDropsMnemonicsAndALabelsColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"Show &Network Neighborhood", "Show Network Neighborhood"},
        {"E&xplore From Here", "Explore From Here"},
        {"Icon size:", "Icon size"},
        {"Fish && Chips", "Fish & Chips"},
        {"&&&Both", "&Both"},
        {"Trailing &", "Trailing"},
        {"", ""},
    };
    for (const auto& [shown, plain] : cases) {
        EXPECT_EQ(PlainCaption(shown), plain) << shown;
    }
}

TEST(ApplyCycle, FailuresAreReportedOnceWithEverySettingAndTheFirstReason) {
    FakeServices fakes;
    Services services = fakes.Get();
    fakes.messages.errorTexts[1021] = "Cannot create a stable subkey under a volatile parent key.";
    ReportFailures(services, 9, {});
    EXPECT_TRUE(fakes.messages.shown.empty());
    ReportFailures(services, 9,
                   {{"Desktop", "Show Network Neighborhood", 1021}, {"Miscellaneous", "Tip of the Day", 5}});
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    const auto& box = fakes.messages.shown[0];
    EXPECT_EQ(box.text,
              "These settings could not be saved:\r\n\r\n"
              "Desktop: Show Network Neighborhood\r\n"
              "Miscellaneous: Tip of the Day\r\n\r\n"
              "Cannot create a stable subkey under a volatile parent key. (error 1021)");
    EXPECT_EQ(box.caption, "Velmora 99 - Error");
    EXPECT_EQ(box.style, 0x30u);
    EXPECT_EQ(box.owner, 9u);
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

// The privilege is asked for before every restart request; a refusal is told without an owner.
TEST(ApplyCycle, RestartAsksForThePrivilegeFirstAndReportsARefusal) {
    for (const long refusal : {0L, 1314L}) {
        SCOPED_TRACE(refusal);
        FakeServices fakes;
        Services services = fakes.Get();
        fakes.restarter.endSessionError = refusal;
        fakes.messages.errorTexts[1314] = "A required privilege is not held by the client.";
        EXPECT_EQ(RestartWindows(services), refusal == 0);
        ASSERT_GE(fakes.journal.size(), 2u);
        EXPECT_EQ(fakes.journal[0], "EnableShutdownPrivilege()");
        EXPECT_EQ(fakes.journal[1], "ExitWindows(2)");
        if (refusal == 0) {
            EXPECT_TRUE(fakes.messages.shown.empty());
            continue;
        }
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        const auto& box = fakes.messages.shown[0];
        EXPECT_EQ(box.owner, 0u);
        EXPECT_EQ(box.caption, "Velmora 99 - Restart Windows?");
        EXPECT_EQ(box.text,
                  "Windows could not be restarted: A required privilege is not held by the client. (error "
                  "1314)\r\n\r\nPlease restart Windows yourself.");
    }
}

}  // namespace
}  // namespace velmora
