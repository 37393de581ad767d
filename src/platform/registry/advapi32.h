#pragma once
// The registry functions of advapi32 (ANSI forms: names and texts are
// Windows-1252 bytes), on the persistent registry store. Handles are per process;
// the data live in one SQLite file shared by every process. A Windows build
// takes the real advapi32 instead.

#include "platform/registry/win_types.h"

#ifndef _WIN32

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "common/result.h"

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                     REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition);
LONG RegCloseKey(HKEY key);
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values,
                      LPDWORD maxValueNameLen, LPDWORD maxValueLen, LPDWORD securityDescriptor,
                      PFILETIME lastWriteTime);

#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

namespace pointilla::registry {

// ${TRELLIS_REGISTRY}, else ${XDG_DATA_HOME:-$HOME/.local/share}/trellis/registry.db.
std::filesystem::path defaultStorePath();

// Points this process's registry functions at another store file (closing the
// current one and every open handle); an empty path returns to the default.
// Tests use it to work on a throw-away store.
void useStoreAt(const std::filesystem::path& path);

// Whether the store can be used, or why not; when it cannot, every registry
// function fails with ERROR_BADDB.
Status<std::string> storeUsable();

// The store's own words for why the registry functions this thread calls fail
// (busy, read-only, damaged, disk full, a key too deep), gathered while the
// scope lives; a missing key or value is no fault of the store and has none.
// Scopes nest: the innermost one hears the calls. Calls outside any scope keep
// no words.
class FailureWords {
  public:
    FailureWords();
    ~FailureWords();
    FailureWords(const FailureWords&) = delete;
    FailureWords& operator=(const FailureWords&) = delete;
    // The words of the latest failure that had some, "" when none had.
    const std::string& latest() const { return latest_; }

  private:
    friend void noteFailureWords(std::string words);
    std::string latest_;
    FailureWords* outer_;
};

// A registry call's failure: its status and the store's words for it.
struct CallFailure {
    LONG status = ERROR_SUCCESS;
    std::string words;
};

// Runs registry calls (call gives the status of the last) and gives their
// failure with the store's words for it.
template <class Call>
Status<CallFailure> explained(Call&& call) {
    FailureWords words;
    const LONG status = std::forward<Call>(call)();
    if (status == ERROR_SUCCESS) return {};
    return fail(CallFailure{status, words.latest()});
}

// Makes the registry writes of this process that follow, until commit, one
// transaction: all of them land or none (the object rolls back when destroyed
// uncommitted). Meant for a single thread doing a bulk change such as an import.
class WriteBatch {
  public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    // Whether the store could be locked, with the store's words when not.
    Status<CallFailure> begun() const;
    Status<CallFailure> commit();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Holds one read transaction while alive: every registry read of this process
// meanwhile sees the same committed state (an export walks one consistent tree
// while other processes write). Writes of this process fail until it ends.
class ReadSnapshot {
  public:
    ReadSnapshot();
    ~ReadSnapshot();
    ReadSnapshot(const ReadSnapshot&) = delete;
    ReadSnapshot& operator=(const ReadSnapshot&) = delete;
    bool active() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pointilla::registry

#endif  // !_WIN32
