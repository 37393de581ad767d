#pragma once
// What the window says about Pointilla's GNOME Shell helper: the
// menu entry that installs it, its outcome, and the note shown at start when
// GNOME lets the program hear no hot key.

#include <string>

namespace pointilla::messages {

// « Activer le raccourci sur GNOME… »
std::string gnomeHelperEntryCaption();

// The note in the status bar at start while the hot key cannot be heard.
std::string gnomeHotKeyMissingNote();

// Installed (or already there) and enabled: it acts from the next login.
std::string gnomeHelperInstalledMessage();

// Why it could not be installed.
enum class GnomeHelperFailure { NoShell, UnknownVersion, NoFiles, CopyFailed, EnableFailed };
std::string gnomeHelperFailedMessage(GnomeHelperFailure why, const std::string& detail);

}  // namespace pointilla::messages
