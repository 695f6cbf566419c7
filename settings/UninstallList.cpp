#include "settings/UninstallList.h"

#include <optional>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/Locations.h"
#include "text/Utf.h"

namespace velmora {
namespace {

constexpr const char* kRemoveQuestion =
    "You will not be able to uninstall this program if you remove it from the Add/Remove list.\r\n\r\n"
    "Remove the entry anyway?";
constexpr const char* kRemoveFailed = "Couldn\xC2\xB4t remove ";
constexpr const char* kCommandQuestion =
    "Your about to change the searchpath for uninstall. Do you want to continue?";
constexpr const char* kImportantCaption = "Velmora 99 - Important";

// One value of an open key as text, in one call when it is short.
std::optional<std::string> ReadText(Registry& registry, HKey key, std::string_view name) {
    const auto data = ReadValueAtOnce(registry, key, name);
    if (!data) {
        return std::nullopt;
    }
    return std::string(data->Text());
}

}  // namespace

std::string NameForMessage(std::string_view displayName) {
    // Counted and cut in characters: a cut inside one would leave half of it.
    if (text::Utf16Length(displayName) <= kLongestNameInMessage) {
        return std::string(displayName);
    }
    return std::string(text::FirstUnits(displayName, kLongestNameInMessage - 3)) + "...";
}

std::optional<std::vector<UninstallEntry>> ReadUninstallEntries(Registry& registry,
                                                                const StopRequested& stop) {
    std::vector<UninstallEntry> entries;
    const bool walked =
        ForEachSubkey(registry, RootKey::LocalMachine, keys::kUninstall, stop, [&](const std::string& name) {
            UninstallEntry entry;
            entry.keyPath = std::string(keys::kUninstall) + "\\" + name;
            RegKey program;
            if (program.Open(registry, ToHKey(RootKey::LocalMachine), entry.keyPath, reg::kRead) !=
                reg::kSuccess) {
                return;
            }
            auto displayName = ReadText(registry, program.Get(), "DisplayName");
            if (!displayName) {
                return;
            }
            auto command = ReadText(registry, program.Get(), "UninstallString");
            if (!command) {
                return;
            }
            entry.displayName = std::move(*displayName);
            entry.uninstallCommand = std::move(*command);
            entries.push_back(std::move(entry));
        });
    if (!walked) {
        return std::nullopt;
    }
    return entries;
}

bool UninstallList::Remove(const std::string& displayName, WindowRef owner, const std::string& programName) {
    const bool removed = RemoveEach({displayName}, [&](const UninstallEntry& entry) {
        // The name goes into the texts as it is, never as a format.
        const std::string shownName = NameForMessage(entry.displayName);
        if (services_.messages.Show(owner, kRemoveQuestion, "Velmora 99 - " + shownName,
                                    mb::kYesNo | mb::kIconQuestion | mb::kDefButton2) != mb::kIdYes) {
            return false;
        }
        const long deleted =
            RegistryStore(services_.registry).DeleteListedKey(RootKey::LocalMachine, entry.keyPath);
        if (deleted != reg::kSuccess) {
            services_.messages.Show(
                owner,
                WithAdministratorLine(
                    kRemoveFailed + shownName,
                    DeleteRefusal(services_.registry, ToHKey(RootKey::LocalMachine), entry.keyPath, deleted)),
                programName, mb::kOk);
        }
        return true;
    });
    if (removed) {
        Load();
    }
    return removed;
}

void UninstallList::ApplyEdit(const std::string& keyPath, const UninstallEdit& edit, WindowRef owner) {
    // The entry's key is opened, never created: an entry removed meanwhile stays removed.
    const RegistryStore store(services_.registry);
    long failure = reg::kSuccess;
    if (edit.commandChanged && services_.messages.Show(owner, kCommandQuestion, kImportantCaption,
                                                       mb::kYesNo | mb::kIconQuestion) == mb::kIdYes) {
        failure = store.WriteListedString(RootKey::LocalMachine, keyPath, "UninstallString", edit.command);
    }
    // Asked or not, and whatever the answer above.
    if (edit.descriptionChanged) {
        const long written =
            store.WriteListedString(RootKey::LocalMachine, keyPath, "DisplayName", edit.description);
        failure = failure != reg::kSuccess ? failure : written;
    }
    if (failure != reg::kSuccess) {
        // Named by its key: the entry may be gone.
        const std::string entry = keyPath.substr(keyPath.rfind('\\') + 1);
        ReportFailures(services_, owner, {{"Add/Remove", NameForMessage(entry), failure}});
    }
    Load();
}

}  // namespace velmora
