#include "cli/core/RegFile.h"

#include <cctype>
#include <cstdio>
#include <sstream>

#include "cli/core/PageSettings.h"
#include "registry/RegKey.h"
#include "registry/RegistryStore.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kWrapColumn = 76;

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

bool HasControlCharacter(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20) {
            return true;
        }
    }
    return false;
}

// A REG_SZ whose bytes are a text, its one terminating zero and nothing else, free of line breaks: the
// quoted form gives back exactly these bytes.
bool QuotedFormKeepsBytes(const RawValue& value) {
    if (value.type != reg::kSz || value.data.empty() || value.data.back() != 0) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        if (value.data[i] < 0x20) {
            return false;
        }
    }
    return true;
}

std::string HexPrefix(const RawValue& value) {
    if (value.type == reg::kBinary) {
        return "hex:";
    }
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    return prefix;
}

bool IsText(std::uint32_t type) {
    return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz;
}

// The right-hand side; `column` is where it starts on its line. Hex data is continued on further lines
// only when `wrap` is set.
std::string FormatData(const RawValue& value, std::size_t column, bool wrap) {
    if (QuotedFormKeepsBytes(value)) {
        return Quote(std::string(value.data.begin(), value.data.end() - 1));
    }
    if (value.type == reg::kDword && value.data.size() == 4) {
        char text[24];
        std::snprintf(text, sizeof text, "dword:%08x",
                      static_cast<unsigned>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                            static_cast<unsigned>(value.data[3]) << 24));
        return text;
    }
    std::string out = HexPrefix(value);
    column += out.size();
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        char piece[4];
        std::snprintf(piece, sizeof piece, "%02x", value.data[i]);
        const bool last = i + 1 == value.data.size();
        const std::size_t width = last ? 2 : 3;
        if (wrap && i != 0 && column + width + 1 > kWrapColumn) {
            out += "\\\r\n  ";
            column = 2;
        }
        out += piece;
        if (!last) {
            out += ',';
        }
        column += width;
    }
    return out;
}

std::string KeyName(const Section& section) {
    return std::string(RootName(section.root)) + "\\" + section.path;
}

// ---- reading ----

std::string Trim(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) {
        ++begin;
    }
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool ReadQuoted(const std::string& text, std::size_t& pos, std::string& out) {
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\') {
            if (pos + 1 >= text.size() || (text[pos + 1] != '\\' && text[pos + 1] != '"')) {
                return false;
            }
            ++pos;
        }
        out += text[pos];
    }
    return false;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::string digits;
    std::stringstream stream(text);
    std::string item;
    if (Trim(text).empty()) {
        return true;
    }
    while (std::getline(stream, item, ',')) {
        item = Trim(item);
        if (item.size() != 2 || !std::isxdigit(static_cast<unsigned char>(item[0])) ||
            !std::isxdigit(static_cast<unsigned char>(item[1]))) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
    }
    // A trailing comma leaves an empty last item that getline does not report.
    return Trim(text).back() != ',';
}

bool ParseData(const std::string& text, const RegFileForm& form, std::optional<RawValue>& value) {
    if (text == "-") {
        value.reset();
        return true;
    }
    RawValue raw;
    if (!text.empty() && text[0] == '"') {
        std::size_t pos = 0;
        std::string content;
        if (!ReadQuoted(text, pos, content) || !Trim(text.substr(pos)).empty()) {
            return false;
        }
        raw.type = reg::kSz;
        raw.data.assign(content.begin(), content.end());
        raw.data.push_back(0);
        value = raw;
        return true;
    }
    if (text.rfind("dword:", 0) == 0) {
        const std::string digits = Trim(text.substr(6));
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        for (char c : digits) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        const auto number = static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
        raw.type = reg::kDword;
        raw.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                    static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
        value = raw;
        return true;
    }
    std::string bytes;
    if (text.rfind("hex:", 0) == 0) {
        raw.type = reg::kBinary;
        bytes = text.substr(4);
    } else if (text.rfind("hex(", 0) == 0) {
        const std::size_t close = text.find("):");
        if (close == std::string::npos || close == 4 || close > 12) {
            return false;
        }
        const std::string type = text.substr(4, close - 4);
        for (char c : type) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        raw.type = static_cast<std::uint32_t>(std::stoul(type, nullptr, 16));
        bytes = text.substr(close + 2);
    } else {
        return false;
    }
    if (!ParseHexBytes(bytes, raw.data)) {
        return false;
    }
    if (IsText(raw.type) && form.textFromFile) {
        const std::string data = form.textFromFile(
            std::string_view(reinterpret_cast<const char*>(raw.data.data()), raw.data.size()));
        raw.data.assign(data.begin(), data.end());
    }
    value = raw;
    return true;
}

// ---- importing ----

void DeleteTree(Registry& registry, HKey parent, const std::string& name) {
    {
        RegKey key;
        if (key.Open(registry, parent, name, reg::kAllAccess) != reg::kSuccess) {
            return;
        }
        // Children first, always the first one, as each delete moves the next one up.
        for (;;) {
            std::string childName;
            if (registry.EnumKey(key.Get(), 0, reg::kMaxKeyNameLength + 1, childName) != reg::kSuccess) {
                break;
            }
            DeleteTree(registry, key.Get(), childName);
            RegKey still;
            if (still.Open(registry, key.Get(), childName, reg::kRead) == reg::kSuccess) {
                return;  // could not be deleted: stop rather than loop
            }
        }
    }
    registry.DeleteKey(parent, name);
}

}  // namespace

