#include "platform/posix/local_user.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pointilla::platform::posix {

Status<PrivateFolderError> makePrivateFolder(const std::filesystem::path& folder) {
    using Kind = PrivateFolderError::Kind;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return fail(PrivateFolderError{Kind::CannotCreate, errno, 0});
    }
    // lstat: a link planted under the name must not lead us elsewhere.
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        return fail(PrivateFolderError{Kind::CannotCreate, errno, 0});
    }
    if (!S_ISDIR(st.st_mode)) return fail(PrivateFolderError{Kind::NotAFolder, 0, st.st_uid});
    if (st.st_uid != ::getuid()) {
        return fail(PrivateFolderError{Kind::OwnedByAnother, 0, st.st_uid});
    }
    if ((st.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        return fail(PrivateFolderError{Kind::CannotCreate, errno, 0});
    }
    return {};
}

bool isPrivateFolder(const std::filesystem::path& folder) {
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

std::optional<uid_t> ownerOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0) return std::nullopt;
    return st.st_uid;
}

std::optional<uid_t> peerUserId(int socketFd) {
    struct ucred credentials {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socketFd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials) {
        return std::nullopt;
    }
    return credentials.uid;
}

}  // namespace pointilla::platform::posix
