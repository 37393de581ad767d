#pragma once
// The Trellis control: a current key path and the members that read and write
// values under it, create and delete its sub-keys and export a key tree. Every
// failure is reported by the member's result and by the RegError event, raised
// inside the failing call.

#include <functional>
#include <string>

#include "platform/com/com_types.h"

namespace trellis {

inline constexpr LONG kKeyNotCreatedOrDeleted = 1011;
inline constexpr LONG kValueNotRead = 1012;
inline constexpr LONG kValueNotWritten = 1013;
inline constexpr LONG kPathNotFound = 76;

// The control's fixed size on its host, in twips.
inline constexpr LONG kControlWidthTwips = 500;
inline constexpr LONG kControlHeightTwips = 480;

class Trellis {
  public:
    using RegErrorHandler = std::function<void(LONG errorCode)>;
    void onRegError(RegErrorHandler handler) { regError_ = std::move(handler); }

    std::string CurrentKey() const { return currentKey_; }
    void SetCurrentKey(const std::string& sKeyName);

    VARIANT_BOOL BackupKey(const std::string& sKeytoBackup, const std::string& sBackupDir,
                           const std::string& sBackupFile);
    VARIANT_BOOL SetStringVal(const std::string& sValueName, const std::string& sNewStringValue);
    std::string GetStringVal(const std::string& ValueName);
    VARIANT_BOOL SetDWORDVal(const std::string& sValueName, LONG lNewDWORDValue);
    LONG GetDWORDVal(const std::string& ValueName);
    VARIANT_BOOL KeyExists(const std::string& sValueName, LONG lValueType);
    VARIANT_BOOL DeleteAKey(const std::string& sValueName);
    VARIANT_BOOL CreateAKey(const std::string& sNewKeyName);

    // Whatever size the host asks for, the control keeps its own.
    void UserControl_Resize();
    LONG Width() const { return width_; }
    LONG Height() const { return height_; }
    void SetSize(LONG width, LONG height);

  private:
    void RaiseRegError(LONG code) const;
    template <class T, class Steps>
    T runMember(T failure, Steps steps) const;

    std::string currentKey_;
    RegErrorHandler regError_;
    LONG width_ = kControlWidthTwips;
    LONG height_ = kControlHeightTwips;
};

}  // namespace trellis
