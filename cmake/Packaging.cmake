# What a Debian system expects beside the programs (metadata, manual pages,
# completion, documentation, the sample race) and the .deb made by CPack.
# The programs, the desktop entry and the icons install from their own
# folders; CPack packages whatever the install rules install.

set(QV_HOMEPAGE "https://quorvane.example.org/")
set(QV_MAINTAINER "The Quorvane developers <quorvane@example.org>")
set(QV_DEB_RELEASE 1)
set(QV_DEB_VERSION "${PROJECT_VERSION}-${QV_DEB_RELEASE}")
set(QV_PKG_DIR "${PROJECT_BINARY_DIR}/packaging")

# Dates honour SOURCE_DATE_EPOCH (scripts/package.sh sets it to the last
# commit's time), so they follow the sources, not the clock.
string(TIMESTAMP QV_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP QV_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

# The copyright file carries LICENSE itself, so the two cannot differ.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" QV_LICENSE)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" _ "${QV_LICENSE}")
set(QV_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${QV_LICENSE}" "Permission is hereby granted" _start)
string(SUBSTRING "${QV_LICENSE}" ${_start} -1 QV_LICENSE_TEXT)
string(STRIP "${QV_LICENSE_TEXT}" QV_LICENSE_TEXT)
string(REPLACE "\n\n" "\n.\n" QV_LICENSE_TEXT "${QV_LICENSE_TEXT}")
string(REPLACE "\n" "\n " QV_LICENSE_TEXT " ${QV_LICENSE_TEXT}")

set(QV_METAINFO org.example.quorvane.metainfo.xml)
configure_file(res/${QV_METAINFO}.in ${QV_PKG_DIR}/${QV_METAINFO} @ONLY)
configure_file(res/debian/copyright.in ${QV_PKG_DIR}/copyright @ONLY)
configure_file(res/debian/changelog.in ${QV_PKG_DIR}/changelog.Debian @ONLY)

# Debian wants manual pages and changelogs compressed; -n leaves the name
# and time out of the archive, so the output depends on the content only.
# The Japanese manual pages have the English ones' names, so each goes to
# a folder of its own: SOURCE=FOLDER, the folder under the packaging tree.
find_program(QV_GZIP gzip REQUIRED)
set(QV_GZIPPED)
foreach(item IN ITEMS docs/man/quorvane.1= docs/man/quorvane-report.1=
                      docs/man/ja/quorvane.1=ja docs/man/ja/quorvane-report.1=ja
                      ${QV_PKG_DIR}/changelog.Debian=)
  string(REPLACE "=" ";" item "${item}")
  list(GET item 0 src)
  list(LENGTH item parts)
  set(dir "${QV_PKG_DIR}")
  if(parts GREATER 1)
    list(GET item 1 sub)
    if(sub)
      set(dir "${QV_PKG_DIR}/${sub}")
    endif()
  endif()
  get_filename_component(name "${src}" NAME)
  get_filename_component(src "${src}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}")
  add_custom_command(OUTPUT ${dir}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${dir}/${name}.tmp
    COMMAND ${QV_GZIP} -9nf ${dir}/${name}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${dir}/${name}.tmp.gz ${dir}/${name}.gz
    DEPENDS ${src} VERBATIM)
  list(APPEND QV_GZIPPED ${dir}/${name}.gz)
endforeach()
add_custom_target(quorvane_packaging_files ALL DEPENDS ${QV_GZIPPED})

set(QV_DOC_DIR share/doc/quorvane)
install(FILES ${QV_PKG_DIR}/${QV_METAINFO} DESTINATION share/metainfo)
# The watch records' types; dpkg's trigger updates the MIME database.
install(FILES res/quorvane-mime.xml DESTINATION share/mime/packages
        RENAME quorvane.xml)
install(FILES ${QV_PKG_DIR}/quorvane.1.gz ${QV_PKG_DIR}/quorvane-report.1.gz
        DESTINATION share/man/man1)
# man finds these under a Japanese locale (LANG=ja_JP.UTF-8 man quorvane).
install(FILES ${QV_PKG_DIR}/ja/quorvane.1.gz ${QV_PKG_DIR}/ja/quorvane-report.1.gz
        DESTINATION share/man/ja/man1)
install(FILES res/quorvane-report.bash
        DESTINATION share/bash-completion/completions
        RENAME quorvane-report)
install(FILES res/quorvane.bash
        DESTINATION share/bash-completion/completions
        RENAME quorvane)
install(FILES ${QV_PKG_DIR}/copyright ${QV_PKG_DIR}/changelog.Debian.gz
        DESTINATION ${QV_DOC_DIR})
install(FILES examples/sample-10km.txt examples/plan-10km-even.txt
        DESTINATION ${QV_DOC_DIR}/examples)
install(FILES res/debian/lintian-overrides DESTINATION share/lintian/overrides
        RENAME quorvane)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${QV_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "race split times: sections, laps, speeds, graph and printout")
# CPack puts the summary on the Description line and this below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quorvane is a desktop program in which an athlete records a race section by
section: the arrival point, the time lost at the start and the elapsed,
lap or pace time. It computes departure, arrival, loss, lap and pace for
every section and the whole race, gross or net of the losses, lists the
speed as the time per km, 400 m, 200 m, 100 m or mile or in km/h or mph,
draws time and speed against distance and prints it all on one page. Races
are saved as Shift_JIS text. The user interface is in Japanese or in
English, as the locale says.

The package also contains quorvane-report, which computes race files from
the command line into tab-separated lists, CSV, PNG or SVG graphs and PDF
pages.")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QV_DEB_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QV_HOMEPAGE}")
# Library dependencies come from the binaries; the window's and the printed
# page's Japanese Gothic face does not, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
include(CPack)
