#!/usr/bin/env bash
# Usage: with-xvfb.sh deb_test.sh DEB_BUILD_DIR
# Checks the Debian package in DEB_BUILD_DIR with lintian (no error or
# warning), unpacks it into a scratch root (never the machine's) and runs what
# it installed there: tamrix-cli and the dialog, started in the home folder of a user
# without data of their own but with unrelated Data folders, as a menu starts
# the dialog; both find the installed sample set. Checks the web page and its
# menu entry.
set -u
deb=$(ls "$1"/tamrix_*_amd64.deb 2>/dev/null | head -n 1)
[[ -n $deb ]] || { echo "FAIL no package in $1 (run: make package-deb)"; exit 1; }
source "$(dirname "$0")/../shell_test.sh"
need lintian dpkg xdotool

echo "== lintian $(basename "$deb")"
lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges'
((PIPESTATUS[0] == 0)) || fail "lintian reports an error or a warning"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root" || { echo "FAIL dpkg -x"; exit 1; }
for f in usr/bin/tamrix usr/bin/tamrix-cli usr/share/applications/tamrix.desktop \
  usr/share/icons/hicolor/32x32/apps/tamrix.png usr/share/man/man1/tamrix.1.gz \
  usr/share/man/man1/tamrix-cli.1.gz usr/share/bash-completion/completions/tamrix-cli \
  usr/share/doc/tamrix/README.md usr/share/doc/tamrix/web.md \
  usr/share/doc/tamrix/copyright usr/share/tamrix/Data/{stditem,skill,type,rnditem,change}.txt \
  usr/share/tamrix/tamrix.html usr/share/applications/tamrix-web.desktop; do
  [[ -f $root/$f ]] || fail "the package lacks /$f"
done

# The page's menu entry opens the installed page in the user's browser.
page_exec=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/tamrix-web.desktop")
[[ $page_exec == "xdg-open /usr/share/tamrix/tamrix.html" ]] || fail "the page's entry runs: $page_exec"
grep -q '<title>Tamrix v' "$root/usr/share/tamrix/tamrix.html" || fail "tamrix.html is not the page"
dpkg-deb -f "$deb" Recommends | grep -qw xdg-utils || fail "the package does not recommend xdg-utils"

# A home folder with a Data folder of another program and an unfinished data
# set of the user's own: neither holds the five data files.
home="$scratch/home"
mkdir -p "$home/Data" "$home/.local/share/tamrix/Data"
echo "not a data file" >"$home/Data/notes.txt"
cp "$root/usr/share/tamrix/Data/skill.txt" "$home/.local/share/tamrix/Data/"

# The installed tamrix-cli finds the installed sample set.
got=$(cd "$home" && env -u XDG_DATA_HOME HOME="$home" "$root/usr/bin/tamrix-cli" 1451 2>"$scratch/stderr" |
  head -n 1)
[[ $got == "a lángoló egyszerű kard" ]] || fail "1451 from the home folder: $got $(cat "$scratch/stderr")"
# Both folders passed over are named, each with what it lacks.
[[ $(cat "$scratch/stderr") == "tamrix-cli: note: ./Data lacks skill.txt, stditem.txt, type.txt, rnditem.txt, change.txt; using the data set in $root/usr/share/tamrix
tamrix-cli: note: $home/.local/share/tamrix/Data lacks stditem.txt, type.txt, rnditem.txt, change.txt; using the data set in $root/usr/share/tamrix" ]] ||
  fail "the note: $(cat "$scratch/stderr")"

# The installed dialog, started in the same home folder: it finds the
# installed sample set and shows the dialog until it is ended.
(cd "$home" && exec env -u XDG_DATA_HOME HOME="$home" \
  timeout 20 "$root/usr/bin/tamrix" 2>"$scratch/stderr") &
dialog=$!
timeout 15 xdotool search --sync --name '^Tamrix v' >/dev/null ||
  fail "the installed dialog showed no window: $(cat "$scratch/stderr")"
kill "$dialog" 2>/dev/null
wait "$dialog" 2>/dev/null
# It names the folders it passed over, as tamrix-cli does, in Hungarian.
[[ $(cat "$scratch/stderr") == "A ./Data mappából hiányzik: skill.txt, stditem.txt, type.txt, rnditem.txt, change.txt; az adatokat innen olvasom: $root/usr/share/tamrix
A $home/.local/share/tamrix/Data mappából hiányzik: stditem.txt, type.txt, rnditem.txt, change.txt; az adatokat innen olvasom: $root/usr/share/tamrix" ]] ||
  fail "the installed dialog wrote: $(cat "$scratch/stderr")"

finish "Debian package"
