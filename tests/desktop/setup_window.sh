#!/usr/bin/env bash
# A real installer in a real window: merrowin-pack makes it from merrowin-setup, which runs on the
# SDL window host on a virtual X server (Xvfb, no window manager) with HOME in a temporary folder.
# xdotool clicks through the pages as a user would; the welcome and licence pages on the screen
# must be the headless host's golden pictures pixel for pixel (outside the window's shape, the
# screen behind it shows), and the finish page's side picture too. 完成 ends the program, and the
# wallpaper is installed.
# With SCALE 2 the desktop says it is scaled to 200 % (GDK_SCALE=2): the window must be twice the
# size, each page the golden picture with every pixel doubled, and clicks land at twice the places.
# On failure the last screenshot of the window stays as OUTPUT_DIR/setup_window-last.png.
#   setup_window.sh PACK SETUP SOURCE_DIR OUTPUT_DIR [SCALE]
#   exit 0 passed, 1 failed, 77 skipped (no xvfb-run)
set -uo pipefail

if [ "${1:-}" != --inside ]; then
  if ! command -v xvfb-run >/dev/null; then
    echo "skipped: xvfb-run is missing (scripts/install-deps installs xvfb)"
    exit 77
  fi
  for tool in xauth xdotool import convert compare; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  # In the sanitizer build: what libdbus never frees is not ours.
  export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
  screen=1024x768
  [ "${5:-1}" = 2 ] && screen=2048x1536
  exec timeout -k 5 90 xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" "$0" --inside "$@"
fi
pack=$2 setup=$3 src=$4 output=$5 scale=${6:-1}
golden=$src/tests/golden

work=$(mktemp -d /tmp/merrowin-setup-window-XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
. "$src/tests/support/script_checks.sh"

# The installer of the headless tests' wallpaper: the same title and licence draw the same pages.
printf '第一条: 仅供个人使用.\r\nSecond line.\r\n' >"$work/licence.txt"
"$pack" project --title '春日方块' --background clBlack --license "$work/licence.txt" -o "$work/project.txt" &&
  "$pack" build --stub "$setup" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" --no-player \
    -o "$work/setup" >/dev/null || { echo "FAIL: merrowin-pack made no installer"; exit 1; }
home=$work/home
mkdir -p "$home/Documents" "$home/.config" "$work/tmp"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$home/.config/user-dirs.dirs"
# The golden pictures at the scale: every pixel as a square, nothing blended.
mkdir -p "$work/golden"
for picture in "$golden"/wizard-*.png; do
  convert "$picture" -filter point -resize "$((scale * 100))%" "$work/golden/$(basename "$picture")"
done
golden=$work/golden

# shows PICTURE [CROP]: the window on the screen is PICTURE (or its part CROP, in screen pixels),
# with the screen as it was before showing through where PICTURE is transparent. Waits up to 10 s
# for it; the last screenshot stays as $work/seen.png.
shows() {
  local crop=${2:-${width}x${height}+0+0}
  convert "$work/before.png" -crop "${width}x${height}+${left}+${top}" +repage "$1" -composite \
    -crop "$crop" +repage PNG24:"$work/expected.png"
  for _ in $(seq 40); do
    import -window root PNG24:"$work/screen.png" 2>/dev/null &&
      convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage PNG24:"$work/seen.png" &&
      convert "$work/seen.png" -crop "$crop" +repage PNG24:"$work/seen-part.png" &&
      [ "$(compare -metric AE "$work/seen-part.png" "$work/expected.png" null: 2>&1)" = 0 ] && return 0
    sleep 0.25
  done
  return 1
}
click() { # click X Y: in the pixels of the golden pictures
  xdotool mousemove $((left + $1 * scale)) $((top + $2 * scale)) click 1
}

xdotool mousemove 1000 740
import -window root PNG24:"$work/before.png"
(cd "$work" && exec env -i PATH="$PATH" DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" HOME="$home" \
  TMPDIR="$work/tmp" LANG=C.UTF-8 LSAN_OPTIONS="$LSAN_OPTIONS" MERROWIN_BACKEND=sdl GDK_SCALE="$scale" \
  "$work/setup") \
  >"$work/out.txt" 2>&1 &
pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
[ -n "$window" ] || { fail "the installer's window did not appear: $(cat "$work/out.txt")"; exit 1; }
window_geometry "$window"
[ "${width}x${height}" = "$(identify -format %wx%h "$golden/wizard-welcome.png")" ] ||
  fail "the window is ${width}x${height}, not the size of the headless pictures"

shows "$golden/wizard-welcome.png" || fail "the welcome page is not the headless picture"
cp "$work/seen.png" "$work/welcome.png"
click 354 374 # 下一步
shows "$golden/wizard-licence.png" || fail "the licence page is not the headless picture"
click 92 322 # 我接受许可协议
shows "$golden/wizard-licence-accepted.png" || fail "the accepted licence is not the headless picture"
click 354 374 # 下一步: the installation runs
shows "$golden/wizard-finish.png" "$((160 * scale))x$((300 * scale))+$((26 * scale))+$((41 * scale))" || fail "the finish page's side picture is not the headless one"
click 442 374 # 完成

if program_ends 10; then
  [ "$status" -eq 0 ] || fail "the installer exited with $status: $(cat "$work/out.txt")"
else
  fail "the installer did not end after 完成"
fi
folder="$home/Documents/我的 Flash 墙纸/春日方块/"
cmp -s "$src/resources/demo/demo.swf" "$folder/flashwallpaper.swf" || fail "the movie was not installed"
[ "$(cat "$home/.config/merrowin/wallpaper" 2>/dev/null)" = "${folder}春日方块.htm" ] ||
  fail "the page was not made the wallpaper"

if [ "$failures" -ne 0 ] && [ -f "$work/seen.png" ]; then
  mkdir -p "$output" && cp "$work/seen.png" "$output/setup_window-last.png" &&
    echo "the last screenshot of the window: $output/setup_window-last.png"
fi
finish
