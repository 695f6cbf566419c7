// Every load, apply routine, list edit and removal and the icon rebuild, driven through a failure of
// every kind of call at every point: the nth registry call of a kind fails with access denied or not
// found (n = 1, 2, ... until the routine runs through without reaching n), and likewise the system
// parameters, directories and shell. After each run: no key left open, every value and key either as it
// was before or as the run without a fault left it, and a failure message exactly where a removal did not
// happen. A setting stays marked exactly when its failure is reported, and applying again without the
// fault then leaves the registry as the run without a fault did: the settings that did not fail were
// written the first time. A failure message says the change needs an administrator exactly when the fault
// refused access.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "registry/RegKey.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"
#include "settings/DesktopSettings.h"
#include "settings/FolderRunList.h"
#include "settings/Locations.h"
#include "settings/MiscSettings.h"
#include "settings/ModelPage.h"
#include "settings/SecuritySettings.h"
#include "settings/ShellNewList.h"
#include "settings/StartMenuSettings.h"
#include "settings/UninstallList.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/HostileCorpus.h"
#include "tests/support/PageLoads.h"
#include "tests/support/RegistryCallKinds.h"
#include "tests/support/RegistryCapture.h"
#include "tests/support/ReliabilityLog.h"
#include "tests/support/Windows.h"

