#!/usr/bin/env bash
# merrowin-skin end to end: the built-in skin's records, build -> list / extract round trips,
# and the exit statuses of refused and failed skins.
# Usage: skin_tool.sh SKIN_TOOL BUILTIN_SSK FIXTURES_DIR
set -euo pipefail
tool=$1 builtin=$2 fixtures=$3
art="$(cd "$(dirname "$0")/../.." && pwd)/resources/skins/builtin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() { # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; failures=$((failures + 1))
  fi
}
status() { set +e; "$@" > "$work/out" 2> "$work/err"; echo $?; set -e; }

# The built-in skin holds exactly the values of the key tables, in this order.
cat > "$work/expected" <<'LIST'
SKIN2_TITLEBAR1 bitmap 60x41
SKIN2_TITLEBAR2 bitmap 143x41
SKIN2_TITLEBAR3 bitmap 44x41
SKIN2_TITLEBAR4 bitmap 12x41
SKIN2_TITLEBAR5 bitmap 166x41
SKIN2_FORMLEFTBORDER bitmap 26x296
SKIN2_FORMRIGHTBORDER bitmap 26x296
SKIN2_FORMBOTTOMBORDER1 bitmap 252x23
SKIN2_MINIMIZEDTITLE bitmap 160x27
SKIN2_TITLEBUTTONS bitmap 396x22
SKIN2_CHECKEDMENUICON bitmap 16x16
SKIN2_BUTTON bitmap 243x23
SKIN2_CHECKBOX bitmap 102x17
SKIN2_CHECKBOXLIST bitmap 44x11
SKIN2_RADIOBUTTON bitmap 60x15
SKIN2_PROGRESSBAR1 bitmap 1x17
SKIN2_PROGRESSBAR2 bitmap 8x17
SKIN2_PROGRESSBAR3 bitmap 8x17
SKIN2_PROGRESSBAR4 bitmap 1x17
SKIN2_TRACKBAR bitmap 60x6
SKIN2_TRACKBARSLIDER bitmap 11x21
SKIN2_TRACKBARVSLIDER bitmap 21x11
SKIN2_SCROLLBARUPBUTTON bitmap 48x16
SKIN2_SCROLLBAR bitmap 16x71
SKIN2_SCROLLBARDOWNBUTTON bitmap 48x16
SKIN2_TABCONTROL bitmap 60x18
SKIN2_TABCONTROLLINE bitmap 8x1
SKIN2_SIDECHANNELBAR bitmap 7x84
SKIN2_SIDECHANNELTITLE bitmap 1x21
SKIN2_SCROLLBUTTON bitmap 64x16
SKIN2_TRANSCOLOR integer 16711935
SKIN2_TITLEFONTCOLOR integer 16777215
SKIN2_FORMCOLOR integer 5329233
SKIN2_MENUBARSTARTCOLOR integer 5329233
SKIN2_MENUBARENDCOLOR integer 5329233
SKIN2_TOPSELECTEDMENUCOLOR integer 9079434
SKIN2_TOPSELECTEDMENUBORDERCOLOR integer 9079434
SKIN2_TOPSELECTEDMENUFONTCOLOR integer 16777215
SKIN2_TOPMENUFONTCOLOR integer 12895428
SKIN2_LEFTBARSTARTCOLOR integer 6974058
SKIN2_LEFTBARENDCOLOR integer 6974058
SKIN2_MENUITEMCOLOR integer 5329233
SKIN2_MENUITEMFONTCOLOR integer 12895428
SKIN2_SELECTEDMENUCOLOR integer 9079434
SKIN2_SELECTEDMENUBORDERCOLOR integer 9079434
SKIN2_SELECTEDMENUFONTCOLOR integer 16777215
SKIN2_TOOLBARSTARTCOLOR integer 5329233
SKIN2_TOOLBARENDCOLOR integer 5329233
SKIN2_TOOLBARONCOLOR integer 5329233
SKIN2_TOOLBARBORDERCOLOR integer 0
SKIN2_TOOLBARDOWNCOLOR integer 0
SKIN2_CONTROLCOLOR integer 11053224
SKIN2_CONTROLBORDERCOLOR integer 0
SKIN2_CONTROLFONTCOLOR integer 16777215
SKIN2_BUTTONFONTCOLOR integer 16777215
SKIN2_SCROLLBARCOLOR integer 4671303
SKIN2_TABCONTROLCOLOR integer 11053224
SKIN2_TABCONTROLBORDERCOLOR integer 0
SKIN2_TABCONTROLACTIVEFONTCOLOR integer 0
SKIN2_TABCONTROLINACTIVEFONTCOLOR integer 16777215
SKIN2_SIDECHANNELCOLOR integer 11053224
SKIN2_SIDECHANNELBORDERCOLOR integer 0
SKIN2_SYSTEMCOLOR1 integer 65280
SKIN2_SYSTEMCOLOR2 integer 8388608
SKIN2_TITLEBARICONPOSX integer 43
SKIN2_TITLEBARICONPOSY integer 8
SKIN2_TITLEBARCAPTIONTOP integer 8
SKIN2_TITLEBARBUTTONPOSX integer 13
SKIN2_TITLEBARBUTTONPOSY integer 6
SKIN2_TITLEBARREGIONMINY integer 0
SKIN2_TITLEBARREGIONMAXY integer 9
SKIN2_BOTTOMREGIONMINY integer 15
SKIN2_BOTTOMREGIONMAXY integer 22
SKIN2_TITLEFIVESECT flag 1
SKIN2_BOTTOMBORDERTHREESECT flag 0
SKIN2_TITLEBARNEEDREGION flag 1
SKIN2_BOTTOMBORDERNEEDREGION flag 1
SKIN2_TITLEBTNTRANS flag 0
SKIN2_BUTTONTRANS flag 1
SKIN2_CHECKBOXTRANS flag 0
SKIN2_RADIOBUTTONTRANS flag 1
SKIN2_TABCONTROLTRANS flag 0
LIST
check "built-in skin: status" 0 "$(status "$tool" list "$builtin")"
check "built-in skin: 82 records" 82 "$(wc -l < "$work/out")"
check "built-in skin: records and values" "$(cat "$work/expected")" "$(cat "$work/out")"
check "built-in skin: member is stored unencrypted" 0 "$(status "$tool" extract "$builtin" -o "$work/builtin.sk2")"
check "built-in skin: record file ends in the terminator" \
  "$(printf '%0128d' 0)02000000000000000000000000" "$(tail -c 77 "$work/builtin.sk2" | od -An -v -tx1 | tr -d ' \n')"

