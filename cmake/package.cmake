# Installing and packaging the game as a Linux desktop expects it:
#   bin/vellichorns                        the program
#   share/vellichorns/                     its data (see tools/content.cmake)
#   share/applications, share/metainfo     desktop entry and AppStream metadata
#   share/icons/hicolor/*/apps             the icon at every size, and scalable
#   share/man/man6/vellichorns.6.gz        the manual page
#   share/doc/vellichorns/                 copyright, changelog, the font's licence
# `cmake --build <dir> --target package` (or `make package`) makes the Debian
# package from the same installation, with the program in /usr/games as Debian
# keeps games.

# The version is the project's (top-level CMakeLists.txt); give its release
# date here when it changes.
set(VC_RELEASE_DATE 2026-12-08)
set(VC_APP_ID com.pellorinegames.vellichorns)
set(VC_CONTACT "Pellorine Games <packages@pellorinegames.com>")
# The game's own licence has not been chosen yet: nothing is granted.
set(VC_PROJECT_LICENSE LicenseRef-proprietary)

set(VC_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(VC_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(VC_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vellichorns)
set(VC_ICON_SIZES 16 32 48 64 128 256)
# Folders made by the installation are world-readable whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# ---- icon ---------------------------------------------------------------------
# The art generator draws it; the window icon is a copy in the game's data folder.
if(TARGET vcart)
  target_sources(vcart PRIVATE ${CMAKE_SOURCE_DIR}/tools/art/icon_art.cpp)
  set(icons ${VC_PACKAGING_OUT}/icons/scalable.svg)
  foreach(size ${VC_ICON_SIZES})
    list(APPEND icons ${VC_PACKAGING_OUT}/icons/${size}x${size}.png)
    install(FILES ${VC_PACKAGING_OUT}/icons/${size}x${size}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${VC_APP_ID}.png)
  endforeach()
  install(FILES ${VC_PACKAGING_OUT}/icons/scalable.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${VC_APP_ID}.svg)
  add_custom_command(OUTPUT ${icons} ${CMAKE_BINARY_DIR}/data/icon.png
    COMMAND vcart --icons ${VC_PACKAGING_OUT}/icons ${VC_ICON_SIZES}
    COMMAND ${CMAKE_COMMAND} -E copy ${VC_PACKAGING_OUT}/icons/128x128.png ${CMAKE_BINARY_DIR}/data/icon.png
    DEPENDS vcart
    COMMENT "Drawing the application icon"
    VERBATIM)
  add_custom_target(app_icon ALL DEPENDS ${icons} ${CMAKE_BINARY_DIR}/data/icon.png)
endif()

# ---- desktop entry, metadata, manual page, documents -------------------------------
configure_file(${VC_PACKAGING}/vellichorns.desktop.in ${VC_PACKAGING_OUT}/${VC_APP_ID}.desktop @ONLY)
configure_file(${VC_PACKAGING}/vellichorns.metainfo.xml.in ${VC_PACKAGING_OUT}/${VC_APP_ID}.metainfo.xml @ONLY)
configure_file(${VC_PACKAGING}/vellichorns.6.in ${VC_PACKAGING_OUT}/vellichorns.6 @ONLY)

execute_process(COMMAND date -u -R -d "${VC_RELEASE_DATE} 12:00"
  OUTPUT_VARIABLE VC_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(${VC_PACKAGING}/changelog.in ${VC_PACKAGING_OUT}/changelog @ONLY)

# The copyright file: ours, then the font's paragraph from its own licence file.
file(READ ${CMAKE_SOURCE_DIR}/assets/fonts/Carlito-LICENSE.txt font_licence)
string(FIND "${font_licence}" "\nCopyright:" font_start)
string(FIND "${font_licence}" "\nFiles: debian/" font_end)
math(EXPR font_start "${font_start} + 1")
if(font_end GREATER font_start)
  math(EXPR font_length "${font_end} - ${font_start}")
else()
  set(font_length -1)
endif()
string(SUBSTRING "${font_licence}" ${font_start} ${font_length} VC_FONT_COPYRIGHT)
string(STRIP "${VC_FONT_COPYRIGHT}" VC_FONT_COPYRIGHT)
string(REGEX REPLACE "\n \\.$" "" VC_FONT_COPYRIGHT "${VC_FONT_COPYRIGHT}")
configure_file(${VC_PACKAGING}/copyright.in ${VC_PACKAGING_OUT}/copyright @ONLY)

# Manual page and changelog are compressed without names or dates in the header.
find_program(VC_GZIP gzip REQUIRED)
set(VC_GZIPPED ${VC_PACKAGING_OUT}/vellichorns.6.gz ${VC_PACKAGING_OUT}/changelog.gz)
add_custom_command(OUTPUT ${VC_GZIPPED}
  COMMAND ${VC_GZIP} -9 -n -k -f ${VC_PACKAGING_OUT}/vellichorns.6 ${VC_PACKAGING_OUT}/changelog
  DEPENDS ${VC_PACKAGING_OUT}/vellichorns.6 ${VC_PACKAGING_OUT}/changelog
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(package_documents ALL DEPENDS ${VC_GZIPPED})

install(FILES ${VC_PACKAGING_OUT}/${VC_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VC_PACKAGING_OUT}/${VC_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VC_PACKAGING_OUT}/vellichorns.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VC_PACKAGING_OUT}/copyright ${VC_PACKAGING_OUT}/changelog.gz
  ${CMAKE_SOURCE_DIR}/assets/fonts/Carlito-LICENSE.txt
  DESTINATION ${VC_DOCDIR})

# ---- Debian package -------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellichorns)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pellorine Games")
set(CPACK_PACKAGE_CONTACT ${VC_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "match-three puzzle game on marble floors")
set(CPACK_PACKAGE_DESCRIPTION
  "Swap two neighbouring gems to line up three or more of a kind: they vanish,\n"
  "the gems above fall and new ones drop in. Every gem cleared from a marble\n"
  "tile turns the marble into plain floor, and a puzzle is won once no marble\n"
  "is left.\n"
  "\n"
  "Vellichorns comes with 80 puzzles with chained gems, creation cells and\n"
  "diagonal falls, hints, reshuffles and chain bonuses, a level editor, saved\n"
  "games, seven player profiles and a high-score table.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${VC_PACKAGING}/deb_games_layout.cmake)
# Installing and packaging take what is built; `make install` and `make package`
# build first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build.*/")
include(CPack)

# ---- checks -------------------------------------------------------------------------
# None without the tests, and none in a sanitized build, which is never packaged.
if(NOT BUILD_TESTING OR VC_SANITIZE)
  return()
endif()
# The install test lays the game out in a private DESTDIR and starts it from there.
if(TARGET test_package)
  target_compile_definitions(test_package PRIVATE
    VC_CMAKE_COMMAND="${CMAKE_COMMAND}" VC_APP_ID="${VC_APP_ID}")
  add_dependencies(test_package vellichorns package_documents)
  if(TARGET app_icon)
    add_dependencies(test_package app_icon)
  endif()
endif()

# The validators on the desktop entry and the metadata, and the package built and
# checked by lintian. Tools that are missing skip their test.
add_test(NAME package_metadata
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/check_metadata.sh
    ${VC_PACKAGING_OUT}/${VC_APP_ID}.desktop ${VC_PACKAGING_OUT}/${VC_APP_ID}.metainfo.xml)
add_test(NAME package_deb
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/package/check_deb.sh
    ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(package_metadata PROPERTIES
  ENVIRONMENT "${VC_TEST_ENV}" TIMEOUT 60 SKIP_RETURN_CODE 77)
set_tests_properties(package_deb PROPERTIES
  ENVIRONMENT "${VC_TEST_ENV}" TIMEOUT 480 SKIP_RETURN_CODE 77)
