#pragma once
// The operating-system version the export's header depends on ("Windows Registry
// Editor Version 5.00" on an NT system of major version 5, "REGEDIT4" otherwise),
// as kernel32's GetVersionExA reports it.

#include "platform/registry/win_version_and_boxes.h"
