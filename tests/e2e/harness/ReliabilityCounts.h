// How many reliability scenarios of each kind ran against each page, for the reliability report: lines
// `<page>\t<kind>\t<count>` in <build>/reliability/e2e_wine*.tsv (tools/reliability_report.py reads them).
// The file is written whole after every count, so it never keeps the counts of an earlier run.
#pragma once

#include <string>

#include "tests/e2e/harness/Wait.h"

namespace velmora::e2e {

inline constexpr char kDiffScenarios[] = "diff scenarios";
inline constexpr char kTypedInputs[] = "typed inputs";
inline constexpr char kHostileStates[] = "hostile states";

void CountScenario(const std::string& page, const std::string& kind, long count = 1);

// One start of the program: how long after CreateProcess its main window was shown, and how much later
// its thread first took a message. Appended as `<shown>\t<answered>` lines (milliseconds) to
// <build>/reliability/<suite>.startups, which the report sums up.
void NoteStartup(Milliseconds shown, Milliseconds answered);

}  // namespace velmora::e2e
