# The game's content, generated from assets/ into the build folder:
#   data/graphics, data/menus      images drawn by vcart (Cairo)
#   data/sound, data/music         effects by vcsound, tracks by vcmusic (Vorbis)
#   data/text/gametext*.txt    the English texts and their translations
#   data/Default.ini               the default settings, by defaultini from the game's table
#   data/resources/data.pak        backgrounds, sparkles, the font "calibri.ttf"
#                                  and the two particle effects, packed by pakpack
#   score1.par, score2.par         the particle effects, also loose
# `cmake --build <dir> --target contact_sheet` writes review pages of all images
# into <dir>/contact-sheet/.
if(NOT VC_BUILD_CONTENT)
  return()
endif()

pkg_check_modules(VC_CAIRO REQUIRED IMPORTED_TARGET cairo cairo-ft freetype2 libjpeg)
pkg_check_modules(VC_VORBISENC REQUIRED IMPORTED_TARGET vorbisenc vorbis ogg)

set(VC_ASSETS ${CMAKE_SOURCE_DIR}/assets)
set(VC_DATA ${CMAKE_BINARY_DIR}/data)
set(VC_PAK_STAGE ${CMAKE_BINARY_DIR}/content/pak)
set(VC_STAMPS ${CMAKE_BINARY_DIR}/content/stamps)
set(VC_FONT ${VC_ASSETS}/fonts/Carlito-Regular.ttf)
set(VC_FONT_LICENCE ${VC_ASSETS}/fonts/Carlito-LICENSE.txt)

# ---- generators -------------------------------------------------------------
add_executable(vcart art/art_main.cpp art/board_art.cpp art/ui_art.cpp art/scene_art.cpp art/canvas.cpp)
target_compile_options(vcart PRIVATE ${VC_WARNINGS})
target_link_libraries(vcart PRIVATE PkgConfig::VC_CAIRO)
# The wall tiles' names come from the game's own table.
target_include_directories(vcart PRIVATE ${CMAKE_SOURCE_DIR}/src)

add_executable(vccontact art/contact_sheet.cpp art/canvas.cpp)
target_compile_options(vccontact PRIVATE ${VC_WARNINGS})
target_link_libraries(vccontact PRIVATE PkgConfig::VC_CAIRO)
target_include_directories(vccontact PRIVATE ${CMAKE_SOURCE_DIR}/src)

add_library(vcsynth STATIC sound/synth.cpp)
target_compile_options(vcsynth PRIVATE ${VC_WARNINGS})
target_include_directories(vcsynth PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/sound)
target_link_libraries(vcsynth PUBLIC PkgConfig::VC_VORBISENC)

add_executable(vcsound sound/sound_main.cpp)
target_compile_options(vcsound PRIVATE ${VC_WARNINGS})
target_link_libraries(vcsound PRIVATE vcsynth)

add_executable(vcmusic music/music_main.cpp)
target_compile_options(vcmusic PRIVATE ${VC_WARNINGS})
target_link_libraries(vcmusic PRIVATE vcsynth)

# ---- generated data ---------------------------------------------------------
file(MAKE_DIRECTORY ${VC_STAMPS})

add_custom_command(OUTPUT ${VC_STAMPS}/art
  COMMAND vcart ${VC_FONT} ${VC_DATA} ${VC_PAK_STAGE}
  COMMAND ${CMAKE_COMMAND} -E touch ${VC_STAMPS}/art
  DEPENDS vcart ${VC_FONT}
  COMMENT "Drawing the game's images"
  VERBATIM)

add_custom_command(OUTPUT ${VC_STAMPS}/sound
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VC_DATA}/sound
  COMMAND vcsound ${VC_DATA}/sound
  COMMAND ${CMAKE_COMMAND} -E touch ${VC_STAMPS}/sound
  DEPENDS vcsound
  COMMENT "Synthesising the sound effects"
  VERBATIM)

# One command per track, so the two encode side by side.
set(VC_MUSIC_FILES)
foreach(track 1 2)
  add_custom_command(OUTPUT ${VC_DATA}/music/music${track}.ogg
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VC_DATA}/music
    COMMAND vcmusic ${VC_DATA}/music ${track}
    DEPENDS vcmusic
    COMMENT "Composing music track ${track}"
    VERBATIM)
  list(APPEND VC_MUSIC_FILES ${VC_DATA}/music/music${track}.ogg)
endforeach()

