#include "platform/desktop_session.h"

namespace pointilla::platform {

void preferX11Backend() {}

// One desktop per session: the single-program guard needs no name.
std::string prepareToolkitForDesktop(const DesktopNotes& /*notes*/) { return {}; }

}  // namespace pointilla::platform
