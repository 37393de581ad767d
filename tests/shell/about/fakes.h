#pragma once
// A desktop that records what the About box asks it to open or start, and a
// throw-away registry store.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop.h"
#include "platform/registry/advapi32.h"
#include "support/registry_store.h"

namespace pointilla::shell::testing {

class RecordingOpener final : public platform::DocumentOpener, public platform::ProgramStarter {
  public:
    struct Opened {
        std::string target;
        std::filesystem::path workingDirectory;
    };
    std::vector<Opened> opened;
    std::vector<std::filesystem::path> started;
    bool startSucceeds = true;

    bool open(const std::string& target, const std::filesystem::path& workingDirectory) override {
        opened.push_back({target, workingDirectory});
        return true;
    }
    bool start(const std::filesystem::path& program) override {
        started.push_back(program);
        return startSucceeds;
    }
};

// Each test gets its own empty registry store and folder.
class TempStore : public ::testing::Test {
  protected:
    void SetUp() override {
        store_.emplace("about-test-");
        dir = store_->dir();
    }
    void TearDown() override { store_.reset(); }

    // Writes a value under HKEY_LOCAL_MACHINE, creating the key.
    static void setValue(const std::string& key, const std::string& name, DWORD type,
                         const std::vector<BYTE>& data) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, key.c_str(), &handle), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, data.data(),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
    // A string value with its terminating zero, as Windows programs write it.
    static void setString(const std::string& key, const std::string& name,
                          const std::string& cp1252) {
        std::vector<BYTE> data(cp1252.begin(), cp1252.end());
        data.push_back(0);
        setValue(key, name, REG_SZ, data);
    }

    std::filesystem::path dir;

  private:
    std::optional<trellis::testing::TempRegistryStore> store_;
};

}  // namespace pointilla::shell::testing
