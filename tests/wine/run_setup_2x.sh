#!/usr/bin/env bash
# The Windows installer on a screen of 192 dots per inch (200 %) under Wine: the registry's
# LogPixels says so before the program starts. The same installer first runs on the headless host
# at scale 2 (MERROWIN_SCALE=2; under Wine as well, so that both runs draw the same GDI text) and
# takes pictures of its welcome and licence pages. Then on the Win32 host its window must be twice
# the size of the designed one, show the welcome page exactly as that picture (every pixel
# doubled, the screen showing through outside the window's shape), and a click on 下一步 at twice
# its designed place must bring the licence page, again exactly as the headless picture.
#   run_setup_2x.sh WINDOWS_BUILD_DIR PACK SOURCE_DIR OUTPUT_DIR   exit 0 passed, 1 failed, 77 skipped
set -uo pipefail

if [ "${1:-}" != --on-display ]; then
  stub=${1:-}/app/setup/merrowin-setup-stub.exe
  if [ -z "${1:-}" ] || [ ! -f "$stub" ]; then
    echo "skipped: no Windows build with the installer stub (set MERROWIN_WINDOWS_BUILD_DIR)"
    exit 77
  fi
  for tool in xvfb-run xdotool import convert compare identify; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  exec xvfb-run -a -s "-screen 0 2048x1536x24" "$0" --on-display "$@"
fi
shift
stub=$1/app/setup/merrowin-setup-stub.exe
pack=$2
src=$3
output=$4
. "$(dirname "$0")/wine_prefix.sh"

# 下一步 on the welcome page, in designed window pixels (resources/wizard/wizard.layout).
next_x=354 next_y=374

pid=
wine_prefix setup2x
wine_desktop
printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"LogPixels"=dword:000000c0' >"$work/dpi.reg"
step 30 "$wine" regedit /S "$work/dpi.reg" || fail "regedit refused LogPixels"

printf '第一条: 仅供个人使用.\r\n2. Keep this notice.\r\n' >"$work/licence.txt"
"$pack" project --title '春日方块' --background clBlack --license "$work/licence.txt" -o "$work/project.txt" &&
  "$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" \
    -o "$work/setup.exe" >/dev/null || { fail "merrowin-pack made no installer"; finish; }
cd "$work" || exit 1

# The headless pictures. The script's points are in the pixels of its (doubled) pictures. At its
# end the host closes the window, which asks whether to leave: the run ends stuck, as expected.
printf '%s\n' 'shot welcome.png' "click $((next_x * 2)) $((next_y * 2))" 'shot licence.png' >"$work/script.txt"
step 60 env MERROWIN_BACKEND=headless MERROWIN_SCALE=2 MERROWIN_SCRIPT=script.txt "$wine" "$work/setup.exe" \
  >"$work/headless.txt" 2>&1
for page in welcome licence; do
  [ -f "$work/$page.png" ] || { fail "the headless host took no picture of the $page page: $(cat "$work/headless.txt")"; finish; }
done
read -r shot_width shot_height < <(identify -format '%w %h' "$work/welcome.png")
designed=$(identify -format %wx%h "$src/tests/golden/wizard-welcome.png")
[ "$((shot_width / 2))x$((shot_height / 2))" = "$designed" ] ||
  fail "the headless picture at scale 2 is ${shot_width}x${shot_height}, not twice $designed"

# shows PICTURE: the window on the screen is PICTURE, with the screen as it was before the window
# showing through where PICTURE is transparent. Waits up to 15 s; the last view stays as seen.png.
shows() {
  convert "$work/before.png" -crop "${width}x${height}+${left}+${top}" +repage "$1" -composite \
    PNG24:"$work/expected.png"
  for _ in $(seq 60); do
    import -window root PNG24:"$work/screen.png" 2>/dev/null &&
      convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage PNG24:"$work/seen.png" &&
      [ "$(compare -metric AE "$work/seen.png" "$work/expected.png" null: 2>&1)" = 0 ] && return 0
    sleep 0.25
  done
  return 1
}

xdotool mousemove 2000 1500
import -window root PNG24:"$work/before.png"
"$wine" "$work/setup.exe" >"$work/out.txt" 2>"$work/err.txt" &
pid=$!
window=$(step 30 xdotool search --sync --onlyvisible --name '安装程序' | head -n 1)
if [ -n "$window" ]; then
  window_geometry "$window"
  [ "${width}x${height}" = "${shot_width}x${shot_height}" ] ||
    fail "the window is ${width}x${height}, not twice the designed $designed"
  shows "$work/welcome.png" || fail "the welcome page is not the headless picture at scale 2"
  xdotool mousemove $((left + next_x * 2)) $((top + next_y * 2)) click 1
  shows "$work/licence.png" || fail "a click on 下一步 did not bring the licence page as the headless host shows it"
else
  fail "the installer's window did not appear"
fi
mkdir -p "$output"
[ -f "$work/seen.png" ] && cp "$work/seen.png" "$output/wine-setup-2x.png"
finish
