#include "platform/registry/ofd_locks.h"

#include <fcntl.h>
#include <sqlite3.h>

#include <cstdarg>
#include <mutex>

namespace pointilla::registry {
namespace {

// fcntl as SQLite calls it, with each record-lock request turned into its
// open-file-description twin (which wants l_pid zero). Lock conflicts, ranges and
// types stay the same, so processes using either kind still exclude each other.
int fcntlWithDescriptionLocks(int fd, int operation, ...) {
    va_list arguments;
    va_start(arguments, operation);
    if (operation == F_SETLK || operation == F_SETLKW || operation == F_GETLK) {
        auto* lock = va_arg(arguments, struct flock*);
        va_end(arguments);
        lock->l_pid = 0;
        const int twin = operation == F_SETLK    ? F_OFD_SETLK
                         : operation == F_SETLKW ? F_OFD_SETLKW
                                                 : F_OFD_GETLK;
        return ::fcntl(fd, twin, lock);
    }
    // Every other request SQLite makes passes one integer argument.
    const long argument = va_arg(arguments, long);
    va_end(arguments);
    return ::fcntl(fd, operation, argument);
}

}  // namespace

void useOpenFileDescriptionLocks() {
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3_vfs* files = sqlite3_vfs_find("unix");
        if (files == nullptr || files->iVersion < 3 || files->xSetSystemCall == nullptr) return;
        // Another copy of this code in the process (the control's library) may
        // have done it already: only SQLite's own choice is replaced.
        const auto current = files->xGetSystemCall(files, "fcntl");
        if (current != reinterpret_cast<sqlite3_syscall_ptr>(&::fcntl)) return;
        files->xSetSystemCall(files, "fcntl",
                              reinterpret_cast<sqlite3_syscall_ptr>(&fcntlWithDescriptionLocks));
    });
}

}  // namespace pointilla::registry
