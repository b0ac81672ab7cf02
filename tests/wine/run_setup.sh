#!/usr/bin/env bash
# The Windows installer as an author makes it and a user runs it: merrowin-pack appends the demo
# wallpaper to the x86-64 stub, which runs unattended (first argument "1") under Wine on a virtual
# display with code page 936. Checks every byte of the two files it writes into the prefix's
# documents folder, under their real Chinese names; waits for the finish page by its side picture,
# which must match the headless host's picture of that page pixel for pixel; keeps a screenshot
# of the window as OUTPUT_DIR/wine-setup-finish.png; and ends the program with 完成.
# With "signed", the installer is signed first (osslsigncode) and runs with code page 1252, which
# lacks the folder's Chinese name: the page's movie address must still lead Windows to the movie.
#   run_setup.sh WINDOWS_BUILD_DIR PACK SOURCE_DIR OUTPUT_DIR [signed]
#                                                          exit 0 passed, 1 failed, 77 skipped
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
probe=$1/tests/wine/page_movie_probe.exe
pack=$2
src=$3
output=$4
variant=${5:-}
. "$(dirname "$0")/wine_prefix.sh"
. "$(dirname "$0")/../support/sign_installer.sh"

# Where the pages put what the test looks at, in window coordinates (resources/wizard/wizard.layout).
side="160x300+26+41"
finish_x=442 finish_y=374

pid=
if [ "$variant" = signed ]; then
  wine_prefix setup-signed en_US.UTF-8
  shot=wine-setup-signed-finish.png
else
  wine_prefix setup
  shot=wine-setup-finish.png
fi
wine_desktop

printf '第一条: 仅供个人使用.\r\n2. Keep this notice.\r\n' >"$work/licence.txt"
"$pack" project --title '春日方块' --background clBlack --license "$work/licence.txt" -o "$work/project.txt" &&
  "$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" \
    -o "$work/setup.exe" >/dev/null || { fail "merrowin-pack made no installer"; finish; }
if [ "$variant" = signed ]; then
  sign_installer "$work/setup.exe" "$work/signed.exe" && mv "$work/signed.exe" "$work/setup.exe" ||
    { fail "osslsigncode could not sign the installer"; finish; }
fi
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
# A search gives up with an X error when a window it looks at goes meanwhile (Wine's own windows
# come and go at start), so it is asked again until the installer's window shows.
window=
for _ in $(seq 30); do
  window=$(step 5 xdotool search --onlyvisible --name '安装程序' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 1
done
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
    convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage PNG24:"$output/$shot"
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
if [ "$variant" != signed ]; then
  # The page is in the system's code page, naming the folder as Windows does.
  "$pack" page "$work/setup.exe" --folder "C:\\users\\$user\\Documents\\我的 Flash 墙纸\\春日方块\\" |
    iconv -f UTF-8 -t GBK >"$work/page.htm"
  cmp -s "$work/page.htm" "$folder/春日方块.htm" || fail "the page is not the one the project makes"
  finish
fi

# Code page 1252 cannot spell the folder. Windows itself follows the page's movie address to a
# file, which must be the movie; the title keeps what 1252 shows; every other line is the page
# the project makes for the folder as the address spells it.
cp "$folder/春日方块.htm" "$work/page.htm"
step 60 "$wine" "$probe" "Z:${work//\//\\}\\page.htm" "Z:${work//\//\\}\\followed.swf" >"$work/probe.txt" 2>&1 ||
  fail "the page's movie address leads nowhere: $(cat "$work/probe.txt")"
cmp -s "$src/resources/demo/demo.swf" "$work/followed.swf" || fail "the page's movie address names another file"
[ "$(head -n 1 "$work/page.htm")" = $'<HTML><TITLE>????</TITLE>\r' ] ||
  fail "the title line is '$(head -n 1 "$work/page.htm" | od -c | head -n 2)'"
address_folder=$(sed -n 's|^address=file:///\(.*\)flashwallpaper\.swf\r\?$|\1|p' "$work/probe.txt")
"$pack" page "$work/setup.exe" --folder "$address_folder" | tail -n +2 | iconv -f UTF-8 -t CP1252 >"$work/rest.htm"
tail -n +2 "$work/page.htm" | cmp -s - "$work/rest.htm" ||
  fail "the page differs from the project's beyond its title and the folder '$address_folder'"
finish
