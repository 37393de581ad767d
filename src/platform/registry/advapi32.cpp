#include "platform/registry/advapi32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "messages/store_messages.h"
#include "platform/registry/name_fold.h"
#include "platform/registry/registry_store.h"

namespace pointilla::registry {

void noteFailureWords(std::string words);

namespace {

constexpr std::size_t kMaxKeyNameLength = 255;

// The scope that hears this thread's failures.
thread_local FailureWords* innermostWords = nullptr;

struct OpenKey {
    KeyId id = 0;
    REGSAM access = 0;
    bool readOnlyRoot = false;
    // Names fetched for enumeration by index, valid for one data version.
    std::int64_t namesVersion = -1;
    std::vector<std::string> subKeys;
    std::int64_t valuesVersion = -1;
    std::vector<std::string> values;
};

// Everything the registry functions of this process share.
class ProcessRegistry {
  public:
    std::mutex mutex;

    RegistryStore* store() {
        if (!store_) {
            lastError_.clear();
            auto opened = RegistryStore::open(path_.empty() ? defaultStorePath() : path_);
            if (opened) {
                store_ = std::move(*opened);
            } else {
                lastError_ = opened.error();
                noteFailureWords(lastError_);
            }
            version_ = store_ ? store_->dataVersion().value_or(-1) : -1;
        }
        return store_.get();
    }

    const std::string& lastError() const { return lastError_; }

    // Answers a failed store operation with its status, its reason going to
    // the caller's scope of failure words.
    LONG failed(const StoreError& error) {
        if (!error.reason.empty()) noteFailureWords(error.reason);
        return error.status;
    }
    LONG answer(const StoreStatus& outcome) {
        return outcome ? ERROR_SUCCESS : failed(outcome.error());
    }
    void reset(const std::filesystem::path& path) {
        store_.reset();
        handles_.clear();
        pathCache_.clear();
        path_ = path;
    }

    // Another process's commit makes every cached look-up and enumeration stale.
    std::int64_t freshVersion() {
        const std::optional<std::int64_t> now = store_->dataVersion();
        if (!now || *now != version_) {
            pathCache_.clear();
            // A version that cannot be read may hide a commit: what handles
            // fetched is fetched again too.
            if (now) {
                version_ = *now;
            } else {
                ++localWrites_;
            }
        }
        return version_ + localWrites_;
    }
    void noteLocalWrite() { ++localWrites_; }
    void noteLocalDelete() {
        pathCache_.clear();
        ++localWrites_;
    }

    // Resolves a handle: predefined roots and keys this process opened.
    OpenKey* resolve(HKEY key, OpenKey& scratch) {
        const auto value = reinterpret_cast<ULONG_PTR>(key);
        const auto low = static_cast<DWORD>(value);
        if (value == static_cast<ULONG_PTR>(static_cast<LONG>(low)) && low >= 0x80000000u &&
            low < 0x80000000u + kRootCount) {
            const int index = static_cast<int>(low - 0x80000000u);
            scratch = OpenKey{};
            scratch.id = rootKeyId(index);
            scratch.access = KEY_ALL_ACCESS;
            // Performance data and dynamic data hold nothing here and take nothing.
            scratch.readOnlyRoot = index == 4 || index == 6;
            return &scratch;
        }
        auto it = handles_.find(value);
        return it == handles_.end() ? nullptr : &it->second;
    }

    HKEY addHandle(const OpenKey& key) {
        nextHandle_ += 4;
        handles_[nextHandle_] = key;
        return reinterpret_cast<HKEY>(nextHandle_);
    }
    bool closeHandle(HKEY key) { return handles_.erase(reinterpret_cast<ULONG_PTR>(key)) > 0; }

