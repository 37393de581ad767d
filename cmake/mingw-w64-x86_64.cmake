# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix thread model,
# which gives std::thread and std::mutex).
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Headers and libraries come from the Windows side only; programs run at build
# time (moc, rcc, uic) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
# A cross-built Qt installed elsewhere (scripts/build-windows.sh passes its cache).
if(POINTILLA_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${POINTILLA_WINDOWS_PREFIX})
  list(APPEND CMAKE_PREFIX_PATH ${POINTILLA_WINDOWS_PREFIX})
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES POINTILLA_WINDOWS_PREFIX)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: no libgcc, libstdc++ or winpthread DLL to ship.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
