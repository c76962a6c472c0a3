# Sourced by the Wine tests: sets up the Wine prefix in WORK_DIR ($1) once
# (about 700 MB) and starts its services on /dev/null, so that they do not
# hold a test's output open. Ends the caller with 1 when Wine cannot start.
export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINELOADERNOEXEC
trap 'wineserver -k >/dev/null 2>&1' EXIT
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  timeout 300 wineboot --init </dev/null >"$1/wineboot.log" 2>&1 ||
    { echo "FAIL wineboot --init (see $1/wineboot.log)"; exit 1; }
  timeout 120 wineserver -w
fi
wineserver -p </dev/null >/dev/null 2>&1
timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1
