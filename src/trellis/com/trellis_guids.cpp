// Defines the identifiers the interface definition declares, once.

#include "trellis/com/com_interfaces.h"
#ifdef _WIN32
#include <initguid.h>
#else
#define INITGUID
#endif
#include "trellis/com/dovetail.h"
