#include "registry/ValueReader.h"

#include <algorithm>
#include <climits>
#include <new>

#include "registry/RegKey.h"

namespace velmora {

std::string_view ValueData::Text() const {
    std::string_view all(reinterpret_cast<const char*>(bytes_.data()), bytes_.size());
    return all.substr(0, all.find('\0'));
}

int ValueData::Number() const {
    const std::string_view text = Text();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) {
            value = value * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::optional<ValueData> ReadValue(Registry& registry, RootKey root, std::string_view path,
                                   std::string_view name) {
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
        return std::nullopt;
    }
    return ReadValue(registry, key.Get(), name);
}

std::optional<ValueData> ReadValue(Registry& registry, HKey key, std::string_view name) {
    std::uint32_t size = 0;
    if (registry.QueryValue(key, name, nullptr, nullptr, &size) != reg::kSuccess) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    if (size != 0) {
        try {
            bytes.resize(size);
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        // The value may have changed since the size was asked; keep only what this read received.
        if (registry.QueryValue(key, name, nullptr, bytes.data(), &size) != reg::kSuccess) {
            return std::nullopt;
        }
        bytes.resize(size);
    }
    return ValueData(std::move(bytes));
}

std::optional<ValueData> ReadValueAtOnce(Registry& registry, HKey key, std::string_view name) {
    std::vector<std::uint8_t> bytes(kFirstReadSize);
    std::uint32_t size = kFirstReadSize;
    long status = registry.QueryValue(key, name, nullptr, bytes.data(), &size);
    if (status == reg::kMoreData) {
        // Larger than the first buffer: the failed call said how large. A value that grows once more
        // before the second read fails it, as a changed size fails the read after a size query.
        try {
            bytes.resize(size);
        } catch (const std::bad_alloc&) {
            return std::nullopt;
        }
        status = registry.QueryValue(key, name, nullptr, bytes.data(), &size);
    }
    if (status != reg::kSuccess) {
        return std::nullopt;
    }
    // Never more than the buffer holds, whatever the call claims.
    bytes.resize(std::min<std::size_t>(size, bytes.size()));
    return ValueData(std::move(bytes));
}

bool ReadFlag(Registry& registry, RootKey root, std::string_view path, std::string_view name, bool missing) {
    const auto data = ReadValue(registry, root, path, name);
    return data ? data->FirstByteSet() : missing;
}

bool KeyExists(Registry& registry, RootKey root, std::string_view path) {
    RegKey key;
    return key.Open(registry, ToHKey(root), path, reg::kRead) == reg::kSuccess;
}

}  // namespace velmora
