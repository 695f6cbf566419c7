#include "tests/e2e/harness/ToolTips.h"

#include <commctrl.h>

#include "tests/e2e/harness/RemoteBuffer.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

struct TipSearch {
    DWORD processId;
    std::vector<HWND>* tips;
};

// EnumWindows callback (a named function: a lambda has no stdcall convention on 32-bit Windows).
BOOL CALLBACK SearchToolTips(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TipSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ClassNameOf(window) == TOOLTIPS_CLASSA) {
        search->tips->push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<ToolTip> ToolTipsOf(DWORD processId) {
    std::vector<HWND> tips;
    TipSearch search{processId, &tips};
    EnumWindows(SearchToolTips, reinterpret_cast<LPARAM>(&search));
    std::vector<ToolTip> tools;
    // Room for the longest text a tool keeps (INFOTIPSIZE).
    constexpr std::size_t kTextSize = 1024;
    for (HWND tip : tips) {
        const auto count = static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
        RemoteBuffer buffer(tip, sizeof(TTTOOLINFOA) + kTextSize);
        if (!buffer.Ok()) {
            continue;
        }
        for (int index = 0; index < count; ++index) {
            TTTOOLINFOA info{};
            info.cbSize = sizeof info;
            info.lpszText = static_cast<char*>(buffer.At(sizeof info));
            buffer.Write(0, &info, sizeof info);
            if (SendMessageA(tip, TTM_ENUMTOOLSA, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.At(0))) == 0) {
                continue;
            }
            buffer.Read(0, &info, sizeof info);
            // The text as the tooltip shows it (a resource or callback text resolved).
            info.lpszText = static_cast<char*>(buffer.At(sizeof info));
            buffer.Write(0, &info, sizeof info);
            SendMessageA(tip, TTM_GETTEXTA, kTextSize, reinterpret_cast<LPARAM>(buffer.At(0)));
            char text[kTextSize] = {};
            buffer.Read(sizeof info, text, kTextSize - 1);
            tools.push_back(ToolTip{info.hwnd, info.uId, info.rect, text});
        }
    }
    return tools;
}

const ToolTip* FindTool(const std::vector<ToolTip>& tools, HWND owner, UINT_PTR id) {
    for (const ToolTip& tool : tools) {
        if (tool.owner == owner && tool.id == id) {
            return &tool;
        }
    }
    return nullptr;
}

}  // namespace velmora::e2e
