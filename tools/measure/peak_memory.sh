#!/bin/bash
# The peak resident memory of a first start through the title and the grid
# to the first puzzle's board at rest, as a player goes (idle_cpu.sh's walk),
# then the largest mappings of the resident memory at the board by what
# they map, and the process's own split of it.
#
#   tools/measure/peak_memory.sh [GAME] [DISPLAY_NUMBER]
#
# For where the heap's part goes, run the same walk under heaptrack:
#   WRAP="heaptrack -o /tmp/walk" tools/measure/idle_cpu.sh [GAME] [DISPLAY_NUMBER]
#   heaptrack_print -f /tmp/walk.zst --print-peaks 1
set -euo pipefail
MAPS=1 exec "$(dirname "$0")/idle_cpu.sh" "$@"
