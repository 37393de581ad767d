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

namespace trellis::testing {

inline std::filesystem::path makeTempDir(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

// A fresh store file in a folder of its own, used by this process and named in
// TRELLIS_REGISTRY for the programs and libraries it starts; removed with it.
class TempRegistryStore {
  public:
    explicit TempRegistryStore(const char* prefix = "trellis-test-") : dir_(makeTempDir(prefix)) {
        ::setenv("TRELLIS_REGISTRY", file().c_str(), 1);
        pointilla::registry::useStoreAt(file());
    }
    ~TempRegistryStore() {
        pointilla::registry::useStoreAt({});
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempRegistryStore(const TempRegistryStore&) = delete;
    TempRegistryStore& operator=(const TempRegistryStore&) = delete;
    const std::filesystem::path& dir() const { return dir_; }
    std::filesystem::path file() const { return dir_ / "registry.db"; }

  private:
    std::filesystem::path dir_;
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

// A fresh directory for one test's files, removed with it.
class ScratchDir {
  public:
    ScratchDir() : path_(makeTempDir("trellis-files-")) {}
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

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
