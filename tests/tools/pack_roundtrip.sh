#!/usr/bin/env bash
# merrowin-pack end to end: project -> build -> inspect / extract / show / page, and its errors.
# Usage: pack_roundtrip.sh PACK STUB SOURCE_DIR
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
status() { set +e; "$@" > "$work/out" 2> "$work/err"; echo $?; set -e; }

printf '第一条\n第二条\n' > "$work/licence.txt"
printf 'A\nB\n' > "$work/link.txt"
"$pack" project --title '春天的墙纸' --license "$work/licence.txt" --link-text "$work/link.txt" \
  --show-link 1 --link-url 'http://x/?a=1&b=2' --link-color clBtnFace --layer-color '$00FF8000' \
  --layer-transparent 0 --quality 1 --loop 0 --background clRed --project-id '{00000000-0000-0000-0000-000000000001}' \
  -o "$work/p.txt"
check "project text is code page 936" "$(printf '春天的墙纸' | iconv -f UTF-8 -t GBK | od -An -tx1)" \
  "$(sed -n 2p "$work/p.txt" | tr -d '\r\n' | od -An -tx1)"
check "project text has 17 + L + T lines" 21 "$(wc -l < "$work/p.txt")"

"$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/p.txt" --no-player \
  -o "$work/setup"
check "installer is executable" yes "$([ -x "$work/setup" ] && echo yes || echo no)"
inspect=$("$pack" inspect "$work/setup")
check "inspect: entry count" "entries 3" "$(head -n1 <<< "$inspect")"
check "inspect: stub entry is raw" "0 $(stat -c %s "$stub") $(stat -c %s "$stub")" "$(sed -n 2p <<< "$inspect")"

"$pack" extract "$work/setup" 0 -o "$work/e0"
"$pack" extract "$work/setup" 1 -o "$work/e1"
"$pack" extract "$work/setup" 2 --force-inflate -o "$work/e2"
check "extract 0 gives the stub" ok "$(cmp -s "$stub" "$work/e0" && echo ok)"
check "extract 1 gives the movie" ok "$(cmp -s "$src/resources/demo/demo.swf" "$work/e1" && echo ok)"
check "extract 2 gives the project text" ok "$(cmp -s "$work/p.txt" "$work/e2" && echo ok)"
"$pack" extract "$work/setup" 3 -o "$work/e3"
check "extract past the count gives an empty file" 0 "$(stat -c %s "$work/e3")"

check "show reads the installer as the project text" "$("$pack" show --project "$work/p.txt")" "$("$pack" show "$work/setup")"
show=$("$pack" show "$work/setup")
check "show: title" "Title=春天的墙纸" "$(grep '^Title=' <<< "$show")"
check "show: field order" "Title SourceMovie Loop Quality BackgroundColor Transparent License.Count License[0] License[1] ShowLink Text.Count Text[0] Text[1] LinkURL LinkColor LayerColor LayerTransparent InstallerFile Reserved ProjectID" \
  "$(cut -d= -f1 <<< "$show" | tr '\n' ' ' | sed 's/ $//')"
check "show: colours" "BackgroundColor=clRed LinkColor=clBtnFace LayerColor=\$00FF8000" \
  "$(grep -E '^(BackgroundColor|LinkColor|LayerColor)=' <<< "$show" | tr '\n' ' ' | sed 's/ $//')"

"$pack" page "$work/setup" --folder 'C:\墙纸\春\' > "$work/page.htm"
check "page: 30 lines ending in CR LF" 30 "$(grep -c $'\r$' "$work/page.htm")"
check "page: movie url" '<param name="movie" value="file:///C:\墙纸\春\flashwallpaper.swf">' "$(sed -n 23p "$work/page.htm" | tr -d '\r')"
check "page: quality medium" '<param name="quality" value="medium">' "$(sed -n 24p "$work/page.htm" | tr -d '\r')"
check "page: link box" '<span class="Layer"><a href="http://x/?a=1&b=2" target="_blank"><font color="#0F0000">A<br>B<br></font></a></span>' \
  "$(sed -n 28p "$work/page.htm" | tr -d '\r')"
check "page from the project text is the same" "$(cat "$work/page.htm")" "$("$pack" page --project "$work/p.txt" --folder 'C:\墙纸\春\')"

# Failures: the reader's own message and status 1; usage errors status 2; nothing half-written.
head -c 100 "$work/setup" > "$work/cut"
check "truncated installer: status" 1 "$(status "$pack" show "$work/cut")"
check "truncated installer: message" "流读取错误" "$(cat "$work/err")"
check "negative index: status" 1 "$(status "$pack" extract "$work/setup" -1 -o "$work/neg")"
check "negative index: message" "索引列表超出范围 (-1)" "$(cat "$work/err")"
check "negative index: no output" no "$([ -e "$work/neg" ] && echo yes || echo no)"
check "missing file: message" "无法打开文件 $work/none" "$(status "$pack" inspect "$work/none" > /dev/null; cat "$work/err")"
check "bad quality: message" "'high' 不是有效整数值" "$(status "$pack" project --title T --quality high -o "$work/q.txt" > /dev/null; cat "$work/err")"
check "missing -o: status" 2 "$(status "$pack" project --title T)"
check "usage line on error" "usage: merrowin-pack project" "$(grep -o '^usage: merrowin-pack project' "$work/err")"
check "two-line title: status" 2 "$(status "$pack" project --title $'a\nb' -o "$work/t.txt")"
check "unknown command: status" 2 "$(status "$pack" frobnicate)"
printf '\xef\xbb\xbf带标记\r\n' > "$work/bom.txt"
"$pack" project --title T --license "$work/bom.txt" -o "$work/bom-p.txt"
check "a byte-order mark is not part of the licence" "License[0]=带标记" "$("$pack" show --project "$work/bom-p.txt" | grep '^License\[0\]')"
printf '\xb0\xa1\r\n' > "$work/gbk.txt"
check "a licence that is not UTF-8: status" 1 "$(status "$pack" project --title T --license "$work/gbk.txt" -o "$work/g.txt")"
check "a licence that is not UTF-8: message" "$work/gbk.txt is not UTF-8 text" "$(cat "$work/err")"
for command in project build inspect extract show page; do
  check "$command --help" 0 "$(status "$pack" "$command" --help)"
done

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "all merrowin-pack checks passed"
