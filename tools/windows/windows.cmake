# What a Windows build adds to the tree; the top-level CMakeLists.txt includes it when the
# target system is Windows (tools/windows/mingw-w64-x86_64.cmake, driven by tools/windows.sh).
#
# The data folder is made by generator programs that run on the build machine, so a Windows
# build borrows the folder of a Linux build (BRAWNMOOR_DATA_FROM), and the desktop icons beside
# it become the programs' icon.
if(NOT BRAWNMOOR_DATA_FROM)
  message(FATAL_ERROR "A Windows build takes its data folder from a build for this machine: "
                      "-DBRAWNMOOR_DATA_FROM=<that build>/bin/data (tools/windows.sh does this)")
endif()
enable_language(RC)

# The test programs that run under Wine: the suites that need no window, the whole game, and the
# advisor's logic and HTTP client (its window suite is a test of its own, tests/driveradvisor).
# Other suites of the tree are defined but left out of the build.
set(BRAWNMOOR_WINDOWS_SUITES engine_tools_tests career_tests fight_tests saves_tests texts_tests
    ui_tests mesh_tests game_tests driveradvisor_tests)
# The tools built for Windows (the text checker is part of the text suite).
set(BRAWNMOOR_WINDOWS_TOOLS textcheck)
# The video driver for a real desktop window (SDL's name for the system's own).
set(BRAWNMOOR_DESKTOP_VIDEO windows)

# The programs' icon: the desktop icons of the borrowed build in one .ico file, the largest
# kept as PNG.
find_program(BRAWNMOOR_ICOTOOL icotool REQUIRED)
set(BRAWNMOOR_WINDOWS_ICON ${CMAKE_BINARY_DIR}/windows/brawnmoor.ico)
add_custom_command(OUTPUT ${BRAWNMOOR_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/windows
  COMMAND ${BRAWNMOOR_ICOTOOL} -c -o ${BRAWNMOOR_WINDOWS_ICON}
          ${BRAWNMOOR_ICON_DIR}/brawnmoor-48.png ${BRAWNMOOR_ICON_DIR}/brawnmoor-128.png
          -r ${BRAWNMOOR_ICON_DIR}/brawnmoor-256.png
  DEPENDS ${BRAWNMOOR_ICON_DIR}/brawnmoor-48.png ${BRAWNMOOR_ICON_DIR}/brawnmoor-128.png
          ${BRAWNMOOR_ICON_DIR}/brawnmoor-256.png
  COMMENT "Windows icon from the desktop icons"
  VERBATIM)
add_custom_target(brawnmoor_windows_icon DEPENDS ${BRAWNMOOR_WINDOWS_ICON})

# Gives a program its version, its icon and its manifest (runs as the user who starts it,
# Windows 10 and later), and the resources of an EXTRA script of its own, compiled in the same
# script so that the icons' numbers do not clash (DEPENDS: the files that script names):
#   brawnmoor_windows_resources(<target> "<description>" [ICON <file.ico>]
#                               [EXTRA <file.rc> [DEPENDS files...]])
function(brawnmoor_windows_resources target description)
  cmake_parse_arguments(RC "" "ICON;EXTRA" "DEPENDS" ${ARGN})
  if(NOT RC_ICON)
    set(RC_ICON ${BRAWNMOOR_WINDOWS_ICON})
    add_dependencies(${target} brawnmoor_windows_icon)
  endif()
  set(BRAWNMOOR_RC_EXTRA "")
  if(RC_EXTRA)
    set(BRAWNMOOR_RC_EXTRA "#include \"${RC_EXTRA}\"")
  endif()
  set(BRAWNMOOR_RC_ICON ${RC_ICON})
  set(BRAWNMOOR_RC_MANIFEST ${CMAKE_SOURCE_DIR}/packaging/windows/program.manifest)
  set(BRAWNMOOR_RC_DESCRIPTION "${description}")
  get_target_property(BRAWNMOOR_RC_NAME ${target} OUTPUT_NAME)
  if(NOT BRAWNMOOR_RC_NAME)
    set(BRAWNMOOR_RC_NAME ${target})
  endif()
  set(BRAWNMOOR_RC_VERSION_COMMAS
      "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/resource.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set(depends ${RC_ICON} ${BRAWNMOOR_RC_MANIFEST} ${RC_EXTRA} ${RC_DEPENDS})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
