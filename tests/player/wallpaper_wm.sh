#!/usr/bin/env bash
# The wallpaper player under a real window manager (openbox on Xvfb): its window is a desktop
# window on every workspace, outside the taskbar and pager, that takes no focus and stays below
# the windows of other programs also when clicked. A full-screen window pauses it, whether
# focused or not; switching to a workspace where the desktop shows resumes it at once.
#   wallpaper_wm.sh PACK PLAYER SOURCE_DIR   exit 0 passed, 1 failed, 77 skipped
set -uo pipefail

if [ "${1:-}" != --inside ]; then
  command -v xvfb-run >/dev/null || { echo "skipped: xvfb-run is missing (scripts/install-deps)"; exit 77; }
  for tool in openbox wmctrl xprop xdotool xmessage import convert python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  exec timeout -k 5 150 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$@"
fi
pack=$2 player=$3 src=$4
look="$src/tests/player/wallpaper_look.py"
work=$(mktemp -d /tmp/merrowin-wallpaper-wm-XXXXXX)
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
pids=()
cleanup() {
  "$player" --stop >/dev/null 2>&1
  [ ${#pids[@]} -gt 0 ] && kill "${pids[@]}" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
. "$src/tests/support/script_checks.sh"

shot() { import -window root -depth 8 "$work/$1.ppm" 2>/dev/null; }
square() { shot "$1" && python3 "$look" frame "$work/$1.ppm" | cut -d' ' -f2; }
moving() { # the square is on the screen and moves within a second
  local a b
  for _ in $(seq 40); do a=$(square a); [ "$a" != - ] && break; sleep 0.5; done
  sleep 0.7
  b=$(square b)
  [ "$a" != - ] && [ "$b" != - ] && [ "$a" != "$b" ]
}
cpu() { python3 "$look" cpu "$1" $(pgrep -f -- "^$player "); } # of a core, over SECONDS
idle() { python3 -c "import sys; sys.exit(0 if $1 < 0.05 else 1)"; }

openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
wmctrl -n 2
mkdir -p "$work/demo"
cp "$src/resources/demo/demo.swf" "$work/demo/flashwallpaper.swf"
"$pack" project --title demo --background '$003A2420' -o "$work/demo.txt" &&
  "$pack" page --project "$work/demo.txt" --folder "$work/demo/" >"$work/demo/demo.htm"
"$player" "$work/demo/demo.htm" >"$work/player.txt" 2>&1 &
pids+=($!)
moving || fail "the movie does not play under the window manager: $(cat "$work/player.txt")"

window=$(xdotool search --name '^Merrowin wallpaper$' | head -n 1)
properties=$(xprop -id "$window" _NET_WM_WINDOW_TYPE _NET_WM_STATE _NET_WM_DESKTOP WM_HINTS)
for expected in _NET_WM_WINDOW_TYPE_DESKTOP _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER \
                _NET_WM_STATE_BELOW "= 4294967295" "accepts input or input focus: False"; do
  grep -qF -- "$expected" <<<"$properties" || fail "the wallpaper's window lacks $expected: $properties"
done

xmessage -name other -geometry 300x200+100+100 -bg '#00ff00' -fg '#00ff00' ' ' &
pids+=($!)
sleep 1
xdotool mousemove 800 600 click 1
sleep 1
shot clicked
[ "$(python3 "$look" pixel "$work/clicked.ppm" 250 200)" = "0 255 0" ] || fail "a click on the wallpaper raised it"
[ "$(xdotool getactivewindow 2>/dev/null)" != "$window" ] || fail "the wallpaper took the focus"

xmessage -name full ' ' &
pids+=($!)
sleep 1
wmctrl -r full -b add,fullscreen
sleep 2
idle "$(cpu 3)" || fail "under a focused full-screen window the player still draws"
wmctrl -a other
sleep 1
idle "$(cpu 3)" || fail "under an unfocused full-screen window the player still draws"
wmctrl -s 1
sleep 0.5
moving || fail "on a workspace without the full-screen window the movie does not play"
wmctrl -s 0
sleep 2
idle "$(cpu 3)" || fail "back under the full-screen window the player still draws"
finish
