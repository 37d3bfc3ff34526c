#!/usr/bin/env bash
# What `cmake --install` puts down is valid for the desktop, the .deb holds exactly
# that, declares its libraries and keeps to Debian's conventions, the binary is
# hardened, and the installed binary shows its window.
# usage: test_package.sh build-folder output-folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
out=$(realpath -m "$2")
rm -rf "$out" && mkdir -p "$out"
source "$here/../e2e/lib.sh"

DESTDIR="$out/root" cmake --install "$build" --prefix /usr > /dev/null
installed=$(cd "$out/root" && find . -type f | sort)
expected="./usr/bin/tallimo
./usr/share/applications/org.tallimo.Tallimo.desktop
./usr/share/doc/tallimo/changelog.Debian.gz
./usr/share/doc/tallimo/copyright
./usr/share/icons/hicolor/16x16/apps/org.tallimo.Tallimo.png
./usr/share/icons/hicolor/32x32/apps/org.tallimo.Tallimo.png
./usr/share/icons/hicolor/scalable/apps/org.tallimo.Tallimo.svg
./usr/share/lintian/overrides/tallimo
./usr/share/man/man1/tallimo.1.gz
./usr/share/metainfo/org.tallimo.Tallimo.metainfo.xml"
[ "$installed" = "$expected" ] || fail "install put down: $installed"

desktop-file-validate "$out/root/usr/share/applications/org.tallimo.Tallimo.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$out/root/usr/share/metainfo/org.tallimo.Tallimo.metainfo.xml" || fail "metainfo"
# Named and described in Ukrainian too, as the window speaks it.
for key in Name GenericName Comment Keywords; do
  grep -q "^$key\[uk\]=" "$out/root/usr/share/applications/org.tallimo.Tallimo.desktop" || fail "desktop entry: no $key[uk]"
done
for element in summary p; do
  grep -q "<$element xml:lang=\"uk\">" "$out/root/usr/share/metainfo/org.tallimo.Tallimo.metainfo.xml" || fail "metainfo: no Ukrainian $element"
done
for size in 16 32; do
  identify -format '%w×%h\n' "$out/root/usr/share/icons/hicolor/${size}x${size}/apps/org.tallimo.Tallimo.png" \
    | grep -qx "${size}×${size}" || fail "icon ${size}"
done
# The scalable icon, drawn at 32 pixels, is the 32-pixel picture but for a few edge pixels.
rsvg-convert -w 32 -h 32 "$out/root/usr/share/icons/hicolor/scalable/apps/org.tallimo.Tallimo.svg" -o "$out/icon-svg-32.png" \
  || fail "the scalable icon does not draw"
differing=$(compare -metric AE -fuzz 25% "$out/icon-svg-32.png" "$here/../../resources/tallimo-32.png" null: 2>&1) || true
[ "$differing" -le 32 ] || fail "the scalable icon differs from the 32-pixel one in $differing pixels"

# One commit, one package: the same bytes whatever the umask and folder, Debian's modes.
export SOURCE_DATE_EPOCH=1733616000
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" > cpack.log) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/tallimo_*.deb)
mkdir "$out/umask077"
(umask 077 && cd "$out/umask077" && cpack -G DEB --config "$build/CPackConfig.cmake" > cpack.log) \
  || { cat "$out/umask077/cpack.log"; fail "cpack under umask 077"; }
cmp "$deb" "$out/umask077/$(basename "$deb")" || fail "the package built under umask 077 differs"
modes=$(dpkg-deb -c "$deb" | awk '{print $1, $2}' | sort | uniq -c | awk '{print $1, $2, $3}')
[ "$modes" = "9 -rw-r--r-- root/root
1 -rwxr-xr-x root/root
20 drwxr-xr-x root/root" ] || fail "modes in the package: $modes"
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
[ "$packaged" = "$expected" ] || fail "the package holds: $packaged"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libc6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = "qt6-wayland, qt6-translations-l10n" ] || fail "Recommends: $recommends"

# The changelog's latest entry is the package's version; the copyright file is
# machine-readable (DEP-5), which lintian does not check in a binary package.
changelog_version=$(zcat "$out/root/usr/share/doc/tallimo/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$(dpkg-deb -f "$deb" Version)" ] || fail "the changelog's latest entry is $changelog_version"
/usr/bin/python3 -c 'import sys, debian.copyright as c; c.Copyright(sys.stdin, strict=True)' \
  < "$out/root/usr/share/doc/tallimo/copyright" || fail "copyright is not DEP-5"

# lintian, pedantic, finds nothing to tag: no error, warning or hint, the manual page
# read as man reads it, all the hardening it knows of (relro, bind-now, PIE). groff's
# PostScript output, which lacks glyphs a terminal has, takes the manual page too.
lintian --pedantic -I --fail-on error,warning,info,pedantic "$deb" > "$out/lintian.log" 2>&1 \
  || fail "lintian: $(cat "$out/lintian.log")"
[ -z "$(zcat "$out/root/usr/share/man/man1/tallimo.1.gz" | groff -ww -man -z 2>&1)" ] || fail "groff warns of the manual page"

# The stack protector is in, and so are glibc's fortified wrappers, which no __*_chk
# symbol shows since no call has a size the compiler knows: every part of the program
# was compiled with them, whatever the build type.
nm -D "$out/root/usr/bin/tallimo" | grep -w __stack_chk_fail > /dev/null || fail "no stack protector"
for part in tallimo tallimo_window tallimo_platform tallimo_submission tallimo_encoding; do
  grep -q -- "-D_FORTIFY_SOURCE=[23]" "$build/CMakeFiles/$part.dir/flags.make" || fail "$part built without _FORTIFY_SOURCE"
done

# The installed binary, in an isolated network as always, shows its window.
start_display
"$here/../../scripts/in_isolated_network.sh" "$out/root/usr/bin/tallimo" &
pids+=($!)
window=$(wait_window "Tallimo v.1.0") || fail "the installed binary showed no window"
import -window "$window" "$out/installed-window.png"
echo "package: install, desktop entry, metainfo, .deb contents and Depends, Debian's conventions and hardening, installed window all good"
