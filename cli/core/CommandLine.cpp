#include "cli/core/CommandLine.h"

#include <algorithm>

#include "cli/core/Apply.h"
#include "cli/core/Backup.h"
#include "cli/core/BackupFile.h"
#include "cli/core/Diff.h"
#include "cli/core/RegFile.h"
#include "cli/core/Show.h"

namespace velmora::cli {

const char* const kUsage =
    "Usage: velmora-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  show [--json]           every setting of the Start Menu, Desktop, Miscellaneous and Security pages "
    "as\n"
    "                          the pages load it now, then the system folders, autorun entries, uninstall\n"
    "                          entries and \"New\" entries, every name and text with its own characters;\n"
    "                          --json writes JSON in UTF-8 (a lone surrogate as a \\u escape)\n"
    "  backup [--force] FILE   writes every key and value Velmora can change to FILE in the REGEDIT4 "
    "format,\n"
    "                          or, when a name or text has no exact form in the ANSI code page, as\n"
    "                          \"Windows Registry Editor Version 5.00\" (UTF-16, for Windows 2000 and\n"
    "                          later); \"regedit /s FILE\" restores them; an existing FILE is replaced only\n"
    "                          with --force\n"
    "  diff FILE               lists, per setting, what importing the backup FILE (either format) would\n"
    "                          change now, and the autorun values and list entries added since\n"
    "  apply [--dry-run] [--backup FILE] PROFILE\n"
    "                          sets the settings as PROFILE has them: the \"settings\" of show --json, with\n"
    "                          the rows not wanted deleted and the states of the others edited. Only rows\n"
    "                          whose state differs from now are written, each as the window's Apply\n"
    "                          writes it; one line per row says what changed or why it failed. The whole\n"
    "                          PROFILE is checked first: with any problem nothing is written. --dry-run\n"
    "                          writes nothing and says what would change; --backup FILE first writes a\n"
    "                          backup (as backup does) of just the values about to change, and refuses an\n"
    "                          existing FILE. Nothing is asked and Windows is not restarted: it says so\n"
    "                          when a change needs a restart. The list entries of show (\"lists\") and the\n"
    "                          password are not applied\n"
    "  --help                  shows this text\n"
    "\n"
    "Importing a backup sets the values it holds and deletes again those that were absent; of keys, it\n"
    "removes only the shell verbs Velmora adds (My Computer's \"Open\" among them) that were absent.\n"
    "Nothing another program put beside Velmora's values since is deleted, and a key created since the\n"
    "backup only to hold one of Velmora's values (a policy key, for example) stays behind, empty if\n"
    "nothing else is in it. That is expected, and diff does not count it.\n"
    "\n"
    "Not in a backup: the Start Menu folders (directories), the beep and full-window drag (system\n"
    "parameters), and the histories the Start Menu page clears.\n"
    "\n"
    "Where a machine-wide policy (HKEY_LOCAL_MACHINE ...\\Policies\\Explorer or System) sets a setting,\n"
    "Windows of the NT family uses that, not the user's value: show gives the state Windows uses and where\n"
    "it comes from (user, machine policy, default), and apply names the settings it changed in vain.\n"
    "\n"
    "Example:\n"
    "  velmora-cli show --json > mine.json     (then delete rows and edit states in mine.json)\n"
    "  velmora-cli apply --dry-run mine.json\n"
    "  velmora-cli apply --backup before.reg mine.json\n"
    "\n"
    "Exit codes: 0 done (diff: no differences), 1 diff found differences or some of apply's settings\n"
    "failed (the others were applied), 2 error (bad command line, a file that cannot be read, written or\n"
    "understood, a registry key that cannot be read, a problem in PROFILE).\n";

namespace {

int UsageError(std::ostream& err, const std::string& message) {
    err << "velmora-cli: " << message << "\nTry 'velmora-cli --help'.\n";
    return kExitError;
}

int Show(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
         const Environment& environment) {
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else {
            return UsageError(err, "show: unexpected argument '" + args[i] + "'");
        }
    }
    const ShowReport report = CollectShow(services);
    if (json) {
        PrintShowJson(report, environment.json ? *environment.json : out);
    } else {
        PrintShowText(report, out, environment.width);
    }
    return kExitOk;
}

// Writes the targets' keys and values to `path`; false, with the reason on `err`, when it could not.
bool WriteBackup(const std::string& command, Registry& registry, const std::vector<Target>& targets,
                 const std::string& path, std::ostream& out, std::ostream& err,
                 const Environment& environment) {
    RegFile file;
    std::string error;
    EncodedBackup encoded;
    const bool read = ReadTargets(registry, targets, file, error);
    file.comments = BackupHeader(environment.origin);
    if (!read || !EncodeBackup(file, environment.ansi, encoded, error)) {
        err << "velmora-cli: " << command << ": " << error << "\n";
        return false;
    }
    if (!environment.files.Write(path, encoded.bytes)) {
        err << "velmora-cli: " << command << ": cannot write " << path << "\n";
        return false;
    }
    std::size_t values = 0;
    for (const Section& section : file.sections) {
        values += section.values.size();
    }
    out << "Backed up " << file.sections.size() << " keys (" << values << " values) to " << path << "\n";
    return true;
}

int Backup(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
           const Environment& environment) {
    bool force = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--force") {
            force = true;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(err, "backup: unknown option '" + args[i] + "'");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        return UsageError(err,
                          files.empty() ? "backup: FILE is missing" : "backup: only one FILE is allowed");
    }
    const std::string& path = files[0];
    if (!force && environment.files.Exists(path)) {
        err << "velmora-cli: backup: " << path << " already exists (use --force to replace it)\n";
        return kExitError;
    }
    return WriteBackup("backup", services.registry, CollectTargets(services), path, out, err, environment)
               ? kExitOk
               : kExitError;
}