    // Walks a sub-key path from a key; create makes the missing parts.
    LONG walk(KeyId from, LPCSTR subKey, bool create, KeyId* result, bool* created) {
        if (created) *created = false;
        KeyId current = from;
        if (subKey == nullptr || *subKey == '\0') {
            *result = current;
            auto there = store_->keyExists(current);
            if (!there) return failed(there.error());
            return *there ? ERROR_SUCCESS : ERROR_KEY_DELETED;
        }
        std::string_view rest(subKey);
        if (create) {
            if (const LONG refused = refuseTooDeep(from, rest); refused != ERROR_SUCCESS) {
                return refused;
            }
        }
        while (!rest.empty()) {
            const auto cut = rest.find('\\');
            const std::string_view part = rest.substr(0, cut);
            rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
            if (part.empty() || part.size() > kMaxKeyNameLength) {
                return create ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND;
            }
            auto cacheKey = std::to_string(current) + '\\' + foldName(part);
            if (auto hit = pathCache_.find(cacheKey); hit != pathCache_.end()) {
                current = hit->second;
                continue;
            }
            auto child = store_->findChild(current, part);
            if (!child) return failed(child.error());
            if (*child) {
                current = **child;
            } else if (create) {
                bool made = false;
                auto made_child = store_->createChild(current, part, &made);
                if (!made_child) return failed(made_child.error());
                current = *made_child;
                if (made) noteLocalWrite();
                if (made && created) *created = true;
            } else {
                return ERROR_FILE_NOT_FOUND;
            }
            pathCache_.emplace(std::move(cacheKey), current);
        }
        *result = current;
        return ERROR_SUCCESS;
    }

    // Keys deeper than Windows allows are refused before anything is made.
    LONG refuseTooDeep(KeyId from, std::string_view subKey) {
        const auto parts = 1 + std::count(subKey.begin(), subKey.end(), '\\');
        if (parts <= kMaxKeyDepth && from <= kRootCount) return ERROR_SUCCESS;
        int base = 0;
        if (from > kRootCount) {
            auto level = store_->depth(from);
            if (!level) return failed(level.error());
            base = *level;
        }
        if (base + parts <= kMaxKeyDepth) return ERROR_SUCCESS;
        noteFailureWords(messages::keyTooDeep(kMaxKeyDepth, base + parts));
        return ERROR_INVALID_PARAMETER;
    }

  private:
    std::unique_ptr<RegistryStore> store_;
    std::string lastError_;
    std::filesystem::path path_;
    std::unordered_map<ULONG_PTR, OpenKey> handles_;
    std::unordered_map<std::string, KeyId> pathCache_;
    std::int64_t version_ = -1;
    std::int64_t localWrites_ = 0;
    ULONG_PTR nextHandle_ = 0x1000;
};

ProcessRegistry& processRegistry() {
    static ProcessRegistry registry;
    return registry;
}

// Copies a name and its terminator into a caller's buffer of size characters.
LONG copyName(const std::string& name, LPSTR buffer, DWORD size) {
    if (buffer == nullptr) return ERROR_INVALID_PARAMETER;
    if (name.size() + 1 > size) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    return ERROR_SUCCESS;
}

// Copies a value's bytes into a caller's buffer as the registry does: the size
// needed always comes back, with ERROR_MORE_DATA when the buffer is too small.
// Without a size there is nothing to copy.
LONG copyValueData(const StoredValue& value, LPBYTE data, LPDWORD dataSize) {
    if (dataSize == nullptr) return ERROR_SUCCESS;
    const auto needed = static_cast<DWORD>(value.data.size());
    if (data != nullptr) {
        if (*dataSize < needed) {
            *dataSize = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value.data.data(), value.data.size());
    }
    *dataSize = needed;
    return ERROR_SUCCESS;
}

}  // namespace

std::filesystem::path defaultStorePath() {
    if (const char* explicitPath = std::getenv("TRELLIS_REGISTRY"); explicitPath && *explicitPath) {
        return explicitPath;
    }
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return base / "trellis" / "registry.db";
}

void useStoreAt(const std::filesystem::path& path) {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    reg.reset(path);
}

Status<std::string> storeUsable() {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    if (reg.store() == nullptr) return fail(reg.lastError());
    return {};
}

FailureWords::FailureWords() : outer_(innermostWords) { innermostWords = this; }

FailureWords::~FailureWords() { innermostWords = outer_; }

void noteFailureWords(std::string words) {
    if (innermostWords != nullptr) innermostWords->latest_ = std::move(words);
}

struct WriteBatch::State {
    std::unique_ptr<RegistryStore::Batch> batch;
    CallFailure failure;  // why the batch could not begin
};

WriteBatch::WriteBatch() : state_(std::make_unique<State>()) {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    FailureWords words;
    if (auto* store = reg.store()) {
        state_->batch = std::make_unique<RegistryStore::Batch>(*store);
        if (!state_->batch->active()) {
            state_->failure.status = reg.failed(state_->batch->failure());
        }
    } else {
        state_->failure.status = ERROR_BADDB;
    }
    state_->failure.words = words.latest();
}

WriteBatch::~WriteBatch() {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    if (state_->batch && state_->batch->active()) reg.noteLocalDelete();  // rolled back
    state_->batch.reset();
}

Status<CallFailure> WriteBatch::begun() const {
    if (state_->batch && state_->batch->active()) return {};
    return fail(state_->failure);
}

Status<CallFailure> WriteBatch::commit() {
    if (auto ready = begun(); !ready) return ready;
    return explained([&] {
        auto& reg = processRegistry();
        std::lock_guard lock(reg.mutex);
        return reg.answer(state_->batch->commit());
    });
}

struct ReadSnapshot::State {
    std::unique_ptr<RegistryStore::Snapshot> snapshot;
};

ReadSnapshot::ReadSnapshot() : state_(std::make_unique<State>()) {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    if (auto* store = reg.store()) {
        state_->snapshot = std::make_unique<RegistryStore::Snapshot>(*store);
    }
}

ReadSnapshot::~ReadSnapshot() {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    state_->snapshot.reset();
}

bool ReadSnapshot::active() const { return state_->snapshot && state_->snapshot->active(); }

}  // namespace pointilla::registry

