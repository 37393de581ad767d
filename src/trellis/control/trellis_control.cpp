#include "trellis/control/trellis_control.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <new>

#include "common/result.h"
#include "trellis/reg_files/reg_backup.h"
#include "trellis/store/registry_access.h"
#include "trellis/store/text_trim.h"

namespace trellis {
namespace {

// A member's steps give its result or the error number it raises.
template <class T>
using MemberResult = pointilla::Result<T, LONG>;
using pointilla::fail;

constexpr LONG kInvalidProcedureCall = 5;
constexpr LONG kOutOfMemory = 7;

std::string upperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

pointilla::Status<LONG> checkCurrentKey(const std::string& key) {
    if (const LONG code = ValidRootKey(key); code != 0) return fail(code);
    return {};
}

// The steps of a member, with nothing thrown past the control's surface: a
// failure of the language's own (out of memory) becomes its run-time error.
template <class Steps>
auto guarded(Steps steps) -> decltype(steps()) {
    try {
        return steps();
    } catch (const std::bad_alloc&) {
        return fail(kOutOfMemory);
    } catch (const std::exception&) {
        return fail(kInvalidProcedureCall);
    }
}

// Whether a failed read means the value is not there (or holds no such data),
// an answer rather than a registry that cannot be read.
bool readsAsMissing(LONG status) { return IsAbsence(status) || status == ERROR_MORE_DATA; }

}  // namespace

// Runs a member's steps on its current key: the result, or RegError with the
// error's number and the member's failure result.
template <class T, class Steps>
T Trellis::runMember(T failure, Steps steps) const {
    MemberResult<T> result = guarded([&]() -> MemberResult<T> {
        if (auto checked = checkCurrentKey(currentKey_); !checked) return fail(checked.error());
        return steps();
    });
    if (result) return std::move(result).value();
    RaiseRegError(result.error());
    return failure;
}

void Trellis::RaiseRegError(LONG code) const {
    if (regError_) regError_(code);
}

void Trellis::SetCurrentKey(const std::string& sKeyName) {
    if (const LONG code = ValidRootKey(sKeyName); code != 0) {
        RaiseRegError(code);
        return;
    }
    const auto pos = sKeyName.find('\\');
    const std::string root = upperAscii(trimSpaces(std::string_view(sKeyName).substr(0, pos)));
    const std::string rest = trimSpaces(std::string_view(sKeyName).substr(pos + 1));
    currentKey_ = root + "\\" + trimSpaces(rest);
}

VARIANT_BOOL Trellis::BackupKey(const std::string& sKeytoBackup, const std::string& sBackupDir,
                                const std::string& sBackupFile) {
    return runMember<VARIANT_BOOL>(
        VARIANT_FALSE, [&] { return ExportMember(sKeytoBackup, sBackupDir, sBackupFile); });
}

VARIANT_BOOL Trellis::SetStringVal(const std::string& sValueName,
                                   const std::string& sNewStringValue) {
    return runMember<VARIANT_BOOL>(VARIANT_FALSE, [&]() -> MemberResult<VARIANT_BOOL> {
        if (!SetStringValue(currentKey_, sValueName, sNewStringValue)) {
            return fail(kValueNotWritten);
        }
        return VARIANT_BOOL{VARIANT_TRUE};
    });
}

std::string Trellis::GetStringVal(const std::string& ValueName) {
    return runMember<std::string>({}, [&]() -> MemberResult<std::string> {
        auto text = GetStringValue(currentKey_, ValueName);
        // An empty text cannot be told from a missing one.
        if (!text || text->empty()) return fail(kValueNotRead);
        return std::move(text).value();
    });
}

VARIANT_BOOL Trellis::SetDWORDVal(const std::string& sValueName, LONG lNewDWORDValue) {
    return runMember<VARIANT_BOOL>(VARIANT_FALSE, [&]() -> MemberResult<VARIANT_BOOL> {
        if (!SetDWORDValue(currentKey_, sValueName, lNewDWORDValue)) return fail(kValueNotWritten);
        return VARIANT_BOOL{VARIANT_TRUE};
    });
}

LONG Trellis::GetDWORDVal(const std::string& ValueName) {
    MemberResult<LONG> number = guarded([&]() -> MemberResult<LONG> {
        if (auto checked = checkCurrentKey(currentKey_); !checked) return fail(checked.error());
        auto read = GetDWORDValue(currentKey_, ValueName);
        // A stored -1 cannot be told from a missing value.
        if (!read || *read == -1) return fail(kValueNotRead);
        return read;
    });
    if (number) return *number;
    // On failure the member returns the error code itself.
    RaiseRegError(number.error());
    return number.error();
}

VARIANT_BOOL Trellis::KeyExists(const std::string& sValueName, LONG lValueType) {
    return runMember<VARIANT_BOOL>(VARIANT_FALSE, [&]() -> MemberResult<VARIANT_BOOL> {
        LONG status = ERROR_SUCCESS;
        bool found = false;
        if (lValueType == 0) {
            auto text = GetStringValue(currentKey_, sValueName);
            found = text && !text->empty();
            if (!text) status = text.error();
        } else if (lValueType == 1) {
            auto number = GetDWORDValue(currentKey_, sValueName);
            found = number && *number != -1;
            if (!number) status = number.error();
        } else {
            return fail(kBadKeyPath);
        }
        // A missing value is an answer; a registry that cannot be read is not.
        if (status != ERROR_SUCCESS && !readsAsMissing(status)) return fail(kValueNotRead);
        return VARIANT_BOOL{found ? VARIANT_TRUE : VARIANT_FALSE};
    });
}

VARIANT_BOOL Trellis::DeleteAKey(const std::string& sValueName) {
    return runMember<VARIANT_BOOL>(VARIANT_FALSE, [&]() -> MemberResult<VARIANT_BOOL> {
        if (!DeleteKey(currentKey_ + "\\" + sValueName)) return fail(kKeyNotCreatedOrDeleted);
        return VARIANT_BOOL{VARIANT_TRUE};
    });
}

VARIANT_BOOL Trellis::CreateAKey(const std::string& sNewKeyName) {
    return runMember<VARIANT_BOOL>(VARIANT_FALSE, [&]() -> MemberResult<VARIANT_BOOL> {
        if (!CreateKey(currentKey_ + "\\" + sNewKeyName)) return fail(kKeyNotCreatedOrDeleted);
        return VARIANT_BOOL{VARIANT_TRUE};
    });
}

void Trellis::SetSize(LONG width, LONG height) {
    width_ = width;
    height_ = height;
    UserControl_Resize();
}

void Trellis::UserControl_Resize() {
    width_ = kControlWidthTwips;
    height_ = kControlHeightTwips;
}

}  // namespace trellis
