#!/usr/bin/env bash
# Usage: wine_cli_test.sh TAMRIX_CLI_EXE LINUX_TAMRIX_CLI DATA_DIR WORK_DIR
# Runs the real tamrix-cli.exe under Wine: on a console (Wine given a
# terminal through `script`) its accents are right whatever the console's
# code page; redirected, it writes the Linux build's bytes; accented
# arguments arrive whole; a failed write ends it with 1 and one message.
set -u
if (($# != 4)); then
  echo "usage: $0 TAMRIX_CLI_EXE LINUX_TAMRIX_CLI DATA_DIR WORK_DIR" >&2
  exit 2
fi
exe=$(realpath "$1") linux=$(realpath -m "$2") data=$(realpath "$3") work=$(realpath -m "$4")
source "$(dirname "$0")/../shell_test.sh"
need wine wineserver script
[[ -x $linux ]] || { echo "FAIL no Linux tamrix-cli at $linux (run: make build)"; exit 1; }

mkdir -p "$work"
source "$(dirname "$0")/wine_prefix.sh" "$work"
export LANG=C.UTF-8

# An accented folder name with letters that no Western code page has.
stage="$work/cli stage/Tűzkő"
rm -rf "$work/cli stage" && mkdir -p "$stage" && cp -r "$data" "$stage/Data"
cd "$stage" || exit 1

# Redirected: byte for byte what the Linux build writes.
for mode in "1451 1000 0 -5 1464" "--raw 1451 1000 0" "--json 1451 0" "--check"; do
  # shellcheck disable=SC2086
  timeout 60 wine "$exe" $mode >"$work/windows.out" 2>&1 </dev/null
  # shellcheck disable=SC2086
  "$linux" $mode >"$work/linux.out" 2>&1
  cmp -s "$work/windows.out" "$work/linux.out" || fail "redirected output of $mode differs"
done
printf '1451\r\n1000\n' | timeout 60 wine "$exe" >"$work/windows.out" 2>&1
printf '1451\r\n1000\n' | "$linux" >"$work/linux.out" 2>&1
cmp -s "$work/windows.out" "$work/linux.out" || fail "standard input answers differ"

# On a console. Wine draws its console with terminal controls: they are
# removed, and the text must be the Linux build's, CR LF aside.
plain() {
  python3 -c '
import re, sys
t = sys.stdin.buffer.read()
t = re.sub(rb"\x1b\[K\x1b\[(\d+)C", lambda m: b" " * int(m.group(1)), t)
t = re.sub(rb"\x1b\[[?0-9;]*[A-Za-z]", b"", t).replace(b"\r", b"")
sys.stdout.buffer.write(b"\n".join(line.rstrip() for line in t.split(b"\n")))'
}
on_console() {
  timeout 60 script -qec "wine '$exe' $*" /dev/null </dev/null | plain
}
want=$("$linux" 1451 1000 | sed 's/ *$//')
got=$(on_console 1451 1000)
[[ $got == "$want" ]] || fail "console output: $(printf '%q' "$got")"
echo "== on the console:"
echo "$got"

# Arguments as UTF-16 and paths opened as such: -C with the accented folder,
# from outside it; the warnings read the files again, --diff reads another set.
# The warning needs the type file read again: it keeps what the tables do not.
long="$work/cli stage/Ősz"
rm -rf "$long" && mkdir -p "$long" && cp -r "$data" "$long/Data"
printf '\n99\n1\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n' >>"$long/Data/type.txt"
got=$(cd "$work" && timeout 60 wine "$exe" -C "cli stage/Ősz" --check --strict 2>&1)
rc=$?
[[ $rc == 3 && $got == *"[amount-line-long]"* ]] ||
  fail "--check --strict in an accented folder: exit $rc, $got"
got=$(cd "$work" && timeout 60 wine "$exe" --diff "cli stage/Tűzkő" -C "cli stage/Tűzkő" 2>&1)
rc=$?
[[ $rc == 0 && $got == "0 numbers differ: 0 changed, 0 appeared, 0 disappeared" ]] ||
  fail "--diff with an accented folder: exit $rc, $got"

# The first failed write ends the program with 1 and one message: a full
# disk in every mode, and a reader that has gone (Windows has no SIGPIPE).
for mode in --help --version "--check" "1000" "--all"; do
  # shellcheck disable=SC2086
  timeout 60 wine "$exe" $mode >/dev/full 2>"$work/stderr" </dev/null
  rc=$?
  lines=$(wc -l <"$work/stderr")
  ((rc == 1 && lines == 1)) || fail "$mode to a full disk: exit $rc, $lines lines on stderr"
done
yes 1000 | timeout 60 wine "$exe" 2>"$work/stderr" | head -n 1 >/dev/null
rc=${PIPESTATUS[1]}
lines=$(wc -l <"$work/stderr")
((rc == 1 && lines == 1)) || fail "endless input to a closed pipe: exit $rc, $lines lines on stderr"

finish "tamrix-cli.exe under Wine"
