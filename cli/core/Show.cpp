#include "cli/core/Show.h"

#include <algorithm>
#include <cstdio>

#include "cli/core/LoadedPages.h"
#include "registry/ValueReader.h"
#include "settings/FolderRunList.h"
#include "settings/ShellNewList.h"
#include "settings/UninstallList.h"
#include "text/Utf.h"

namespace velmora::cli {
namespace {

const char* CheckText(int state) {
    return state == 1 ? "checked" : "unchecked";
}

std::string Choice(const std::vector<std::string>& choices, int index) {
    return index >= 0 && index < static_cast<int>(choices.size()) ? choices[static_cast<std::size_t>(index)]
                                                                  : "(none)";
}

std::string Where(const ListedSetting& row) {
    std::string where;
    for (const Location& location : row.locations) {
        where += (where.empty() ? "" : "; ") + Describe(location);
    }
    return where.empty() ? row.elsewhere : where;
}

std::string Key(RootKey root, const std::string& path) {
    return std::string(RootName(root)) + "\\" + path;
}

// Columns padded to their widest cell, two blanks apart; the last column is not padded.
void PrintTable(std::ostream& out, const std::vector<std::vector<std::string>>& rows,
                const std::string& indent, const TextWidth& width) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], width(row[i]));
        }
    }
    for (const auto& row : rows) {
        std::string line = indent;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) {
                line += std::string(widths[i] - width(row[i]) + 2, ' ');
            }
        }
        out << line << "\n";
    }
}

}  // namespace

std::size_t Utf16Width(std::string_view text) {
    return text::Utf16Length(text);
}

std::string JsonString(const std::string& text) {
    // Through UTF-16, the registry's own units: a pair of surrogates is one character and goes out as
    // UTF-8, a lone one (which UTF-8 cannot hold) as its escape, so a JSON reader gets the same units.
    const std::u16string units = text::ToUtf16(text);
    std::string out = "\"";
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            out += text::ToUtf8(units.substr(i, 2));
            ++i;
        } else if (unit == '"' || unit == '\\') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit < 0x20 || (unit >= 0xD800 && unit <= 0xDFFF)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
            out += escape;
        } else {
            out += text::ToUtf8(units.substr(i, 1));
        }
    }
    return out + "\"";
}

std::string StateText(const ListedSetting& row, const BoundMember& member) {
    switch (row.state) {
        case Shown::kCheck:
        case Shown::kFolder:
            return CheckText(*member.number);
        case Shown::kArrows:
            return Choice(ArrowChoices(), *member.number);
        case Shown::kIconSize:
            return Choice(IconSizeChoices(), *member.number);
        case Shown::kMenuDelay:
        case Shown::kUserName:
            return *member.text;
        case Shown::kPassword:
            // The page's password edit shows one mark per character.
            return std::string(member.text->size(), '*');
    }
    return "";
}

ShowReport CollectShow(Services services) {
    Registry& registry = services.registry;
    // Loaded as the main window loads the pages on this system.
    LoadedPages pages(services);

    ShowReport report;
    for (const ListedSetting& row : ListedSettings()) {
        ShownSetting shown{&row, true, "", "", Where(row), std::nullopt};
        if (const std::string note = pages.NotLoaded(row); !note.empty()) {
            report.settings.push_back(ShownSetting{&row, false, "n/a", note, shown.where, std::nullopt});
            continue;
        }
        shown.state = StateText(row, pages.Bind(row));
        if (row.state == Shown::kFolder) {
            shown.where =
                pages.startMenu.FoldersAvailable()
                    ? "directory " + pages.startMenu.startMenuPath +
                          StartMenuSettings::DirectoryName(static_cast<StartMenuSettings::Folder>(row.index))
                    : "no Start Menu folder (the box is disabled)";
        } else if (row.index == row.row) {
            shown.effective = pages.Rows(row.page).Effective(row.row);
        }
        report.settings.push_back(shown);
    }

    FolderRunList folders(services);
    folders.LoadFolders();
    for (const std::string& name : folders.Folders()) {
        folders.SelectFolder(name);
        report.entries.push_back(
            ShownEntry{"System folders", "", name, folders.pathText,
                       Key(RootKey::CurrentUser, kShellFoldersPath) + " [" + name + "]"});
    }
    for (std::size_t i = 0; i < kAutorunSources.size(); ++i) {
        const AutorunSource& source = kAutorunSources[i];
        folders.source = static_cast<int>(i);
        folders.LoadAutoruns();
        for (const std::string& name : folders.Autoruns()) {
            const auto command = ReadValue(registry, source.root, source.path, name);
            report.entries.push_back(ShownEntry{"Autorun", source.comboText, name,
                                                command ? std::string(command->Text()) : "",
                                                Key(source.root, source.path) + " [" + name + "]"});
        }
    }
    UninstallList uninstall(services);
    uninstall.Load();
    for (const UninstallEntry& entry : uninstall.Entries()) {
        report.entries.push_back(ShownEntry{"Uninstall", "", entry.displayName, entry.uninstallCommand,
                                            Key(RootKey::LocalMachine, entry.keyPath)});
    }
    ShellNewList shellNew(services);
    shellNew.Load();
    for (const ShellNewEntry& entry : shellNew.Entries()) {
        report.entries.push_back(ShownEntry{"New", "", entry.description, "",
                                            Key(RootKey::ClassesRoot, entry.keyPath + "\\ShellNew")});
    }
    return report;
}

