# Turns a Qt translation file (.ts) into a C++ table of its finished
# translations, for programs built without Qt (the command-line tools, on
# Windows too). Runs as a script on the build host:
#   cmake -DTS_FILE=x.ts -DOUTPUT=x.cpp -DHEADER=messages/x.h -DFUNCTION=name -P TranslationTable.cmake
# An unfinished, vanished or empty translation is left out: that sentence stays
# French.
cmake_minimum_required(VERSION 3.25)
foreach(_required TS_FILE OUTPUT HEADER FUNCTION)
  if(NOT DEFINED ${_required})
    message(FATAL_ERROR "TranslationTable.cmake: ${_required} is not set")
  endif()
endforeach()

file(READ "${TS_FILE}" _ts)

# The text between <tag...> and </tag> after position _from, in _body; _end
# becomes the position after the closing tag, -1 when there is none.
function(_ts_element _text _from _tag _body _attributes _end)
  string(SUBSTRING "${_text}" ${_from} -1 _rest)
  string(FIND "${_rest}" "<${_tag}" _open)
  if(_open EQUAL -1)
    set(${_end} -1 PARENT_SCOPE)
    return()
  endif()
  string(SUBSTRING "${_rest}" ${_open} -1 _rest)
  string(FIND "${_rest}" ">" _close)
  math(EXPR _startAttr "${_close}")
  string(SUBSTRING "${_rest}" 0 ${_startAttr} _attr)
  math(EXPR _afterOpen "${_close} + 1")
  string(SUBSTRING "${_rest}" ${_afterOpen} -1 _inner)
  string(FIND "${_inner}" "</${_tag}>" _stop)
  if(_stop EQUAL -1)
    message(FATAL_ERROR "${TS_FILE}: <${_tag}> is not closed")
  endif()
  string(SUBSTRING "${_inner}" 0 ${_stop} _value)
  string(LENGTH "</${_tag}>" _closeLength)
  math(EXPR _consumed "${_from} + ${_open} + ${_afterOpen} + ${_stop} + ${_closeLength}")
  set(${_body} "${_value}" PARENT_SCOPE)
  set(${_attributes} "${_attr}" PARENT_SCOPE)
  set(${_end} ${_consumed} PARENT_SCOPE)
endfunction()

# XML text to the C++ string literal of the characters it stands for. A
# character reference (lupdate writes a no-break space so) becomes a universal
# character name, or a hexadecimal escape below U+00A0.
function(_ts_literal _xml _out)
  string(REPLACE "\\" "\\\\" _xml "${_xml}")
  string(REPLACE "\"" "\\\"" _xml "${_xml}")
  string(REPLACE "&lt;" "<" _xml "${_xml}")
  string(REPLACE "&gt;" ">" _xml "${_xml}")
  string(REPLACE "&quot;" "\\\"" _xml "${_xml}")
  string(REPLACE "&apos;" "'" _xml "${_xml}")
  while(_xml MATCHES "&#(x?)([0-9a-fA-F]+);")
    set(_reference "${CMAKE_MATCH_0}")
    if(CMAKE_MATCH_1 STREQUAL "x")
      set(_hex "${CMAKE_MATCH_2}")
    else()
      math(EXPR _hex "${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
      string(REGEX REPLACE "^0x" "" _hex "${_hex}")
    endif()
    math(EXPR _code "0x${_hex}")
    if(_code LESS 160)
      set(_escape "\\x${_hex}\" \"")
    else()
      string(LENGTH "${_hex}" _digits)
      while(_digits LESS 4)
        string(PREPEND _hex "0")
        math(EXPR _digits "${_digits} + 1")
      endwhile()
      set(_escape "\\u${_hex}")
      if(_digits GREATER 4)
        set(_escape "\\U0000${_hex}")
      endif()
    endif()
    string(REPLACE "${_reference}" "${_escape}" _xml "${_xml}")
  endwhile()
  string(REPLACE "&amp;" "&" _xml "${_xml}")
  # One line of the text, one line of the literal.
  string(REPLACE "\n" "\\n\"\n     \"" _xml "${_xml}")
  set(${_out} "\"${_xml}\"" PARENT_SCOPE)
endfunction()

set(_entries "")
set(_count 0)
set(_at 0)
while(TRUE)
  _ts_element("${_ts}" ${_at} "context" _context _unused _at)
  if(_at EQUAL -1)
    break()
  endif()
  _ts_element("${_context}" 0 "name" _name _unused _pos)
  _ts_literal("${_name}" _nameLiteral)
  set(_pos 0)
  while(TRUE)
    _ts_element("${_context}" ${_pos} "message" _message _unused _pos)
    if(_pos EQUAL -1)
      break()
    endif()
    _ts_element("${_message}" 0 "source" _source _unused _p)
    _ts_element("${_message}" 0 "translation" _translation _kind _p)
    if(_kind MATCHES "type=" OR _translation STREQUAL "")
      continue()
    endif()
    _ts_literal("${_source}" _sourceLiteral)
    _ts_literal("${_translation}" _translationLiteral)
    string(APPEND _entries
      "    {${_nameLiteral},\n     ${_sourceLiteral},\n     ${_translationLiteral}},\n")
    math(EXPR _count "${_count} + 1")
  endwhile()
endwhile()
if(_count EQUAL 0)
  message(FATAL_ERROR "${TS_FILE}: no finished translation")
endif()

set(_code "// Generated from ${TS_FILE}; edit that file instead.
#include \"${HEADER}\"

#include <array>

namespace pointilla::messages {
namespace {

constexpr std::array<CatalogueEntry, ${_count}> kEntries{{
${_entries}}};

}  // namespace

std::span<const CatalogueEntry> ${FUNCTION}() { return kEntries; }

}  // namespace pointilla::messages
")
# Rewritten only when it changes, so that nothing recompiles for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" _old)
  if(_old STREQUAL _code)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${_code}")
