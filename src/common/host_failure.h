#pragma once
// Why the control's host could not load, register or create the control: a
// kind and the names involved. The programs word it for people.

#include <string>

namespace pointilla {

struct HostFailure {
    enum class Kind {
        LibraryNotLoaded,       // subject: the library; reason: the system's words or code
        EntryMissing,           // subject: the library; reason: the entry point it lacks
        EntryFailed,            // subject: the entry point; reason: its code or the store's words
        NotRegistered,          // subject: the programmatic identifier
        MalformedRegistration,  // subject: the programmatic identifier
        NoServer,               // subject: the class identifier
        StoreFailed,            // reason: the registry store's words, already worded
        ComUnavailable,         // this thread could not join an apartment
        CreationFailed,         // subject: the programmatic identifier; reason: the code
    };
    Kind kind = Kind::CreationFailed;
    std::string subject;
    std::string reason;
};

}  // namespace pointilla
