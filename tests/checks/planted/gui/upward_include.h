#pragma once
// Three ways up the floors that the check must see.
#include "../screens/title_screen.h"
#include <screens/play_screen.h>
#include "puzzle/cell_box.h"
