#include "controls/HyperLinkRules.h"

#include <array>

#include "registry/RegKey.h"

namespace velmora::hyperlink {

Rect FitToText(Rect rect, long textWidth, long textHeight, std::uint32_t style) {
    if ((style & kCenterImage) != 0) {
        const long inset = (rect.bottom - rect.top - textHeight) / 2;
        rect.top += inset;
        rect.bottom -= inset;
    } else {
        rect.bottom = rect.top + textHeight;
    }
    if ((style & kCenter) != 0) {
        const long inset = (rect.right - rect.left - textWidth) / 2;
        rect.left += inset;
        rect.right -= inset;
    } else if ((style & kRight) != 0) {
        rect.left = rect.right - textWidth;
    } else {
        rect.right = rect.left + textWidth;
    }
    return rect;
}

std::optional<std::string> BuildBrowserCommandLine(std::string_view registered, std::string_view target) {
    std::string_view line = registered;
    if (const auto quoted = line.find("\"%1\""); quoted != std::string_view::npos) {
        line = line.substr(0, quoted);
    } else if (const auto bare = line.find("%1"); bare != std::string_view::npos) {
        line = line.substr(0, bare);
    }
    // The line, a blank, the target and the terminating zero must fit the buffer.
    if (line.size() + 1 + target.size() + 1 > kCommandLineBufferSize) {
        return std::nullopt;
    }
    std::string command(line);
    command += ' ';
    command += target;
    return command;
}

long ReadDefaultValue(Registry& registry, HKey root, std::string_view subKey, std::string& value) {
    RegKey key;
    if (const long error = key.Open(registry, root, subKey, reg::kQueryValue); error != reg::kSuccess) {
        return error;
    }
    std::array<char, 260> buffer{};
    long size = static_cast<long>(buffer.size());
    if (const long error = registry.QueryDefaultValue(key.Get(), "", buffer.data(), &size);
        error != reg::kSuccess) {
        return error;
    }
    // The data need not carry its zero: take no more than was received, up to the first zero.
    const std::string_view received(buffer.data(), static_cast<std::size_t>(size > 0 ? size : 0));
    value.assign(received.substr(0, received.find('\0')));
    return reg::kSuccess;
}

std::uintptr_t OpenTarget(Registry& registry, Shell& shell, const std::string& target, int show) {
    const std::uintptr_t shellCode = shell.Open(target, show);
    if (shellCode > 32) {
        return shellCode;
    }
    const HKey classes = ToHKey(RootKey::ClassesRoot);
    std::string documentClass;
    if (ReadDefaultValue(registry, classes, ".htm", documentClass) != reg::kSuccess) {
        return shellCode;
    }
    std::string command;
    if (ReadDefaultValue(registry, classes, documentClass + "\\shell\\open\\command", command) !=
        reg::kSuccess) {
        return shellCode;
    }
    const std::optional<std::string> line = BuildBrowserCommandLine(command, target);
    if (!line) {
        return shellCode;
    }
    return shell.Run(*line, show);
}

std::string OpenErrorText(std::uintptr_t code) {
    switch (code) {
        case 0:
            return "The operating system is out\nof memory or resources.";
        case 2:
            return "The specified file was not found.";
        case 3:
            return "The specified path was not found.";
        case 5:
            return "The operating system denied\naccess to the specified file.";
        case 8:
            return "There was not enough memory to complete the operation.";
        case 11:
            return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "A sharing violation occurred. ";
        case 27:
            return "The filename association is\nincomplete or invalid.";
        case 28:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
                   "being processed.";
        case 31:
            return "There is no application associated\nwith the given filename extension.";
        case 32:
            return "The specified dynamic-link library was not found.";
        default:
            // Built by concatenation: no text here is ever used as a format.
            return "Unknown Error (" + std::to_string(static_cast<int>(code)) + ") occurred.";
    }
}

std::string OpenErrorMessage(std::uintptr_t code) {
    return "Unable to open hyperlink:\n\n" + OpenErrorText(code);
}

}  // namespace velmora::hyperlink
