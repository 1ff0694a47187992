# Cross-building for 64-bit Windows (10 and later) with MinGW-w64 on Debian.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64-x86_64.cmake \
#         -DBRAWNMOOR_WIN_DEPS=<prefix of the Windows libraries>
#
# The POSIX thread model of the compiler is used: std::thread and std::mutex need it. Programs
# are linked statically (the C++ runtime, the thread library and every dependency), so an
# executable needs no DLL beside it. Test programs run under Wine through wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 10.0)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRAWNMOOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRAWNMOOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRAWNMOOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRAWNMOOR_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${BRAWNMOOR_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${BRAWNMOOR_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# The prefix the Windows libraries were installed into (tools/windows/deps.sh), given on the
# command line or in the environment; try_compile projects see it too.
if(NOT BRAWNMOOR_WIN_DEPS AND DEFINED ENV{BRAWNMOOR_WIN_DEPS})
  set(BRAWNMOOR_WIN_DEPS "$ENV{BRAWNMOOR_WIN_DEPS}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRAWNMOOR_WIN_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${BRAWNMOOR_MINGW_TRIPLE})
if(BRAWNMOOR_WIN_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${BRAWNMOOR_WIN_DEPS})
  list(APPEND CMAKE_PREFIX_PATH ${BRAWNMOOR_WIN_DEPS})
  # pkg-config sees the Windows libraries and nothing of the host.
  set(ENV{PKG_CONFIG_LIBDIR} "${BRAWNMOOR_WIN_DEPS}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs (and gtest's discovery) run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
