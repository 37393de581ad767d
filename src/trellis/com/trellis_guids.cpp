// Defines the identifiers the interface definition declares, once.

#include "platform/com/com_interfaces.h"
#include "platform/com/define_guids.h"
#include "trellis/com/dovetail.h"
