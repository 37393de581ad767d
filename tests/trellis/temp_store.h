#pragma once
// Every test program works on its own throw-away registry store: in this
// process and in any Trellis library it loads (which finds the store through
// TRELLIS_REGISTRY).

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/registry/advapi32.h"

namespace trellis::testing {

inline std::filesystem::path makeTempDir(const char* prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return pattern;
}

class TempStoreEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        dir_ = makeTempDir("trellis-test-");
        ASSERT_FALSE(dir_.empty());
        const auto store = dir_ / "registry.db";
        ::setenv("TRELLIS_REGISTRY", store.c_str(), 1);
        pointilla::registry::useStoreAt(store);
    }
    void TearDown() override {
        pointilla::registry::useStoreAt({});
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    static std::filesystem::path dir() { return dir_; }

  private:
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

}  // namespace trellis::testing
