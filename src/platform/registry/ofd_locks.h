#pragma once
// SQLite locks its files with POSIX record locks, which belong to the process:
// closing *any* descriptor of a file drops them all, so a file dialog that opens
// and closes the store's files takes the store's locks away unnoticed, and the
// next process to leave deletes the live WAL. Open-file-description locks belong
// to the descriptor SQLite opened and survive every other close.

namespace pointilla::registry {

// Makes SQLite's unix file system take open-file-description locks for the rest
// of the process; call before the first connection opens. Idempotent.
void useOpenFileDescriptionLocks();

}  // namespace pointilla::registry
