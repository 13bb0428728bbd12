#pragma once
// Names of the wall tiles by their row in the tile table (1..46).
#include <string>

// "" outside 1..46.
std::string WallTileName(int tile);
// The decorated variant of a tile, or "" when it has none.
std::string WallDecorationName(int tile);
