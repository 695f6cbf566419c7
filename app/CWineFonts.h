// The faces the dialogs and the window frame draw with, made available when the program runs under Wine
// and the prefix does not provide them.
//
// The templates ask for "MS Sans Serif" 8, Windows' bitmap face, and the frame's caption buttons draw their
// symbols in "Marlett". Wine ships both (and "Tahoma", the face of its captions, menus and message boxes)
// in the "fonts" folder of its data directory, but some Wine packages neither load that folder nor copy its
// files into the prefix's Windows\Fonts. The font mapper then falls back to whatever the host's font
// configuration offers: a much wider face for the dialogs, whose captions no longer fit their controls, and
// plain letters ("0 1 r") on the caption buttons. On Windows, and under a Wine that has its faces, nothing
// is done.
#pragma once

#include <string>
#include <vector>

class CWineFonts {
  public:
    CWineFonts() = default;
    ~CWineFonts();
    CWineFonts(const CWineFonts&) = delete;
    CWineFonts& operator=(const CWineFonts&) = delete;

    // Adds, for this process, each of Wine's files for a face that does not resolve to itself, when the
    // program runs under Wine (its ntdll exports wine_get_version). Returns the number of files added.
    int AddMissing();

    // The font files added by AddMissing, removed again.
    void RemoveAdded();

  private:
    std::vector<std::string> m_added;
};
