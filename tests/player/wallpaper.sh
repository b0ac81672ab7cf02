#!/usr/bin/env bash
# The live wallpaper on a virtual X server (Xvfb, no window manager). An installer packed from
# the Linux stub with nothing but its defaults runs unattended with a bare HOME and
# PATH=/usr/bin:/bin; it must leave the demo movie playing across the screen (its background
# everywhere, its square moving) and the login entry in place. Then, on the player itself: a
# window mapped later is above the wallpaper; covered, the player draws nothing and uses next to
# no CPU, and plays again once uncovered; a second start hands over its page; the link box opens
# only http(s) addresses in the browser; deleting the page's folder stops the player, and at the
# next login the entry is removed; --stop ends it.
#   wallpaper.sh PACK SETUP SOURCE_DIR OUTPUT_DIR   exit 0 passed, 1 failed, 77 skipped
# Pictures of the desktop stay in OUTPUT_DIR/wallpaper-*.png.
set -uo pipefail

if [ "${1:-}" != --inside ]; then
  command -v xvfb-run >/dev/null || { echo "skipped: xvfb-run is missing (scripts/install-deps)"; exit 77; }
  for tool in xauth xdotool xmessage import convert python3; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
  done
  exec timeout -k 5 280 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$@"
fi
pack=$2 setup=$3 src=$4 output=$5
look="$src/tests/player/wallpaper_look.py"

