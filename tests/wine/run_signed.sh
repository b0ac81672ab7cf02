#!/usr/bin/env bash
# An installer from the x86-64 Windows stub, signed as authors sign what they hand out
# (osslsigncode, a throwaway key): the signature verifies, and merrowin-pack reads the signed
# installer as it read the unsigned one: inspect, extract, show and page. A stub that is already
# signed makes merrowin-pack build warn. No Wine needed: the Windows build supplies the stub.
#   run_signed.sh WINDOWS_BUILD_DIR PACK SOURCE_DIR   exit 0 passed, 1 failed, 77 skipped
set -uo pipefail
stub=${1:-}/app/setup/merrowin-setup-stub.exe
pack=$2
src=$3
if [ -z "${1:-}" ] || [ ! -f "$stub" ]; then
  echo "skipped: no Windows build with the installer stub (set MERROWIN_WINDOWS_BUILD_DIR)"
  exit 77
fi
for tool in openssl osslsigncode; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done
. "$(dirname "$0")/../support/script_checks.sh"
. "$(dirname "$0")/../support/sign_installer.sh"
work=$(mktemp -d /tmp/merrowin-signed-XXXXXX)
trap 'rm -rf "$work"' EXIT

# The signing tool pads the file to a multiple of 8 before its table; an installer of another
# length makes it pad, as most do. The title changes the length.
for title in 春日方块 春日方块二 春日方块三 春日方块四; do
  "$pack" project --title "$title" --license "$src/resources/demo/license.txt" -o "$work/project.txt" &&
    "$pack" build --stub "$stub" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" \
      -o "$work/setup.exe" 2>"$work/build-err.txt" || { fail "merrowin-pack made no installer"; finish; }
  [ $(($(stat -c %s "$work/setup.exe") % 8)) -ne 0 ] && break
done
[ -s "$work/build-err.txt" ] && fail "an unsigned stub made merrowin-pack build say: $(cat "$work/build-err.txt")"
sign_installer "$work/setup.exe" "$work/signed.exe" || { fail "osslsigncode could not sign the installer"; finish; }
verify_signature "$work/signed.exe" || fail "the signed installer's signature does not verify"
[ "$(stat -c %s "$work/signed.exe")" -gt "$(stat -c %s "$work/setup.exe")" ] || fail "signing added nothing"

inspect=$("$pack" inspect "$work/setup.exe")
[ "$(head -n 1 <<<"$inspect")" = "entries 3" ] || fail "the unsigned installer reads as: $inspect"
signed_inspect=$("$pack" inspect "$work/signed.exe" 2>&1)
[ "$signed_inspect" = "$inspect" ] || fail "the signed installer inspects as '$signed_inspect', not '$inspect'"

stub_size=$(stat -c %s "$stub")
"$pack" extract "$work/signed.exe" 0 -o "$work/e0" &&
  "$pack" extract "$work/signed.exe" 1 -o "$work/e1" &&
  "$pack" extract "$work/signed.exe" 2 --force-inflate -o "$work/e2" || fail "extracting from the signed installer failed"
# The signing tool wrote the table's place and a checksum into the stub's headers; nothing else.
head -c "$stub_size" "$work/signed.exe" | cmp -s - "$work/e0" || fail "entry 0 is not the signed file's stub"
[ "$(cmp -l "$stub" "$work/e0" 2>/dev/null | wc -l)" -le 12 ] || fail "entry 0 differs from the stub beyond its headers"
cmp -s "$src/resources/demo/demo.swf" "$work/e1" || fail "entry 1 of the signed installer is not the movie"
cmp -s "$work/project.txt" "$work/e2" || fail "entry 2 of the signed installer is not the project text"
[ "$("$pack" show "$work/signed.exe" 2>&1)" = "$("$pack" show --project "$work/project.txt")" ] ||
  fail "show reads another project from the signed installer"
[ "$("$pack" page "$work/signed.exe" --folder 'C:\w\' 2>&1)" = "$("$pack" page --project "$work/project.txt" --folder 'C:\w\')" ] ||
  fail "page reads another project from the signed installer"

# Packing onto a signed stub: the author hears that the signature will not survive.
"$pack" build --stub "$work/signed.exe" --movie "$src/resources/demo/demo.swf" --project "$work/project.txt" \
  -o "$work/resigned.exe" 2>"$work/build-err.txt" || fail "merrowin-pack refused a signed stub"
grep -q "signature will not survive" "$work/build-err.txt" && grep -q "sign the finished installer" "$work/build-err.txt" ||
  fail "a signed stub made merrowin-pack build say: '$(cat "$work/build-err.txt")'"
[ "$("$pack" inspect "$work/resigned.exe" | head -n 1)" = "entries 3" ] || fail "an installer packed onto a signed stub does not read"
finish
