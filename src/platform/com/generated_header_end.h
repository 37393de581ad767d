// No include guard: closes every inclusion of a header widl generated
// (generated_header_begin.h).

#ifndef _WIN32
#undef interface
#undef MIDL_INTERFACE
#undef DECLSPEC_UUID
#undef BEGIN_INTERFACE
#undef END_INTERFACE
#undef DEFINE_GUID
#endif  // !_WIN32
