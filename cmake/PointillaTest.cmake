# pointilla_add_test(<target> SOURCES <file>... [LIBS <lib>...] [PREFIX <prefix>]
#                    [WIDGETS] [RESOURCE_LOCK <lock>] [TIMEOUT <s>]
#                    [DISCOVERY_TIMEOUT <s>] [DEFINES <def>...] [INCLUDES <dir>...]
#                    [DEPENDS <target>...])
# One GoogleTest program, built with the project's warnings, each of its tests
# registered with ctest as <prefix><Suite>.<Test>. WIDGETS gives it the shared
# main() with one QApplication on the offscreen platform; otherwise GoogleTest's.
#
# pointilla_add_test(<name> SCRIPT <file> [ARGS <arg>...] [RESOURCE_LOCK <lock>...]
#                    [TIMEOUT <s>] [ENVIRONMENT <var=value>...]
#                    [SKIP_RETURN_CODE <n>] [SKIP_REGULAR_EXPRESSION <regex>])
# One end-to-end script of this folder, run by bash as the ctest test <name>.
function(pointilla_add_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WIDGETS"
    "PREFIX;TIMEOUT;DISCOVERY_TIMEOUT;SCRIPT;SKIP_RETURN_CODE;SKIP_REGULAR_EXPRESSION"
    "SOURCES;LIBS;DEFINES;INCLUDES;DEPENDS;ARGS;ENVIRONMENT;RESOURCE_LOCK")
  if(DEFINED arg_SCRIPT)
    add_test(NAME ${target} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${arg_SCRIPT} ${arg_ARGS})
    # One property at a time: a list value (two locks) stays one value.
    foreach(property RESOURCE_LOCK TIMEOUT ENVIRONMENT SKIP_RETURN_CODE SKIP_REGULAR_EXPRESSION)
      if(DEFINED arg_${property})
        set_tests_properties(${target} PROPERTIES ${property} "${arg_${property}}")
      endif()
    endforeach()
    return()
  endif()

  add_executable(${target} ${arg_SOURCES})
  pointilla_warnings(${target})
  target_link_libraries(${target} PRIVATE ${arg_LIBS})
  if(arg_DEFINES)
    target_compile_definitions(${target} PRIVATE ${arg_DEFINES})
  endif()
  if(arg_INCLUDES)
    target_include_directories(${target} PRIVATE ${arg_INCLUDES})
  endif()
  if(arg_DEPENDS)
    add_dependencies(${target} ${arg_DEPENDS})
  endif()

  set(discovery)
  set(properties)
  if(arg_WIDGETS)
    target_link_libraries(${target} PRIVATE pointilla_qt_gtest_main GTest::gtest Qt6::Test)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    # Listing the tests needs a QApplication: list them when they run, not at build time.
    list(APPEND discovery DISCOVERY_MODE PRE_TEST)
    list(APPEND properties ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${target} PRIVATE GTest::gtest_main)
  endif()
  if(DEFINED arg_PREFIX)
    list(APPEND discovery TEST_PREFIX ${arg_PREFIX})
  endif()
  if(DEFINED arg_DISCOVERY_TIMEOUT)
    list(APPEND discovery DISCOVERY_TIMEOUT ${arg_DISCOVERY_TIMEOUT})
  endif()
  if(DEFINED arg_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${arg_RESOURCE_LOCK})
  endif()
  if(DEFINED arg_TIMEOUT)
    list(APPEND properties TIMEOUT ${arg_TIMEOUT})
  endif()
  if(properties)
    list(APPEND discovery PROPERTIES ${properties})
  endif()
  gtest_discover_tests(${target} ${discovery})
endfunction()
