#pragma once
// Export of a registry key tree, depth first, to a .REG file the registry editor
// imports; the previous export of the same name is kept as .OLD.

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "platform/com/com_types.h"

namespace trellis {

// The export member's steps after the control's own check of its current key:
// the member's result (False after the export's own message), or the error code
// it raises (76, 1010).
pointilla::Result<VARIANT_BOOL, LONG> ExportMember(const std::string& sKeytoBackup,
                                                   const std::string& sBackupDir,
                                                   const std::string& sBackupFile);

// Writes base.REG (keeping base.OLD); True when the file was written to its end.
VARIANT_BOOL ExportKeyToFile(const std::string& rootName, const std::string& subKey,
                             const std::string& base);

// Line builders (UTF-8 in, UTF-8 out; the file is written in Windows-1252).
std::string KeyHeaderLine(const std::string& rootName, const std::string& subKey);
std::string StringValueLine(const std::string& name, const std::string& text);
std::string DWordValueLine(const std::string& name, LONG number);
// The lines of a value in the wrapped "hex:" form (type REG_BINARY) or "hex(N):"
// form (any other type); bytes are the value's raw bytes.
std::vector<std::string> HexValueLines(const std::string& name, DWORD type, std::string_view bytes);

}  // namespace trellis
