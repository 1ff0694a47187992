# Checks that game/ keeps its floors: every include of a game header points to the same floor or
# a lower one, the rules include no engine facility but the small tools, and the rule libraries
# link no window, graphics, font, sound, picture or mesh library. Prints the include graph
# between the folders; with -DDOT=<file> also writes it in Graphviz form.
#
#   cmake -DSOURCE=<tree> [-DLINKS=<file>] [-DDOT=<file>] -P tools/floors.cmake
#
# LINKS is written by the build's configuration (game/CMakeLists.txt): one line per rule
# library, "<library>: <every library it links, directly or not>".

cmake_minimum_required(VERSION 3.25)

# The floors from the bottom up; folders on one floor may include each other.
set(floor_career 1)
set(floor_fight 1)
set(floor_ui 2)
set(floor_saves 3)
set(floor_screens 4)
set(floor_shell 5)
set(folders career fight ui saves screens shell)
# What the rules may use of the engine.
set(rule_engine_allowed tools)

if(NOT SOURCE)
  message(FATAL_ERROR "floors.cmake: give -DSOURCE=<source tree>")
endif()

set(faults "")
set(edges "")
file(GLOB_RECURSE files RELATIVE "${SOURCE}/game" "${SOURCE}/game/*.cpp" "${SOURCE}/game/*.h")
list(SORT files)
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" from "${file}")
  if(NOT DEFINED floor_${from})
    list(APPEND faults "game/${file}: the folder ${from} is on no floor")
    continue()
  endif()
  file(STRINGS "${SOURCE}/game/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    string(REGEX MATCH "^[^/]+" to "${header}")
    if(header MATCHES "/" AND DEFINED floor_${to})
      list(APPEND edges "${from}>${to}")
      if(floor_${to} GREATER floor_${from})
        list(APPEND faults "game/${file}: includes ${header}, a floor above its own")
      endif()
    elseif(floor_${from} EQUAL 1 AND header MATCHES "/" AND EXISTS "${SOURCE}/engine/${header}")
      if(NOT to IN_LIST rule_engine_allowed)
        list(APPEND faults "game/${file}: a rule file includes the engine's ${header}")
      endif()
    endif()
  endforeach()
endforeach()

# The graph: one line per pair of folders with the number of includes.
message("Includes between the folders of game/ (floor: folder):")
set(dot "digraph game {\n  rankdir=BT;\n")
foreach(from IN LISTS folders)
  foreach(to IN LISTS folders)
    set(n 0)
    foreach(e IN LISTS edges)
      if(e STREQUAL "${from}>${to}")
        math(EXPR n "${n} + 1")
      endif()
    endforeach()
    if(n GREATER 0)
      set(direction "down")
      if(floor_${to} EQUAL floor_${from})
        set(direction "same floor")
      elseif(floor_${to} GREATER floor_${from})
        set(direction "UP")
      endif()
      message("  ${floor_${from}}:${from} -> ${floor_${to}}:${to}  ${n}  (${direction})")
      if(NOT from STREQUAL to)
        string(APPEND dot "  ${from} -> ${to} [label=\"${n}\"];\n")
      endif()
    endif()
  endforeach()
endforeach()
string(APPEND dot "}\n")
if(DOT)
  file(WRITE "${DOT}" "${dot}")
endif()

# The rule libraries' links: the engine's tools and the platform's system services, nothing that
# draws, reads input or plays.
if(LINKS)
  file(STRINGS "${LINKS}" lines)
  foreach(line IN LISTS lines)
    message("${line}")
    if(line MATCHES "^(brawnmoor_career|brawnmoor_fight):(.*)$")
      set(library "${CMAKE_MATCH_1}")
      string(REPLACE " " ";" linked "${CMAKE_MATCH_2}")
      foreach(l IN LISTS linked)
        if(l MATCHES "^brawnmoor_(engine_(window|graphics|font|sound|image|mesh|model)|ui|saves|screens|game)$")
          list(APPEND faults "${library} links ${l}")
        endif()
      endforeach()
    endif()
  endforeach()
endif()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "The floors of game/ are broken:\n  ${text}")
endif()
message("Every include of game/ points to its own floor or a lower one.")
