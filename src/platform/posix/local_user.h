#pragma once
// What belongs to the user running this program alone: a folder no one else
// may enter, and whether a file or the program at the other end of a local
// socket is this user's.

#include <sys/types.h>

#include <filesystem>
#include <optional>

#include "common/result.h"

namespace pointilla::platform::posix {

struct PrivateFolderError {
    enum class Kind {
        CannotCreate,    // mkdir failed; systemError holds its errno
        NotAFolder,      // a file or a symbolic link stands under the name
        OwnedByAnother,  // another user made it first; owner holds their id
    };
    Kind kind = Kind::CannotCreate;
    int systemError = 0;
    uid_t owner = 0;
};

// Makes `folder` (0700) when it is missing, then checks it with lstat: a real
// folder, never a link, owned by this user. Rights of the group and others on
// a folder of ours are taken away.
Status<PrivateFolderError> makePrivateFolder(const std::filesystem::path& folder);

// Whether `folder` is a real folder of this user that no one else may enter.
bool isPrivateFolder(const std::filesystem::path& folder);

// The owner of `file`, not following a link; std::nullopt when there is none.
std::optional<uid_t> ownerOf(const std::filesystem::path& file);

// The user the program at the other end of a connected local socket runs as.
std::optional<uid_t> peerUserId(int socketFd);

}  // namespace pointilla::platform::posix
