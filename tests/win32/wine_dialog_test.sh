#!/usr/bin/env bash
# Usage: with-xvfb.sh wine_dialog_test.sh TAMRIX_EXE PROBE_EXE DATA_DIR WORK_DIR [ZIP]
# Runs the real tamrix.exe under Wine on the X server of DISPLAY and drives
# it with dialog_probe.exe and, as a person types, with xdotool. With ZIP
# (the package) newer than TAMRIX_EXE, the program runs from the unzipped
# package. Leaves WORK_DIR/tamrix-dialog.png, the dialog showing a prefixed
# weapon whose name has a double acute.
set -u
if (($# != 4 && $# != 5)) || [[ -z ${DISPLAY:-} ]]; then
  echo "usage: with-xvfb.sh $0 TAMRIX_EXE PROBE_EXE DATA_DIR WORK_DIR [ZIP]" >&2
  exit 2
fi
exe=$(realpath "$1") probe_exe=$(realpath "$2") data=$(realpath "$3") work=$(realpath -m "$4")
zip=${5:-}
source "$(dirname "$0")/../shell_test.sh"
need wine wineserver wineboot xdotool import unzip

# Runs the probe in folder $1; it prints its own FAIL lines.
probe() {
  (cd "$1" && timeout 60 wine "$probe_exe" "${@:2}" </dev/null 2>&1)
  local rc=$?
  ((rc == 0)) || fail "dialog_probe ${*:2} (exit code $rc)"
  return $rc
}

source "$(dirname "$0")/wine_prefix.sh" "$work"

# The program folder as it is shipped: tamrix.exe beside Data.
stage="$work/stage"
rm -rf "$stage" "$work/unzipped"
if [[ -n $zip && -f $zip && $zip -nt $exe ]]; then
  echo "== the package $(basename "$zip")"
  unzip -q "$zip" -d "$work/unzipped" && mv "$work/unzipped/$(basename "$zip" .zip)" "$stage"
  for f in tamrix-cli.exe tamrix.html OLVASSEL.txt README.txt Data/{stditem,skill,type,rnditem,change}.txt; do
    [[ -f $stage/$f ]] || fail "the package lacks $f"
  done
  # Read-me files that every Notepad reads: a UTF-8 byte order mark, CR LF.
  for f in OLVASSEL.txt README.txt; do
    python3 -c 'import sys; t = open(sys.argv[1], "rb").read()
sys.exit(not (t.startswith(b"\xef\xbb\xbf") and t.endswith(b"\r\n") and t.count(b"\n") == t.count(b"\r\n")))' \
      "$stage/$f" || fail "$f lacks its byte order mark or has an LF line end"
  done
  cmp -s "$exe" "$stage/tamrix.exe" || fail "the packaged tamrix.exe is not the one just built"
else
  echo "== the build (no package newer than tamrix.exe)"
  mkdir -p "$stage" && cp "$exe" "$stage/tamrix.exe" && cp -r "$data" "$stage/Data"
fi

(cd "$stage" && exec timeout 120 wine tamrix.exe </dev/null >/dev/null 2>&1) &
app=$!
# Plain items (1000 a weapon, 1180 not), prefixed ones (2385 and 1451
# weapons, 1451 with a double acute, 1630 not), a chaos item, no item below
# or past the item numbers, 0 and an empty field.
probe "$stage" set 1000 1180 2385 1451 1630 1464 999 29800 0 ""

# Typed keys: the field takes digits only, BackSpace erases.
window=$(timeout 20 xdotool search --sync --name '^Tamrix v0\.9$' | head -n 1)
xdotool windowfocus --sync "$window" type --delay 60 2x3850 && xdotool key BackSpace
probe "$stage" expect 2385
# Enter and Escape answer again and leave the dialog open.
for key in Return Escape; do
  probe "$stage" scribble && xdotool key "$key" && probe "$stage" expect 2385
done

probe "$stage" set 1451 && import -window "$window" "$work/tamrix-dialog.png" ||
  fail "no screenshot"
probe "$stage" close
wait "$app"
rc=$?
((rc == 1)) || fail "tamrix.exe ended with $rc after WM_CLOSE"

# A line of letters fails the number check of the skill file, read first:
# the program ends at once with 1. A dialog, once shown, would stay until
# closed, and the time limit would end it with 124.
rm -rf "$work/broken" && cp -r "$stage" "$work/broken"
tr -d '\032' <"$stage/Data/skill.txt" >"$work/broken/Data/skill.txt"
printf '\nnot-a-skill-line\n' >>"$work/broken/Data/skill.txt"
(cd "$work/broken" && timeout 60 wine tamrix.exe </dev/null >/dev/null 2>&1)
rc=$?
((rc == 1)) || fail "with broken data tamrix.exe ended with $rc"

finish "win32 dialog under Wine"
