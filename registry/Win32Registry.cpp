#include "registry/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "text/win32/SystemText.h"

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

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

template <class Fn>
Fn Find(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("advapi32.dll"), name)));
}

// advapi32's Unicode calls, looked up at run time: Windows 95 and 98 have them only as stubs that fail,
// and the programs import nothing those systems lack. RegDeleteKeyEx came with XP x64 and Vista.
struct WideFunctions {
    decltype(&RegOpenKeyExW) openKey = Find<decltype(&RegOpenKeyExW)>("RegOpenKeyExW");
    decltype(&RegCreateKeyExW) createKey = Find<decltype(&RegCreateKeyExW)>("RegCreateKeyExW");
    decltype(&RegQueryValueExW) queryValue = Find<decltype(&RegQueryValueExW)>("RegQueryValueExW");
    decltype(&RegQueryValueW) queryDefault = Find<decltype(&RegQueryValueW)>("RegQueryValueW");
    decltype(&RegSetValueExW) setValue = Find<decltype(&RegSetValueExW)>("RegSetValueExW");
    decltype(&RegDeleteValueW) deleteValue = Find<decltype(&RegDeleteValueW)>("RegDeleteValueW");
    decltype(&RegDeleteKeyW) deleteKey = Find<decltype(&RegDeleteKeyW)>("RegDeleteKeyW");
    decltype(&RegEnumValueW) enumValue = Find<decltype(&RegEnumValueW)>("RegEnumValueW");
    decltype(&RegEnumKeyExW) enumKey = Find<decltype(&RegEnumKeyExW)>("RegEnumKeyExW");
    LONG(WINAPI* deleteKeyEx)
    (::HKEY, LPCWSTR, REGSAM, DWORD) = Find<decltype(deleteKeyEx)>("RegDeleteKeyExW");

    bool Complete() const {
        return openKey && createKey && queryValue && queryDefault && setValue && deleteValue && deleteKey &&
               enumValue && enumKey;
    }
};

const WideFunctions& Wide() {
    static const WideFunctions functions;
    return functions;
}

