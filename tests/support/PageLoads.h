// Every page's load over a registry, summed up as text: what each control, list and flag of the page
// shows after its load routines ran (the reads of its lists' selections and editors included). Two
// registries that the program must treat alike give the same text. Used by the hostile-registry tests
// and the fuzz target.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "system/fakes/FakeServices.h"

namespace velmora::testing {

struct PageView {
    std::string text;                 // everything the page shows, one line per item
    std::vector<std::string> listed;  // the entries of its lists, as the list boxes show them
};

// The page names of the reliability report that have a load: "Desktop", "Start Menu", "Miscellaneous",
// "Security", "Folders/Run", "Add/Remove", "New", "About" (the links' ".htm" fallback) and "Main window"
// (the operating-system tests).
const std::vector<std::string>& LoadedPages();

// Runs the page's loads on `fakes` (a fresh model each time) and describes the result.
PageView LoadPage(FakeServices& fakes, std::string_view page);
// The same over another registry (one over `fakes.registry`) with the other fakes.
PageView LoadPage(FakeServices& fakes, std::string_view page, Registry& registry);

}  // namespace velmora::testing
