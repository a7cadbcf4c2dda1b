#!/usr/bin/env bash
# Checks the .deb as a user meets it: its dependencies and files, Debian's package checker
# (no warning), the desktop entry's and the metainfo's validators, the programs' versions and
# the installed drav-render. The package is unpacked into a scratch root, where the program
# finds its data through its own path; started in an empty directory without --data it must
# render the build tree's start view byte for byte.
#   deb_check.sh PACKAGE.deb BUILD-TREE-DRAV-RENDER
set -uo pipefail

deb=$1
built_render=$(realpath "$2")
# shellcheck source=checks.sh
source "$(dirname "$0")/checks.sh"

echo "--- dpkg -I $deb"
dpkg-deb --info "$deb"
echo "--- dpkg -c $deb"
dpkg-deb --contents "$deb" | tee "$work/contents" | awk '{ print $1, $6 }'

# Every declared dependency must name a package this machine has, SDL2 among them; the
# installed programs below run on exactly these.
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libsdl2* ]] || fail "SDL2 is not among the dependencies: $depends"
for package in $(tr ',' '\n' <<<"$depends" | sed 's/(.*)//; s/|.*//'); do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q "install ok installed" ||
        fail "dependency $package is not an installed package"
done

icon_sizes=(48 64 256)
expected=(usr/bin/drav usr/bin/drav-render usr/bin/drav-bench
    usr/share/applications/drav.desktop usr/share/metainfo/org.example.drav.metainfo.xml
    usr/share/man/man1/drav.1.gz usr/share/man/man1/drav-render.1.gz
    usr/share/man/man1/drav-bench.1.gz usr/share/doc/drav/copyright)
for size in "${icon_sizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/drav.png"); done
for name in plane broken column table cube ceil heart; do expected+=("usr/share/drav/$name.hgm"); done
for name in tex1 tex2 tex3 tex4 tex5 tex6 heart; do expected+=("usr/share/drav/$name.raw"); done
for path in "${expected[@]}"; do
    grep -q " \./$path\$" "$work/contents" || fail "the package lacks /$path"
done
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/drav/copyright)
for licence in Expat BSD-3-clause; do
    grep -q "^License: $licence" <<<"$copyright" || fail "the copyright file lacks the $licence licence"
done

echo "--- lintian"
lintian --fail-on warning "$deb" 2>&1 | grep -v "running with root privileges" | tee "$work/lintian"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports warnings or errors"

root=$work/root
empty=$work/empty
mkdir -p "$root" "$empty"
dpkg-deb --extract "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/drav.desktop" ||
    fail "desktop-file-validate refuses the desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.drav.metainfo.xml" ||
    fail "appstreamcli refuses the metainfo"

# Every program says the package's version.
version=$(dpkg-deb --field "$deb" Version)
for program in drav drav-render drav-bench; do
    said=$("$root/usr/bin/$program" --version)
    [ "$said" = "$program $version" ] || fail "$program --version says '$said', the package $version"
done

# The icon is the heart texture, sampled at each size of the icon theme.
for size in "${icon_sizes[@]}"; do
    python3 - "$root/usr/share/icons/hicolor/${size}x${size}/apps/drav.png" "$size" <<'PY' ||
import struct, sys
header = open(sys.argv[1], "rb").read(24)
width, height = struct.unpack(">II", header[16:24])
sys.exit(0 if header[:8] == b"\x89PNG\r\n\x1a\n" and width == height == int(sys.argv[2]) else 1)
PY
        fail "the ${size}x${size} icon is not a PNG of that size"
done

# render NAME PROGRAM : runs PROGRAM in the empty directory without --data.
render() {
    (cd "$empty" && "$2" --raw "$work/$1.raw") >"$work/$1.out" 2>"$work/$1.err"
}
render built "$built_render" || fail "the build tree's drav-render failed: $(cat "$work/built.err")"
if render installed "$root/usr/bin/drav-render"; then
    cmp "$work/built.raw" "$work/installed.raw" ||
        fail "the installed drav-render renders another start view"
    [ -s "$work/installed.err" ] && fail "the installed drav-render warns: $(cat "$work/installed.err")"
    grep -qx "models=[1-9][0-9]*" "$work/installed.out" || fail "no models drawn"
else
    fail "the installed drav-render failed: $(cat "$work/installed.err")"
fi

# Without its data the installed program names both places it looked and fails.
rm -r "$root/usr/share/drav"
render missing "$root/usr/bin/drav-render"
status=$?
[ "$status" = 1 ] || fail "without data drav-render exits with $status, not 1"
message=$(cat "$work/missing.err")
[[ $message == *"the working directory ($empty)"*"$root/usr/share/drav"* ]] ||
    fail "the message does not name both places: $message"
[ "$(wc -l <"$work/missing.err")" = 1 ] || fail "more than one line without data: $message"

[ "$failures" -eq 0 ] && echo "deb check: all passed"
[ "$failures" -eq 0 ]
