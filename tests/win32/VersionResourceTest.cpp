// The version every shipped binary carries, as Windows Explorer's Properties read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win32/BuiltFiles.h"

namespace velmora {
namespace {

struct VersionInfo {
    bool found = false;
    DWORD fileMs = 0, fileLs = 0, productMs = 0, productLs = 0;
    std::string productName, fileVersion, productVersion, description, originalName;
};

std::string Text(const std::vector<char>& data, const char* name) {
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) ||
        length == 0) {
        return "(missing)";
    }
    return std::string(value, strnlen(value, length));
}

VersionInfo Read(const std::string& path) {
    VersionInfo info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return info;
    }
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) {
        return info;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof *fixed) {
        return info;
    }
    info.found = true;
    info.fileMs = fixed->dwFileVersionMS;
    info.fileLs = fixed->dwFileVersionLS;
    info.productMs = fixed->dwProductVersionMS;
    info.productLs = fixed->dwProductVersionLS;
    info.productName = Text(data, "ProductName");
    info.fileVersion = Text(data, "FileVersion");
    info.productVersion = Text(data, "ProductVersion");
    info.description = Text(data, "FileDescription");
    info.originalName = Text(data, "OriginalFilename");
    return info;
}

void ExpectVelmoraVersion(const std::string& hostPath, const std::string& fileName) {
    SCOPED_TRACE(fileName);
    const VersionInfo info = Read(BuiltFile(hostPath));
    ASSERT_TRUE(info.found) << hostPath;
    EXPECT_EQ(info.fileMs, static_cast<DWORD>(MAKELONG(50, 2)));
    EXPECT_EQ(info.fileLs, 0u);
    EXPECT_EQ(info.productMs, info.fileMs);
    EXPECT_EQ(info.productLs, 0u);
    EXPECT_EQ(info.productName, "Velmora 99");
    EXPECT_EQ(info.fileVersion, "2.50");
    EXPECT_EQ(info.productVersion, "2.50");
    EXPECT_EQ(info.originalName, fileName);
    EXPECT_EQ(info.description.rfind("Velmora 99 ", 0), 0u) << info.description;
}

TEST(VersionResource, EveryShippedBinaryIsVersion250OfVelmora99) {
    ExpectVelmoraVersion(kProgramPath, "Velmora.exe");
    ExpectVelmoraVersion(kIcobankPath, "Icobank.exe");
    if (kCliPath[0] != '\0') {
        ExpectVelmoraVersion(kCliPath, "velmora-cli.exe");
    }
}

TEST(VersionResource, EachBinaryDescribesItselfDifferently) {
    std::vector<std::string> descriptions{Read(BuiltFile(kProgramPath)).description,
                                          Read(BuiltFile(kIcobankPath)).description};
    if (kCliPath[0] != '\0') {
        descriptions.push_back(Read(BuiltFile(kCliPath)).description);
    }
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        for (std::size_t j = i + 1; j < descriptions.size(); ++j) {
            EXPECT_NE(descriptions[i], descriptions[j]);
        }
    }
}

}  // namespace
}  // namespace velmora