namespace velmora {
namespace {

using Call = MemoryRegistry::Call;
using Contents = std::map<std::string, std::string>;

constexpr const char* kStartMenuPath = "C:\\WINDOWS\\Start Menu";

// ---- what a registry holds, flattened from its capture: one entry per key and per value ----

Contents Flatten(Registry& registry) {
    Contents out;
    const capture::RegistryCapture captured = capture::CaptureRoots(registry);
    for (const auto& [key, values] : captured.AllKeys()) {
        out["K " + key] = "";
        for (const auto& [name, value] : values) {
            out["V " + capture::ValueLabel(key, name)] =
                std::to_string(value.type) + ":" + std::string(value.bytes.begin(), value.bytes.end());
        }
    }
    return out;
}

// ---- the faults ----

struct Fault {
    std::string name;
    std::function<void(FakeServices&, unsigned nth)> arm;
    std::function<bool(FakeServices&)> hit;
    // The fault says "not found" of something that is there: a delete then believes it is done.
    bool claimsAbsence = false;
    // The fault refuses access: what could not be saved is then said to need an administrator.
    bool deniesAccess = false;
    // A refused delete of a key that still opens for every change is also NT's answer for a key with
    // subkeys, which no administrator changes: a removal does not name one then.
    bool refusesOnlyTheDelete = false;
};

std::vector<Fault> AllFaults() {
    std::vector<Fault> faults;
    for (const auto& [call, name] : kRegistryCallKinds) {
        for (const auto& [error, errorName] :
             {std::pair{reg::kAccessDenied, "access denied"}, std::pair{reg::kFileNotFound, "not found"}}) {
            const Call c = call;
            const long e = error;
            const bool lie = e == reg::kFileNotFound &&
                             (c == Call::kOpen || c == Call::kDeleteValue || c == Call::kDeleteKey);
            faults.push_back({std::string("registry ") + name + ": " + errorName,
                              [c, e](FakeServices& f, unsigned n) { f.registry.FailNth(c, n, e); },
                              [](FakeServices& f) { return f.registry.FaultHit(); }, lie,
                              e == reg::kAccessDenied, c == Call::kDeleteKey});
        }
    }
    // The system's refusal of a parameter comes with access denied (the fake's last error).
    faults.push_back({"system parameters", [](FakeServices& f, unsigned n) { f.parameters.fault.Arm(n); },
                      [](FakeServices& f) { return f.parameters.fault.Hit(); }, false,
                      FakeServices().parameters.lastError == reg::kAccessDenied, false});
    faults.push_back({"directory exists",
                      [](FakeServices& f, unsigned n) { f.directories.existsFault.Arm(n); },
                      [](FakeServices& f) { return f.directories.existsFault.Hit(); }});
    faults.push_back({"directory create",
                      [](FakeServices& f, unsigned n) { f.directories.createFault.Arm(n); },
                      [](FakeServices& f) { return f.directories.createFault.Hit(); }});
    faults.push_back({"directory remove",
                      [](FakeServices& f, unsigned n) { f.directories.removeFault.Arm(n); },
                      [](FakeServices& f) { return f.directories.removeFault.Hit(); }});
    faults.push_back({"shell open", [](FakeServices& f, unsigned n) { f.shell.openFault.Arm(n); },
                      [](FakeServices& f) { return f.shell.openFault.Hit(); }});
    faults.push_back({"shell run", [](FakeServices& f, unsigned n) { f.shell.runFault.Arm(n); },
                      [](FakeServices& f) { return f.shell.runFault.Hit(); }});
    return faults;
}

// ---- the routines ----

// Every value, key and list of the page present with ordinary data, so that every read and write of
// its routines has something to work on.
void FillPage(FakeServices& fakes, std::string_view page) {
    hostile::FillOrdinary(fakes.registry, page);
    if (page == "Start Menu") {
        hostile::SetText(fakes.registry, RootKey::CurrentUser,
                         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                         "Start Menu", kStartMenuPath);
        fakes.directories.AddDirectory(std::string(kStartMenuPath) +
                                       StartMenuSettings::DirectoryName(StartMenuSettings::kPrinters));
        fakes.directories.AddDirectory(std::string(kStartMenuPath) +
                                       StartMenuSettings::DirectoryName(StartMenuSettings::kRecycleBin));
        fakes.directories.AddFileIn(std::string(kStartMenuPath) +
                                    StartMenuSettings::DirectoryName(StartMenuSettings::kRecycleBin));
    }
    if (page == "Desktop" || page == "Miscellaneous") {
        hostile::SetText(fakes.registry, RootKey::CurrentUser, "Control Panel\\desktop\\WindowMetrics",
                         "Shell Icon Size", "48");
    }
    fakes.messages.defaultAnswer = mb::kIdYes;
}

struct Routine {
    std::string page;
    std::string name;
    std::function<void(FakeServices&)> prepare;
    // Runs the routine and checks what only the routine's own objects can tell. Faults start at
    // `faultsFrom()`: what the user saw before the routine (the page's load) is not part of it.
    std::function<void(FakeServices&, const std::function<void()>& faultsFrom)> run;
    // Registry entries that a failure between two steps may leave in a third state.
    std::vector<std::string> transient;
};

bool Shown(const FakeServices& fakes, std::string_view textStart) {
    return std::any_of(fakes.messages.shown.begin(), fakes.messages.shown.end(),
                       [&](const FakeMessageBoxes::Shown& s) { return s.text.starts_with(textStart); });
}

bool ValuePresent(FakeServices& fakes, RootKey root, const std::string& path, const std::string& name) {
    RegKey key;
    std::uint32_t size = 0;
    return key.Open(fakes.registry, ToHKey(root), path, reg::kRead) == reg::kSuccess &&
           fakes.registry.QueryValue(key.Get(), name, nullptr, nullptr, &size) == reg::kSuccess;
}

// A value's text, or "<absent>".
std::string TextIn(FakeServices& fakes, RootKey root, const std::string& path, const std::string& name) {
    const auto data = ReadValue(fakes.registry, root, path, name);
    return data ? std::string(data->Text()) : std::string("<absent>");
}

// Whether a list edit met its registry fault; the fault is cleared before the edit is checked.
std::optional<bool> editHit;

void ClearEditFaults(FakeServices& fakes) {
    editHit = fakes.registry.FaultHit();
    fakes.registry.ClearFaults();
}

// An edit that did not reach the registry is reported exactly then.
void ExpectEditReported(FakeServices& fakes, bool written) {
    const bool reported =
        std::any_of(fakes.messages.shown.begin(), fakes.messages.shown.end(),
                    [](const FakeMessageBoxes::Shown& s) { return s.caption == kErrorCaption; });
    EXPECT_NE(written, reported);
}

bool KeyPresent(FakeServices& fakes, RootKey root, const std::string& path) {
    RegKey key;
    return key.Open(fakes.registry, ToHKey(root), path, reg::kRead) == reg::kSuccess;
}

// The registry as an apply with a fault left it, before it was applied again without the fault.
std::optional<Contents> faultedState;
bool faultedHit = false;
// The fault of the run in EveryRoutineSurvivesAFailureOfEveryCallAtEveryPoint; null elsewhere.
const Fault* runFault = nullptr;

// A failure message names an administrator only when the fault refused access, and always then but for a
// refused delete alone.
void ExpectAdministratorLineFromTheFault(const std::string& text) {
    if (runFault == nullptr) {
        return;
    }
    const bool named = text.ends_with(kAdministratorLine);
    EXPECT_TRUE(!named || runFault->deniesAccess) << text;
    EXPECT_TRUE(named || !runFault->deniesAccess || runFault->refusesOnlyTheDelete) << text;
}

bool IsFailureBox(const FakeMessageBoxes::Shown& shown) {
    return shown.caption == kErrorCaption || shown.text.starts_with("Couldn\xC2\xB4t remove");
}

// Loads the model, flips every box, touches every control and applies like the main window; then applies
// again, as a user pressing Apply once more, with the faults cleared.
template <typename Model>
void ApplyEverything(FakeServices& fakes, Model& model, const std::function<void()>& load,
                     const std::function<void(Model&)>& change,
                     const std::vector<std::pair<int, int>>& touches,
                     const std::function<void()>& faultsFrom) {
    load();
    for (int& state : model.check) {
        state = 1 - state;
    }
    change(model);
    for (const auto& [control, notification] : touches) {
        model.Touch(control, notification);
    }
    faultsFrom();
    Services services = fakes.Get();
    ModelPage page(model);
    const ApplyTarget targets[] = {{&page, "Page"}};
    const std::vector<FailedSetting> failed = ApplyTouchedSettings(services, targets).failed;
    const bool faulted = fakes.registry.FaultHit() || fakes.parameters.fault.Hit();
    faultedHit = faulted || fakes.directories.existsFault.Hit() || fakes.directories.createFault.Hit() ||
                 fakes.directories.removeFault.Hit();
    fakes.registry.ClearFaults();
    fakes.parameters.fault.Disarm();
    for (int row = 0; row < Model::kRowCount; ++row) {
        const std::string caption = PlainCaption(Model::Table()[static_cast<std::size_t>(row)].caption);
        const bool reported = std::any_of(failed.begin(), failed.end(), [&](const FailedSetting& f) {
            return f.caption == caption && f.page == "Page" && f.error != 0;
        });
        EXPECT_EQ(model.Changed(row), reported) << "row " << row;
    }
    EXPECT_TRUE(failed.empty() || faulted);
    if (!failed.empty()) {
        ExpectAdministratorLineFromTheFault(FailureText(failed, "Reason."));
    }
    EXPECT_FALSE(model.IconRebuildPending());
    faultedState = Flatten(fakes.registry);
    ApplyTouchedSettings(services, targets);
    for (int row = 0; row < Model::kRowCount; ++row) {
        EXPECT_FALSE(model.Changed(row)) << "row " << row << " still marked after applying again";
    }
}

template <typename Model>
std::vector<std::pair<int, int>> CheckBoxTouches() {
    std::vector<std::pair<int, int>> touches;
    for (int row = 0; row < Model::kRowCount; ++row) {
        touches.emplace_back(Model::ControlOf(static_cast<typename Model::Row>(row)), notify::kButtonClicked);
    }
    return touches;
}

FolderRunList::RunEditor Editor(const std::string& text) {
    return [text](const std::string&, const std::string&) {
        return FolderRunList::EditResult{true, true, text};
    };
}

std::vector<Routine> AllRoutines() {
    std::vector<Routine> routines;
    for (const std::string& page : testing::LoadedPages()) {
        routines.push_back({page,
                            "load",
                            [page](FakeServices& f) { FillPage(f, page); },
                            [page](FakeServices& f, const std::function<void()>& faultsFrom) {
                                faultsFrom();
                                testing::LoadPage(f, page);
                            },
                            {}});
    }
    const std::string iconSize = "V HKCU\\Control Panel\\desktop\\WindowMetrics [Shell Icon Size]";
    routines.push_back({"Desktop",
                        "apply every row",
                        [](FakeServices& f) { FillPage(f, "Desktop"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            DesktopSettings model(f.Get());
                            auto touches = CheckBoxTouches<DesktopSettings>();
                            touches.emplace_back(IDC_DESKTOP_ICON_SIZE_COMBO, notify::kSelectionChange);
                            ApplyEverything<DesktopSettings>(
                                f, model, [&] { model.Load(testing::kWindows95); },
                                [](DesktopSettings& m) {
                                    m.shortcutArrows = 2;
                                    m.iconSize = 3;
                                },
                                touches, faultsFrom);
                        },
                        {iconSize}});
    routines.push_back(
        {"Start Menu",
         "apply every row",
         [](FakeServices& f) { FillPage(f, "Start Menu"); },
         [](FakeServices& f, const std::function<void()>& faultsFrom) {
             StartMenuSettings model(f.Get());
             auto touches = CheckBoxTouches<StartMenuSettings>();
             touches.emplace_back(IDC_STARTMENU_DELAY_EDIT, notify::kEditChange);
             for (int folder = 0; folder < StartMenuSettings::kFolderCount; ++folder) {
                 touches.emplace_back(
                     StartMenuSettings::ControlOf(static_cast<StartMenuSettings::Folder>(folder)),
                     notify::kButtonClicked);
             }
             ApplyEverything<StartMenuSettings>(
                 f, model, [&] { model.Load(testing::kWindows95); },
                 [](StartMenuSettings& m) {
                     m.menuDelay = "250";
                     for (int& folder : m.folder) {
                         folder = 1 - folder;
                     }
                 },
                 touches, faultsFrom);
             for (int folder = 0; folder < StartMenuSettings::kFolderCount; ++folder) {
                 EXPECT_FALSE(model.FolderChanged(static_cast<StartMenuSettings::Folder>(folder)));
             }
         },
         {}});
    routines.push_back({"Miscellaneous",
                        "apply every row",
                        [](FakeServices& f) { FillPage(f, "Miscellaneous"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            MiscSettings model(f.Get());
                            ApplyEverything<MiscSettings>(
                                f, model, [&] { model.Load(testing::kWindows98Plus); }, [](MiscSettings&) {},
                                CheckBoxTouches<MiscSettings>(), faultsFrom);
                        },
                        {iconSize}});
    routines.push_back({"Security",
                        "apply every row",
                        [](FakeServices& f) { FillPage(f, "Security"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            SecuritySettings model(f.Get());
                            ApplyEverything<SecuritySettings>(
                                f, model, [&] { model.Load(testing::kWindows95); },
                                [](SecuritySettings& m) {
                                    m.userName = "New user";
                                    m.password = "New password";
                                },
                                CheckBoxTouches<SecuritySettings>(), faultsFrom);
                        },
                        {}});
    routines.push_back({"Desktop",
                        "icon rebuild",
                        [](FakeServices& f) { FillPage(f, "Desktop"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            Services services = f.Get();
                            faultsFrom();
                            RebuildIconCache(services);
                        },
                        {iconSize}});
    routines.push_back({"Start Menu",
                        "clear a history",
                        [](FakeServices& f) { FillPage(f, "Start Menu"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            StartMenuSettings model(f.Get());
                            faultsFrom();
                            const bool cleared = model.ClearHistory(StartMenuSettings::kRecentDocs);
                            if (cleared) {
                                model.TellLogOff(0);  // as the page does
                            }
                            const bool gone = !KeyPresent(
                                f, RootKey::CurrentUser,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs");
                            EXPECT_EQ(cleared, gone);
                            EXPECT_EQ(Shown(f, StartMenuSettings::kLogOffNotice), cleared);
                        },
                        {}});
    const std::string shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    routines.push_back({"Folders/Run",
                        "change a folder path",
                        [](FakeServices& f) { FillPage(f, "Folders/Run"); },
                        [shellFolders](FakeServices& f, const std::function<void()>& faultsFrom) {
                            FolderRunList model(f.Get());
                            model.Load();
                            model.SelectFolder("Personal");
                            faultsFrom();
                            model.ChangeFolderPath(std::string("Personal"), Editor("D:\\Documents"), 0);
                            EXPECT_TRUE(model.RestartNeeded());
                            ClearEditFaults(f);
                            ExpectEditReported(f, TextIn(f, RootKey::CurrentUser, shellFolders, "Personal") ==
                                                      "D:\\Documents");
                        },
                        {}});
    routines.push_back({"Folders/Run",
                        "delete an autorun entry",
                        [](FakeServices& f) { FillPage(f, "Folders/Run"); },
                        [run](FakeServices& f, const std::function<void()>& faultsFrom) {
                            FolderRunList model(f.Get());
                            model.Load();
                            model.SelectAutorun();
                            faultsFrom();
                            model.DeleteAutorun(std::string("Entry A"), 0);
                            // Still there exactly when the user was told it could not be removed.
                            EXPECT_EQ(ValuePresent(f, RootKey::CurrentUser, run, "Entry A"),
                                      Shown(f, "Couldn\xC2\xB4t remove Entry A"));
                            EXPECT_FALSE(model.enabled.deleteEntry || model.enabled.editEntry);
                        },
                        {}});
    routines.push_back({"Folders/Run",
                        "edit an autorun entry",
                        [](FakeServices& f) { FillPage(f, "Folders/Run"); },
                        [run](FakeServices& f, const std::function<void()>& faultsFrom) {
                            FolderRunList model(f.Get());
                            model.Load();
                            faultsFrom();
                            model.EditAutorun(std::string("Entry B"), Editor("C:\\New\\entry.exe /quiet"), 0);
                            ClearEditFaults(f);
                            ExpectEditReported(f, TextIn(f, RootKey::CurrentUser, run, "Entry B") ==
                                                      "C:\\New\\entry.exe /quiet");
                        },
                        {}});
    const std::string uninstall = keys::kUninstall;
    routines.push_back({"Add/Remove",
                        "remove an entry",
                        [](FakeServices& f) { FillPage(f, "Add/Remove"); },
                        [uninstall](FakeServices& f, const std::function<void()>& faultsFrom) {
                            UninstallList model(f.Get());
                            model.Load();
                            faultsFrom();
                            const bool asked = model.Remove("Entry A", 0, "Velmora");
                            const bool present =
                                KeyPresent(f, RootKey::LocalMachine, uninstall + "\\Entry A");
                            EXPECT_EQ(asked && present, Shown(f, "Couldn\xC2\xB4t remove Entry A"));
                            EXPECT_TRUE(asked || present);
                        },
                        {}});
    routines.push_back(
        {"Add/Remove",
         "edit an entry",
         [](FakeServices& f) { FillPage(f, "Add/Remove"); },
         [uninstall](FakeServices& f, const std::function<void()>& faultsFrom) {
             UninstallList model(f.Get());
             faultsFrom();
             model.ApplyEdit(uninstall + "\\Entry B",
                             UninstallEdit{true, true, "C:\\New\\uninstall.exe", "New name"}, 0);
             const std::string key = uninstall + "\\Entry B";
             ClearEditFaults(f);
             ExpectEditReported(
                 f, TextIn(f, RootKey::LocalMachine, key, "UninstallString") == "C:\\New\\uninstall.exe" &&
                        TextIn(f, RootKey::LocalMachine, key, "DisplayName") == "New name");
         },
         {}});
    routines.push_back(
        {"New",
         "remove entries",
         [](FakeServices& f) { FillPage(f, "New"); },
         [](FakeServices& f, const std::function<void()>& faultsFrom) {
             ShellNewList model(f.Get());
             model.Load();
             std::vector<std::string> found;
             for (const char* text : {".A", ".B", "Hostile document"}) {
                 if (model.Find(text) != nullptr) {
                     found.push_back(text);
                 }
             }
             const std::vector<std::string> keys = {".A", ".B", ".hst"};
             faultsFrom();
             model.Remove({".A", ".B", "Hostile document"}, 0);
             int stayed = 0;
             for (std::size_t i = 0; i < keys.size(); ++i) {
                 const bool listed = std::find(found.begin(), found.end(),
                                               i < 2 ? keys[i] : "Hostile document") != found.end();
                 if (listed && KeyPresent(f, RootKey::ClassesRoot, keys[i] + "\\ShellNew")) {
                     ++stayed;
                 }
             }
             // One message for every entry that was found and stayed.
             EXPECT_EQ(stayed, std::count_if(f.messages.shown.begin(), f.messages.shown.end(),
                                             [](const FakeMessageBoxes::Shown& s) {
                                                 return s.text.starts_with("Couldn't Remove Value.");
                                             }));
         },
         {}});
    routines.push_back({"About",
                        "open a link",
                        [](FakeServices& f) { FillPage(f, "About"); },
                        [](FakeServices& f, const std::function<void()>& faultsFrom) {
                            f.shell.openResult = 2;
                            faultsFrom();
                            testing::LoadPage(f, "About");
                        },
                        {}});
    return routines;
}

// Every value and key is as it was or as the run without a fault left it.
void ExpectNothingHalfWritten(const Contents& before, const Contents& after, const Contents& now,
                              const std::vector<std::string>& transient) {
    std::map<std::string, int> all;
    for (const Contents* c : {&before, &after, &now}) {
        for (const auto& entry : *c) {
            all[entry.first] = 0;
        }
    }
    const auto at = [](const Contents& c, const std::string& k) -> std::string {
        const auto it = c.find(k);
        return it == c.end() ? std::string("<absent>") : "=" + it->second;
    };
    for (const auto& entry : all) {
        const std::string& k = entry.first;
        if (std::find(transient.begin(), transient.end(), k) != transient.end()) {
            continue;
        }
        const std::string value = at(now, k);
        EXPECT_TRUE(value == at(before, k) || value == at(after, k))
            << k << " is " << value.substr(0, 60) << ", was " << at(before, k).substr(0, 60)
            << ", should become " << at(after, k).substr(0, 60);
    }
}

TEST(FaultInjectionTest, EveryRoutineSurvivesAFailureOfEveryCallAtEveryPoint) {
    testing::ReliabilityLog log(VELMORA_RELIABILITY_DIR, "host_injected_faults");
    const std::vector<Fault> faults = AllFaults();
    for (const Routine& routine : AllRoutines()) {
        FakeServices clean;
        routine.prepare(clean);
        const Contents before = Flatten(clean.registry);
        {
            SCOPED_TRACE(routine.page + ", " + routine.name + ", no fault");
            routine.run(clean, [] {});
            EXPECT_EQ(clean.registry.OpenHandleCount(), 0u);
        }
        const Contents after = Flatten(clean.registry);
        for (const Fault& fault : faults) {
            for (unsigned nth = 1;; ++nth) {
                SCOPED_TRACE(routine.page + ", " + routine.name + ", " + fault.name + " at call " +
                             std::to_string(nth));
                FakeServices fakes;
                routine.prepare(fakes);
                faultedState.reset();
                editHit.reset();
                runFault = &fault;
                routine.run(fakes, [&] { fault.arm(fakes, nth); });
                for (const FakeMessageBoxes::Shown& shown : fakes.messages.shown) {
                    if (IsFailureBox(shown)) {
                        ExpectAdministratorLineFromTheFault(shown.text);
                    }
                }
                const bool hit = faultedState ? faultedHit : (editHit.value_or(false) || fault.hit(fakes));
                fakes.registry.ClearFaults();
                EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
                if (faultedState) {
                    // Applied once with the fault and once more without it.
                    ExpectNothingHalfWritten(before, after, *faultedState, routine.transient);
                    if (!fault.claimsAbsence) {
                        ExpectNothingHalfWritten(after, after, Flatten(fakes.registry), routine.transient);
                    }
                } else {
                    ExpectNothingHalfWritten(before, after, Flatten(fakes.registry), routine.transient);
                }
                if (!hit || ::testing::Test::HasFailure()) {
                    break;
                }
                log.Add(routine.page, "injected faults");
            }
        }
    }
    runFault = nullptr;
    EXPECT_TRUE(log.Write());
}

// Automatic logon is the one row whose three values only make sense together: a failure part-way must
// never leave the machine logging on by itself with a user name or password that was not written.
TEST(FaultInjectionTest, AutologonIsNeverLeftOnWithoutTheUserAndPasswordItWasAppliedWith) {
    constexpr const char* kLogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
    const auto text = [](FakeServices& f, const char* name) -> std::optional<std::string> {
        RegKey key;
        if (key.Open(f.registry, ToHKey(RootKey::LocalMachine), kLogon, reg::kRead) != reg::kSuccess) {
            return std::nullopt;
        }
        std::uint32_t size = 0;
        if (f.registry.QueryValue(key.Get(), name, nullptr, nullptr, &size) != reg::kSuccess) {
            return std::nullopt;
        }
        std::string data(size, '\0');
        f.registry.QueryValue(key.Get(), name, nullptr, reinterpret_cast<std::uint8_t*>(data.data()), &size);
        return data.substr(0, data.find('\0'));
    };
    for (const bool turnOn : {true, false}) {
        for (const Fault& fault : AllFaults()) {
            for (unsigned nth = 1;; ++nth) {
                SCOPED_TRACE(std::string(turnOn ? "on, " : "off, ") + fault.name + " at call " +
                             std::to_string(nth));
                FakeServices f;
                hostile::SetText(f.registry, RootKey::LocalMachine, kLogon, "Shell", "Explorer.exe");
                if (!turnOn) {
                    hostile::SetText(f.registry, RootKey::LocalMachine, kLogon, "AutoAdminLogon", "1");
                    hostile::SetText(f.registry, RootKey::LocalMachine, kLogon, "DefaultUserName",
                                     "Old user");
                    hostile::SetText(f.registry, RootKey::LocalMachine, kLogon, "DefaultPassword",
                                     "Old password");
                }
                SecuritySettings model(f.Get());
                model.Load(testing::kWindows95);
                model.check[SecuritySettings::kAutologon] = turnOn ? 1 : 0;
                model.userName = "New user";
                model.password = "New password";
                model.Touch(IDC_SECURITY_AUTOLOGON_BOX, notify::kButtonClicked);
                fault.arm(f, nth);
                ModelPage page(model);
                const ApplyTarget targets[] = {{&page}};
                Services services = f.Get();
                ApplyTouchedSettings(services, targets);
                const bool hit = fault.hit(f);
                f.registry.ClearFaults();
                EXPECT_EQ(f.registry.OpenHandleCount(), 0u);
                const auto on = text(f, "AutoAdminLogon");
                if (on && *on != "0") {
                    const std::string user = turnOn ? "New user" : "Old user";
                    const std::string password = turnOn ? "New password" : "Old password";
                    EXPECT_EQ(text(f, "DefaultUserName").value_or("<absent>"), user);
                    EXPECT_EQ(text(f, "DefaultPassword").value_or("<absent>"), password);
                }
                if (!hit || ::testing::Test::HasFailure()) {
                    break;
                }
            }
        }
    }
}

// "Show Network Neighborhood" needs a restart, the beep does not. With the policy write refused the beep
// is still applied, no restart is asked for, and the message names the one setting that failed; applying
// again once the write works saves it and asks for the restart.
TEST(FaultInjectionTest, OnlyAWrittenSettingAsksForTheRestart) {
    using D = DesktopSettings;
    FakeServices f;
    D model(f.Get());
    model.Load(testing::kWindows95);
    model.check[D::kNoNetHood] = 0;
    model.check[D::kBeep] = 1;
    ASSERT_TRUE(model.Touch(IDC_DESKTOP_SHOW_NET_HOOD_BOX, notify::kButtonClicked));
    ASSERT_TRUE(model.Touch(IDC_DESKTOP_BEEP_BOX, notify::kButtonClicked));
    f.registry.FailNth(Call::kCreate, 1, reg::kAccessDenied);
    f.messages.errorTexts[reg::kAccessDenied] = "Access is denied.";
    Services services = f.Get();
    ModelPage page(model);
    const ApplyTarget targets[] = {{&page, "Desktop"}};
    const std::vector<FailedSetting> failed = ApplyTouchedSettings(services, targets).failed;
    ReportFailures(services, 3, failed);
    EXPECT_TRUE(model.Changed(D::kNoNetHood));
    EXPECT_FALSE(model.Changed(D::kBeep));
    EXPECT_FALSE(model.RestartNeeded());
    EXPECT_EQ(f.parameters.calls.back().action, spi::kSetBeep);
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_EQ(f.messages.shown[0].text,
              "This setting could not be saved:\r\n\r\nDesktop: Show Network Neighborhood\r\n\r\n"
              "Access is denied. (error 5)\r\n\r\n"
              "Only an administrator can make this change: start Velmora 99 with \"Run as administrator\".");

    f.registry.ClearFaults();
    EXPECT_TRUE(ApplyTouchedSettings(services, targets).failed.empty());
    EXPECT_FALSE(model.Changed(D::kNoNetHood));
    EXPECT_TRUE(model.RestartNeeded());
}

}  // namespace
}  // namespace velmora
