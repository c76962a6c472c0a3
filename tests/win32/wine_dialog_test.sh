#!/usr/bin/env bash
# Runs the real tamrix.exe under Wine on a private Xvfb display and drives it
# with dialog_probe.exe (and with xdotool, as a person types). Starts and
# stops its own X server and Wine processes on every exit path.
#
# Usage: wine_dialog_test.sh TAMRIX_EXE PROBE_EXE DATA_DIR WORK_DIR [ZIP]
# With ZIP (the package made by cpack) newer than TAMRIX_EXE, the program
# runs from the unzipped package instead of from the build.
# Leaves WORK_DIR/tamrix-dialog.png, a screenshot of the dialog showing a
# prefixed weapon whose name has o/u with double acute.
set -u

if (($# != 4 && $# != 5)); then
  echo "usage: $0 TAMRIX_EXE PROBE_EXE DATA_DIR WORK_DIR [ZIP]" >&2
  exit 2
fi
exe=$(realpath "$1")
probe=$(realpath "$2")
data=$(realpath "$3")
work=$(realpath -m "$4")
zip=${5:-}

passed=0
failed=0
pass() { echo "PASS $*"; passed=$((passed + 1)); }
fail() { echo "FAIL $*"; failed=$((failed + 1)); }

summary() {
  echo "win32 dialog under Wine: $passed passed, $failed failed"
  if ((failed > 0 || passed == 0)); then
    exit 1
  fi
  exit 0
}

for tool in wine wineserver wineboot Xvfb xdotool import unzip; do
  if ! command -v "$tool" >/dev/null; then
    fail "$tool is not installed (run: make deps)"
  fi
done
if [[ ! -f "$data/stditem.txt" ]]; then
  fail "no sample data in $data"
fi
((failed == 0)) || summary

export WINEPREFIX="$work/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINELOADERNOEXEC

xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
trap 'fail "interrupted"; summary' INT TERM

# A Wine prefix of our own in the build tree, made once (about 700 MB).
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "Creating the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  if ! timeout 300 wineboot --init </dev/null >"$work/wineboot.log" 2>&1; then
    fail "wineboot --init (see $work/wineboot.log)"
    summary
  fi
  timeout 120 wineserver -w
fi

# The first display number that no X server holds.
start_xvfb() {
  local n
  for n in $(seq 91 160); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    # The time limit ends the server even if this script is killed outright.
    timeout 900 Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 50); do
      if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  return 1
}
if ! start_xvfb; then
  fail "cannot start Xvfb"
  summary
fi

# Wine's background services (wineserver, services.exe, ...) outlive the
# program that starts them and keep its output open: start them here, on
# /dev/null, so that the captured output of the probe below ends with it.
wineserver -p </dev/null >/dev/null 2>&1
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1

# Runs the probe in folder $1 and counts its PASS and FAIL lines.
probe_in() {
  local dir=$1
  shift
  local out rc
  out=$(cd "$dir" && timeout 120 wine "$probe" "$@" </dev/null 2>&1)
  rc=$?
  [[ -n "$out" ]] && echo "$out"
  local p f
  p=$(grep -c '^PASS' <<<"$out")
  f=$(grep -c '^FAIL' <<<"$out")
  passed=$((passed + p))
  failed=$((failed + f))
  if ((rc != 0 && f == 0)); then
    fail "dialog_probe $* exited with $rc"
  fi
  return "$rc"
}

# The program folder as it is shipped: the .exe beside Data.
stage="$work/stage"
rm -rf "$stage"
if [[ -n "$zip" && -f "$zip" && "$zip" -nt "$exe" ]]; then
  echo "== the package $(basename "$zip")"
  mkdir -p "$work/unzipped"
  rm -rf "$work/unzipped"/*
  unzip -q "$zip" -d "$work/unzipped"
  mv "$work/unzipped/$(basename "$zip" .zip)" "$stage"
  for f in tamrix.exe tamrix-cli.exe OLVASSEL.txt README.txt Data/stditem.txt Data/skill.txt \
    Data/type.txt Data/rnditem.txt Data/change.txt; do
    if [[ -f "$stage/$f" ]]; then pass "the package holds $f"; else fail "the package lacks $f"; fi
  done
  if cmp -s "$exe" "$stage/tamrix.exe"; then
    pass "the packaged tamrix.exe is the one just built"
  else
    fail "the packaged tamrix.exe differs from $exe"
  fi
else
  echo "== the build (no package newer than tamrix.exe)"
  mkdir -p "$stage"
  cp "$exe" "$stage/tamrix.exe"
  cp -r "$data" "$stage/Data"
fi

echo "== resources"
probe_in "$stage" resources tamrix.exe

echo "== answers on the sample data"
(cd "$stage" && exec wine tamrix.exe </dev/null >/dev/null 2>&1) &
app_pid=$!
probe_in "$stage" answers

echo "== typing with xdotool"
window=$(timeout 20 xdotool search --sync --name '^Tamrix v0\.9$' | head -n 1)
if [[ -z "$window" ]]; then
  fail "xdotool finds no window named Tamrix v0.9"
else
  probe_in "$stage" set 1
  # Wine's edit control does not select all on ctrl+a: clear with BackSpace.
  xdotool windowfocus --sync "$window" key End BackSpace BackSpace &&
    xdotool type --delay 60 23850 && xdotool key BackSpace
  probe_in "$stage" expect 2385
fi

echo "== Enter and Escape"
probe_in "$stage" keys

echo "== closing"
probe_in "$stage" close
wait "$app_pid"
rc=$?
if ((rc == 1)); then pass "wine tamrix.exe returns 1"; else fail "wine tamrix.exe returned $rc"; fi

echo "== broken data"
broken="$work/broken-line"
rm -rf "$broken"
cp -r "$stage" "$broken"
# A data line of letters fails the number check of the skill file.
tr -d '\032' <"$stage/Data/skill.txt" >"$broken/Data/skill.txt"
printf '\nnot-a-skill-line\n' >>"$broken/Data/skill.txt"
probe_in "$broken" no-window tamrix.exe "a rejected line in skill.txt"

missing="$work/missing-file"
rm -rf "$missing"
cp -r "$stage" "$missing"
rm "$missing/Data/stditem.txt"
probe_in "$missing" no-window tamrix.exe "no stditem.txt"

echo "== screenshot"
# A virtual desktop gives the dialog its caption bar without a window manager.
shot="$work/tamrix-dialog.png"
rm -f "$shot"
number=$(cd "$stage" && timeout 120 wine "$probe" pick-accented </dev/null 2>&1)
if [[ ! "$number" =~ ^[0-9]+$ ]]; then
  fail "no prefixed weapon with double acute to show: $number"
else
  (cd "$stage" && exec wine explorer /desktop=tamrixshot,420x260 tamrix.exe </dev/null >/dev/null 2>&1) &
  desktop_pid=$!
  probe_in "$stage" --desktop tamrixshot set "$number"
  probe_in "$stage" --desktop tamrixshot expect "$number"
  sleep 1
  if import -window root -crop 420x260+0+0 +repage "$shot" && [[ -s "$shot" ]]; then
    pass "screenshot of $number written to $shot"
  else
    fail "no screenshot"
  fi
  probe_in "$stage" --desktop tamrixshot close
  timeout 30 tail --pid="$desktop_pid" -f /dev/null
fi

summary
