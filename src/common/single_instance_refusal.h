#pragma once
// Why this program could not take the single-instance role and runs its
// window alone: something another user owns stands where the lock, the socket
// or their folder should be. Plain C++, for the words chosen in messages.

#include <string>

namespace pointilla {

struct SingleInstanceRefusal {
    enum class Kind {
        FolderOfAnotherUser,  // the private folder's name is another user's folder
        FolderNotAFolder,     // a file or a link stands under the folder's name
        FolderNotCreated,     // the folder could not be made; systemError says why
        LockOfAnotherUser,
        SocketOfAnotherUser,
        PeerOfAnotherUser,  // the program listening on the socket runs as another user
    };
    Kind kind = Kind::FolderNotCreated;
    std::string path;    // the folder, lock or socket, UTF-8
    unsigned owner = 0;  // the other user's id
    int systemError = 0;
};

}  // namespace pointilla