// What a refused write needs, said for the console as the window says it for its own start.
constexpr const char* kCliAdministratorLine =
    "Only an administrator can make this change: run velmora-cli in a command prompt started with \"Run as "
    "administrator\".";

// "Desktop / Show Network Neighborhood: checked -> unchecked", a text in double quotes.
std::string ChangeLine(const PlannedChange& change) {
    const ListedSetting& row = *change.row;
    const bool text = row.state == Shown::kMenuDelay || row.state == Shown::kUserName;
    const auto shown = [text](const std::string& state) { return text ? "\"" + state + "\"" : state; };
    return std::string(PageName(row.page)) + " / " + PlainCaption(row.caption) + ": " + shown(change.now) +
           " -> " + shown(change.wanted);
}

// The message boxes' line breaks as a console's.
std::string ConsoleLines(std::string text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
        }
    }
    return lines;
}

int Apply(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
          const Environment& environment) {
    bool dryRun = false;
    std::string backup;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i] == "--backup") {
            if (i + 1 >= args.size() || !backup.empty()) {
                return UsageError(err, i + 1 >= args.size() ? "apply: --backup needs a FILE"
                                                            : "apply: only one --backup is allowed");
            }
            backup = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(err, "apply: unknown option '" + args[i] + "'");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        return UsageError(err,
                          files.empty() ? "apply: PROFILE is missing" : "apply: only one PROFILE is allowed");
    }
    const std::string& path = files[0];
    std::string text;
    if (!environment.files.Read(path, text)) {
        err << "velmora-cli: apply: cannot read " << path << "\n";
        return kExitError;
    }
    if (!backup.empty() && !dryRun && environment.files.Exists(backup)) {
        err << "velmora-cli: apply: " << backup << " already exists; nothing was written\n";
        return kExitError;
    }

    UnattendedMessages unattended(services.messages);
    const Services quiet = unattended.Around(services);
    LoadedPages pages(quiet);
    std::vector<std::string> problems;
    const std::vector<PlannedChange> changes = PlanApply(text, pages, problems);
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            err << "velmora-cli: apply: " << path << ": " << problem << "\n";
        }
        err << "velmora-cli: apply: nothing was written\n";
        return kExitError;
    }
    if (changes.empty()) {
        out << "Nothing to change: every setting is as " << path << " has it.\n";
        return kExitOk;
    }
    if (dryRun) {
        for (const PlannedChange& change : changes) {
            out << ChangeLine(change) << ": would change\n";
        }
        out << changes.size() << (changes.size() == 1 ? " setting" : " settings")
            << " would change; nothing was written (--dry-run).\n";
        if (const auto overridden = OverriddenBy(pages, changes); !overridden.empty()) {
            out << "\n" << ConsoleLines(OverrideText(overridden, false)) << "\n";
        }
        return kExitOk;
    }
    if (!backup.empty()) {
        std::vector<std::string> owners;
        for (const PlannedChange& change : changes) {
            owners.push_back(std::string(PageName(change.row->page)) + " / " + change.row->caption);
        }
        std::vector<Target> targets;
        for (Target& target : CollectTargets(quiet)) {
            if (std::find(owners.begin(), owners.end(), target.owner) != owners.end()) {
                targets.push_back(std::move(target));
            }
        }
        if (!WriteBackup("apply", quiet.registry, targets, backup, out, err, environment)) {
            err << "velmora-cli: apply: nothing was changed\n";
            return kExitError;
        }
    }

    const AppliedChanges applied = ApplyChanges(quiet, pages, changes);
    std::size_t failures = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        out << ChangeLine(changes[i]);
        if (applied.failed[i]) {
            ++failures;
            const long error = applied.errors[i];
            out << ": FAILED: " << quiet.messages.SystemErrorText(error) << " (error " << error << ")";
            if (error == reg::kAccessDenied && !applied.ownSubkeys[i]) {
                out << "\n  " << kCliAdministratorLine;
            }
        } else {
            out << ": changed";
        }
        out << "\n";
    }
    // What is not a row of the profile: the icon cache's rebuild, which a written row asked for.
    for (const FailedSetting& failure : applied.outcome.failed) {
        if (failure.page == kRebuildPage && failure.caption == kRebuildCaption) {
            ++failures;
            out << "The icon cache could not be rebuilt: " << quiet.messages.SystemErrorText(failure.error)
                << " (error " << failure.error << ")\n";
        }
    }
    const std::size_t changed =
        changes.size() - std::count(applied.failed.begin(), applied.failed.end(), true);
    out << changed << (changed == 1 ? " setting" : " settings") << " changed";
    out << (failures == 0 ? ".\n" : "; " + std::to_string(failures) + " failed.\n");
    if (applied.restartNeeded) {
        out << "Windows must be restarted for some of these changes to take effect.\n";
    }
    if (!applied.outcome.overridden.empty()) {
        out << "\n" << ConsoleLines(OverrideText(applied.outcome.overridden)) << "\n";
    }
    return failures == 0 ? kExitOk : kExitSomeFailed;
}

