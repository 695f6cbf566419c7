// Checks of the registry after a backup was imported with regedit.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/harness/RegistrySnapshot.h"

namespace velmora::clitest {

// The differences between `before` and the registry now, one line each as e2e::Differences gives them,
// sorted, without the keys that appeared holding no value of their own: an import may create such a
// key on the way to a value it deletes (and a key with values below it shows by those values).
std::vector<std::string> ChangesBesidesEmptyKeys(const e2e::RegistrySnapshot& before);

}  // namespace velmora::clitest
