// The registry store explains its failures; an entry gathers its words.

#include "trellis/control/error_info.h"

#include <utility>

#include "platform/registry/advapi32.h"

namespace trellis {
namespace {

thread_local std::string entryWords;

}  // namespace

struct EntryErrorInfo::Words {
    pointilla::registry::FailureWords heard;
};

EntryErrorInfo::EntryErrorInfo() : words_(std::make_unique<Words>()) {}

EntryErrorInfo::~EntryErrorInfo() { entryWords = words_->heard.latest(); }

std::string takeEntryErrorInfo() { return std::exchange(entryWords, std::string()); }

}  // namespace trellis
