#pragma once
// What the library tells its host beside a member's result, kept per thread as
// COM keeps its error information: while an entry into the library runs (a
// member call, a registration), the registry store's words for why its calls
// failed are gathered; when the entry ends they are what the host may take.
// The Windows registry gives no such words, and there none are kept.

#include <memory>
#include <string>

namespace trellis {

class EntryErrorInfo {
  public:
    EntryErrorInfo();
    ~EntryErrorInfo();
    EntryErrorInfo(const EntryErrorInfo&) = delete;
    EntryErrorInfo& operator=(const EntryErrorInfo&) = delete;

  private:
    struct Words;
    std::unique_ptr<Words> words_;
};

// The words of the latest entry this thread ended, "" when it had none;
// taking them clears them.
std::string takeEntryErrorInfo();

}  // namespace trellis
