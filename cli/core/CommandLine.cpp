#include "cli/core/CommandLine.h"

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
    "Exit codes: 0 done (diff: no differences), 1 diff found differences, 2 error (bad command line, a file\n"
    "that cannot be read, written or understood, a registry key that cannot be read).\n";

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
    RegFile file;
    std::string error;
    EncodedBackup encoded;
    const bool read = ReadTargets(services.registry, CollectTargets(services), file, error);
    file.comments = BackupHeader(environment.origin);
    if (!read || !EncodeBackup(file, environment.ansi, encoded, error)) {
        err << "velmora-cli: backup: " << error << "\n";
        return kExitError;
    }
    if (!environment.files.Write(path, encoded.bytes)) {
        err << "velmora-cli: backup: cannot write " << path << "\n";
        return kExitError;
    }
    std::size_t values = 0;
    for (const Section& section : file.sections) {
        values += section.values.size();
    }
    out << "Backed up " << file.sections.size() << " keys (" << values << " values) to " << path << "\n";
    return kExitOk;
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
    if (command == "diff") {
        return Diff(args, services, out, err, environment);
    }
    return UsageError(err, "unknown command '" + command + "'");
}

}  // namespace velmora::cli
