#!/bin/bash
# Starts the built game under Xvfb with the software renderer and a fresh
# home, as a player starting it the first time: names a player, idles on the
# title, goes through the grid to the first standard puzzle and idles on its
# board. Prints the CPU seconds (user + system) per 10 s of each idle with the
# pointer still and the peak resident memory so far (after the grid too).
#
#   tools/measure/idle_cpu.sh [GAME] [DISPLAY_NUMBER] [SHOTS_FOLDER]
#
# GAME defaults to build/vellichorns. With SHOTS_FOLDER set, screenshots of
# the title, the grid and the board are saved there (title.png, grid.png,
# board.png) for comparing two builds pixel for pixel. With PERF_DATA set,
# each idle is also profiled by perf into $PERF_DATA.title and .board; with
# MAPS set, the largest resident mappings at the board are listed; WRAP runs
# the game under a tool (heaptrack, say). RENDERER names SDL's render driver
# (software by default; "default" lets SDL choose, OpenGL under Xvfb's GLX).
set -euo pipefail

game=$(realpath "${1:-build/vellichorns}")
display=":${2:-93}"
shots=${3:-}
idle=10

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

export HOME=$work XDG_DATA_HOME=$work/share
export SDL_FRAMEBUFFER_ACCELERATION=0 ALSOFT_DRIVERS=null VC_NO_MESSAGE_BOX=1
if [ "${RENDERER:-software}" = default ]; then unset SDL_RENDER_DRIVER; else export SDL_RENDER_DRIVER=${RENDERER:-software}; fi
# WRAP runs the game under a tool (heaptrack, say); the game's own process
# is then found by its name in this script's process group (other copies of
# the game may be running).
${WRAP:-} "$game" >"$work/out.log" 2>&1 &
game_pid=$!
if [ -n "${WRAP:-}" ]; then
    sleep 2
    game_pid=$(pgrep -n -x -g "$(ps -o pgid= $$ | tr -d ' ')" "$(basename "$game")")
fi

ticks=$(getconf CLK_TCK)
cpu() { awk -v t="$ticks" '{ print ($14 + $15) / t }' "/proc/$game_pid/stat"; }
hwm() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$game_pid/status"; }

# The game's window, and a point in it in the logical 800 x 600 picture.
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the game opened no window" >&2; exit 1; }
at() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + $1)) $((Y + $2))
}
click() { at "$1" "$2"; sleep 0.2; xdotool click 1; }
park() { at 20 590; }            # over nothing, in the window
shot() { [ -z "$shots" ] || { mkdir -p "$shots"; import -window root "$shots/$1.png"; }; }

measure() {
    park
    sleep 3
    local c0 c1
    c0=$(cpu)
    if [ -n "${PERF_DATA:-}" ]; then
        perf record --call-graph dwarf,16384 -F 500 -o "$PERF_DATA.$1" -p "$game_pid" -- sleep "$idle" >/dev/null 2>&1
    else
        sleep "$idle"
    fi
    c1=$(cpu)
    shot "$1"
    printf '%-6s cpu_s_per_10s %.3f  VmHWM_MB %s\n' "$1" "$(echo "$c1 - $c0" | bc -l)" "$(hwm)"
}

sleep 2
click 400 300             # the splash goes
sleep 3
xdotool type --delay 80 Ana
xdotool key Return        # the first player
sleep 2
measure title
click 400 225             # Play
sleep 3
park
sleep 1
shot grid
printf '%-6s VmHWM_MB %s\n' grid "$(hwm)"
click 166 540             # Play, with the first puzzle chosen
sleep 8                   # the board's arrival is over
measure board
if [ -n "${MAPS:-}" ]; then
    # Where the resident megabytes are: the largest mappings.
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6 } /^Rss:/ { rss[name] += $2 }
         END { for (n in rss) printf "%8.1f MB  %s\n", rss[n] / 1024, (n == "" ? "[anonymous]" : n) }' \
        "/proc/$game_pid/smaps" | sort -rn | head -25
    grep -E '^(VmHWM|VmRSS|RssAnon|RssFile|RssShmem)' "/proc/$game_pid/status"
fi
