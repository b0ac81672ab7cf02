#!/usr/bin/env bash
# Runs the window probe of a Windows build tree under Wine on a virtual X display, in a fresh
# prefix with code page 936 and the fonts a Chinese system has, then drives it as a user would:
# screenshots before and while the form is up, a key, a drag of its caption, a click on its button
# and Return for the message box that asks. Checks what the probe printed, what the screen showed
# and the file the click left; keeps the screenshot as OUTPUT_DIR/window_probe.png.
#   run_window_probe.sh WINDOWS_BUILD_DIR SHOT_CHECKER OUTPUT_DIR   exit 0 passed, 1 failed, 77 skipped
set -uo pipefail

if [ "${1:-}" != --on-display ]; then
  build=${1:-}
  probe=$build/tests/wine/window_probe.exe
  if [ -z "$build" ] || [ ! -f "$probe" ]; then
    echo "skipped: no Windows build with the window probe (set MERROWIN_WINDOWS_BUILD_DIR)"
    exit 77
  fi
  for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift
probe=$1/tests/wine/window_probe.exe
checker=$2
output=$3
. "$(dirname "$0")/wine_prefix.sh"

# Where the probe puts its form (tests/wine/WindowProbeLayout.h).
left=120 top=90 client_left=3 client_top=22
button_x=$((client_left + 12 + 50)) button_y=$((client_top + 80 + 12))
drag_x=40 drag_y=20

pid=
wine_prefix window
wine_desktop

wait_line() { # wait_line REGEX SECONDS: until the probe printed a line matching REGEX
  local deadline=$((SECONDS + $2))
  until grep -qE -- "^$1\$" "$work/out.txt" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$pid" 2>/dev/null; then
      grep -qE -- "^$1\$" "$work/out.txt" 2>/dev/null
      return
    fi
    sleep 0.1
  done
}
expect() { # expect LINE: the probe printed exactly this line
  grep -qxF -- "$1" "$work/out.txt" || fail "no line '$1'"
}

cd "$work" || exit 1
import -window root PNG24:"$work/before.png" || fail "no screenshot of the empty screen"
"$wine" "$probe" >"$work/out.txt" 2>"$work/err.txt" &
pid=$!

if wait_line 'ready=.*' 30 && step 10 xdotool search --sync --name '^Merrowin window probe$' >/dev/null; then
  sleep 0.2
  import -window root PNG24:"$work/after.png" || fail "no screenshot of the form"
  mkdir -p "$output" && cp "$work/after.png" "$output/window_probe.png"
  "$checker" "$work/before.png" "$work/after.png" || fail "the screenshot is not what the probe drew"

  xdotool key a
  wait_line 'char=97' 5 || fail "the typed a did not arrive"
  # The caption starts a system move; the button is then where the form went.
  xdotool mousemove $((left + 80)) $((top + 10)) mousedown 1
  sleep 0.3
  xdotool mousemove $((left + 80 + drag_x / 2)) $((top + 10 + drag_y / 2))
  sleep 0.2
  xdotool mousemove $((left + 80 + drag_x)) $((top + 10 + drag_y))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
  click_x=$((left + drag_x + button_x)) click_y=$((top + drag_y + button_y))
  xdotool mousemove "$click_x" "$click_y" click 1
  wait_line 'clicked=.*' 5 || fail "the button click did not arrive"
  if step 10 xdotool search --sync --name '^Probe question$' >/dev/null; then
    sleep 0.2
    xdotool key Return
  else
    fail "no message box"
  fi
else
  fail "the probe's window did not appear"
fi

program_ends 15 || { fail "the probe did not end"; status=1; }

echo "--- probe output"
cat "$work/out.txt"
[ "$status" -eq 0 ] || fail "the probe exited with $status: $(cat "$work/err.txt")"
expect 'host=win32'
expect 'font.ascent=11'
expect 'font.descent=2'
expect 'font.cell13=13'
expect 'font.count=31'
expect 'font.run=yes'
expect 'font.cjk.centre=yes'
expect 'font.cjk.distinct=yes'
expect 'font.bold.wider=yes'
expect 'font.control=0'
expect 'font.invalid=2'
grep -qE '^font\.latin=[1-9][0-9]*$' "$work/out.txt" || fail "no coverage for a Latin letter"
grep -qE '^font\.cjk\.advance=(9|1[0-9])$' "$work/out.txt" || fail "a Chinese character is not about an em wide"
expect 'workarea=0,0,1024,768'
expect 'pause=yes'
expect 'clipboard.set=yes'
expect 'clipboard=剪贴板 clipboard'
expect 'activated=yes'
expect "ready=$left,$top"
expect 'char=97'
expect "form=$((left + drag_x)),$((top + drag_y))"
expect "clicked=$click_x,$click_y"
expect 'icon=yes'
expect 'icon.cleared=yes'
expect 'minimised=yes'
expect 'restored=yes'
expect 'answer=6'
expect 'done=0'
[ "$(cat "$work/clicked.txt" 2>/dev/null)" = clicked ] || fail "the click left no clicked.txt"

finish
