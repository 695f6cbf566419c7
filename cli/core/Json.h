// A JSON reader for the profiles `apply` takes: the values with the line and column each starts at, so
// that a problem can be named by its place in the file. Strings come out in UTF-8; a \u escape of a lone
// surrogate, as `show --json` writes one, comes out as its three bytes (text/Utf.h), as a registry name
// holding it is kept inside.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::cli {

struct JsonValue {
    enum Kind { kNull, kBool, kNumber, kString, kArray, kObject };
    Kind kind = kNull;
    bool boolean = false;
    std::string text;  // a string's text, or a number as written
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in file order
    int line = 1;
    int column = 1;

    // The member named `name` (the first, when a name is repeated); null when there is none.
    const JsonValue* Find(std::string_view name) const;
};

// Parses `text` (UTF-8; a byte order mark is skipped). Nothing, with `error` as "line L, column C: what",
// when it is not one JSON value followed only by blanks.
std::optional<JsonValue> ParseJson(std::string_view text, std::string& error);

// "line L, column C".
std::string PlaceOf(const JsonValue& value);

}  // namespace velmora::cli
