# SPDX-License-Identifier: MIT
# What `cmake --install` puts into place, and the Debian package made from it
# by `cpack -G DEB` (scripts/package). Only the three programs, their
# desktop files and their documentation: the static libraries, the tests and
# the fake grabber libraries stay in the build tree.
include(GNUInstallDirs)

install(TARGETS camera-control-tool camera-ctl camera-sim
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CCT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${CCT_PACKAGING_DIR}/camera-control-tool.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CCT_PACKAGING_DIR}/camera-control-tool.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# AppStream wants the installed file named after the component id, which the
# file itself holds.
file(STRINGS ${CCT_PACKAGING_DIR}/camera-control-tool.metainfo.xml cct_id_line REGEX "<id>")
string(REGEX REPLACE ".*<id>(.*)</id>.*" "\\1" CCT_APPSTREAM_ID "${cct_id_line}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CCT_PACKAGING_DIR}/camera-control-tool.metainfo.xml)
install(FILES ${CCT_PACKAGING_DIR}/camera-control-tool.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${CCT_APPSTREAM_ID}.metainfo.xml)

# Man pages and the changelog are installed compressed, as Debian does; -n
# leaves the name and time stamp out so that the same file always gives the
# same bytes.
find_program(CCT_GZIP gzip REQUIRED)
set(cct_gz_out ${CMAKE_BINARY_DIR}/packaging)
set(cct_gz_files "")
function(cct_gzip source output)
  get_filename_component(dir ${cct_gz_out}/${output} DIRECTORY)
  add_custom_command(
    OUTPUT ${cct_gz_out}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CCT_GZIP} -9 -n -c ${source} > ${cct_gz_out}/${output}
    DEPENDS ${source}
    COMMENT "Compressing ${output}"
    VERBATIM)
  set(cct_gz_files ${cct_gz_files} ${cct_gz_out}/${output} PARENT_SCOPE)
endfunction()
set(cct_man_pages camera-control-tool.1 camera-ctl.1 camera-sim.1)
foreach(page ${cct_man_pages})
  cct_gzip(${CCT_PACKAGING_DIR}/man/${page} man/${page}.gz)
endforeach()
cct_gzip(${CCT_PACKAGING_DIR}/changelog changelog.gz)
add_custom_target(compressed_docs ALL DEPENDS ${cct_gz_files})
list(TRANSFORM cct_man_pages PREPEND ${cct_gz_out}/man/)
list(TRANSFORM cct_man_pages APPEND .gz)
install(FILES ${cct_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# What a Debian package must carry of its own: the copyright file (the
# licence, MIT) and the changelog.
set(cct_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/camera-control-tool)
install(FILES ${CCT_PACKAGING_DIR}/copyright DESTINATION ${cct_doc_dir})
install(FILES ${cct_gz_out}/changelog.gz DESTINATION ${cct_doc_dir})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME camera-control-tool)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Camera Control Tool developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "control a monochrome line-scan camera over its serial line")
# The long description, wrapped as Debian wants it; an empty line separates
# the paragraphs.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Camera Control Tool is the desktop window for the operator of an\n"
  "industrial monochrome line-scan camera, reached through a PC serial port\n"
  "or a frame grabber's Camera Link serial library. It reads and changes\n"
  "every camera setting, loads and stores the camera's flash areas, saves\n"
  "and applies setting files, edits the camera's LUT and runs its\n"
  "calibrations.\n"
  "\n"
  "The package also holds camera-ctl, the same operations for scripts, and\n"
  "camera-sim, a simulated camera on a pseudo-terminal for trying the tool\n"
  "without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The package carries no debugging data; the build tree keeps it.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The address is on the domain of the metainfo's component id.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Camera Control Tool maintainers <maintainers@cameracontroltool.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from the libraries the programs really link (Qt 6 Core, Gui,
# Widgets, the C and C++ runtimes), with the versions they need, through
# dpkg-shlibdeps from dpkg-dev: a fixed list would go stale with the next Qt
# or compiler. scripts/package checks that the Qt runtime packages are there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