std::string FormatValue(const RawValue& value) {
    return FormatData(value, 0, false);
}

bool WriteRegFile(const RegFile& file, std::string& text, std::string& error, const RegFileForm& form) {
    text = form.firstLine + "\r\n\r\n";
    for (const std::string& comment : file.comments) {
        if (HasControlCharacter(comment)) {
            error = "a comment holds a line break or another control character";
            return false;
        }
        text += "; " + comment + "\r\n";
    }
    if (!file.comments.empty()) {
        text += "\r\n";
    }
    for (const Section& section : file.sections) {
        if (HasControlCharacter(section.path)) {
            error = "a key name holds a line break or another control character: " + KeyName(section);
            return false;
        }
        text += (section.deleteKey ? "[-" : "[") + KeyName(section) + "]\r\n";
        for (const ValueEntry& entry : section.values) {
            if (HasControlCharacter(entry.name)) {
                error = "a value name of " + KeyName(section) +
                        " holds a line break or another control character";
                return false;
            }
            std::string line = entry.name.empty() ? "@=" : Quote(entry.name) + "=";
            if (!entry.value) {
                line += "-";
            } else if (!IsText(entry.value->type) || !form.textToFile || QuotedFormKeepsBytes(*entry.value)) {
                line += FormatData(*entry.value, line.size(), true);
            } else {
                const auto& data = entry.value->data;
                const auto bytes = form.textToFile(
                    std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
                if (!bytes) {
                    error = "a text of " + KeyName(section) + " has no exact form in this file";
                    return false;
                }
                line += FormatData(RawValue{entry.value->type, {bytes->begin(), bytes->end()}}, line.size(),
                                   true);
            }
            text += line + "\r\n";
        }
        text += "\r\n";
    }
    return true;
}

std::optional<RootKey> RootFromName(const std::string& name) {
    for (RootKey root : {RootKey::ClassesRoot, RootKey::CurrentUser, RootKey::LocalMachine, RootKey::Users}) {
        if (name == RootName(root)) {
            return root;
        }
    }
    return std::nullopt;
}

std::optional<RegFile> ParseRegFile(const std::string& text, std::string& error, const RegFileForm& form) {
    std::vector<std::string> lines;
    {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
            start = end + 1;
        }
    }
    RegFile file;
    bool header = false;
    Section* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        std::string line = Trim(lines[i]);
        if (line.empty() || line[0] == ';') {
            if (header && !current && !line.empty()) {
                file.comments.push_back(Trim(line.substr(1)));
            }
            continue;
        }
        if (!header) {
            if (line != form.firstLine) {
                error = where + "not a " + form.firstLine + " file (the first line must be " +
                        form.firstLine + ")";
                return std::nullopt;
            }
            header = true;
            continue;
        }
        if (line[0] == '[') {
            const std::size_t close = line.rfind(']');
            if (close == std::string::npos || !Trim(line.substr(close + 1)).empty()) {
                error = where + "a key line must end with ]";
                return std::nullopt;
            }
            Section section;
            std::string name = line.substr(1, close - 1);
            if (!name.empty() && name[0] == '-') {
                section.deleteKey = true;
                name.erase(0, 1);
            }
            const std::size_t slash = name.find('\\');
            const auto root = RootFromName(name.substr(0, slash));
            if (!root || slash == std::string::npos || slash + 1 == name.size()) {
                error = where + "unknown root key or empty key path in [" + name + "]";
                return std::nullopt;
            }
            section.root = *root;
            section.path = name.substr(slash + 1);
            file.sections.push_back(section);
            current = &file.sections.back();
            continue;
        }
        if (!current || current->deleteKey) {
            error = where + (current ? "a value below a deleted key" : "a value before the first key");
            return std::nullopt;
        }
        ValueEntry entry;
        std::size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] != '"' || !ReadQuoted(line, pos, entry.name)) {
            error = where + "expected \"name\"= or @=";
            return std::nullopt;
        }
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) {
            ++pos;
        }
        if (pos >= line.size() || line[pos] != '=') {
            error = where + "expected = after the value name";
            return std::nullopt;
        }
        std::string data = Trim(line.substr(pos + 1));
        // Hex data may go on over several lines, each but the last ending in a backslash.
        while (data.rfind("hex", 0) == 0 && !data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
            data.pop_back();
            data += Trim(lines[++i]);
            if (!data.empty() && data.back() == '\r') {
                data.pop_back();
            }
        }
        if (!ParseData(data, form, entry.value)) {
            error = where + "cannot read the value's data";
            return std::nullopt;
        }
        current->values.push_back(entry);
    }
    if (!header) {
        error = "the file is empty (no " + form.firstLine + " line)";
        return std::nullopt;
    }
    return file;
}

bool ImportRegFile(Registry& registry, const RegFile& file) {
    bool ok = true;
    for (const Section& section : file.sections) {
        if (section.deleteKey) {
            DeleteTree(registry, ToHKey(section.root), section.path);
            continue;
        }
        RegKey key;
        if (key.Create(registry, ToHKey(section.root), section.path, reg::kAllAccess) != reg::kSuccess) {
            ok = false;
            continue;
        }
        for (const ValueEntry& entry : section.values) {
            if (!entry.value) {
                registry.DeleteValue(key.Get(), entry.name);
                continue;
            }
            const auto& data = entry.value->data;
            if (registry.SetValue(key.Get(), entry.name, entry.value->type, data.data(),
                                  static_cast<std::uint32_t>(data.size())) != reg::kSuccess) {
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace velmora::cli