using pointilla::registry::KeyId;
using pointilla::registry::OpenKey;
using pointilla::registry::processRegistry;

#define REGISTRY_PROLOGUE(handle)                 \
    auto& reg = processRegistry();                \
    std::lock_guard lock(reg.mutex);              \
    auto* store = reg.store();                    \
    if (store == nullptr) return ERROR_BADDB;     \
    OpenKey scratch;                              \
    OpenKey* open = reg.resolve(handle, scratch); \
    if (open == nullptr) return ERROR_INVALID_HANDLE

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM access, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    REGISTRY_PROLOGUE(key);
    reg.freshVersion();
    KeyId id = 0;
    const LONG status = reg.walk(open->id, subKey, false, &id, nullptr);
    if (status != ERROR_SUCCESS) return status;
    OpenKey opened;
    opened.id = id;
    opened.access = access;
    opened.readOnlyRoot = open->readOnlyRoot;
    *result = reg.addHandle(opened);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD /*reserved*/, LPSTR /*className*/,
                     DWORD /*options*/, REGSAM access, LPSECURITY_ATTRIBUTES /*security*/,
                     PHKEY result, LPDWORD disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    REGISTRY_PROLOGUE(key);
    if (open->readOnlyRoot) return ERROR_ACCESS_DENIED;
    reg.freshVersion();
    KeyId id = 0;
    bool created = false;
    const LONG status = reg.walk(open->id, subKey, true, &id, &created);
    if (status != ERROR_SUCCESS) return status;
    OpenKey opened;
    opened.id = id;
    opened.access = access;
    *result = reg.addHandle(opened);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result) {
    return RegCreateKeyExA(key, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result, nullptr);
}

