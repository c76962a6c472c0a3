#!/usr/bin/env bash
# Usage: with-xvfb.sh deb_test.sh DEB_BUILD_DIR
# Checks the Debian package in DEB_BUILD_DIR with lintian (no error), unpacks
# it into a scratch root (never the machine's) and runs what it installed
# there: tamrix-cli on the installed sample set, and the dialog started in an
# empty folder by a user without data of their own, as a menu starts it.
set -u
deb=$(ls "$1"/tamrix_*_amd64.deb 2>/dev/null | head -n 1)
[[ -n $deb ]] || { echo "FAIL no package in $1 (run: make package-deb)"; exit 1; }
for tool in lintian dpkg xdotool; do
  command -v "$tool" >/dev/null || { echo "FAIL $tool is not installed (run: make deps)"; exit 1; }
done
failed=0
fail() {
  echo "FAIL $*"
  failed=$((failed + 1))
}

echo "== lintian $(basename "$deb")"
lintian --fail-on error "$deb" 2>&1 | grep -v 'running with root privileges'
((PIPESTATUS[0] == 0)) || fail "lintian reports an error"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
dpkg -x "$deb" "$root" || { echo "FAIL dpkg -x"; exit 1; }
for f in usr/bin/tamrix usr/bin/tamrix-cli usr/share/applications/tamrix.desktop \
  usr/share/icons/hicolor/32x32/apps/tamrix.png usr/share/man/man1/tamrix.1.gz \
  usr/share/man/man1/tamrix-cli.1.gz usr/share/bash-completion/completions/tamrix-cli \
  usr/share/doc/tamrix/README.md \
  usr/share/doc/tamrix/copyright usr/share/tamrix/Data/{stditem,skill,type,rnditem,change}.txt; do
  [[ -f $root/$f ]] || fail "the package lacks /$f"
done
grep -q '^Name\[hu\]=' "$root/usr/share/applications/tamrix.desktop" &&
  grep -q '^Comment\[hu\]=' "$root/usr/share/applications/tamrix.desktop" ||
  fail "the desktop entry has no Hungarian name or comment"

# The installed tamrix-cli on the installed sample set.
got=$("$root/usr/bin/tamrix-cli" -C "$root/usr/share/tamrix" --check)
[[ $got == "Data loaded: 110 skills, 450 standard items, "* ]] || fail "--check: $got"
got=$("$root/usr/bin/tamrix-cli" -C "$root/usr/share/tamrix" 1451 | head -n 1)
[[ $got == "a lángoló egyszerű kard" ]] || fail "1451: $got"

# The installed dialog, from an empty folder and a home without data: it
# finds the installed sample set and shows the dialog until it is ended.
mkdir -p "$scratch/home" "$scratch/empty"
(cd "$scratch/empty" && exec env -u XDG_DATA_HOME HOME="$scratch/home" \
  timeout 20 "$root/usr/bin/tamrix" 2>"$scratch/stderr") &
dialog=$!
timeout 15 xdotool search --sync --name '^Tamrix v' >/dev/null ||
  fail "the installed dialog showed no window: $(cat "$scratch/stderr")"
kill "$dialog" 2>/dev/null
wait "$dialog" 2>/dev/null
[[ -s $scratch/stderr ]] && fail "the installed dialog wrote: $(cat "$scratch/stderr")"

echo "Debian package: $failed failed"
((failed == 0))
