// What the family-dependent scenarios showed with Wine in each of its Windows modes, gathered for the one
// table that ctest e2e_wine_modes prints: per Wine mode and registry family, the page table, the Desktop
// page's version box and arrows, the Security page, the restart offer, the pages applied and how many
// scenarios passed. Notes are taken only while a Wine mode is in use (WindowsVersion.h).
#pragma once

#include <string>

#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {

// A scenario begins: the families it uses are counted for it alone.
void NoteScenarioStart();
// A session of the scenario runs in this family (ScopedWindowsVersion says so).
void NoteFamilyUsed(WindowsVersion family);
// What a scenario saw in a family, under a column: "tabs", "version box", "arrows", "restart offer",
// "applied" (notes of "applied" add up; the others replace).
void NoteShown(WindowsVersion family, const std::string& column, const std::string& shown);
// What Wine reports to a program in the mode in use.
void NoteWineReports(const std::string& text);
// The scenario ended: counted as passed or failed in every family it used.
void NoteScenarioEnd(bool passed);

// The table, with what the program does where Wine's mode and the registry disagree.
std::string FamilyTable();

}  // namespace velmora::e2e
