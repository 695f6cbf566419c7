#include "tests/e2e/harness/FamilyMatrix.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace velmora::e2e {
namespace {

constexpr WindowsVersion kFamilies[] = {WindowsVersion::Windows95, WindowsVersion::Windows98,
                                        WindowsVersion::Nt};

struct Row {
    std::map<std::string, std::string> shown;
    int passed = 0;
    int failed = 0;
};

struct Matrix {
    std::vector<std::string> modes;  // in the order they ran
    std::map<std::string, std::string> reports;
    std::map<std::pair<std::string, WindowsVersion>, Row> rows;
    std::set<WindowsVersion> usedByScenario;
};

Matrix& Notes() {
    static Matrix matrix;
    return matrix;
}

Row* RowOf(WindowsVersion family) {
    const std::string& mode = WineModeInUse();
    if (mode.empty()) {
        return nullptr;
    }
    Matrix& notes = Notes();
    if (std::find(notes.modes.begin(), notes.modes.end(), mode) == notes.modes.end()) {
        notes.modes.push_back(mode);
    }
    return &notes.rows[{mode, family}];
}

std::string RegistryVersionOf(WindowsVersion family) {
    switch (family) {
        case WindowsVersion::Windows95:
            return "\"Windows 95\"";
        case WindowsVersion::Windows98:
            return "\"Windows 98\"";
        case WindowsVersion::Nt:
            return "absent";
    }
    return "?";
}

std::string Pad(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

void NoteScenarioStart() {
    Notes().usedByScenario.clear();
}

void NoteFamilyUsed(WindowsVersion family) {
    if (RowOf(family) != nullptr) {
        Notes().usedByScenario.insert(family);
    }
}

void NoteShown(WindowsVersion family, const std::string& column, const std::string& shown) {
    Row* row = RowOf(family);
    if (row == nullptr) {
        return;
    }
    std::string& cell = row->shown[column];
    if (column == "applied" && !cell.empty()) {
        if (cell.find(shown) == std::string::npos) {
            cell += ", " + shown;
        }
    } else {
        cell = shown;
    }
}

void NoteWineReports(const std::string& text) {
    if (!WineModeInUse().empty()) {
        RowOf(WindowsVersion::Nt);
        Notes().reports[WineModeInUse()] = text;
    }
}

void NoteScenarioEnd(bool passed) {
    for (const WindowsVersion family : Notes().usedByScenario) {
        if (Row* row = RowOf(family)) {
            (passed ? row->passed : row->failed)++;
        }
    }
    Notes().usedByScenario.clear();
}

std::string FamilyTable() {
    const std::vector<std::pair<std::string, std::size_t>> columns = {
        {"Wine mode", 10},     {"Wine reports", 48}, {"registry Version", 17},
        {"tabs", 5},           {"version box", 34},  {"arrows", 9},
        {"restart offer", 14}, {"applied", 44},      {"scenarios", 12}};
    std::string table = "\nThe Windows families under each Wine mode (what the scenarios showed):\n\n";
    for (const auto& [name, width] : columns) {
        table += Pad(name, width) + " ";
    }
    table += "\n";
    const Matrix& notes = Notes();
    for (const std::string& mode : notes.modes) {
        const auto report = notes.reports.find(mode);
        for (const WindowsVersion family : kFamilies) {
            const auto found = notes.rows.find({mode, family});
            const Row empty;
            const Row& row = found != notes.rows.end() ? found->second : empty;
            auto cell = [&](const std::string& column) {
                const auto it = row.shown.find(column);
                return it != row.shown.end() ? it->second : std::string("-");
            };
            const std::vector<std::string> cells = {
                family == kFamilies[0] ? mode : "",
                family == kFamilies[0] && report != notes.reports.end() ? report->second : "",
                RegistryVersionOf(family),
                cell("tabs"),
                cell("version box"),
                cell("arrows"),
                cell("restart offer"),
                cell("applied"),
                std::to_string(row.passed) + " passed" +
                    (row.failed > 0 ? ", " + std::to_string(row.failed) + " FAILED" : "")};
            for (std::size_t i = 0; i < cells.size(); ++i) {
                table += Pad(cells[i], columns[i].second) + " ";
            }
            table += "\n";
        }
    }
    table +=
        "\nThe program chooses its pages and rows by the registry alone: \"Version\" under HKLM "
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion present means Windows 9x (\"Windows 98\" exactly: 98), "
        "absent means NT. For them it never asks GetVersion, so where Wine's mode and the registry disagree "
        "(an NT mode with \"Version\" set, win95 or win98 without it) it follows the registry, as every row "
        "above shows; GetVersion decides only whether text goes through the Unicode or the ANSI calls. That "
        "is right because on Windows the two never disagree (Windows 95 and 98 write the value, "
        "NT never has it), and the pages it shows and the keys it writes are the ones that registry "
        "belongs to. The companion's manifest names Windows Vista to 10 and 11, so Wine's win10 mode reports "
        "10.0 to it, as Windows 10 and 11 do (without the manifest both would say 6.2, Windows 8); the "
        "program does not look.\n";
    return table;
}

}  // namespace velmora::e2e
