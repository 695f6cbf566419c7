#include "registry/Win32Registry.h"

#include <windows.h>

#include <string>

namespace velmora {
namespace {

// The predefined roots are sign-extended 32-bit values in a 64-bit HKEY; map them explicitly.
::HKEY Native(HKey key) {
    switch (key) {
        case ToHKey(RootKey::ClassesRoot):
            return HKEY_CLASSES_ROOT;
        case ToHKey(RootKey::CurrentUser):
            return HKEY_CURRENT_USER;
        case ToHKey(RootKey::LocalMachine):
            return HKEY_LOCAL_MACHINE;
        case ToHKey(RootKey::Users):
            return HKEY_USERS;
        default:
            return reinterpret_cast<::HKEY>(key);
    }
}

HKey Portable(::HKEY key) {
    return reinterpret_cast<HKey>(key);
}

// The Win32 calls take zero-terminated names; a string_view need not end in one.
std::string Z(std::string_view text) {
    return std::string(text);
}

// advapi32's calls as they are: the access and the key delete come chosen by ViewedRegistry.
class Win32Calls : public RegistryCalls {
  public:
    Win32Calls()
        : deleteKeyEx_(reinterpret_cast<RegDeleteKeyExFn>(reinterpret_cast<void (*)()>(
              GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")))) {}

    VELMORA_REGISTRY_OVERRIDES;
    bool HasDeleteKeyEx() const override { return deleteKeyEx_ != nullptr; }
    long DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) override;

  private:
    // Looked up at run time: Windows 95, 98, NT 4.0, 2000 and 32-bit XP do not have it.
    using RegDeleteKeyExFn = LONG(WINAPI*)(::HKEY, LPCSTR, REGSAM, DWORD);
    const RegDeleteKeyExFn deleteKeyEx_;
};

// Stateless but for the look-up: one for the process.
Win32Calls& Calls() {
    static Win32Calls calls;
    return calls;
}

}  // namespace

Win32Registry::Win32Registry() : Win32Registry(ProcessRegistryView()) {}

Win32Registry::Win32Registry(RegistryView view) : ViewedRegistry(Calls(), view) {}

long Win32Calls::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    ::HKEY key = nullptr;
    const long status = RegOpenKeyExA(Native(parent), Z(path).c_str(), 0, access, &key);
    if (status == ERROR_SUCCESS) {
        result = Portable(key);
    }
    return status;
}

long Win32Calls::CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    ::HKEY key = nullptr;
    DWORD disposition = 0;
    const long status = RegCreateKeyExA(Native(parent), Z(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        access, nullptr, &key, &disposition);
    if (status == ERROR_SUCCESS) {
        result = Portable(key);
    }
    return status;
}

long Win32Calls::CloseKey(HKey key) {
    return RegCloseKey(Native(key));
}

long Win32Calls::QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) {
    DWORD nativeType = 0;
    DWORD nativeSize = size != nullptr ? *size : 0;
    const long status = RegQueryValueExA(Native(key), Z(name).c_str(), nullptr, type ? &nativeType : nullptr,
                                         data, size ? &nativeSize : nullptr);
    if (type != nullptr) {
        *type = nativeType;
    }
    if (size != nullptr) {
        *size = nativeSize;
    }
    return status;
}

long Win32Calls::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    LONG nativeSize = size != nullptr ? *size : 0;
    const std::string sub = Z(subKey);
    const long status =
        RegQueryValueA(Native(key), sub.empty() ? nullptr : sub.c_str(), data, size ? &nativeSize : nullptr);
    if (size != nullptr) {
        *size = nativeSize;
    }
    return status;
}

long Win32Calls::SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                          std::uint32_t size) {
    return RegSetValueExA(Native(key), Z(name).c_str(), 0, type, data, size);
}

long Win32Calls::DeleteValue(HKey key, std::string_view name) {
    return RegDeleteValueA(Native(key), Z(name).c_str());
}

long Win32Calls::DeleteKey(HKey key, std::string_view subKey) {
    return RegDeleteKeyA(Native(key), Z(subKey).c_str());
}

long Win32Calls::DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) {
    return deleteKeyEx_(Native(key), Z(subKey).c_str(), view, 0);
}

long Win32Calls::EnumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                           std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
    DWORD nativeNameSize = nameSize != nullptr ? *nameSize : 0;
    DWORD nativeType = 0;
    DWORD nativeDataSize = dataSize != nullptr ? *dataSize : 0;
    const long status =
        RegEnumValueA(Native(key), index, name, nameSize ? &nativeNameSize : nullptr, nullptr,
                      type ? &nativeType : nullptr, data, dataSize ? &nativeDataSize : nullptr);
    if (nameSize != nullptr && status == ERROR_SUCCESS) {
        *nameSize = nativeNameSize;
    }
    if (type != nullptr) {
        *type = nativeType;
    }
    if (dataSize != nullptr) {
        *dataSize = nativeDataSize;
    }
    return status;
}

long Win32Calls::EnumKey(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) {
    DWORD nativeNameSize = nameSize != nullptr ? *nameSize : 0;
    const long status = RegEnumKeyExA(Native(key), index, name, nameSize ? &nativeNameSize : nullptr, nullptr,
                                      nullptr, nullptr, nullptr);
    if (nameSize != nullptr && status == ERROR_SUCCESS) {
        *nameSize = nativeNameSize;
    }
    return status;
}

}  // namespace velmora
