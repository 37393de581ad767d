#pragma once
// Writing raw registry values for the export and import tests.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry/advapi32.h"

namespace trellis::testing {

inline void putValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type,
                     const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, subKey.c_str(), &key), ERROR_SUCCESS) << subKey;
    ASSERT_EQ(
        RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
}

inline void putKey(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(root, subKey.c_str(), &key), ERROR_SUCCESS) << subKey;
    RegCloseKey(key);
}

inline std::string dwordBytes(DWORD n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace trellis::testing
