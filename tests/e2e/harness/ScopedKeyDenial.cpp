#include "tests/e2e/harness/ScopedKeyDenial.h"

namespace velmora::e2e {
namespace {

HKEY RootHandle(RootKey root) {
    switch (root) {
        case RootKey::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RootKey::CurrentUser:
            return HKEY_CURRENT_USER;
        case RootKey::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RootKey::Users:
            return HKEY_USERS;
    }
    return nullptr;
}

}  // namespace

ScopedKeyDenial::ScopedKeyDenial(RootKey root, const std::string& path) {
    if (RegOpenKeyExA(RootHandle(root), path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key_) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    DWORD size = 0;
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (size == 0 ||
        RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS) {
        saved_.clear();
        return;
    }
    // Everyone may read the key and hand its list back; no one may change, add below or delete it.
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        return;
    }
    std::vector<BYTE> acl(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(everyone));
    SECURITY_DESCRIPTOR descriptor;
    const auto list = reinterpret_cast<PACL>(acl.data());
    denied_ = InitializeAcl(list, static_cast<DWORD>(acl.size()), ACL_REVISION) &&
              AddAccessAllowedAce(list, ACL_REVISION, KEY_READ | WRITE_DAC, everyone) &&
              InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor, TRUE, list, FALSE) &&
              RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    FreeSid(everyone);
}

ScopedKeyDenial::~ScopedKeyDenial() {
    if (key_ == nullptr) {
        return;
    }
    if (denied_ && !saved_.empty()) {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data());
    }
    RegCloseKey(key_);
}

}  // namespace velmora::e2e
