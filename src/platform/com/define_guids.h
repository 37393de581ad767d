// No include guard: included once, by the one source that defines the
// identifiers of the interface definition, before the header declaring them.

#ifdef _WIN32
#include <initguid.h>
#else
#define INITGUID
#endif
