// The tools of the program's tooltip controls, read through memory inside the program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::e2e {

struct ToolTip {
    HWND owner;
    UINT_PTR id;
    RECT rect;
    std::string text;
};

// Every tool of every tooltip window of the process.
std::vector<ToolTip> ToolTipsOf(DWORD processId);

// The tool `id` of `owner`, or null.
const ToolTip* FindTool(const std::vector<ToolTip>& tools, HWND owner, UINT_PTR id);

}  // namespace velmora::e2e
