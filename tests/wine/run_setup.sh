#!/usr/bin/env bash
# The Windows installer as an author makes it and a user runs it: merrowin-pack appends the demo
# wallpaper to the x86-64 stub, which runs unattended (first argument "1") under Wine on a virtual
# display with code page 936. Checks every byte of the two files it writes into the prefix's
# documents folder, under their real Chinese names; waits for the finish page by its side picture,
# which must match the headless host's picture of that page pixel for pixel; keeps a screenshot
# of the window as OUTPUT_DIR/wine-setup-finish.png; and ends the program with 完成.
#   run_setup.sh WINDOWS_BUILD_DIR PACK SOURCE_DIR OUTPUT_DIR   exit 0 passed, 1 failed, 77 skipped
set -uo pipefail

if [ "${1:-}" != --on-display ]; then
  stub=${1:-}/app/setup/merrowin-setup-stub.exe
  if [ -z "${1:-}" ] || [ ! -f "$stub" ]; then
    echo "skipped: no Windows build with the installer stub (set MERROWIN_WINDOWS_BUILD_DIR)"
    exit 77
  fi
  for tool in xvfb-run xdotool import compare iconv; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$@"
fi
shift
stub=$1/app/setup/merrowin-setup-stub.exe
pack=$2
src=$3
output=$4
. "$(dirname "$0")/wine_prefix.sh"

# Where the pages put what the test looks at, in window coordinates (resources/wizard/wizard.layout).
side="160x300+26+41"
finish_x=442 finish_y=374

pid=
wine_prefix setup
wine_desktop

printf '第一条: 仅供个人使用.\r\n2. Keep this notice.\r\n' >"$work/licence.txt"
"$pack" project --title '春日方块' --background clBlack --license "$work/licence.txt" -o "$work/project.txt" &&
  "$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" \
    -o "$work/setup.exe" >/dev/null || { fail "merrowin-pack made no installer"; finish; }
convert "$src/tests/golden/wizard-finish.png" -crop "$side" +repage PNG24:"$work/side-expected.png"

# shows_finish LEFT TOP: the screen shows the finish page's side picture in a window at LEFT, TOP
shows_finish() {
  import -window root PNG24:"$work/screen.png" 2>/dev/null &&
    convert "$work/screen.png" -crop "160x300+$(($1 + 26))+$(($2 + 41))" +repage PNG24:"$work/side.png" &&
    [ "$(compare -metric AE "$work/side.png" "$work/side-expected.png" null: 2>&1)" = 0 ]
}

cd "$work" || exit 1
"$wine" "$work/setup.exe" 1 >"$work/out.txt" 2>"$work/err.txt" &
pid=$!
window=$(step 30 xdotool search --sync --onlyvisible --name '安装程序' | head -n 1)
if [ -n "$window" ]; then
  window_geometry "$window"
  [ "${width}x${height}" = "$(identify -format %wx%h "$src/tests/golden/wizard-finish.png")" ] ||
    fail "the window is ${width}x${height}, not the size of the headless picture"
  for _ in $(seq 60); do
    shows_finish "$left" "$top" && break
    sleep 0.5
  done
  if shows_finish "$left" "$top"; then
    mkdir -p "$output"
    convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage PNG24:"$output/wine-setup-finish.png"
    xdotool mousemove $((left + finish_x)) $((top + finish_y)) click 1
  else
    fail "the finish page never showed its side picture as the headless host draws it"
  fi
else
  fail "the installer's window did not appear"
fi

if program_ends 15; then
  [ "$status" -eq 0 ] || fail "the installer exited with $status: $(cat "$work/err.txt")"
else
  fail "the installer did not end after 完成"
fi

user=$(id -un)
documents="$WINEPREFIX/drive_c/users/$user/Documents"
folder="$documents/我的 Flash 墙纸/春日方块"
[ -d "$folder" ] || fail "no folder '我的 Flash 墙纸/春日方块' under the prefix's documents: $(ls "$documents")"
[ "$(cd "$documents" && find . -type f | LC_ALL=C sort | tr '\n' ' ')" = \
  "./我的 Flash 墙纸/春日方块/flashwallpaper.swf ./我的 Flash 墙纸/春日方块/春日方块.htm " ] ||
  fail "the documents folder holds other files than the wallpaper's: $(cd "$documents" && find . -type f)"
cmp -s "$src/resources/demo/demo.swf" "$folder/flashwallpaper.swf" || fail "the movie is not the packed one"
# The page is in the system's code page, naming the folder as Windows does.
"$pack" page "$work/setup.exe" --folder "C:\\users\\$user\\Documents\\我的 Flash 墙纸\\春日方块\\" |
  iconv -f UTF-8 -t GBK >"$work/page.htm"
cmp -s "$work/page.htm" "$folder/春日方块.htm" || fail "the page is not the one the project makes"
finish
