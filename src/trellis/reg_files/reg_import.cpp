#include "trellis/reg_files/reg_import.h"

#include "codepage/cp1252.h"
#include "platform/files/read_file.h"
#include "platform/registry/advapi32.h"
#include "trellis/reg_files/loaded_programs.h"
#include "trellis/reg_files/reg_file_parse.h"
#include "trellis/store/registry_access.h"
#include "trellis/store/registry_key.h"

namespace trellis {
namespace {

using pointilla::fail;
using pointilla::codepage::cp1252ToUtf8;
using Kind = ImportFailure::Kind;

// A .REG file larger than this is no settings file; reading it would only fill memory.
constexpr std::uintmax_t kLargestFile = 64u << 20;

using pointilla::registry::CallFailure;
using pointilla::registry::explained;

pointilla::Failure<ImportFailure> storeFailure(Kind kind, const CallFailure& call,
                                               const std::string& key = {},
                                               const std::string& value = {}) {
    ImportFailure failure;
    failure.kind = kind;
    failure.key = cp1252ToUtf8(key);
    failure.value = cp1252ToUtf8(value);
    failure.storeReason = call.words;
    return fail(std::move(failure));
}

// The first value that would make the tools load or start a program.
pointilla::Status<ImportFailure> refuseLoadedPrograms(const std::vector<RegFileKey>& keys) {
    for (const auto& key : keys) {
        for (const auto& value : key.values) {
            if (value.remove || !namesLoadedProgram(key.path, value.name)) continue;
            ImportFailure failure;
            failure.kind = Kind::LoadsProgram;
            failure.key = cp1252ToUtf8(key.path);
            failure.value = cp1252ToUtf8(value.name);
            return fail(std::move(failure));
        }
    }
    return {};
}

pointilla::Status<ImportFailure> writeKey(const RegFileKey& key) {
    const auto cut = key.path.find('\\');
    const std::string subKey = cut == std::string::npos ? "" : key.path.substr(cut + 1);
    const HKEY root = RootFromName(key.path.substr(0, cut));
    if (key.remove) {
        const auto removed = explained([&] {
            const auto status = DeleteKeyTree(root, subKey);
            return status ? ERROR_SUCCESS : status.error();
        });
        if (!removed) return storeFailure(Kind::CannotRemove, removed.error(), key.path);
        return {};
    }
    RegistryKey opened;
    if (auto created = explained([&] { return RegCreateKeyA(root, subKey.c_str(), opened.out()); });
        !created) {
        return storeFailure(Kind::CannotCreate, created.error(), key.path);
    }
    for (const auto& value : key.values) {
        const auto written = explained([&] {
            if (!value.remove) {
                return RegSetValueExA(opened.get(), value.name.c_str(), 0, value.type,
                                      reinterpret_cast<const BYTE*>(value.data.data()),
                                      static_cast<DWORD>(value.data.size()));
            }
            const LONG status = RegDeleteValueA(opened.get(), value.name.c_str());
            return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
        });
        if (!written) return storeFailure(Kind::CannotWrite, written.error(), key.path, value.name);
    }
    return {};
}

}  // namespace

pointilla::Status<ImportFailure> importRegFile(const std::filesystem::path& file,
                                               ImportOptions options) {
    ImportFailure failure;
    const auto bytes = pointilla::platform::files::readRegularFile(file, kLargestFile);
    if (!bytes) {
        failure.file = bytes.error();
        return fail(std::move(failure));
    }
    auto parsed = parseRegFile(*bytes);
    if (!parsed) {
        failure.kind = Kind::Malformed;
        failure.malformed = std::move(parsed).error();
        return fail(std::move(failure));
    }
    if (!options.allowClasses) {
        if (auto allowed = refuseLoadedPrograms(*parsed); !allowed) return allowed;
    }
    pointilla::registry::WriteBatch batch;
    if (auto begun = batch.begun(); !begun) {
        return storeFailure(Kind::StoreUnavailable, begun.error());
    }
    for (const auto& key : *parsed) {
        if (auto written = writeKey(key); !written) return written;
    }
    if (auto committed = batch.commit(); !committed) {
        return storeFailure(Kind::StoreRefused, committed.error());
    }
    return {};
}

}  // namespace trellis
