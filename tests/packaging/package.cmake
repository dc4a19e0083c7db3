# cmake -DBUILD=<build folder> -DPROGRAM=<the built program> -DWORK=<scratch folder>
#       -DCPACK=<cpack> -DQT_TRANSLATIONS=<Qt's translations folder> -P package.cmake
# The Debian package built by cpack from the build as it stands: its fields, what it holds,
# and the program it carries starting from a folder it was unpacked into.
include("${CMAKE_CURRENT_LIST_DIR}/checks.cmake")

if(NOT EXISTS "${PROGRAM}")
  fail("${PROGRAM} is not built: build the monitoreo target first")
endif()
require_program(dpkg_deb dpkg-deb dpkg)
require_program(shlibdeps dpkg-shlibdeps dpkg-dev)
require_program(readelf readelf binutils)
# CPack's step that runs dpkg-shlibdeps tells the program's ELF files by `file`.
require_program(file_utility file file)
fresh_folder("${WORK}")

run(out "${CPACK}" -G DEB --config "${BUILD}/CPackConfig.cmake" -B "${WORK}/out")
file(GLOB debs "${WORK}/out/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  fail("cpack made ${count} packages in ${WORK}/out instead of one:\n${out}")
endif()
if(NOT debs MATCHES "/monitoreo_[^/]+_[a-z0-9]+\\.deb$")
  fail("${debs} is not named as a Debian package of monitoreo is")
endif()

# Fields
function(field var name)
  run(value "${dpkg_deb}" -f "${debs}" ${name})
  string(STRIP "${value}" value)
  set(${var} "${value}" PARENT_SCOPE)
endfunction()
field(package Package)
if(NOT package STREQUAL "monitoreo")
  fail("The package is called \"${package}\", not monitoreo")
endif()
foreach(name IN ITEMS Maintainer Section Version Architecture Description)
  field(value ${name})
  if(value STREQUAL "")
    fail("The package has no ${name} field")
  endif()
endforeach()
field(maintainer Maintainer)
if(NOT maintainer MATCHES "^[^<>]+ <[^<> ]+@[^<> ]+>$")
  fail("The maintainer \"${maintainer}\" is not a name and an address")
endif()
# What the program loads at run time (database drivers, platform plugins, Qt's Spanish
# texts), and what dpkg-shlibdeps finds the program linked against.
field(depends Depends)
string(REGEX REPLACE " *\\([^)]*\\)" "" names "${depends}")
string(REGEX REPLACE " *, *" ";" names "${names}")
foreach(needed IN ITEMS libqt6sql6-sqlite libqt6sql6-psql qt6-qpa-plugins qt6-translations-l10n
                        libqt6widgets6 libqt6sql6 libqt6core6 libsqlite3-0 libc6)
  if(NOT needed IN_LIST names)
    fail("The package does not depend on ${needed}: Depends: ${depends}")
  endif()
endforeach()

# Contents: the program, executable by all, its entry and its icon, and no other file
# (no tests, benchmarks or libraries).
run(listing "${dpkg_deb}" -c "${debs}")
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(files)
foreach(line IN LISTS lines)
  if(line MATCHES "^-([rwx-]+) [^ ]+ +[0-9]+ [^ ]+ [^ ]+ \\./(.+)$")
    list(APPEND files "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_2 STREQUAL "usr/bin/monitoreo" AND NOT CMAKE_MATCH_1 STREQUAL "rwxr-xr-x")
      fail("usr/bin/monitoreo is packed as -${CMAKE_MATCH_1}, not -rwxr-xr-x")
    endif()
  endif()
endforeach()
list(SORT files)
set(expected usr/bin/monitoreo usr/bin/monitoreo-importar usr/share/applications/monitoreo.desktop
             usr/share/icons/hicolor/scalable/apps/monitoreo.svg)
if(NOT files STREQUAL expected)
  fail("The package holds other files than the program, its importer, its entry and its "
       "icon:\n${listing}")
endif()

set(root "${WORK}/root")
run(ignored "${dpkg_deb}" -x "${debs}" "${root}")
check_installed_tree("${root}/usr")

# The packed program looks for no library in the build folder and carries no debugging
# sections.
run(dynamic "${readelf}" -d "${root}/usr/bin/monitoreo")
if(dynamic MATCHES "R(UN)?PATH[^\n]*${BUILD}")
  fail("The packed program looks for libraries in the build folder:\n${dynamic}")
endif()
run(sections "${readelf}" -S -W "${root}/usr/bin/monitoreo")
if(sections MATCHES "\\.debug_info")
  fail("The packed program is not stripped")
endif()

# The translations package named in Depends is the one that puts Qt's Spanish buttons where
# the program reads them.
require_program(dpkg_query dpkg dpkg)
run(owner "${dpkg_query}" -S "${QT_TRANSLATIONS}/qtbase_es.qm")
if(NOT owner MATCHES "^qt6-translations-l10n:")
  fail("${QT_TRANSLATIONS}/qtbase_es.qm comes from \"${owner}\", not qt6-translations-l10n")
endif()

# The unpacked program starts and is still running a few seconds later, having reached its
# login window (it makes the embedded store's folder just before showing it).
set(home "${WORK}/home")
file(MAKE_DIRECTORY "${home}")
require_program(timeout timeout coreutils)
execute_process(COMMAND "${timeout}" --kill-after=5 4 env QT_QPA_PLATFORM=offscreen
                        "HOME=${home}" "XDG_DATA_HOME=${home}/data"
                        "XDG_CONFIG_HOME=${home}/config" "${root}/usr/bin/monitoreo"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 124)
  fail("The unpacked program ended by itself (${rc}) instead of showing its login window:\n"
       "${out}${err}")
endif()
if(NOT IS_DIRECTORY "${home}/data/monitoreo")
  fail("The unpacked program ran without preparing the embedded store's folder "
       "${home}/data/monitoreo:\n${out}${err}")
endif()
