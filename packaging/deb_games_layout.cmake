# Run by CPack on the files staged for the Debian package: Debian keeps the
# programs of games in /usr/games, so the program moves there from /usr/bin.
# The game finds its data from either folder (../share/vellichorns).
set(usr ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(MAKE_DIRECTORY ${usr}/games)
file(RENAME ${usr}/bin/vellichorns ${usr}/games/vellichorns)
file(GLOB left ${usr}/bin/*)
if(NOT left)
  file(REMOVE_RECURSE ${usr}/bin)
endif()
