#include "tests/support/RecordingRegistryCalls.h"

#include <cstdio>

namespace velmora::testing {

std::string ViewCall::Line() const {
    static const char* const kNames[] = {"open", "create", "RegDeleteKeyA", "RegDeleteKeyExA",
                                         "default value"};
    char mask[16];
    std::snprintf(mask, sizeof mask, "0x%X", static_cast<unsigned>(access));
    return std::string(kNames[kind]) + " \"" + path + "\" " + mask;
}

long RecordingRegistryCalls::OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) {
    made.push_back({ViewCall::kOpen, std::string(path), access});
    return inner_.OpenKey(parent, path, access, result);
}

long RecordingRegistryCalls::CreateKey(HKey parent, std::string_view path, std::uint32_t access,
                                       HKey& result) {
    made.push_back({ViewCall::kCreate, std::string(path), access});
    return inner_.CreateKey(parent, path, access, result);
}

long RecordingRegistryCalls::QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) {
    made.push_back({ViewCall::kQueryDefault, std::string(subKey), 0});
    return inner_.QueryDefaultValue(key, subKey, data, size);
}

long RecordingRegistryCalls::DeleteKey(HKey key, std::string_view subKey) {
    made.push_back({ViewCall::kDeleteKey, std::string(subKey), 0});
    return inner_.DeleteKey(key, subKey);
}

long RecordingRegistryCalls::DeleteKeyEx(HKey key, std::string_view subKey, std::uint32_t view) {
    made.push_back({ViewCall::kDeleteKeyEx, std::string(subKey), view});
    return inner_.DeleteKey(key, subKey);
}

std::vector<std::string> CallsOutOfView(const std::vector<ViewCall>& made, RegistryView view) {
    const bool viewed = view == RegistryView::SixtyFour;
    std::vector<std::string> wrong;
    for (const ViewCall& call : made) {
        bool right = true;
        switch (call.kind) {
            case ViewCall::kOpen:
            case ViewCall::kCreate:
                right = ((call.access & reg::kWow64_64Key) != 0) == viewed;
                break;
            case ViewCall::kDeleteKey:
                right = !viewed;
                break;
            case ViewCall::kDeleteKeyEx:
                right = viewed && call.access == reg::kWow64_64Key;
                break;
            case ViewCall::kQueryDefault:
                right = !viewed || call.path.empty();
                break;
        }
        if (!right) {
            wrong.push_back(call.Line());
        }
    }
    return wrong;
}

}  // namespace velmora::testing
