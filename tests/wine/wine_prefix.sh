# Sourced by the Wine tests: a fresh 64-bit Wine prefix in a temporary folder, with code page 936
# as on a Chinese system (or another system's, by its locale), and the small helpers every such
# test uses.
#   wine_prefix NAME [LOCALE]  makes $work (removed on exit), exports the prefix's environment and
#                      boots it under LOCALE (zh_CN.UTF-8: code page 936; en_US.UTF-8: 1252);
#                      sets $wine and $wineserver
#   wine_desktop       settings and fonts for windows on a display without a window manager
# With the helpers of tests/support/script_checks.sh.

. "$(dirname "${BASH_SOURCE[0]}")/../support/script_checks.sh"

wine_prefix() {
  wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  for tool in "$wine" "$wineserver"; do
    [ -x "$tool" ] || { echo "FAIL: $tool is missing (scripts/install-deps installs wine64)"; exit 1; }
  done
  local system_locale=${2:-zh_CN.UTF-8}
  if ! locale -a 2>/dev/null | grep -qix "${system_locale%%.*}.utf-\\?8"; then
    echo "FAIL: the $system_locale locale is missing (scripts/install-deps generates it)"
    exit 1
  fi
  work=$(mktemp -d "/tmp/merrowin-$1-XXXXXX")
  export HOME=$work/home # before wineboot, or the prefix's Documents links to the real home
  export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=$system_locale
  mkdir -p "$HOME"
  trap wine_cleanup EXIT
  trap 'exit 1' TERM INT
  step 90 "$wine" wineboot -i >"$work/boot.log" 2>&1 || { echo "FAIL: wineboot"; cat "$work/boot.log"; exit 1; }
}

# Kills what the test left running (its $pid, if any), then the prefix's server, then the folder.
wine_cleanup() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  timeout 20 "$wineserver" -k >/dev/null 2>&1
  rm -rf "$work"
}

# No window manager here: unmanaged windows go at once, instead of after two seconds each. The
# Chinese face that Tahoma links to is SimSun; WenQuanYi Micro Hei stands in for it.
wine_desktop() {
  printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"SimSun"="WenQuanYi Micro Hei"' >"$work/settings.reg"
  step 30 "$wine" regedit /S "$work/settings.reg" || fail "regedit refused the settings"
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" || fail "the fonts of fonts-wine are missing"
}