void PrintShowText(const ShowReport& report, std::ostream& out, const TextWidth& width) {
    std::vector<std::vector<std::string>> rows = {{"Page", "Setting", "State", "Windows uses", "Location"}};
    for (const ShownSetting& s : report.settings) {
        const bool text = s.row->state == Shown::kMenuDelay || s.row->state == Shown::kUserName ||
                          s.row->state == Shown::kPassword;
        const std::string uses = s.effective ? std::string(CheckText(s.effective->state)) + " (" +
                                                   SourceName(s.effective->source) + ")"
                                             : "";
        rows.push_back({PageName(s.row->page), s.row->caption,
                        s.loaded && text ? "\"" + s.state + "\"" : s.state, uses,
                        s.loaded ? s.where : s.where + " (" + s.note + ")"});
    }
    PrintTable(out, rows, "", width);

    const struct {
        const char* list;
        const char* title;
        std::vector<std::string> header;
    } lists[] = {
        {"System folders", "System folders (Folders/Run)", {"Folder", "Path"}},
        {"Autorun", "Autorun entries (Folders/Run)", {"Source", "Name", "Command"}},
        {"Uninstall", "Uninstall entries (Add/Remove)", {"Program", "Uninstall command", "Key"}},
        {"New", "\"New\" entries (New)", {"File type", "Key"}},
    };
    for (const auto& list : lists) {
        out << "\n" << list.title << "\n";
        std::vector<std::vector<std::string>> table = {list.header};
        for (const ShownEntry& e : report.entries) {
            if (e.list != list.list) {
                continue;
            }
            if (e.list == "System folders") {
                table.push_back({e.name, e.value});
            } else if (e.list == "Autorun") {
                table.push_back({e.source, e.name, e.value});
            } else if (e.list == "Uninstall") {
                table.push_back({e.name, e.value, e.where});
            } else {
                table.push_back({e.name, e.where});
            }
        }
        if (table.size() == 1) {
            out << "  (none)\n";
        } else {
            PrintTable(out, table, "  ", width);
        }
    }
}

void PrintShowJson(const ShowReport& report, std::ostream& out) {
    out << "{\n  \"settings\": [";
    bool first = true;
    for (const ShownSetting& s : report.settings) {
        out << (first ? "\n" : ",\n") << "    {\"page\": " << JsonString(PageName(s.row->page))
            << ", \"caption\": " << JsonString(s.row->caption) << ", \"control\": " << s.row->control
            << ", \"loaded\": " << (s.loaded ? "true" : "false")
            << ", \"state\": " << (s.loaded ? JsonString(s.state) : "null");
        if (!s.loaded) {
            out << ", \"note\": " << JsonString(s.note);
        }
        if (s.effective) {
            out << ", \"effective\": " << JsonString(CheckText(s.effective->state))
                << ", \"source\": " << JsonString(SourceName(s.effective->source));
        }
        out << ", \"location\": " << JsonString(s.where) << "}";
        first = false;
    }
    out << "\n  ],\n  \"lists\": [";
    first = true;
    for (const ShownEntry& e : report.entries) {
        out << (first ? "\n" : ",\n") << "    {\"list\": " << JsonString(e.list);
        if (!e.source.empty()) {
            out << ", \"source\": " << JsonString(e.source);
        }
        out << ", \"name\": " << JsonString(e.name);
        if (e.list != "New") {
            out << ", \"value\": " << JsonString(e.value);
        }
        out << ", \"location\": " << JsonString(e.where) << "}";
        first = false;
    }
    out << "\n  ]\n}\n";
}

}  // namespace velmora::cli
