#pragma once
// Running a built program as another user (uid and gid 65534, "nobody"), which
// only root can do. That user may not enter the build tree: a clone can sit
// under a private folder (a 0700 home, as root's and Debian 12's are). So the
// program runs from a copy in a fresh folder of the temporary folder that every
// user may enter and read, never from where it was built.

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace pointilla::testing {

inline constexpr unsigned kOtherUser = 65534;

inline bool canActAsOtherUser() { return ::geteuid() == 0; }

// The words that make a shell command line run as the other user: setpriv,
// with no supplementary groups; empty when this process is not root.
inline std::string asOtherUserPrefix() {
    if (!canActAsOtherUser()) return {};
    const std::string id = std::to_string(kOtherUser);
    return "setpriv --reuid=" + id + " --regid=" + id + " --clear-groups ";
}

// Copies of files of a tree (a program and the libraries it finds beside it),
// in the same layout below a folder that every user may enter and read;
// removed with the object.
class ReachableCopy {
  public:
    // Each of `relatives` is a path below `base`; `empty()` tells a failure.
    ReachableCopy(const std::filesystem::path& base,
                  const std::vector<std::filesystem::path>& relatives) {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "pointilla-reachable-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) return;
        dir_ = pattern;
        constexpr fs::perms kOpen = fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec;
        bool copied = openToAll(dir_, kOpen);
        for (const fs::path& relative : relatives) {
            const fs::path target = dir_ / relative;
            std::error_code ec;
            fs::create_directories(target.parent_path(), ec);
            for (fs::path folder = target.parent_path(); copied && folder != dir_;
                 folder = folder.parent_path()) {
                copied = openToAll(folder, kOpen);
            }
            copied =
                copied && fs::copy_file(base / relative, target, ec) && openToAll(target, kOpen);
        }
        if (!copied) clear();
    }
    ~ReachableCopy() { clear(); }
    ReachableCopy(const ReachableCopy&) = delete;
    ReachableCopy& operator=(const ReachableCopy&) = delete;

    bool empty() const { return dir_.empty(); }
    std::filesystem::path path(const std::filesystem::path& relative) const {
        return dir_ / relative;
    }

  private:
    static bool openToAll(const std::filesystem::path& path, std::filesystem::perms mode) {
        std::error_code ec;
        std::filesystem::permissions(path, mode, ec);
        return !ec;
    }
    void clear() {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
        dir_.clear();
    }
    std::filesystem::path dir_;
};

}  // namespace pointilla::testing
