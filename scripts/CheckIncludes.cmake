# Keeps the include direction of src/: every folder includes only folders below it.
#
#   common, platform                         the bottom
#   script, list, geo, formula, waypoint,    above them; they never include the editor or the
#   exchange, proatlas                       application (a folder that needs an editor service
#                                            declares a small interface of its own)
#   check, posedit                           the script checker and the position editor,
#                                            above those
#   editor                                   above those
#   app, cli, main and the views             on top
#
# Run with  cmake -DKEL_SOURCE_DIR=<repo> -P scripts/CheckIncludes.cmake ; it lists every
# offending include and fails when there is one. The build runs it whenever a source changes,
# and ctest runs it as the test "include_direction".

cmake_minimum_required(VERSION 3.25)

if(NOT KEL_SOURCE_DIR)
  get_filename_component(KEL_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

# Folder -> the folders its files must not include.
set(forbidden_common   "platform|script|list|geo|formula|waypoint|proatlas|posedit|editor|app|cli|main")
set(forbidden_platform "script|list|geo|formula|waypoint|proatlas|posedit|editor|app|cli|main")
set(forbidden_script   "editor|app|cli|main")
set(forbidden_list     "editor|app|cli|main")
set(forbidden_geo      "editor|app|cli|main")
set(forbidden_formula  "editor|app|cli|main")
set(forbidden_waypoint "editor|app|cli|main")
set(forbidden_exchange "editor|app|cli|main")
set(forbidden_proatlas "editor|app|cli|main")
set(forbidden_check    "editor|app|cli|main")
set(forbidden_posedit  "editor|app|cli|main")
set(forbidden_editor   "app|cli|main")

set(offences "")
foreach(folder common platform script list geo formula waypoint exchange proatlas check posedit editor)
  file(GLOB_RECURSE files "${KEL_SOURCE_DIR}/src/${folder}/*.h" "${KEL_SOURCE_DIR}/src/${folder}/*.cpp")
  foreach(path ${files})
    file(RELATIVE_PATH rel "${KEL_SOURCE_DIR}" "${path}")
    file(STRINGS "${path}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${forbidden_${folder}})/")
    foreach(line ${includes})
      string(STRIP "${line}" line)
      list(APPEND offences "${rel}: ${line}")
    endforeach()
  endforeach()
endforeach()

if(offences)
  list(LENGTH offences count)
  string(REPLACE ";" "\n  " shown "${offences}")
  message(FATAL_ERROR "${count} include(s) against the include direction of src/ "
                      "(see scripts/CheckIncludes.cmake):\n  ${shown}")
endif()
