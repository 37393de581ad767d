// On Windows the messages are the system's own modal message boxes.

#include "trellis/control/notifier.h"

#include "trellis/com/oleaut.h"

namespace trellis {

void showDefaultMessage(const std::string& text, const std::string& title, std::uint32_t flags) {
    const com::OleString wideText = com::utf16FromUtf8(text);
    const com::OleString wideTitle = com::utf16FromUtf8(title);
    MessageBoxW(nullptr, wideText.c_str(), wideTitle.c_str(), flags | MB_TASKMODAL);
}

}  // namespace trellis