# build -> list, with every kind of value and value notation, with and without a password.
mkdir "$work/skin"
cp "$art/SKIN2_BUTTON.bmp" "$art/SKIN2_TITLEBAR1.bmp" "$work/skin/"
cp "$art/SKIN2_CHECKBOX.bmp" "$work/skin/EXTRA_PICTURE.BMP"
printf '# comment\r\n\r\nSKIN2_A integer -2147483648\r\nSKIN2_B integer $FFFFFFFF\nSKIN2_C flag 255\nSKIN2_D string  two words \nSKIN2_E integer 0x7fffffff\n' \
  > "$work/skin/values.txt"
check "build: status" 0 "$(status "$tool" build "$work/skin" -o "$work/s.ssk")"
check "build: no partial file left" no "$([ -e "$work/s.ssk.partial" ] && echo yes || echo no)"
"$tool" list "$work/s.ssk" > "$work/list"
check "build: table pictures first, then others, then values in line order" \
  "SKIN2_TITLEBAR1 bitmap 60x41|SKIN2_BUTTON bitmap 243x23|EXTRA_PICTURE bitmap 102x17|SKIN2_A integer -2147483648|SKIN2_B integer -1|SKIN2_C flag 255|SKIN2_D string two words |SKIN2_E integer 2147483647" \
  "$(paste -sd'|' "$work/list")"
check "build: pictures stored as they are" ok \
  "$("$tool" extract "$work/s.ssk" -o "$work/s.sk2"; cmp -s <(tail -c +$((24 + 77 + 1)) "$work/s.sk2" | head -c "$(stat -c %s "$art/SKIN2_TITLEBAR1.bmp")") "$art/SKIN2_TITLEBAR1.bmp" && echo ok)"

