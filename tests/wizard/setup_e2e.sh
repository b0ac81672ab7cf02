#!/usr/bin/env bash
# merrowin-setup end to end: installers made by merrowin-pack run as programs on the headless
# host, with HOME in a temporary folder. Checks every byte written and that nothing else was.
# Usage: setup_e2e.sh PACK STUB SOURCE_DIR
set -euo pipefail
pack=$1 stub=$2 src=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() { # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
  fi
}

# make NAME [--license FILE]: an installer of the demo movie titled 春日方块
make_installer() {
  local name=$1; shift
  "$pack" project --title '春日方块' --background clBlack "$@" -o "$work/$name.txt"
  "$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/$name.txt" --no-player \
    -o "$work/$name"
}

# run NAME INSTALLER SCRIPT [ARGUMENTS...]: runs it in a fresh home; status in $work/NAME.status
run() {
  local name=$1 installer=$2 script=$3; shift 3
  local home="$work/$name.home"
  mkdir -p "$home/Documents" "$home/.config" "$work/$name.tmp" "$work/$name.shots"
  echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' > "$home/.config/user-dirs.dirs"
  printf '%s\n' "$script" > "$work/$name.script"
  set +e
  (cd "$work/$name.shots" && env -i PATH="$PATH" HOME="$home" TMPDIR="$work/$name.tmp" LANG=C.UTF-8 \
    MERROWIN_BACKEND=headless MERROWIN_SCRIPT="$work/$name.script" "$work/$installer" "$@") \
    > "$work/$name.out" 2>&1
  echo $? > "$work/$name.status"
  set -e
}

# files NAME: every file the program may have written, relative to the home
files() {
  (cd "$work/$1.home" && find . -type f ! -name user-dirs.dirs | sort | tr '\n' ' ')
  (cd "$work/$1.tmp" && find . -mindepth 1 | tr '\n' ' ')
}

# installed NAME: the two files and the wallpaper record are exactly right
installed() {
  local name=$1 home="$work/$1.home"
  local folder="$home/Documents/我的 Flash 墙纸/春日方块/"
  check "$name: status" 0 "$(cat "$work/$name.status")"
  check "$name: only the wallpaper was written" \
    "./.config/autostart/merrowin-wallpaper.desktop ./.config/merrowin/wallpaper ./Documents/我的 Flash 墙纸/春日方块/flashwallpaper.swf ./Documents/我的 Flash 墙纸/春日方块/春日方块.htm " \
    "$(files "$name")"
  check "$name: the movie, byte for byte" ok "$(cmp -s "$src/resources/demo/demo.swf" "$folder/flashwallpaper.swf" && echo ok)"
  "$pack" page "$work/$2" --folder "$folder" > "$work/$name.page"
  check "$name: the page, byte for byte" ok "$(cmp -s "$work/$name.page" "$folder/春日方块.htm" && echo ok)"
  check "$name: the page is the wallpaper" "${folder}春日方块.htm" "$(cat "$home/.config/merrowin/wallpaper")"
}

printf '第一条: 仅供个人使用.\r\n2. Keep this notice.\r\n' > "$work/licence.txt"
make_installer with-licence --license "$work/licence.txt"
make_installer without-licence

# Through the pages: 下一步, 我接受许可协议, 下一步, the run, 完成.
run pages with-licence "$(cat "$src/resources/demo/walkthrough")"
installed pages with-licence
check "pages: a picture of each page" "1-welcome.png 2-licence.png 3-licence-accepted.png 4-progress.png 5-finish.png" \
  "$(cd "$work/pages.shots" && ls | tr '\n' ' ' | sed 's/ $//')"

# Without a licence 下一步 leads straight to the progress page; 完成 waits as usual.
run straight without-licence "click 354 374
wait 2000
click 442 374"
installed straight without-licence

# Any non-empty first argument installs at once; the finish page still waits for 完成.
run unattended with-licence "wait 2000
click 442 374" 1
installed unattended with-licence

# An empty first argument is no argument: the welcome page waits, nothing is installed.
run empty-argument with-licence "wait 2000" "" 1
check "empty-argument: status" 0 "$(cat "$work/empty-argument.status")"
check "empty-argument: nothing written" "" "$(files empty-argument)"

# 取消 asks; No keeps the wizard, Yes closes it without installing.
run cancel with-licence "click 354 374
click 92 322
click 442 374
answer no
click 442 374
answer yes"
check "cancel: status" 0 "$(cat "$work/cancel.status")"
check "cancel: nothing written" "" "$(files cancel)"

# A script step that cannot apply fails the program (status 3): an answer with no box open.
run no-box with-licence "answer yes"
check "no-box: a command that cannot apply fails" 3 "$(cat "$work/no-box.status")"

if [ "$failures" -ne 0 ]; then
  for f in "$work"/*.out; do echo "== $f"; cat "$f"; done
  exit 1
fi
echo "all checks passed"
