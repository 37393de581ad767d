# Fuzzing build: every library a fuzz target links is instrumented, not only
# the harness, so that coverage guides the fuzzer through the code under test
# and the sanitizers watch it. Included before the sources are added.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz targets need clang: configure with CC=clang-14 CXX=clang++-14 (fuzz/run.sh does)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