// The NT family's calls: names and text values in UTF-16.
struct WideApi {
    using Char = wchar_t;
    static std::wstring Name(std::string_view utf8) { return text::Wide(utf8); }
    static std::string FromName(const wchar_t* name, std::size_t length) {
        return text::Narrow(std::wstring_view(name, length));
    }
    static std::string DataIn(const std::string& raw) {
        // Whole units only: a stray odd byte is no character.
        std::wstring units(raw.size() / sizeof(wchar_t), L'\0');
        std::memcpy(units.data(), raw.data(), units.size() * sizeof(wchar_t));
        return text::Narrow(units);
    }
    static std::string DataOut(std::string_view utf8) {
        const std::wstring units = text::Wide(utf8);
        return std::string(reinterpret_cast<const char*>(units.data()), units.size() * sizeof(wchar_t));
    }
    static LONG Open(::HKEY key, const wchar_t* path, REGSAM access, ::HKEY* result) {
        return Wide().openKey(key, path, 0, access, result);
    }
    static LONG Create(::HKEY key, const wchar_t* path, REGSAM access, ::HKEY* result) {
        DWORD disposition = 0;
        return Wide().createKey(key, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, result,
                                &disposition);
    }
    static LONG Query(::HKEY key, const wchar_t* name, DWORD* type, void* data, DWORD* size) {
        return Wide().queryValue(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    }
    static LONG QueryDefault(::HKEY key, const wchar_t* subKey, void* data, LONG* size) {
        return Wide().queryDefault(key, subKey, static_cast<wchar_t*>(data), size);
    }
    static LONG Set(::HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        return Wide().setValue(key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static LONG DeleteValue(::HKEY key, const wchar_t* name) { return Wide().deleteValue(key, name); }
    static LONG DeleteKey(::HKEY key, const wchar_t* subKey) { return Wide().deleteKey(key, subKey); }
    static bool HasDeleteKeyEx() { return Wide().deleteKeyEx != nullptr; }
    static LONG DeleteKeyEx(::HKEY key, const wchar_t* subKey, REGSAM view) {
        return Wide().deleteKeyEx(key, subKey, view, 0);
    }
    static LONG EnumValue(::HKEY key, DWORD index, wchar_t* name, DWORD* length, DWORD* type) {
        return Wide().enumValue(key, index, name, length, nullptr, type, nullptr, nullptr);
    }
    static LONG EnumKey(::HKEY key, DWORD index, wchar_t* name, DWORD* length) {
        return Wide().enumKey(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }
};

// Windows 95 and 98: names and text values in the ANSI code page, byte for byte as the system holds
// them (text/win32/SystemText.h keeps the bytes that decode to nothing).
struct AnsiApi {
    using Char = char;
    static std::string Name(std::string_view utf8) { return text::ToAnsi(utf8); }
    static std::string FromName(const char* name, std::size_t length) {
        return text::FromAnsi(std::string_view(name, length));
    }
    static std::string DataIn(const std::string& raw) { return text::FromAnsi(raw); }
    static std::string DataOut(std::string_view utf8) { return text::ToAnsi(utf8); }
    static LONG Open(::HKEY key, const char* path, REGSAM access, ::HKEY* result) {
        return RegOpenKeyExA(key, path, 0, access, result);
    }
    static LONG Create(::HKEY key, const char* path, REGSAM access, ::HKEY* result) {
        DWORD disposition = 0;
        return RegCreateKeyExA(key, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, result,
                               &disposition);
    }
    static LONG Query(::HKEY key, const char* name, DWORD* type, void* data, DWORD* size) {
        return RegQueryValueExA(key, name, nullptr, type, static_cast<BYTE*>(data), size);
    }
    static LONG QueryDefault(::HKEY key, const char* subKey, void* data, LONG* size) {
        return RegQueryValueA(key, subKey, static_cast<char*>(data), size);
    }
    static LONG Set(::HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
        return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static LONG DeleteValue(::HKEY key, const char* name) { return RegDeleteValueA(key, name); }
    static LONG DeleteKey(::HKEY key, const char* subKey) { return RegDeleteKeyA(key, subKey); }
    // Windows 95 and 98 have no 64-bit view to delete from.
    static bool HasDeleteKeyEx() { return false; }
    static LONG DeleteKeyEx(::HKEY, const char*, REGSAM) { return ERROR_CALL_NOT_IMPLEMENTED; }
    static LONG EnumValue(::HKEY key, DWORD index, char* name, DWORD* length, DWORD* type) {
        return RegEnumValueA(key, index, name, length, nullptr, type, nullptr, nullptr);
    }
    static LONG EnumKey(::HKEY key, DWORD index, char* name, DWORD* length) {
        return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    }
};

// Hands `bytes` to a caller as the query calls do: a null `data` asks for the size only, and a buffer
// too small fails with ERROR_MORE_DATA and the size it needs.
template <class Size>
long Deliver(const std::string& bytes, void* data, Size* size) {
    const auto length = static_cast<Size>(bytes.size());
    if (data != nullptr) {
        if (size == nullptr) {
            return ERROR_INVALID_PARAMETER;
        }
        if (*size < length) {
            *size = length;
            return ERROR_MORE_DATA;
        }
        if (length != 0) {
            std::memcpy(data, bytes.data(), bytes.size());
        }
    }
    if (size != nullptr) {
        *size = length;
    }
    return ERROR_SUCCESS;
}

// A whole value through `query(data, size)`: its size first, then its bytes, again should it have grown
// in between. The text of a value changes size on its way in, so a caller's size query is answered from
// the whole value.
template <class Size, class Query>
long ReadWhole(Query query, std::string& bytes) {
    Size size = 0;
    long status = query(nullptr, &size);
    for (int tries = 0; status == ERROR_SUCCESS && tries < 8; ++tries) {
        bytes.assign(static_cast<std::size_t>(size), '\0');
        Size read = size;
        status = query(size != 0 ? bytes.data() : nullptr, &read);
        if (status == ERROR_SUCCESS) {
            bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(read)));
            return status;
        }
        if (status == ERROR_MORE_DATA) {
            size = read;
            status = ERROR_SUCCESS;
        }
    }
    return status;
}

// The registry calls in one system's text: the text comes in and goes out as UTF-8, and only the names
// and the data of text values change form.
template <class Api>
class Win32Calls : public RegistryCalls {
  public:
    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) override;
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long DeleteValue(HKey key, std::string_view name) override;
    long DeleteKey(HKey key, std::string_view subKey) override;
    long EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    long EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) override;
    bool HasDeleteKeyEx() const override { return Api::HasDeleteKeyEx(); }
    long DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) override {
        return Api::DeleteKeyEx(Native(key), Api::Name(subKey).c_str(), view);
    }

