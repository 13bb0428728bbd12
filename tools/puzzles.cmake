# The standard puzzles: pictures in assets/puzzles/ become layouts/001.layout ..
# in the build folder (checked for fairness on the way) and are installed with
# the game's data.

add_executable(puzzlemake puzzles/puzzlemake.cpp puzzles/puzzle_source.cpp)
target_compile_options(puzzlemake PRIVATE ${VC_WARNINGS})
# The fairness checks live in the core library, shared with the level editor.
target_link_libraries(puzzlemake PRIVATE vellichorns_core)

set(VC_PUZZLE_PICTURES ${CMAKE_SOURCE_DIR}/assets/puzzles)
set(VC_LAYOUT_FOLDER ${CMAKE_BINARY_DIR}/layouts)
file(GLOB VC_PUZZLE_SOURCES CONFIGURE_DEPENDS ${VC_PUZZLE_PICTURES}/*.txt)
set(VC_LAYOUT_FILES)
foreach(source ${VC_PUZZLE_SOURCES})
  get_filename_component(stem ${source} NAME_WE)
  list(APPEND VC_LAYOUT_FILES ${VC_LAYOUT_FOLDER}/${stem}.layout)
endforeach()
add_custom_command(OUTPUT ${VC_LAYOUT_FILES}
  COMMAND puzzlemake ${VC_PUZZLE_PICTURES} ${VC_LAYOUT_FOLDER}
  # puzzlemake leaves unchanged files alone; make them count as rebuilt.
  COMMAND ${CMAKE_COMMAND} -E touch ${VC_LAYOUT_FILES}
  DEPENDS puzzlemake ${VC_PUZZLE_SOURCES}
  COMMENT "Converting the puzzle pictures into layouts"
  VERBATIM)
add_custom_target(puzzle_layouts ALL DEPENDS ${VC_LAYOUT_FILES})
install(FILES ${VC_LAYOUT_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/vellichorns/layouts)

# Headless play of the layouts, for the difficulty table and the puzzle tests.
add_library(vc_puzzle_play STATIC puzzles/puzzle_play.cpp puzzles/puzzle_source.cpp)
target_compile_options(vc_puzzle_play PRIVATE ${VC_WARNINGS})
target_include_directories(vc_puzzle_play PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/puzzles)
target_link_libraries(vc_puzzle_play PUBLIC vellichorns_core)

add_executable(puzzletable puzzles/puzzletable.cpp)
target_compile_options(puzzletable PRIVATE ${VC_WARNINGS})
target_link_libraries(puzzletable PRIVATE vc_puzzle_play)

# `cmake --build <dir> --target puzzle_table` prints the table (a few minutes).
add_custom_target(puzzle_table
  COMMAND puzzletable ${VC_LAYOUT_FOLDER} ${VC_PUZZLE_PICTURES}
  DEPENDS puzzletable puzzle_layouts
  USES_TERMINAL)

# The puzzle tests play the built layouts: build them first and link the player.
function(vc_puzzles_for_tests)
  if(TARGET test_puzzles)
    add_dependencies(test_puzzles puzzle_layouts)
    target_link_libraries(test_puzzles PRIVATE vc_puzzle_play)
    # Deferred calls run in the top folder's scope: spell the paths out.
    target_compile_definitions(test_puzzles PRIVATE VC_LAYOUT_FOLDER="${CMAKE_BINARY_DIR}/layouts"
      VC_PUZZLE_PICTURES="${CMAKE_SOURCE_DIR}/assets/puzzles")
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL vc_puzzles_for_tests)

# The par table: each standard puzzle's par, shipped beside the layouts. Each
# puzzle is played on its own (in parallel, and again only when its layout or
# the automatic player changes: a rebuilt game library alone replays nothing).
add_executable(puzzlepar puzzles/puzzlepar.cpp)
target_compile_options(puzzlepar PRIVATE ${VC_WARNINGS})
target_link_libraries(puzzlepar PRIVATE vc_puzzle_play)
set(VC_PAR_TABLE ${VC_LAYOUT_FOLDER}/par.txt)
set(VC_PAR_PLAYER ${CMAKE_SOURCE_DIR}/src/puzzle/auto_player.cpp ${CMAKE_SOURCE_DIR}/src/puzzle/auto_player.h
  ${CMAKE_CURRENT_SOURCE_DIR}/puzzles/puzzlepar.cpp ${CMAKE_CURRENT_SOURCE_DIR}/puzzles/puzzle_play.cpp)
set(VC_PAR_PIECES)
foreach(layout ${VC_LAYOUT_FILES})
  get_filename_component(stem ${layout} NAME_WE)
  set(piece ${CMAKE_BINARY_DIR}/par/${stem}.par)
  add_custom_command(OUTPUT ${piece}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/par
    COMMAND puzzlepar ${layout} ${piece} --player ${VC_PAR_PLAYER}
    DEPENDS ${layout} ${VC_PAR_PLAYER}
    VERBATIM)
  list(APPEND VC_PAR_PIECES ${piece})
endforeach()
add_custom_command(OUTPUT ${VC_PAR_TABLE}
  COMMAND puzzlepar --join ${VC_PAR_TABLE} ${VC_PAR_PIECES}
  DEPENDS ${VC_PAR_PIECES}
  COMMENT "Working out the standard puzzles' par"
  VERBATIM)
add_custom_target(puzzle_par ALL DEPENDS ${VC_PAR_TABLE})
install(FILES ${VC_PAR_TABLE} DESTINATION ${CMAKE_INSTALL_DATADIR}/vellichorns/layouts)
