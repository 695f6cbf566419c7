// A backup's bytes on disk. REGEDIT4 holds its text in the ANSI code page, which every regedit since
// Windows 95 imports; a name or text the code page cannot hold exactly makes the whole file "Windows
// Registry Editor Version 5.00", UTF-16LE after its byte order mark, which regedit imports from Windows
// 2000 on. Inside, names and texts are UTF-8 either way, as the registry gives them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/core/RegFile.h"
#include "text/CodePage.h"

namespace velmora::cli {

enum class BackupForm { kRegedit4, kVersion5 };

struct EncodedBackup {
    BackupForm form = BackupForm::kRegedit4;
    std::string bytes;
};

// REGEDIT4 in `ansi` when every name and text has an exact form there, else version 5. False (with
// `error`) when the file cannot be written in either.
bool EncodeBackup(const RegFile& file, const text::CodePage& ansi, EncodedBackup& encoded,
                  std::string& error);

// Either form, told apart by the byte order mark (or, without one, by the first line): REGEDIT4's text
// read through `ansi`, version 5's through UTF-16.
std::optional<RegFile> DecodeBackup(std::string_view bytes, const text::CodePage& ansi, std::string& error);

}  // namespace velmora::cli