int Diff(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
         const Environment& environment) {
    if (args.size() != 2) {
        return UsageError(err, args.size() < 2 ? "diff: FILE is missing" : "diff: only one FILE is allowed");
    }
    const std::string& path = args[1];
    std::string text;
    if (!environment.files.Read(path, text)) {
        err << "velmora-cli: diff: cannot read " << path << "\n";
        return kExitError;
    }
    std::string error;
    const auto backup = DecodeBackup(text, environment.ansi, error);
    if (!backup) {
        err << "velmora-cli: diff: " << path << ": " << error << "\n";
        return kExitError;
    }
    std::vector<Difference> differences;
    if (!DiffBackup(services, *backup, differences, error)) {
        err << "velmora-cli: diff: " << error << "\n";
        return kExitError;
    }
    if (differences.empty()) {
        out << "No differences.\n";
        return kExitOk;
    }
    std::string owner;
    for (const Difference& d : differences) {
        if (d.owner != owner) {
            owner = d.owner;
            out << owner << "\n";
        }
        out << "  " << d.where << "\n    backup: " << d.backup << "\n    now:    " << d.now << "\n";
    }
    return kExitDifferences;
}

}  // namespace

int RunCommand(const std::vector<std::string>& args, Services services, std::ostream& out, std::ostream& err,
               const Environment& environment) {
    if (args.empty()) {
        err << kUsage;
        return kExitError;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "/?" || command == "help") {
        if (args.size() != 1) {
            return UsageError(err, "--help takes no arguments");
        }
        out << kUsage;
        return kExitOk;
    }
    if (command == "show") {
        return Show(args, services, out, err, environment);
    }
    if (command == "backup") {
        return Backup(args, services, out, err, environment);
    }
    if (command == "apply") {
        return Apply(args, services, out, err, environment);
    }
    if (command == "diff") {
        return Diff(args, services, out, err, environment);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace velmora::cli
