#include "settings/MiscSettings.h"

#include <optional>
#include <string>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/CheckSetting.h"

namespace velmora {
namespace {

using M = MiscSettings;

constexpr const char* kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kOldAppPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
constexpr const char* kTips = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Tips";
constexpr const char* kDesktop = "Control Panel\\desktop";
constexpr const char* kCursorDesktop = "Control Panel\\Desktop";
constexpr const char* kMetrics = "Control Panel\\desktop\\WindowMetrics";
constexpr const char* kFileSystem = "System\\CurrentControlSet\\control\\FileSystem";
constexpr const char* kAudioCdShell = "AudioCD\\shell";

constexpr RootKey kHkcu = RootKey::CurrentUser;

// The rows that are one check box over one value, read and written the common way.
std::optional<CheckSetting> ValueRow(M::Row row) {
    switch (row) {
        case M::kNoStartBanner:
            return CheckSetting{M::kStartBannerBox,
                                kHkcu,
                                kPolicies,
                                "NoStartBanner",
                                ReadRule::kFirstByteZero,
                                true,
                                RegistryAction::Delete(),
                                kWriteFlag1,
                                true};
        case M::kAudioCd:
            return CheckSetting{M::kAudioCdBox,
                                RootKey::ClassesRoot,
                                kAudioCdShell,
                                "",
                                ReadRule::kFirstByteSet,
                                false,
                                RegistryAction::String("play"),
                                RegistryAction::String(""),
                                true};
        case M::kDataCd:
            // Drive-type masks: 0x95 leaves automatic play on for CD drives only, 0xB5 adds the CD bit.
            return CheckSetting{M::kDataCdBox,
                                kHkcu,
                                kPolicies,
                                "NoDriveTypeAutoRun",
                                ReadRule::kFirstByteEquals,
                                true,
                                RegistryAction::Binary({0x95, 0x00, 0x00, 0x00}),
                                RegistryAction::Binary({0xB5, 0x00, 0x00, 0x00}),
                                true,
                                0x95};
        case M::kTipOfTheDay:
            return CheckSetting{
                M::kTipOfTheDayBox,       kHkcu, kTips, "Show", ReadRule::kFirstByteSet, false, kWriteFlag1,
                RegistryAction::Delete(), true};
        case M::kRealMode:
            return CheckSetting{M::kRealModeBox,
                                kHkcu,
                                kOldAppPolicies,
                                "NoRealMode",
                                ReadRule::kFirstByteZero,
                                true,
                                RegistryAction::Delete(),
                                RegistryAction::Dword(1),
                                true};
        default:
            return std::nullopt;
    }
}

// A context-menu verb: its shell key, its own key's name and the command its "command" subkey runs.
struct Verb {
    const char* shell;
    const char* name;
    const char* command;
};

std::optional<Verb> VerbRow(M::Row row) {
    switch (row) {
        case M::kViewWithNotepad:
            return Verb{"Unknown\\shell", "View With Notepad", "notepad.exe %1"};
        case M::kViewWithWordpad:
            return Verb{"Unknown\\shell", "View With Wordpad", "write.exe \"%1\""};
        case M::kOpenWithNotepad:
            return Verb{"*\\shell", "Open with Notepad", "notepad.exe %1"};
        case M::kOpenWithWordpad:
            return Verb{"*\\shell", "Open with Wordpad", "write.exe \"%1\""};
        case M::kExploreFromHere:
            return Verb{"Directory\\shell", "E&xplore From Here", "explorer.exe /e,/root,/idlist,%i"};
        default:
            return std::nullopt;
    }
}

std::string VerbKey(const Verb& verb) {
    return std::string(verb.shell) + "\\" + verb.name;
}

}  // namespace

int MiscSettings::ControlOf(Row row) {
    static constexpr std::array<int, kRowCount> kControls = {
        kStartBannerBox,     kDragFullWindowsBox, kFontSmoothingBox,   kIconColorsBox,
        kNumericTailBox,     kViewWithNotepadBox, kViewWithWordpadBox, kAudioCdBox,
        kDataCdBox,          kTipOfTheDayBox,     kRealModeBox,        kNonBlinkingCursorBox,
        kOpenWithNotepadBox, kOpenWithWordpadBox, kExploreFromHereBox};
    return row >= 0 && row < kRowCount ? kControls[row] : 0;
}

void MiscSettings::LoadDragAndSmoothing() {
    int dragFull = 0;
    services_.parameters.Call(spi::kGetDragFullWindows, 0, &dragFull, 0);
    check[kDragFullWindows] = dragFull != 0 ? 1 : 0;
    const auto smoothing = ReadValue(services_.registry, kHkcu, kDesktop, "FontSmoothing");
    check[kFontSmoothing] = smoothing && !smoothing->TextEquals("0") ? 1 : 0;
}

void MiscSettings::Load() {
    for (Row row : {kNoStartBanner, kIconColors, kNumericTail, kViewWithNotepad, kViewWithWordpad, kAudioCd,
                    kDataCd, kTipOfTheDay, kRealMode, kNonBlinkingCursor, kOpenWithNotepad, kOpenWithWordpad,
                    kExploreFromHere}) {
        check[row] = ReadRow(row);
    }
}

int MiscSettings::ReadRow(Row row) const {
    Registry& registry = services_.registry;
    if (const auto verb = VerbRow(row)) {
        return KeyExists(registry, RootKey::ClassesRoot, VerbKey(*verb)) ? 1 : 0;
    }
    switch (row) {
        case kNumericTail:
            return ReadNumericTail();
        case kIconColors: {
            const auto bpp = ReadValue(registry, kHkcu, kMetrics, "Shell Icon BPP");
            return bpp && !bpp->TextEquals("4") ? 1 : 0;
        }
        case kNonBlinkingCursor: {
            const auto rate = ReadValue(registry, kHkcu, kCursorDesktop, "CursorBlinkRate");
            return rate && rate->TextEquals("65535") ? 1 : 0;
        }
        default:
            return ReadCheck(registry, *ValueRow(row));
    }
}

int MiscSettings::ReadNumericTail() const {
    // The value's presence alone decides, whatever it holds: its size is all that is asked.
    RegKey key;
    if (key.Open(services_.registry, ToHKey(RootKey::LocalMachine), kFileSystem, reg::kRead) !=
        reg::kSuccess) {
        return 1;
    }
    std::uint32_t size = 0;
    return services_.registry.QueryValue(key.Get(), "NameNumericTail", nullptr, nullptr, &size) ==
                   reg::kSuccess
               ? 0
               : 1;
}

bool MiscSettings::Touch(int control, int notification) {
    if (notification != notify::kButtonClicked) {
        return false;
    }
    for (int row = 0; row < kRowCount; ++row) {
        if (control == ControlOf(static_cast<Row>(row))) {
            changed_[row] = 1;
            return true;
        }
    }
    return false;
}

long MiscSettings::Apply(Row row) {
    const RegistryStore store(services_.registry);
    const bool checked = check[row] == 1;
    long result = reg::kSuccess;
    switch (row) {
        case kDragFullWindows:
            // No change notification: the next drag picks the setting up.
            return services_.parameters.Change(spi::kSetDragFullWindows,
                                               static_cast<std::uint32_t>(check[row]), nullptr,
                                               spi::kUpdateIniFile);
        case kFontSmoothing:
            return ApplyFontSmoothing();
        case kNumericTail:
            return ApplyNumericTail();
        case kIconColors:
            result = store.WriteString(kHkcu, kMetrics, "Shell Icon BPP", checked ? "16" : "4");
            if (result == reg::kSuccess) {
                restartNeeded_ = 1;
                iconRebuild_ = 1;
            }
            return result;
        case kNonBlinkingCursor:
            result = store.WriteString(kHkcu, kCursorDesktop, "CursorBlinkRate", checked ? "65535" : "500");
            if (result == reg::kSuccess) {
                restartNeeded_ = 1;
            }
            return result;
        default:
            break;
    }
    if (VerbRow(row)) {
        return ApplyVerb(row);
    }
    const CheckSetting setting = *ValueRow(row);
    result = ApplyCheck(store, setting, check[row]);
    if (result == reg::kSuccess && setting.restart) {
        restartNeeded_ = 1;
    }
    return result;
}

long MiscSettings::ApplyFontSmoothing() {
    const auto on = static_cast<std::uint32_t>(check[kFontSmoothing]);
    const long set = services_.parameters.Change(spi::kSetFontSmoothing, on, nullptr, spi::kUpdateIniFile);
    const long told =
        services_.parameters.Change(spi::kSetFontSmoothing, on, nullptr, spi::kSendWinIniChange);
    services_.broadcaster.Broadcast(msg::kSettingChange);
    const long stored =
        RegistryStore(services_.registry).WriteString(kHkcu, kDesktop, "FontSmoothing", on == 1 ? "1" : "0");
    return set != reg::kSuccess ? set : told != reg::kSuccess ? told : stored;
}

long MiscSettings::ApplyNumericTail() {
    const WindowRef owner = hooks_.owner ? hooks_.owner() : 0;
    if (services_.messages.Show(owner, kNumericTailQuestion, kNumericTailCaption,
                                mb::kYesNo | mb::kIconQuestion) != mb::kIdYes) {
        // Refused: the box goes back to what is stored, and nothing is written. The user's answer is
        // no failure.
        check[kNumericTail] = ReadNumericTail();
        if (hooks_.push) {
            hooks_.push();
        }
        return reg::kSuccess;
    }
    const RegistryStore store(services_.registry);
    const long result = check[kNumericTail] == 1
                            ? store.DeleteValue(RootKey::LocalMachine, kFileSystem, "NameNumericTail")
                            : store.WriteBinary(RootKey::LocalMachine, kFileSystem, "NameNumericTail",
                                                {0x00, 0x00, 0x00, 0x00});
    if (result == reg::kSuccess) {
        restartNeeded_ = 1;
    }
    return result;
}

long MiscSettings::ApplyVerb(Row row) {
    const Verb verb = *VerbRow(row);
    const RegistryStore store(services_.registry);
    const std::string key = VerbKey(verb);
    if (check[row] == 1) {
        return store.WriteString(RootKey::ClassesRoot, key + "\\command", "", verb.command);
    }
    // One level at a time, child first: NT refuses to delete a key that still has subkeys.
    const long command = store.DeleteKey(RootKey::ClassesRoot, key, "command");
    const long own = store.DeleteKey(RootKey::ClassesRoot, verb.shell, verb.name);
    return command != reg::kSuccess ? command : own;
}

}  // namespace velmora
