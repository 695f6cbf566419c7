// The whole registry of the prefix, captured through the public registry calls: HKEY_LOCAL_MACHINE and
// HKEY_USERS, which hold everything (HKEY_CLASSES_ROOT and HKEY_CURRENT_USER are views of them).
//
// Keys are named for people: the current user's branch of HKEY_USERS as "HKCU\...", the machine's
// classes as "HKCR\...", everything else as "HKLM\..." or "HKU\...". Symbolic links are kept as their
// link value, never followed. Left out are the volatile keys Wine rebuilds by itself at server and
// process starts (none of them one the program reads or writes): every other difference is the
// program's.
//
// Walking the whole registry takes tens of thousands of calls to the registry server, seconds under
// load. So the walk is done in full once; after that each small branch is watched for changes
// (RegNotifyChangeKeyValue over its subtree) and walked again only when something in it changed, or
// when the branch itself was made again (its last-write time differs).
#pragma once

#include <string>
#include <string_view>

#include "tests/support/RegistryCapture.h"

namespace velmora::e2e {

capture::RegistryCapture CaptureWholeRegistry();

// The name a key of the program's view has in a whole capture: "HKCU\Control Panel\Desktop" and the like.
std::string WholeKeyName(RootKey root, std::string_view path);

// The current user's branch of HKEY_USERS ("S-1-5-21-..."), which HKEY_CURRENT_USER shows.
const std::string& CurrentUserSid();

}  // namespace velmora::e2e