work=$(mktemp -d /tmp/merrowin-wallpaper-XXXXXX)
covers=()
cleanup() {
  [ ${#covers[@]} -gt 0 ] && kill "${covers[@]}" 2>/dev/null
  pkill -u "$(id -u)" -f "^$work/" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
. "$src/tests/support/script_checks.sh"

home=$work/home
mkdir -p "$home/Documents" "$home/.config" "$work/run" "$work/bin" "$work/tmp"
chmod 700 "$work/run"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$home/.config/user-dirs.dirs"
# The user's browser: notes what it was asked to open.
printf '#!/bin/sh\necho "$1" >> %s/opened.txt\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
bare=(env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}"
      XDG_RUNTIME_DIR="$work/run" TMPDIR="$work/tmp" LANG=C.UTF-8)
player="$home/.local/share/merrowin/player/merrowin-wallpaper"
folder="$home/Documents/我的 Flash 墙纸/春日方块"
page="$folder/春日方块.htm"

shot() { # shot NAME: the whole screen as $work/NAME.ppm (and .png)
  import -window root PNG24:"$work/$1.png" 2>/dev/null && convert "$work/$1.png" "$work/$1.ppm"
}
players() { pgrep -u "$(id -u)" -f -- "merrowin-wallpaper( |$)" | grep -v "^$$\$" || true; }
# plays NAME: waits up to 30 s for the movie on the screen; "share left right" in $seen
plays() {
  for _ in $(seq 60); do
    shot "$1" && seen=$(python3 "$look" frame "$work/$1.ppm")
    read -r share left _ <<<"$seen"
    [ "$left" != - ] && python3 -c "import sys; sys.exit(0 if $share > 0.6 else 1)" && return 0
    sleep 0.5
  done
  return 1
}
# cpu SECONDS: the share of one core that the player and its web processes use meanwhile
cpu() { python3 "$look" cpu "$1" $(players); }
# project NAME OPTIONS...: a page of the demo movie in its own folder; its path in $made
project() {
  local name=$1; shift
  mkdir -p "$work/$name"
  cp "$src/resources/demo/demo.swf" "$work/$name/flashwallpaper.swf"
  "$pack" project --title "$name" --background '$003A2420' "$@" -o "$work/$name.txt" &&
    "$pack" page --project "$work/$name.txt" --folder "$work/$name/" >"$work/$name/$name.htm"
  made="$work/$name/$name.htm"
}

# 1. The bare installer.
mapfile -t settings < <(grep -v '^#' "$src/resources/demo/settings")
(cd "$src" && "$pack" project "${settings[@]}" -o "$work/demo.txt") &&
  "$pack" build --stub "$setup" --movie "$src/resources/demo/demo.swf" --project "$work/demo.txt" \
    -o "$work/setup" 2>"$work/pack.txt" || { fail "merrowin-pack made no installer: $(cat "$work/pack.txt")"; finish; }
grep -q "carries the wallpaper player" "$work/pack.txt" || fail "the installer carries no player: $(cat "$work/pack.txt")"
printf 'wait 3000\n' >"$work/unattended"
(cd "$work" && "${bare[@]}" MERROWIN_BACKEND=headless MERROWIN_SCRIPT="$work/unattended" "$work/setup" 1) \
  >"$work/setup.txt" 2>&1 || fail "the installer failed: $(cat "$work/setup.txt")"
[ -x "$player" ] || fail "the player was not installed into the user's data folder"
entry="$home/.config/autostart/merrowin-wallpaper.desktop"
grep -qF -- "--autostart \"$page\"" "$entry" 2>/dev/null || fail "no login entry for the page: $(cat "$entry" 2>&1)"
plays installed || fail "the movie does not play after the installation (seen: $seen)"
cp "$work/installed.png" "$output/wallpaper-playing.png" 2>/dev/null
first=$left
sleep 1
plays second && [ "$left" != "$first" ] || fail "the square does not move ($first, then $left)"
[ "$(players | wc -l)" = 1 ] || fail "not one player but: $(players)"

# 2. Stacking: a window mapped later is above.
xmessage -geometry 300x200+100+100 -bg '#00ff00' -fg '#00ff00' ' ' &
covers+=($!)
sleep 1.5
shot above
[ "$(python3 "$look" pixel "$work/above.ppm" 250 200)" = "0 255 0" ] || fail "a later window is not above the wallpaper"
kill "${covers[@]}"; covers=()

# 3. Covered, it draws nothing; uncovered, it plays again at once.
playing=$(cpu 4)
xmessage -geometry 1024x768+0+0 -bg '#00ff00' -fg '#00ff00' -center ' ' &
covers+=($!)
sleep 2
covered=$(cpu 4)
echo "CPU of the player's processes: $playing of a core playing, $covered covered"
python3 -c "import sys; sys.exit(0 if $covered < 0.05 and $covered * 4 < $playing else 1)" ||
  fail "covered, the player still uses $covered of a core (playing: $playing)"
kill "${covers[@]}"; covers=()
plays uncovered && first=$left && sleep 0.5 && plays uncovered2 && [ "$left" != "$first" ] ||
  fail "the movie does not play again once uncovered"

# 4. A second start hands its page over: a red link box appears, one player still runs.
project red --show-link 1 --link-text "$src/resources/demo/link.txt" --link-url http://example.org/red \
  --link-color clWhite --layer-color clRed --layer-transparent 0
"${bare[@]}" "$player" "$made" || fail "a second start did not hand over its page"
for _ in $(seq 40); do shot handed; box=$(python3 "$look" box "$work/handed.ppm" 255 0 0); [ -n "$box" ] && break; sleep 0.5; done
[ -n "$box" ] || fail "the handed-over page is not shown"
cp "$work/handed.png" "$output/wallpaper-link.png" 2>/dev/null
[ "$(players | wc -l)" = 1 ] || fail "a second start left two players: $(players)"

# 5. The link box opens http(s) in the browser, and nothing else.
"${bare[@]}" "$player" --stop || fail "--stop did not end the player"
for _ in $(seq 50); do [ -z "$(players)" ] && break; sleep 0.1; done
[ -z "$(players)" ] || fail "the player still runs after --stop"
"${bare[@]}" "$player" --stop 2>/dev/null && fail "--stop says it stopped a player that was not running"
("${bare[@]}" PATH="$work/bin:/usr/bin:/bin" "$player" "$made" >"$work/player.txt" 2>&1 &)
for _ in $(seq 60); do shot link; box=$(python3 "$look" box "$work/link.ppm" 255 0 0); [ -n "$box" ] && break; sleep 0.5; done
read -r bx by <<<"$box"
sleep 1
xdotool mousemove "$bx" "$by" click 1
sleep 2
[ "$(cat "$work/opened.txt" 2>/dev/null)" = http://example.org/red ] ||
  fail "a click on the link box did not open its address: $(cat "$work/opened.txt" 2>&1)"
project blue --show-link 1 --link-text "$src/resources/demo/link.txt" --link-url 'file:///etc/passwd' \
  --layer-color clBlue --layer-transparent 0
"${bare[@]}" "$player" "$made" || fail "the page with a file link was not taken"
for _ in $(seq 40); do shot blue; box=$(python3 "$look" box "$work/blue.ppm" 0 0 255); [ -n "$box" ] && break; sleep 0.5; done
read -r bx by <<<"$box"
xdotool mousemove "$bx" "$by" click 1
sleep 2
[ "$(wc -l <"$work/opened.txt")" = 1 ] || fail "a file: link was opened: $(cat "$work/opened.txt")"
[ "$(players | wc -l)" = 1 ] || fail "a click left the page or opened a window: $(players)"

# 6. Deleting the page's folder stops the player; at the next login the entry goes.
rm -rf "$work/blue"
for _ in $(seq 100); do [ -z "$(players)" ] && break; sleep 0.1; done
[ -z "$(players)" ] || fail "the player still runs after its folder was deleted"
rm -rf "$folder"
"${bare[@]}" "$player" --autostart "$page" || fail "the login start of a deleted page failed"
[ ! -e "$entry" ] || fail "the login entry of a deleted wallpaper is still there"
[ -z "$(players)" ] || fail "a player started for a deleted page"

finish