check "build with password: status" 0 "$(status "$tool" build "$work/skin" -o "$work/p.ssk" --password 'pa ss')"
check "password: list without it is refused" 2 "$(status "$tool" list "$work/p.ssk")"
check "password: list with a wrong one is refused" 2 "$(status "$tool" list "$work/p.ssk" --password 'pass')"
check "password: list with it" "$(cat "$work/list")" "$("$tool" list "$work/p.ssk" --password 'pa ss')"

# extract: its status is the extraction's result, and OUT appears only on success.
check "extract zip-made archive" 0 "$(status "$tool" extract "$fixtures/plain.ssk" -o "$work/plain.sk2")"
check "extract gives the member" ok "$(cmp -s "$fixtures/skindata.sk2" "$work/plain.sk2" && echo ok)"
check "extract encrypted with password" 0 "$(status "$tool" extract "$fixtures/encrypted.ssk" -o "$work/e.sk2" --password secret)"
check "extract encrypted without password" 2 "$(status "$tool" extract "$fixtures/encrypted.ssk" -o "$work/e2.sk2")"
check "refused extract leaves no file" no "$([ -e "$work/e2.sk2" ] || [ -e "$work/e2.sk2.partial" ] && echo yes || echo no)"
check "extract archive with a comment" 1 "$(status "$tool" extract "$fixtures/comment.ssk" -o "$work/c.sk2")"
check "failed extract leaves no file" no "$([ -e "$work/c.sk2" ] || [ -e "$work/c.sk2.partial" ] && echo yes || echo no)"
echo 'old' > "$work/keep.sk2"
check "failed extract keeps an existing OUT" 1 "$(status "$tool" extract "$work/none.ssk" -o "$work/keep.sk2")"
check "existing OUT untouched" old "$(cat "$work/keep.sk2")"

# list failures: the reader's message and 1, a refusal 2.
check "list of a broken skin: status" 1 "$(status "$tool" list "$fixtures/comment.ssk")"
check "list of a broken skin: message" "Failed to read skin file!" "$(head -n1 "$work/err")"
check "list of a missing skin: status" 1 "$(status "$tool" list "$work/none.ssk")"
check "list of zip-made archive" "SKIN2_BUTTON bitmap 3x2|SKIN2_FORMCOLOR integer 5329233|SKIN2_TITLEFIVESECT flag 1|SKIN2_NOTE string charcoal charcoal charcoal charcoal charcoal charcoal charcoal charcoal " \
  "$("$tool" list "$fixtures/lower.ssk" | paste -sd'|')"

# Bad input to build: the file and line, status 1, nothing written.
printf 'SKIN2_X integer 12\nSKIN2_Y integer 99999999999\n' > "$work/skin/values.txt"
check "bad integer: status" 1 "$(status "$tool" build "$work/skin" -o "$work/bad.ssk")"
check "bad integer: message" "$work/skin/values.txt:2: '99999999999' is no 32-bit integer" "$(cat "$work/err")"
check "bad integer: no output" no "$([ -e "$work/bad.ssk" ] && echo yes || echo no)"
printf 'SKIN2_X colour 12\n' > "$work/skin/values.txt"
check "bad kind: status" 1 "$(status "$tool" build "$work/skin" -o "$work/bad.ssk")"
printf 'SKIN2_X flag 1\nSKIN2_X flag 0\n' > "$work/skin/values.txt"
check "duplicate name: status" 1 "$(status "$tool" build "$work/skin" -o "$work/bad.ssk")"
printf 'SKIN2_X flag 1\n' > "$work/skin/values.txt"
printf 'BM not a picture' > "$work/skin/SKIN2_BROKEN.bmp"
check "broken picture: status" 1 "$(status "$tool" build "$work/skin" -o "$work/bad.ssk")"
check "broken picture: names the file" yes "$(grep -q 'SKIN2_BROKEN.bmp' "$work/err" && echo yes || echo no)"

# Usage.
check "build without -o" 2 "$(status "$tool" build "$work/skin")"
check "list without SKIN" 2 "$(status "$tool" list)"
check "unknown option" 2 "$(status "$tool" list "$builtin" --frob)"
check "unknown command" 2 "$(status "$tool" frobnicate)"
for command in build list extract; do
  check "$command --help" 0 "$(status "$tool" "$command" --help)"
done

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all merrowin-skin checks passed"
