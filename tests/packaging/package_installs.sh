#!/bin/sh
# The Debian package installs cleanly into a fresh root of its own and
# starts from there: lintian finds no error and no warning in it (manual
# pages, copyright, changelog, dependencies, stripping and modes included),
# every dependency it names is a package of this Debian, dpkg installs it,
# the program prints its version, the menu entry, the icon and the sample
# installation are in place, and the launcher gives a new user a copy of
# the sample with the sample's dates, records it as
# TarnelPath in the user's settings (keeping every other line, and a
# TarnelPath the user has) and the program started from elsewhere finds it.
set -eu
build="$1"
work="$2"
rm -rf "$work"
mkdir -p "$work/root/var/lib/dpkg/info" "$work/root/var/lib/dpkg/updates" "$work/home"
: > "$work/root/var/lib/dpkg/status"

(cd "$build" && cpack -G DEB -B "$work/packages" > /dev/null)
deb=$(ls "$work"/packages/tessaro-vavuvirivado_*.deb)

lintian --fail-on error,warning "$deb" > "$work/lintian.log" 2>&1 \
  || { cat "$work/lintian.log"; exit 1; }

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

# The sample gets dates of its own, so that a copy made now could not have
# them by chance. The data directory's name has a letter outside ASCII and a
# backslash, which the settings file holds in Windows-1252 and escaped.
find "$usr/share/tessaro-vavuvirivado/sample" -exec touch -d '2001-02-03 04:05:06' {} +
data="$work/home/data ø\\x"
copy="$data/tessaro-vavuvirivado/sample"
stored=$(printf '%s/home/data \370\\\\x/tessaro-vavuvirivado/sample' "$work")

# Starts the launcher for a user whose settings file holds $2 (no file when
# empty, mode $3) and compares the file with $4 afterwards; %s in $2 and $4
# stands for the copy's path as stored.
launch() {
  config="$work/config-$1"
  mkdir -p "$config/tessaro-vavuvirivado"
  if [ -n "$2" ]; then
    printf "$2" "$stored" > "$config/tessaro-vavuvirivado/settings.ini"
    chmod "$3" "$config/tessaro-vavuvirivado/settings.ini"
  fi
  HOME="$work/home" XDG_DATA_HOME="$data" XDG_CONFIG_HOME="$config" \
    "$usr/bin/tessaro-vavuvirivado-launch" --version | grep -qx '1.8.11'
  printf "$4" "$stored" | cmp - "$config/tessaro-vavuvirivado/settings.ini" \
    || { echo "launcher, settings $1: not as expected"; exit 1; }
  test "$(stat -c %a "$config/tessaro-vavuvirivado/settings.ini")" = "$3" \
    || { echo "launcher, settings $1: mode changed"; exit 1; }
}
umask 022
launch new '' 644 '[Tarnel\\Startup]\r\nTarnelPath=%s\r\n'
test -f "$copy/Tessaro/Vantordata.dat"
test "$(find "$copy" -printf '%TY-%Tm-%Td %TT\n' | sort -u)" = '2001-02-03 04:05:06.0000000000' \
  || { echo "the launcher's copy does not keep the sample's dates"; exit 1; }
# The section is found whatever its case, even among lines ended by LF alone
# and before a last line without an end; everything else stays byte for byte.
launch section '[Brivo\\Startup]\r\nLanguage=EN\r\n[tarnel\\startup]\nOther=1\n[Brivo\\Hand]\r\nX=1' 600 \
  '[Brivo\\Startup]\r\nLanguage=EN\r\n[tarnel\\startup]\nOther=1\nTarnelPath=%s\r\n[Brivo\\Hand]\r\nX=1'
launch unended '[Brivo\\Startup]\r\nLanguage=EN' 640 \
  '[Brivo\\Startup]\r\nLanguage=EN\r\n[Tarnel\\Startup]\r\nTarnelPath=%s\r\n'
launch empty '[Tarnel\\Startup]\r\ntarnelpath=\r\n' 644 '[Tarnel\\Startup]\r\ntarnelpath=%s\r\n'
launch users '[Tarnel\\Startup]\r\nTARNELPATH=/srv/tessaro\r\n' 644 \
  '[Tarnel\\Startup]\r\nTARNELPATH=/srv/tessaro\r\n'

# Started directly, from anywhere, the program finds the recorded copy.
test "$(cd / && HOME="$work/home" XDG_CONFIG_HOME="$work/config-new" \
  "$usr/bin/tessaro-vavuvirivado" check TBGCFCSPFCXX-V18)" = 0
echo "installed $(basename "$deb")"
