#include "trellis/control/trellis_control.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <new>

#include "trellis/reg_files/reg_backup.h"
#include "trellis/store/registry_access.h"
#include "trellis/store/text_trim.h"

namespace trellis {
namespace {

// A member's failure: the error number it raises.
struct MemberError {
    LONG code;
};

std::string upperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void checkCurrentKey(const std::string& key) {
    if (const LONG code = ValidRootKey(key); code != 0) throw MemberError{code};
}

}  // namespace

// Runs a member's steps; any raised or unexpected error becomes RegError and the
// member's failure result.
template <typename Result, typename Steps>
Result runMember(const Trellis& control, Result failure, Steps steps,
                 void (Trellis::*raise)(LONG) const) {
    try {
        return steps();
    } catch (const MemberError& e) {
        (control.*raise)(e.code);
    } catch (const std::bad_alloc&) {
        (control.*raise)(7);  // out of memory
    } catch (const std::exception&) {
        (control.*raise)(5);  // invalid procedure call
    }
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
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            return ExportMember(sKeytoBackup, sBackupDir, sBackupFile,
                                [](LONG code) { throw MemberError{code}; });
        },
        &Trellis::RaiseRegError);
}

VARIANT_BOOL Trellis::SetStringVal(const std::string& sValueName,
                                   const std::string& sNewStringValue) {
    return runMember<VARIANT_BOOL>(
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            if (!SetStringValue(currentKey_, sValueName, sNewStringValue)) {
                throw MemberError{kValueNotWritten};
            }
            return VARIANT_TRUE;
        },
        &Trellis::RaiseRegError);
}

std::string Trellis::GetStringVal(const std::string& ValueName) {
    return runMember<std::string>(
        *this, std::string(),
        [&] {
            checkCurrentKey(currentKey_);
            std::string text = GetStringValue(currentKey_, ValueName);
            if (text.empty()) throw MemberError{kValueNotRead};
            return text;
        },
        &Trellis::RaiseRegError);
}

VARIANT_BOOL Trellis::SetDWORDVal(const std::string& sValueName, LONG lNewDWORDValue) {
    return runMember<VARIANT_BOOL>(
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            if (!SetDWORDValue(currentKey_, sValueName, lNewDWORDValue)) {
                throw MemberError{kValueNotWritten};
            }
            return VARIANT_TRUE;
        },
        &Trellis::RaiseRegError);
}

LONG Trellis::GetDWORDVal(const std::string& ValueName) {
    // On failure the member returns the error code itself.
    LONG failure = 0;
    try {
        checkCurrentKey(currentKey_);
        const LONG number = GetDWORDValue(currentKey_, ValueName);
        if (number == -1) throw MemberError{kValueNotRead};
        return number;
    } catch (const MemberError& e) {
        failure = e.code;
    } catch (const std::bad_alloc&) {
        failure = 7;  // out of memory
    } catch (const std::exception&) {
        failure = 5;  // invalid procedure call, as the other members report it
    }
    RaiseRegError(failure);
    return failure;
}

VARIANT_BOOL Trellis::KeyExists(const std::string& sValueName, LONG lValueType) {
    return runMember<VARIANT_BOOL>(
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            switch (lValueType) {
                case 0:
                    if (!GetStringValue(currentKey_, sValueName).empty()) return VARIANT_TRUE;
                    break;
                case 1:
                    if (GetDWORDValue(currentKey_, sValueName) != -1) return VARIANT_TRUE;
                    break;
                default:
                    throw MemberError{kBadKeyPath};
            }
            // A missing value is an answer; a registry that cannot be read is not.
            const LONG status = ValueReadStatus(currentKey_, sValueName);
            if (status != ERROR_SUCCESS && !IsAbsence(status)) throw MemberError{kValueNotRead};
            return VARIANT_FALSE;
        },
        &Trellis::RaiseRegError);
}

VARIANT_BOOL Trellis::DeleteAKey(const std::string& sValueName) {
    return runMember<VARIANT_BOOL>(
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            if (!DeleteKey(currentKey_ + "\\" + sValueName)) {
                throw MemberError{kKeyNotCreatedOrDeleted};
            }
            return VARIANT_TRUE;
        },
        &Trellis::RaiseRegError);
}

VARIANT_BOOL Trellis::CreateAKey(const std::string& sNewKeyName) {
    return runMember<VARIANT_BOOL>(
        *this, VARIANT_FALSE,
        [&] {
            checkCurrentKey(currentKey_);
            if (!CreateKey(currentKey_ + "\\" + sNewKeyName)) {
                throw MemberError{kKeyNotCreatedOrDeleted};
            }
            return VARIANT_TRUE;
        },
        &Trellis::RaiseRegError);
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