set(VC_TEXT_FILES ${VC_DATA}/Default.ini)
# Builds before kept a second copy as data/default.ini; it goes, so that the
# data folder installs one file.
add_custom_command(OUTPUT ${VC_DATA}/Default.ini
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VC_DATA}/default.ini
  COMMAND defaultini ${VC_DATA}/Default.ini
  DEPENDS defaultini
  COMMENT "Writing the default settings"
  VERBATIM)

# gametext.txt is English; gametext.<code>.txt are its translations.
file(GLOB VC_TRANSLATIONS CONFIGURE_DEPENDS ${VC_ASSETS}/text/gametext.*.txt)
foreach(table ${VC_ASSETS}/text/gametext.txt ${VC_TRANSLATIONS})
  get_filename_component(name ${table} NAME)
  add_custom_command(OUTPUT ${VC_DATA}/text/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${table} ${VC_DATA}/text/${name}
    DEPENDS ${table}
    COMMENT "Copying the game text ${name}"
    VERBATIM)
  list(APPEND VC_TEXT_FILES ${VC_DATA}/text/${name})
endforeach()

# Keys a translation lacks show in English: the build says which, without
# stopping (the content test fails on them).
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_custom_command(OUTPUT ${VC_STAMPS}/translations
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check_translations.py --warn
      ${VC_ASSETS}/text/gametext.txt ${VC_TRANSLATIONS}
    COMMAND ${CMAKE_COMMAND} -E touch ${VC_STAMPS}/translations
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/check_translations.py ${VC_ASSETS}/text/gametext.txt ${VC_TRANSLATIONS}
    COMMENT "Checking the translated game texts against the English ones"
    VERBATIM)
  list(APPEND VC_TEXT_FILES ${VC_STAMPS}/translations)
else()
  message(STATUS "python3 not found: the translated game texts are not checked while building (test_content still checks them)")
endif()

# The particle effects go into the archive and lie loose in the game's folder.
set(VC_PAR_FILES)
foreach(effect score1 score2)
  add_custom_command(OUTPUT ${VC_PAK_STAGE}/${effect}.par ${CMAKE_BINARY_DIR}/${effect}.par
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VC_PAK_STAGE}
    COMMAND parwriter ${VC_ASSETS}/effects/${effect}.partxt ${VC_PAK_STAGE}/${effect}.par
    COMMAND ${CMAKE_COMMAND} -E copy ${VC_PAK_STAGE}/${effect}.par ${CMAKE_BINARY_DIR}/${effect}.par
    DEPENDS parwriter ${VC_ASSETS}/effects/${effect}.partxt
    COMMENT "Writing particle effect ${effect}.par"
    VERBATIM)
  list(APPEND VC_PAR_FILES ${VC_PAK_STAGE}/${effect}.par)
endforeach()

add_custom_command(OUTPUT ${VC_DATA}/resources/data.pak ${VC_DATA}/resources/calibri-LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${VC_FONT} ${VC_PAK_STAGE}/calibri.ttf
  COMMAND pakpack ${VC_PAK_STAGE} ${VC_DATA}/resources/data.pak
  # The font's licence lies beside the archive that carries the font.
  COMMAND ${CMAKE_COMMAND} -E copy ${VC_FONT_LICENCE} ${VC_DATA}/resources/calibri-LICENSE.txt
  DEPENDS pakpack ${VC_STAMPS}/art ${VC_PAR_FILES} ${VC_FONT} ${VC_FONT_LICENCE}
  COMMENT "Packing data.pak"
  VERBATIM)

add_custom_target(content ALL DEPENDS
  ${VC_STAMPS}/art ${VC_STAMPS}/sound ${VC_MUSIC_FILES} ${VC_TEXT_FILES} ${VC_DATA}/resources/data.pak)

add_custom_target(contact_sheet
  COMMAND vccontact ${VC_FONT} ${CMAKE_BINARY_DIR}/contact-sheet ${VC_DATA}/graphics ${VC_DATA}/menus ${VC_PAK_STAGE}
  DEPENDS vccontact content
  COMMENT "Drawing the contact sheets into ${CMAKE_BINARY_DIR}/contact-sheet"
  VERBATIM)

# The content test reads the built data.
function(vc_content_for_tests)
  if(TARGET test_content)
    add_dependencies(test_content content)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL vc_content_for_tests)

# ---- installation -----------------------------------------------------------
install(DIRECTORY ${VC_DATA} DESTINATION ${CMAKE_INSTALL_DATADIR}/vellichorns)
install(FILES ${CMAKE_BINARY_DIR}/score1.par ${CMAKE_BINARY_DIR}/score2.par
  DESTINATION ${CMAKE_INSTALL_DATADIR}/vellichorns)
