#!/usr/bin/env bash
# Shows the desktop probe's form through the SDL window host on a virtual X server (Xvfb, no
# window manager) and checks it from outside, as a user would see and use it: the screen shows
# exactly the headless host's picture of the form, cut to the form's shape, with its title and
# icon; the title bar drags the window; a click, Enter, typing and an Alt mnemonic reach the
# form; a message box opens as a second window and takes the keyboard; a close request from the
# display ends the program.
#   sdl_window.sh PROBE      exit 0 passed, 1 failed, 77 skipped (no xvfb-run)
set -uo pipefail

if [ "${1:-}" != --inside ]; then
  probe=${1:?usage: sdl_window.sh PROBE}
  if ! command -v xvfb-run >/dev/null; then
    echo "skipped: xvfb-run is missing (scripts/install-deps installs xvfb)"
    exit 77
  fi
  for tool in xauth xdotool xprop import python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  # In the sanitizer build: what libdbus never frees is not ours.
  export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
  exec timeout -k 5 60 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$probe"
fi

probe=$2
work=$(mktemp -d /tmp/merrowin-sdl-XXXXXX)
log=$work/log
probe_pid=
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
finish() {
  for file in "${first_log:-}" "$log"; do
    [ -n "$file" ] || continue
    echo "--- probe log $(basename "$file") (its last lines)"
    tail -n 40 "$file" 2>/dev/null
  done
  for file in "$work"/err*.txt; do
    [ -s "$file" ] || continue
    echo "--- probe errors $(basename "$file")"
    cat "$file"
  done
  if [ "$failures" -ne 0 ]; then
    echo "$failures checks failed"
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
# waits up to 5 s for the probe to end, which must end well
wait_for_exit() {
  for _ in $(seq 50); do
    kill -0 "$probe_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$probe_pid" 2>/dev/null; then
    fail "the probe is still running after its form closed"
    finish
  fi
  wait "$probe_pid"
  local status=$?
  probe_pid=
  [ "$status" -eq 0 ] || fail "the probe exited with $status"
}
# waits up to 5 s for a log line matching the extended regular expression
wait_for_line() {
  for _ in $(seq 50); do
    grep -qxE "$1" "$log" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
expect_line() { wait_for_line "$1" || fail "no log line '$1'"; }
count_lines() { grep -cxE "$1" "$log" 2>/dev/null; }
window_position() { xdotool getwindowgeometry "$1" | sed -n 's/^ *Position: \([-0-9]*\),\([-0-9]*\).*/\1 \2/p'; }
# sends the display's close request (WM_DELETE_WINDOW), as a window manager's close button does
request_close() {
  python3 - "$1" <<'EOF'
import ctypes, sys
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display = x11.XOpenDisplay(None)
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
EOF
}

# The pointer waits in a corner, away from the window.
xdotool mousemove 1000 740
import -window root -depth 8 "rgb:$work/before.rgb"
read -r _ left top width height < <("$probe" expect "$work/expect.png")
[ -n "${height:-}" ] || { fail "the probe drew no expected picture"; finish; }

"$probe" show "$log" 2>"$work/err.txt" &
probe_pid=$!
wait_for_line ready || { fail "the probe never got ready"; finish; }
# xdotool matches the Latin-1 WM_NAME, where the Chinese part is mangled; _NET_WM_NAME is UTF-8.
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^SDL .* probe$' | head -n 1)
[ -n "$wid" ] || { fail "no window with the form's title"; finish; }

# What the screen shows.
title=$(xprop -id "$wid" _NET_WM_NAME)
[ "$title" = '_NET_WM_NAME(UTF8_STRING) = "SDL 探针 probe"' ] || fail "the window title is $title"
xprop -id "$wid" _NET_WM_ICON | grep -q 'Icon (16 x 16)' || fail "the window has no 16 x 16 icon"
[ "$(window_position "$wid")" = "$left $top" ] || fail "the window is at $(window_position "$wid"), not $left $top"
import -window root -depth 8 "rgb:$work/screen.rgb"
"$probe" compare "$work/expect.png" "$work/before.rgb" "$work/screen.rgb" 1024 768 "$left" "$top" ||
  fail "the screen does not show the form's pixels in its shape"
expect_line 'workarea 0 0 1024 768'
expect_line 'clipboard yes'
expect_line 'timer (1[5-9][0-9]|[2-9][0-9]{2}|[1-9][0-9]{3})'

# Dragging the title bar by (80, 60) moves the window, and the form knows where it went.
grab_x=$((left + 60)) grab_y=$((top + 10))
xdotool mousemove "$grab_x" "$grab_y" mousedown 1
sleep 0.1
xdotool mousemove $((grab_x + 40)) $((grab_y + 30))
sleep 0.1
xdotool mousemove $((grab_x + 80)) $((grab_y + 60))
sleep 0.1
xdotool mouseup 1
left=$((left + 80)) top=$((top + 60))
for _ in $(seq 20); do
  [ "$(window_position "$wid")" = "$left $top" ] && break
  sleep 0.1
done
[ "$(window_position "$wid")" = "$left $top" ] || fail "the drag left the window at $(window_position "$wid"), not $left $top"

# The OK button: 3 px of frame and a 19 px caption above the client area, the button at
# (110, 96) in it, 80 x 25.
button_x=$((left + 3 + 110 + 40)) button_y=$((top + 3 + 19 + 96 + 12))
xdotool mousemove "$button_x" "$button_y" click 1
expect_line "click $left $top $button_x $button_y"

# Keys go to the focused button: Enter presses it; typed text arrives as characters; Alt and
# the underlined letter press it too, once.
xdotool key Return
wait_for_line 'char 13' || fail "Enter typed no character"
[ "$(count_lines 'click .*')" = 2 ] || fail "Enter did not press the button"
grep -qxF 'key 13' "$log" || fail "no key down for Enter"
xdotool type 'a'
expect_line 'key 65'
expect_line 'char 97'
# xdotool types a character the keyboard lacks by mapping it to a spare key for a moment, and
# under load the program can read the key after the mapping is gone: such a key is tried again.
for _ in 1 2 3; do
  xdotool type 'é'
  wait_for_line 'char 233' && break
done
grep -qxF 'char 233' "$log" || fail "no log line 'char 233'"
xdotool key alt+o
expect_line 'key 79'
sleep 0.2
[ "$(count_lines 'click .*')" = 3 ] || fail "Alt+O pressed the button $(($(count_lines 'click .*') - 2)) times, not once"

# F2 opens a message box: another window, which takes the keyboard; Enter answers it and the
# form is active again.
xdotool key F2
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Probe box$' | head -n 1)
[ -n "$box" ] || fail "no message box window"
expect_line deactivate
xdotool key Return
expect_line 'box 1'
# Late focus news from the display must not take the activation back and forth.
sleep 0.3
[ "$(tail -n 3 "$log" | tr '\n' ' ')" = "deactivate activate box 1 " ] ||
  fail "the form was not deactivated by the box and active again after it"

# The display's close request closes the form, and with it the program.
request_close "$wid"
expect_line close
expect_line done
wait_for_exit

# A box that opens as soon as the form shows: the form's activation, reported by the display
# only afterwards, must not take the keyboard away from the box.
first_log=$log
log=$work/log-box-first
"$probe" show "$log" box-first 2>"$work/err-box-first.txt" &
probe_pid=$!
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Probe box$' | head -n 1)
[ -n "$box" ] || { fail "no message box window at start"; finish; }
sleep 0.3
xdotool key Return
expect_line 'box 1'
expect_line ready
wid=$(xdotool search --onlyvisible --name '^SDL .* probe$' | head -n 1)
request_close "$wid"
expect_line done
wait_for_exit
finish
