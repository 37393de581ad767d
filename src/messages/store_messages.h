#pragma once
// What the registry store says when a call fails: the reason the trellis
// command and the window show after their own words.

#include <string>

namespace pointilla::messages {

enum class StoreTrouble { Busy, ReadOnly, DiskFull, Damaged, OutOfMemory, InputOutput };

// `store` is the store's file; `detail` the database's own words, or empty.
std::string storeTrouble(StoreTrouble trouble, const std::string& store, const std::string& detail);
std::string storeNotOpened(const std::string& store, const std::string& detail);
std::string storeReadOnlyWithoutRegistry(const std::string& store);
std::string storeFailedWithStatus(long status);
std::string keyTooDeep(int maxDepth, int wouldBe);

}  // namespace pointilla::messages
