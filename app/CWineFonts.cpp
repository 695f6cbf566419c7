#include "app/CWineFonts.h"

#include <windows.h>

namespace {

struct WineFace {
    const char* face;
    BYTE charset;
    const char* file;
};

// The dialogs' face, the frame's symbols, and the face Wine draws captions, menus and message boxes in.
constexpr WineFace kFaces[] = {
    {"MS Sans Serif", ANSI_CHARSET, "sserife.fon"},
    {"Marlett", SYMBOL_CHARSET, "marlett.ttf"},
    {"Tahoma", ANSI_CHARSET, "tahoma.ttf"},
};

// Whether the font mapper gives `face` itself rather than a substitute of another name.
bool FaceResolves(const WineFace& wanted) {
    const HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        return true;
    }
    LOGFONTA logFont{};
    logFont.lfHeight = -::MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = wanted.charset;
    ::lstrcpynA(logFont.lfFaceName, wanted.face, LF_FACESIZE);
    bool resolves = true;
    if (const HFONT font = ::CreateFontIndirectA(&logFont); font != nullptr) {
        const HGDIOBJ old = ::SelectObject(screen, font);
        char face[LF_FACESIZE] = {};
        if (::GetTextFaceA(screen, LF_FACESIZE, face) > 0) {
            resolves = ::lstrcmpiA(face, wanted.face) == 0;
        }
        ::SelectObject(screen, old);
        ::DeleteObject(font);
    }
    ::ReleaseDC(nullptr, screen);
    return resolves;
}

// Wine's data directory as a DOS path ("Z:\usr\share\wine"): Wine gives every process its NT path
// ("\??\Z:\usr\share\wine") in WINEDATADIR. Empty when not set.
std::string WineDataDirectory() {
    char value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("WINEDATADIR", value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::string directory(value, length);
    if (directory.rfind("\\??\\", 0) == 0) {
        directory.erase(0, 4);
    }
    while (!directory.empty() && directory.back() == '\\') {
        directory.pop_back();
    }
    return directory;
}

bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace

CWineFonts::~CWineFonts() {
    RemoveAdded();
}

int CWineFonts::AddMissing() {
    if (!RunningUnderWine()) {
        return 0;
    }
    const std::string directory = WineDataDirectory();
    if (directory.empty()) {
        return 0;
    }
    int added = 0;
    for (const WineFace& face : kFaces) {
        if (FaceResolves(face)) {
            continue;
        }
        const std::string path = directory + "\\fonts\\" + face.file;
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        if (::AddFontResourceA(path.c_str()) > 0) {
            m_added.push_back(path);
            ++added;
        }
    }
    return added;
}

void CWineFonts::RemoveAdded() {
    for (const std::string& path : m_added) {
        ::RemoveFontResourceA(path.c_str());
    }
    m_added.clear();
}
