#include "settings/MiscSettings.h"

#include <string>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "settings/Locations.h"

namespace velmora {
namespace {

using M = MiscSettings;
using keys::kExplorerPolicies;

constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHkcr = RootKey::ClassesRoot;

constexpr RegistryAction kDelete = RegistryAction::Delete();
// A context-menu verb: its key and the "command" subkey whose default value runs it.
constexpr RegistryAction kNoVerb = RegistryAction::DeleteKeys("command");

}  // namespace

// clang-format off
const std::array<SettingRow, M::kRowCount> MiscSettings::kTable = {{
    {.row = kNoStartBanner, .control = IDC_MISC_START_BANNER_BOX, .caption = CAPTION_MISC_START_BANNER_BOX,
     .at = {kHkcu, kExplorerPolicies, "NoStartBanner"}, .read = ReadRule::FirstByteZero(), .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = kWriteFlag1, .flags = kRestart},
    // No change notification: the next drag picks the setting up.
    {.row = kDragFullWindows, .control = IDC_MISC_DRAG_FULL_WINDOWS_BOX, .caption = CAPTION_MISC_DRAG_FULL_WINDOWS_BOX,
     .load = LoadWhen::kWithShellExtensions, .elsewhere = "system parameter (full window drag)", .routine = Routine::kOwn},
    {.row = kFontSmoothing, .control = IDC_MISC_FONT_SMOOTHING_BOX, .caption = CAPTION_MISC_FONT_SMOOTHING_BOX,
     .at = {kHkcu, keys::kDesktopLower, "FontSmoothing"}, .read = ReadRule::TextIsNot("0"), .missing = Missing::kUnchecked,
     .load = LoadWhen::kWithShellExtensions, .routine = Routine::kOwnApply},
    {.row = kIconColors, .control = IDC_MISC_ICON_COLORS_BOX, .caption = CAPTION_MISC_ICON_COLORS_BOX,
     .at = {kHkcu, keys::kMetricsLower, "Shell Icon BPP"}, .read = ReadRule::TextIsNot("4"), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("16"), .unchecked = RegistryAction::String("4"), .flags = kRestart | kIconRebuild},
    // Asks the user first; the value's presence alone decides the box, whatever it holds.
    {.row = kNumericTail, .control = IDC_MISC_NUMERIC_TAIL_BOX, .caption = CAPTION_MISC_NUMERIC_TAIL_BOX,
     .at = {RootKey::LocalMachine, keys::kFileSystem, "NameNumericTail"}, .flags = kRestart, .routine = Routine::kOwn},
    {.row = kViewWithNotepad, .control = IDC_MISC_VIEW_WITH_NOTEPAD_BOX, .caption = CAPTION_MISC_VIEW_WITH_NOTEPAD_BOX,
     .at = {kHkcr, "Unknown\\shell\\View With Notepad", nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("command", "notepad.exe %1"), .unchecked = kNoVerb},
    {.row = kViewWithWordpad, .control = IDC_MISC_VIEW_WITH_WORDPAD_BOX, .caption = CAPTION_MISC_VIEW_WITH_WORDPAD_BOX,
     .at = {kHkcr, "Unknown\\shell\\View With Wordpad", nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("command", "write.exe \"%1\""), .unchecked = kNoVerb},
    {.row = kAudioCd, .control = IDC_MISC_AUDIO_CD_BOX, .caption = CAPTION_MISC_AUDIO_CD_BOX,
     .at = {kHkcr, "AudioCD\\shell", ""}, .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("play"), .unchecked = RegistryAction::String(""), .flags = kRestart},
    // Drive-type masks: 0x95 leaves automatic play on for CD drives only, 0xB5 adds the CD bit.
    {.row = kDataCd, .control = IDC_MISC_DATA_CD_BOX, .caption = CAPTION_MISC_DATA_CD_BOX,
     .at = {kHkcu, kExplorerPolicies, "NoDriveTypeAutoRun"}, .read = ReadRule::FirstByteIs(0x95), .missing = Missing::kChecked,
     .checked = RegistryAction::Binary({0x95, 0x00, 0x00, 0x00}), .unchecked = RegistryAction::Binary({0xB5, 0x00, 0x00, 0x00}),
     .flags = kRestart},
    {.row = kTipOfTheDay, .control = IDC_MISC_TIP_OF_THE_DAY_BOX, .caption = CAPTION_MISC_TIP_OF_THE_DAY_BOX,
     .at = {kHkcu, keys::kTips, "Show"}, .read = ReadRule::FirstByteSet(), .missing = Missing::kUnchecked,
     .checked = kWriteFlag1, .unchecked = kDelete, .flags = kRestart},
    {.row = kRealMode, .control = IDC_MISC_REAL_MODE_BOX, .caption = CAPTION_MISC_REAL_MODE_BOX,
     .at = {kHkcu, keys::kOldAppPolicies, "NoRealMode"}, .read = ReadRule::FirstByteZero(), .missing = Missing::kChecked,
     .checked = kDelete, .unchecked = RegistryAction::Dword(1), .flags = kRestart},
    {.row = kNonBlinkingCursor, .control = IDC_MISC_NON_BLINKING_CURSOR_BOX, .caption = CAPTION_MISC_NON_BLINKING_CURSOR_BOX,
     .at = {kHkcu, keys::kDesktop, "CursorBlinkRate"}, .read = ReadRule::TextIs("65535"), .missing = Missing::kUnchecked,
     .checked = RegistryAction::String("65535"), .unchecked = RegistryAction::String("500"), .flags = kRestart},
    {.row = kOpenWithNotepad, .control = IDC_MISC_OPEN_WITH_NOTEPAD_BOX, .caption = CAPTION_MISC_OPEN_WITH_NOTEPAD_BOX,
     .at = {kHkcr, "*\\shell\\Open with Notepad", nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("command", "notepad.exe %1"), .unchecked = kNoVerb},
    {.row = kOpenWithWordpad, .control = IDC_MISC_OPEN_WITH_WORDPAD_BOX, .caption = CAPTION_MISC_OPEN_WITH_WORDPAD_BOX,
     .at = {kHkcr, "*\\shell\\Open with Wordpad", nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("command", "write.exe \"%1\""), .unchecked = kNoVerb},
    {.row = kExploreFromHere, .control = IDC_MISC_EXPLORE_FROM_HERE_BOX, .caption = CAPTION_MISC_EXPLORE_FROM_HERE_BOX,
     .at = {kHkcr, "Directory\\shell\\E&xplore From Here", nullptr}, .read = ReadRule::KeyExists(),
     .checked = RegistryAction::KeyCommand("command", "explorer.exe /e,/root,/idlist,%i"), .unchecked = kNoVerb},
}};
// clang-format on

std::span<const SettingRow> MiscSettings::Table() {
    return kTable;
}

void MiscSettings::ReadOwn(const SettingRow& row) {
    switch (row.row) {
        case kDragFullWindows:
            return ReadDragFullWindows(row);
        case kNumericTail:
            return ReadNumericTail(row);
        default:
            return;
    }
}

long MiscSettings::ApplyOwn(const SettingRow& row) {
    switch (row.row) {
        case kDragFullWindows:
            return ApplyDragFullWindows(row);
        case kFontSmoothing:
            return ApplyFontSmoothing(row);
        case kNumericTail:
            return ApplyNumericTail(row);
        default:
            return reg::kSuccess;
    }
}

void MiscSettings::ReadDragFullWindows(const SettingRow&) {
    int dragFull = 0;
    services_.parameters.Call(spi::kGetDragFullWindows, 0, &dragFull, 0);
    check[kDragFullWindows] = dragFull != 0 ? 1 : 0;
}

long MiscSettings::ApplyDragFullWindows(const SettingRow&) {
    return services_.parameters.Change(spi::kSetDragFullWindows,
                                       static_cast<std::uint32_t>(check[kDragFullWindows]), nullptr,
                                       spi::kUpdateIniFile);
}

long MiscSettings::ApplyFontSmoothing(const SettingRow& row) {
    const auto on = static_cast<std::uint32_t>(check[kFontSmoothing]);
    const long set = services_.parameters.Change(spi::kSetFontSmoothing, on, nullptr, spi::kUpdateIniFile);
    const long told =
        services_.parameters.Change(spi::kSetFontSmoothing, on, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    const long stored = RegistryStore(services_.registry)
                            .WriteString(row.at.root, row.at.key, row.at.value, on == 1 ? "1" : "0");
    return set != reg::kSuccess ? set : told != reg::kSuccess ? told : stored;
}

void MiscSettings::ReadNumericTail(const SettingRow& row) {
    check[kNumericTail] = StoredNumericTail(row);
}

int MiscSettings::StoredNumericTail(const SettingRow& row) const {
    // Only the value's size is asked: a value of any type or size switches the tails off.
    RegKey key;
    if (key.Open(services_.registry, ToHKey(row.at.root), row.at.key, reg::kRead) != reg::kSuccess) {
        return 1;
    }
    std::uint32_t size = 0;
    return services_.registry.QueryValue(key.Get(), row.at.value, nullptr, nullptr, &size) == reg::kSuccess
               ? 0
               : 1;
}

long MiscSettings::ApplyNumericTail(const SettingRow& row) {
    if (services_.messages.Show(owner_, kNumericTailQuestion, kNumericTailCaption,
                                mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
        // Refused: the box goes back to what is stored, and nothing is written. The user's answer is no
        // failure.
        check[kNumericTail] = StoredNumericTail(row);
        requests_.showMembers = true;
        return kNotWritten;
    }
    const RegistryStore store(services_.registry);
    return check[kNumericTail] == 1
               ? store.DeleteValue(row.at.root, row.at.key, row.at.value)
               : store.WriteBinary(row.at.root, row.at.key, row.at.value, {0x00, 0x00, 0x00, 0x00});
}

}  // namespace velmora
