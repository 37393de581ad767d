#pragma once
// A fresh folder of this process's own (0700) in the temporary folder for one
// test's files, removed with everything in it when the test ends.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace pointilla::testing {

class TempDir {
  public:
    explicit TempDir(const char* prefix = "pointilla-test-") {
        std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Empty when the folder could not be made.
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

    // Writes `bytes` to `name` in the folder, byte for byte.
    std::filesystem::path file(const std::string& name, const std::string& bytes) const {
        std::filesystem::path where = path_ / name;
        std::ofstream(where, std::ios::binary) << bytes;
        return where;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace pointilla::testing
