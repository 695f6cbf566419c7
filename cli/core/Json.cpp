#include "cli/core/Json.h"

#include "text/Utf.h"

namespace velmora::cli {
namespace {

// Nesting deeper than any profile needs is refused before it can exhaust the stack.
constexpr int kMaxDepth = 64;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document(std::string& error) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            pos_ = 3;
        }
        JsonValue value;
        if (!Value(value, 0) ||
            (SkipBlanks(), pos_ != text_.size() && Fail("unexpected text after the end"))) {
            error = "line " + std::to_string(errorLine_) + ", column " + std::to_string(errorColumn_) + ": " +
                    error_;
            return std::nullopt;
        }
        return value;
    }

  private:
    // Records the first problem at the current place; always false, so that it can end a condition.
    bool Fail(const std::string& what) {
        if (error_.empty()) {
            error_ = what;
            errorLine_ = line_;
            errorColumn_ = Column();
        }
        return false;
    }

    // Counted in characters: a UTF-8 continuation byte is no column of its own.
    int Column() const {
        int column = 1;
        for (std::size_t i = lineStart_; i < pos_ && i < text_.size(); ++i) {
            column += (static_cast<unsigned char>(text_[i]) & 0xC0) == 0x80 ? 0 : 1;
        }
        return column;
    }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                lineStart_ = pos_ + 1;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                return;
            }
            ++pos_;
        }
    }

    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) {
            return Fail("not a JSON value");
        }
        pos_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, int depth) {
        SkipBlanks();
        value.line = line_;
        value.column = Column();
        if (pos_ >= text_.size()) {
            return Fail("the text ends where a value was expected");
        }
        if (depth > kMaxDepth) {
            return Fail("nested too deeply");
        }
        switch (text_[pos_]) {
            case '{':
                value.kind = JsonValue::kObject;
                return Object(value, depth);
            case '[':
                value.kind = JsonValue::kArray;
                return Array(value, depth);
            case '"':
                value.kind = JsonValue::kString;
                return String(value.text);
            case 't':
                value.kind = JsonValue::kBool;
                value.boolean = true;
                return Literal("true");
            case 'f':
                value.kind = JsonValue::kBool;
                return Literal("false");
            case 'n':
                return Literal("null");
            default:
                value.kind = JsonValue::kNumber;
                return Number(value.text);
        }
    }

    bool Object(JsonValue& value, int depth) {
        ++pos_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return true;
        }
        while (true) {
            SkipBlanks();
            std::string name;
            if (pos_ >= text_.size() || text_[pos_] != '"') {
                return Fail("a member name in double quotes was expected");
            }
            if (!String(name)) {
                return false;
            }
            SkipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != ':') {
                return Fail("':' was expected after the member name");
            }
            ++pos_;
            JsonValue member;
            if (!Value(member, depth + 1)) {
                return false;
            }
            value.members.emplace_back(std::move(name), std::move(member));
            if (!Separator('}')) {
                return error_.empty();
            }
        }
    }

    bool Array(JsonValue& value, int depth) {
        ++pos_;
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return true;
        }
        while (true) {
            JsonValue item;
            if (!Value(item, depth + 1)) {
                return false;
            }
            value.items.push_back(std::move(item));
            if (!Separator(']')) {
                return error_.empty();
            }
        }
    }

    // After an item: true on ',' (another follows), false on the closing bracket or on an error.
    bool Separator(char close) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
            return true;
        }
        if (pos_ < text_.size() && text_[pos_] == close) {
            ++pos_;
            return false;
        }
        return Fail(std::string("',' or '") + close + "' was expected");
    }

    bool Hex4(std::uint32_t& unit) {
        if (pos_ + 4 > text_.size()) {
            return Fail("a \\u escape needs four hexadecimal digits");
        }
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                --pos_;
                return Fail("a \\u escape needs four hexadecimal digits");
            }
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool String(std::string& out) {
        ++pos_;
        // Escaped units are gathered and turned into UTF-8 together, so that a pair of surrogates is one
        // character and a lone one stays what it was.
        std::u16string units;
        const auto flush = [&] {
            out += text::ToUtf8(units);
            units.clear();
        };
        while (true) {
            if (pos_ >= text_.size()) {
                return Fail("the text ends inside a string");
            }
            const char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                flush();
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return Fail("a control character inside a string (write it as a \\u escape)");
            }
            if (c != '\\') {
                flush();
                out += c;
                ++pos_;
                continue;
            }
            ++pos_;
            if (pos_ >= text_.size()) {
                return Fail("the text ends inside a string");
            }
            const char e = text_[pos_++];
            const char* const simple = "\"\\/bfnrt";
            const char* const meant = "\"\\/\b\f\n\r\t";
            if (e == 'u') {
                std::uint32_t unit = 0;
                if (!Hex4(unit)) {
                    return false;
                }
                units += static_cast<char16_t>(unit);
                continue;
            }
            bool known = false;
            for (int i = 0; simple[i] != 0; ++i) {
                if (e == simple[i]) {
                    flush();
                    out += meant[i];
                    known = true;
                }
            }
            if (!known) {
                pos_ -= 2;
                return Fail(std::string("unknown escape \\") + e);
            }
        }
    }

    bool Number(std::string& out) {
        const std::size_t start = pos_;
        const auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
                ++pos_;
            }
            return pos_ > from;
        };
        if (pos_ < text_.size() && text_[pos_] == '-') {
            ++pos_;
        }
        if (!digits()) {
            return Fail("not a JSON value");
        }
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits()) {
                return Fail("digits were expected after '.'");
            }
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
                ++pos_;
            }
            if (!digits()) {
                return Fail("digits were expected in the exponent");
            }
        }
        out = std::string(text_.substr(start, pos_ - start));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    std::string error_;
    int errorLine_ = 1;
    int errorColumn_ = 1;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view name) const {
    for (const auto& [key, value] : members) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

std::optional<JsonValue> ParseJson(std::string_view text, std::string& error) {
    return Parser(text).Document(error);
}

std::string PlaceOf(const JsonValue& value) {
    return "line " + std::to_string(value.line) + ", column " + std::to_string(value.column);
}

}  // namespace velmora::cli
