// The Windows registry reports by status codes only: there are no words to keep.

#include "trellis/control/error_info.h"

namespace trellis {

struct EntryErrorInfo::Words {};

EntryErrorInfo::EntryErrorInfo() = default;

EntryErrorInfo::~EntryErrorInfo() = default;

std::string takeEntryErrorInfo() { return {}; }

}  // namespace trellis
