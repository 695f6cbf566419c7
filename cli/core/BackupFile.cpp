#include "cli/core/BackupFile.h"

#include "text/Utf.h"

namespace velmora::cli {
namespace {

constexpr char kByteOrderMark[] = "\xFF\xFE";

std::string Utf16Le(std::string_view utf8) {
    std::string bytes;
    for (const char16_t unit : text::ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

// An odd last byte has no unit of its own: it is kept as U+FFFD rather than dropped without a word.
std::string FromUtf16Le(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    if (bytes.size() % 2 != 0) {
        units += u'\uFFFD';
    }
    return text::ToUtf8(units);
}

RegFileForm Version5() {
    RegFileForm form;
    form.firstLine = kRegeditVersion5;
    form.textToFile = [](std::string_view data) -> std::optional<std::string> { return Utf16Le(data); };
    form.textFromFile = FromUtf16Le;
    return form;
}

RegFileForm Regedit4(const text::CodePage& ansi) {
    RegFileForm form;
    form.textToFile = [&ansi](std::string_view data) { return ansi.Encode(data); };
    form.textFromFile = [&ansi](std::string_view bytes) { return ansi.Decode(bytes); };
    return form;
}

// The first line that is neither blank nor a comment, as regedit looks for it.
std::string_view FirstLine(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        const std::size_t begin = line.find_first_not_of(" \t\r");
        if (begin != std::string_view::npos && line[begin] != ';') {
            line = line.substr(begin);
            return line.substr(0, line.find_last_not_of(" \t\r") + 1);
        }
    }
    return {};
}

}  // namespace

bool EncodeBackup(const RegFile& file, const text::CodePage& ansi, EncodedBackup& encoded,
                  std::string& error) {
    std::string text;
    // A text without a form in the code page fails the first write, a name the whole text's encoding.
    if (WriteRegFile(file, text, error, Regedit4(ansi))) {
        if (std::optional<std::string> bytes = ansi.Encode(text)) {
            encoded = EncodedBackup{BackupForm::kRegedit4, std::move(*bytes)};
            return true;
        }
    }
    error.clear();
    if (!WriteRegFile(file, text, error, Version5())) {
        return false;
    }
    encoded = EncodedBackup{BackupForm::kVersion5, kByteOrderMark + Utf16Le(text)};
    return true;
}

std::optional<RegFile> DecodeBackup(std::string_view bytes, const text::CodePage& ansi, std::string& error) {
    if (bytes.substr(0, 2) == kByteOrderMark) {
        return ParseRegFile(FromUtf16Le(bytes.substr(2)), error, Version5());
    }
    // Version 5 without its mark can only be UTF-8 (its first line is ASCII); its hex texts are UTF-16.
    if (FirstLine(bytes) == kRegeditVersion5) {
        return ParseRegFile(std::string(bytes), error, Version5());
    }
    return ParseRegFile(ansi.Decode(bytes), error, Regedit4(ansi));
}

}  // namespace velmora::cli
