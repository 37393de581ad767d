#pragma once
// The throw-away registry store every test works on, in this process and in
// any Trellis library it loads (which finds the store through
// TRELLIS_REGISTRY), and helpers that write raw values and files for the tests.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/registry/advapi32.h"
#include "support/temp_dir.h"

namespace trellis::testing {

// A fresh store file in a folder of its own, used by this process and named in
// TRELLIS_REGISTRY for the programs and libraries it starts; removed with it.
class TempRegistryStore {
  public:
    explicit TempRegistryStore(const char* prefix = "trellis-test-") : dir_(prefix) {
        ::setenv("TRELLIS_REGISTRY", file().c_str(), 1);
        pointilla::registry::useStoreAt(file());
    }
    ~TempRegistryStore() { pointilla::registry::useStoreAt({}); }
    const std::filesystem::path& dir() const { return dir_.path(); }
    std::filesystem::path file() const { return dir_.path() / "registry.db"; }

  private:
    pointilla::testing::TempDir dir_;
};

// One store for a whole test program.
class TempStoreEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        store_ = std::make_unique<TempRegistryStore>();
        dir_ = store_->dir();
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override { store_.reset(); }
    static std::filesystem::path dir() { return dir_; }

  private:
    std::unique_ptr<TempRegistryStore> store_;
    static inline std::filesystem::path dir_;
};

// Registers the environment from any test file: `TRELLIS_TEMP_STORE();` once.
#define TRELLIS_TEMP_STORE()                                                 \
    [[maybe_unused]] static ::testing::Environment* const trellisTempStore = \
        ::testing::AddGlobalTestEnvironment(new ::trellis::testing::TempStoreEnvironment)

// Captures the library's message boxes while alive.
struct CapturedMessage {
    std::string text;
    std::string title;
    std::uint32_t flags;
};

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
