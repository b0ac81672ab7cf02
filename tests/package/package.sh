#!/usr/bin/env bash
# The Debian package, as an author gets it: CPack makes it from this build; it unpacks into an
# empty root, every file it lists is there, its dependencies are what dpkg-shlibdeps found,
# lintian reports no error, each program answers --help and --version from there, and the
# README's commands for a first installer work as written with the unpacked programs, making
# installers that install.
#   package.sh BUILD_DIR SOURCE_DIR VERSION   exit 0 passed, 1 failed
set -uo pipefail
build=$1 src=$2 version=$3
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done
work=$(mktemp -d /tmp/merrowin-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
. "$src/tests/support/script_checks.sh"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.txt" 2>&1 ||
  { fail "cpack failed: $(tail -5 "$work/cpack.txt")"; finish; }
deb="$work/out/merrowin_${version}_amd64.deb"
[ -f "$deb" ] || { fail "no $deb: $(ls "$work/out")"; finish; }

root=$work/root
dpkg-deb -x "$deb" "$root" || fail "the package does not unpack"
while read -r mode _ _ _ _ path _; do
  [ "${mode:0:1}" = d ] && continue
  [ -e "$root/${path#./}" ] || [ -L "$root/${path#./}" ] || fail "listed but missing: $path"
done < <(dpkg-deb -c "$deb")
depends=$(dpkg-deb -f "$deb" Depends)
for library in libwebkit2gtk-4.1-0 libsdl2-2.0-0 libfreetype6 zlib1g; do
  grep -q "$library" <<<"$depends" || fail "the dependencies lack $library: $depends"
done
errors=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep '^E:')
[ -z "$errors" ] || fail "lintian: $errors"

for program in merrowin-pack merrowin-skin merrowin-wallpaper; do
  "$root/usr/bin/$program" --help >/dev/null 2>&1 || fail "$program --help fails from the package"
  check "$program --version" "$program $version" "$("$root/usr/bin/$program" --version 2>&1)"
done
for man in merrowin-pack merrowin-skin merrowin-wallpaper; do
  [ -s "$root/usr/share/man/man1/$man.1.gz" ] || fail "no manual page for $man"
done

# The README's first installer, command by command, with the demo movie as the author's. It
# makes a Windows installer too, so the package must carry that stub.
if [ ! -e "$root/usr/lib/merrowin/stubs/merrowin-setup-stub.exe" ]; then
  echo "skipped the README's commands: this build packs no Windows stub (-DMERROWIN_WINDOWS_STUB_DIR)"
  finish
fi
cp "$src/resources/demo/demo.swf" "$work/spring.swf"
cp "$src/resources/demo/license.txt" "$work/licence.txt"
mapfile -t commands < <(awk '/^### Make your first wallpaper installer/ { on = 1 }
                             on && /^```/ { fences++; next }
                             on && fences == 1 && /^merrowin-pack / { print }' "$src/README.md")
[ ${#commands[@]} -ge 4 ] || fail "the README's first installer has only ${#commands[@]} merrowin-pack commands"
for command in "${commands[@]}"; do
  (cd "$work" && PATH="$root/usr/bin:$PATH" bash -c "$command") >"$work/command.txt" 2>&1 ||
    fail "as written, '$command' failed: $(cat "$work/command.txt")"
done
[ -x "$work/spring-setup" ] && [ -s "$work/spring-setup.exe" ] ||
  fail "the README's commands made no installers: $(ls "$work")"
head -c 2 "$work/spring-setup.exe" | grep -q MZ || fail "spring-setup.exe is no Windows program"
home=$work/home
mkdir -p "$home/Documents" "$home/.config"
echo 'XDG_DOCUMENTS_DIR="$HOME/Documents"' >"$home/.config/user-dirs.dirs"
echo 'wait 3000' >"$work/script"
(cd "$work" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 MERROWIN_BACKEND=headless \
  MERROWIN_SCRIPT="$work/script" "$work/spring-setup" 1) >"$work/setup.txt" 2>&1 ||
  fail "the installer made from the package's stub failed: $(cat "$work/setup.txt")"
cmp -s "$work/spring.swf" "$home/Documents/我的 Flash 墙纸/春日/flashwallpaper.swf" ||
  fail "the installer made from the package's stub did not install the movie"
[ -x "$home/.local/share/merrowin/player/merrowin-wallpaper" ] ||
  fail "the installer made from the package did not bring the player"
finish