  private:
    static long Enum(HKey key, std::uint32_t index, std::uint32_t room, std::string& name, DWORD* type) {
        std::basic_string<typename Api::Char> buffer(room != 0 ? room : 1, 0);
        DWORD length = room;
        const long status = type != nullptr ? Api::EnumValue(Native(key), index, buffer.data(), &length, type)
                                            : Api::EnumKey(Native(key), index, buffer.data(), &length);
        if (status == ERROR_SUCCESS) {
            // The call reports the length; the name ends at its first zero all the same, inside the buffer.
            buffer.resize(std::min<std::size_t>(length, buffer.size() - 1));
            name = Api::FromName(buffer.data(), std::min(buffer.size(), buffer.find(typename Api::Char(0))));
        }
        return status;
    }
};

template <class Api>
long Win32Calls<Api>::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    ::HKEY key = nullptr;
    const long status = Api::Open(Native(parent), Api::Name(path).c_str(), access, &key);
    if (status == ERROR_SUCCESS) {
        result = Portable(key);
    }
    return status;
}

template <class Api>
long Win32Calls<Api>::CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    ::HKEY key = nullptr;
    const long status = Api::Create(Native(parent), Api::Name(path).c_str(), access, &key);
    if (status == ERROR_SUCCESS) {
        result = Portable(key);
    }
    return status;
}

template <class Api>
long Win32Calls<Api>::CloseKey(HKey key) {
    return RegCloseKey(Native(key));
}

template <class Api>
long Win32Calls<Api>::QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) {
    const auto systemName = Api::Name(name);
    DWORD nativeType = 0;
    std::string bytes;
    const long status = ReadWhole<DWORD>(
        [&](void* d, DWORD* s) { return Api::Query(Native(key), systemName.c_str(), &nativeType, d, s); },
        bytes);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    if (type != nullptr) {
        *type = nativeType;
    }
    return Deliver(IsText(nativeType) ? Api::DataIn(bytes) : bytes, data, size);
}

template <class Api>
long Win32Calls<Api>::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    const auto sub = Api::Name(subKey);
    std::string bytes;
    const long status = ReadWhole<LONG>(
        [&](void* d, LONG* s) {
            return Api::QueryDefault(Native(key), subKey.empty() ? nullptr : sub.c_str(), d, s);
        },
        bytes);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    // The call's text ends in its zero, which the caller counts in the size as before.
    return Deliver(Api::DataIn(bytes), data, size);
}

template <class Api>
long Win32Calls<Api>::SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) {
    if (!IsText(type) || data == nullptr) {
        return Api::Set(Native(key), Api::Name(name).c_str(), type, data, size);
    }
    const std::string text = Api::DataOut(std::string_view(reinterpret_cast<const char*>(data), size));
    return Api::Set(Native(key), Api::Name(name).c_str(), type, text.data(), static_cast<DWORD>(text.size()));
}

template <class Api>
long Win32Calls<Api>::DeleteValue(HKey key, std::string_view name) {
    return Api::DeleteValue(Native(key), Api::Name(name).c_str());
}

template <class Api>
long Win32Calls<Api>::DeleteKey(HKey key, std::string_view subKey) {
    return Api::DeleteKey(Native(key), Api::Name(subKey).c_str());
}

template <class Api>
long Win32Calls<Api>::EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name,
                                std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) {
    std::string found;
    DWORD nativeType = 0;
    if (const long status = Enum(key, index, room, found, &nativeType); status != ERROR_SUCCESS) {
        return status;
    }
    if (data != nullptr || dataSize != nullptr) {
        // The data by the name just found: a text value's size changes on its way in, which the size the
        // enumeration reports would not say.
        std::uint32_t size = dataSize != nullptr ? *dataSize : 0;
        if (const long status = QueryValue(key, found, nullptr, data, &size); status != ERROR_SUCCESS) {
            if (dataSize != nullptr) {
                *dataSize = size;
            }
            return status;
        }
        if (dataSize != nullptr) {
            *dataSize = size;
        }
    }
    if (type != nullptr) {
        *type = nativeType;
    }
    name = std::move(found);
    return ERROR_SUCCESS;
}

template <class Api>
long Win32Calls<Api>::EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) {
    return Enum(key, index, room, name, nullptr);
}

// The process's calls: chosen once, from what the system is.
RegistryCalls& Calls() {
    static Win32Calls<WideApi> wide;
    static Win32Calls<AnsiApi> ansi;
    static RegistryCalls& chosen =
        text::UsesWideCalls() && Wide().Complete() ? static_cast<RegistryCalls&>(wide) : ansi;
    return chosen;
}

}  // namespace

Win32Registry::Win32Registry() : Win32Registry(ProcessRegistryView()) {}

Win32Registry::Win32Registry(RegistryView view) : ViewedRegistry(Calls(), view) {}

}  // namespace velmora