LONG RegCloseKey(HKEY key) {
    auto& reg = processRegistry();
    std::lock_guard lock(reg.mutex);
    OpenKey scratch;
    if (reg.resolve(key, scratch) == &scratch) return ERROR_SUCCESS;  // a predefined root
    return reg.closeHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    REGISTRY_PROLOGUE(key);
    if (subKey == nullptr || *subKey == '\0') return ERROR_INVALID_PARAMETER;
    reg.freshVersion();
    KeyId id = 0;
    const LONG status = reg.walk(open->id, subKey, false, &id, nullptr);
    if (status != ERROR_SUCCESS) return status;
    const LONG deleted = reg.answer(store->deleteKey(id));
    if (deleted == ERROR_SUCCESS) reg.noteLocalDelete();
    return deleted;
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    REGISTRY_PROLOGUE(key);
    if ((open->access & KEY_SET_VALUE) == 0 || open->readOnlyRoot) return ERROR_ACCESS_DENIED;
    const LONG status = reg.answer(store->deleteValue(open->id, valueName ? valueName : ""));
    if (status == ERROR_SUCCESS) reg.noteLocalWrite();
    return status;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    if (reserved != nullptr) return ERROR_INVALID_PARAMETER;
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    REGISTRY_PROLOGUE(key);
    if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    auto value = store->queryValue(open->id, valueName ? valueName : "");
    if (!value) return reg.failed(value.error());
    if (type) *type = value->type;
    return pointilla::registry::copyValueData(*value, data, dataSize);
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
    REGISTRY_PROLOGUE(key);
    if ((open->access & KEY_SET_VALUE) == 0 || open->readOnlyRoot) return ERROR_ACCESS_DENIED;
    const std::string_view bytes(reinterpret_cast<const char*>(data), data ? dataSize : 0);
    const LONG status =
        reg.answer(store->setValue(open->id, valueName ? valueName : "", type, bytes));
    if (status == ERROR_SUCCESS) reg.noteLocalWrite();
    return status;
}

LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) {
    REGISTRY_PROLOGUE(key);
    if ((open->access & KEY_ENUMERATE_SUB_KEYS) == 0) return ERROR_ACCESS_DENIED;
    const std::int64_t version = reg.freshVersion();
    if (open->namesVersion != version) {
        auto names = store->subKeyNames(open->id);
        if (!names) return reg.failed(names.error());
        open->subKeys = std::move(*names);
        open->namesVersion = version;
    }
    if (index >= open->subKeys.size()) return ERROR_NO_MORE_ITEMS;
    return pointilla::registry::copyName(open->subKeys[index], name, nameSize);
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (nameSize == nullptr || reserved != nullptr) return ERROR_INVALID_PARAMETER;
    REGISTRY_PROLOGUE(key);
    if ((open->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    const std::int64_t version = reg.freshVersion();
    if (open->valuesVersion != version) {
        auto names = store->valueNames(open->id);
        if (!names) return reg.failed(names.error());
        open->values = std::move(*names);
        open->valuesVersion = version;
    }
    if (index >= open->values.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& valueName = open->values[index];
    const LONG copied = pointilla::registry::copyName(valueName, name, *nameSize);
    if (copied != ERROR_SUCCESS) return copied;
    *nameSize = static_cast<DWORD>(valueName.size());
    if (type == nullptr && data == nullptr && dataSize == nullptr) return ERROR_SUCCESS;
    auto value = store->queryValue(open->id, valueName);
    if (!value) return reg.failed(value.error());
    if (type) *type = value->type;
    return pointilla::registry::copyValueData(*value, data, dataSize);
}

LONG RegQueryInfoKeyA(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD /*reserved*/,
                      LPDWORD subKeys, LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values,
                      LPDWORD maxValueNameLen, LPDWORD maxValueLen, LPDWORD securityDescriptor,
                      PFILETIME lastWriteTime) {
    REGISTRY_PROLOGUE(key);
    auto there = store->keyExists(open->id);
    if (!there) return reg.failed(there.error());
    if (!*there) return ERROR_KEY_DELETED;
    auto found = store->keyInfo(open->id);
    if (!found) return reg.failed(found.error());
    const auto& info = *found;
    if (className && classSize && *classSize > 0) className[0] = '\0';
    if (classSize) *classSize = 0;
    if (subKeys) *subKeys = info.subKeys;
    if (maxSubKeyLen) *maxSubKeyLen = info.maxSubKeyLen;
    if (maxClassLen) *maxClassLen = 0;
    if (values) *values = info.values;
    if (maxValueNameLen) *maxValueNameLen = info.maxValueNameLen;
    if (maxValueLen) *maxValueLen = info.maxValueLen;
    if (securityDescriptor) *securityDescriptor = 0;
    if (lastWriteTime) *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}
