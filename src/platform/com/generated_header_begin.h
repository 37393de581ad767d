// No include guard: opens every inclusion of a header widl generated.
// What such a header expects of the Windows headers, where there are none;
// generated_header_end.h takes it back. A Windows build has it all.
// Define INITGUID first to define the identifiers instead of declaring them.

#ifndef _WIN32
#define COM_NO_WINDOWS_H
#define interface struct
#define MIDL_INTERFACE(id) struct
#define DECLSPEC_UUID(id)
#define BEGIN_INTERFACE
#define END_INTERFACE
#ifdef INITGUID
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    extern const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#else
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) extern const GUID name
#endif
#endif  // !_WIN32
