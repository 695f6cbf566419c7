// Raw registry access for the driver: values with their stored type, so that preparing and checking a
// scenario sees exactly what the program wrote. Interpreted reads use the program's own ReadValue.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"
#include "tests/support/RegistryCapture.h"

namespace velmora::e2e {

using RegistryValue = capture::Value;
using capture::Describe;

// The real registry of the prefix the driver runs in.
Registry& MachineRegistry();

// "HKCU" and so on, for messages.
std::string RootName(RootKey root);
// "HKCU\path" (or "HKCU" for an empty path).
std::string KeyName(RootKey root, std::string_view path);

bool KeyPresent(RootKey root, std::string_view path);
std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path, std::string_view name);
// Creates the key and any missing parents. True on success.
bool WriteRawValue(RootKey root, std::string_view path, std::string_view name, const RegistryValue& value);
// True when the value is gone afterwards (also when it or its key never existed).
bool RemoveValue(RootKey root, std::string_view path, std::string_view name);
// Deletes a key with everything below it. True when it is gone afterwards.
bool RemoveKeyTree(RootKey root, std::string_view path);

}  // namespace velmora::e2e
