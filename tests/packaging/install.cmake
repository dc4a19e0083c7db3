# cmake -DBUILD=<build folder> -DPROGRAM=<the built program> -DWORK=<scratch folder>
#       -P install.cmake
# `cmake --install` of the build into a scratch prefix puts there the program, its menu
# entry and its icon, and nothing else.
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

if(NOT EXISTS "${PROGRAM}")
  fail("${PROGRAM} is not built: build the monitoreo target first")
endif()
fresh_folder("${WORK}")
set(prefix "${WORK}/prefix")
run(ignored "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}")
check_installed_tree("${prefix}")

# The installed program is the one the build made, not an older copy.
file(SHA256 "${PROGRAM}" built)
file(SHA256 "${prefix}/bin/monitoreo" installed)
if(NOT built STREQUAL installed)
  fail("${prefix}/bin/monitoreo differs from the program the build made")
endif()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${prefix}" "${prefix}/*")
list(SORT files)
set(expected bin/monitoreo bin/monitoreo-importar share/applications/monitoreo.desktop
             share/icons/hicolor/scalable/apps/monitoreo.svg)
if(NOT files STREQUAL expected)
  list(JOIN files "\n  " shown)
  fail("The installation holds other files than the program, its importer, its entry and "
       "its icon:\n  "
       "${shown}")
endif()
