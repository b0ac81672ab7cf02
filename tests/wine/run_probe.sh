#!/usr/bin/env bash
# Runs the Windows system-services probe of a Windows build tree under Wine, in a fresh prefix
# with code page 936, and checks what it printed and the files it left in the prefix.
#   run_probe.sh WINDOWS_BUILD_DIR      exit 0 passed, 1 failed, 77 skipped (no Windows build)
set -uo pipefail

build=${1:-}
probe=$build/tests/wine/system_services_probe.exe
if [ -z "$build" ] || [ ! -f "$probe" ]; then
  echo "skipped: no Windows build with the probe (set MERROWIN_WINDOWS_BUILD_DIR)"
  exit 77
fi
. "$(dirname "$0")/wine_prefix.sh"
unset DISPLAY WAYLAND_DISPLAY
export MERROWIN_PROBE_WALLPAPER=1
wine_prefix wine
step 60 "$wine" "$probe" >"$work/out.txt" 2>"$work/err.txt"
status=$?
step 30 "$wine" regedit /E "$work/test.reg" 'HKEY_CURRENT_USER\Software\Merrowin\Test' >/dev/null 2>&1
step 30 "$wineserver" -w

echo "--- probe output"
cat "$work/out.txt"
expect() { # expect LINE: the probe printed exactly this line
  grep -qxF -- "$1" "$work/out.txt" || fail "no line '$1'"
}

[ "$status" -eq 0 ] || fail "the probe exited with $status: $(cat "$work/err.txt")"
user=$(id -un)
upper_user=$(printf '%s' "$user" | tr 'a-z' 'A-Z')
documents="C:\\users\\$user\\Documents\\"
expect "kind.4=$documents"
# Wine's shell ends this one in a backslash; Windows does not.
grep -qxF -e "personal=C:\\users\\$user\\Documents" -e "personal=$documents" "$work/out.txt" ||
  fail "the shell's documents folder is not the prefix's"
expect 'kind.17=C:\windows\'
expect 'kind.18=C:\windows\system32\'
expect 'kind.20=C:\'
expect 'kind.21=C:\Program Files\'
expect 'kind.27='
expect 'windows=C:\windows\'
expect 'registry.create=ok'
expect 'registry.greeting=你好, wine'
expect 'registry.missing=absent'
expect "registry.count!无效的数据类型 'Count'"
expect 'folder.make=ok'
expect 'folder.exists=yes'
expect 'file.write=ok'
expect "findall=C:\\USERS\\$upper_user\\DOCUMENTS\\我的 FLASH 墙纸\\PROBE.TXT"
expect 'screensaver=ok'
expect 'wallpaper.start=ok'
expect 'done'
expect 'error.unknown=OLE 错误 8FFF1234'
grep -qE '^error\.known=.+' "$work/out.txt" && ! grep -q '^error\.known=OLE' "$work/out.txt" ||
  fail "the system has no text for E_NOTIMPL"
grep -qE '^temp=C:\\.*\\$' "$work/out.txt" || fail "the temporary folder does not end in a backslash"
grep -qE '^guid=\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$' "$work/out.txt" ||
  fail "no GUID in registry form"
[ "$(grep -c '^kind\.' "$work/out.txt")" -eq 28 ] || fail "not 28 folder kinds"
if grep -q '^kind\.[0-9]*!' "$work/out.txt"; then fail "a folder kind raised"; fi

written="$WINEPREFIX/drive_c/users/$user/Documents/我的 Flash 墙纸/probe.txt"
[ "$(cat "$written" 2>/dev/null)" = $'merrowin probe\r' ] || fail "'$written' is missing or wrong"
iconv -f UTF-16 -t UTF-8 "$work/test.reg" 2>/dev/null | tr -d '\r' | grep -qxF '"Greeting"="你好, wine"' ||
  fail "regedit does not show the written value"
tr -d '\r' <"$WINEPREFIX/drive_c/windows/system.ini" | grep -qE '^SCRNSAVE\.EXE=.+' ||
  fail "system.ini has no screen saver entry"

finish
