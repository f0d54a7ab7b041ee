#!/bin/sh
# The Debian package installs cleanly into a fresh root of its own and
# starts from there: every dependency it names is a package of this Debian,
# dpkg installs it, the program prints its version, the menu entry, the icon
# and the sample installation are in place, and the launcher gives a new
# user a copy of the sample to run on.
set -eu
build="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work/root/var/lib/dpkg/info" "$work/root/var/lib/dpkg/updates" "$work/home"
: > "$work/root/var/lib/dpkg/status"

(cd "$build" && cpack -G DEB -B "$work/packages" > /dev/null)
deb=$(ls "$work"/packages/tessaro-vavuvirivado_*.deb)

for dep in $(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g'); do
  dpkg-query -W -f='${Status}\n' "$dep" | grep -q "install ok installed" \
    || { echo "dependency $dep is not a package installed here"; exit 1; }
done

# The root has none of the dependencies (they are the system's own).
dpkg --root="$work/root" --force-depends --log=/dev/null -i "$deb" > "$work/dpkg.log" 2>&1 \
  || { cat "$work/dpkg.log"; exit 1; }
grep -q '^Status: install ok installed' "$work/root/var/lib/dpkg/status"

usr="$work/root/usr"
test "$("$usr/bin/tessaro-vavuvirivado" --version)" = "1.8.11"
test -f "$usr/share/applications/tessaro-vavuvirivado.desktop"
grep -q '^Exec=tessaro-vavuvirivado-launch$' "$usr/share/applications/tessaro-vavuvirivado.desktop"
test -f "$usr/share/icons/hicolor/scalable/apps/tessaro-vavuvirivado.svg"
test -f "$usr/share/tessaro-vavuvirivado/sample/Tessaro/Tessaro.dat"

HOME="$work/home" XDG_DATA_HOME="$work/home/data" "$usr/bin/tessaro-vavuvirivado-launch" --version \
  | grep -qx '1.8.11'
test -f "$work/home/data/tessaro-vavuvirivado/sample/Tessaro/Vantordata.dat"
echo "installed $(basename "$deb")"
