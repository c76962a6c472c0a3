#!/usr/bin/env bash
# Usage: install-deps.sh [run|test] [--list]
# Installs, with apt-get, the Debian packages that Tamrix needs: `run` those
# for building the programs and opening the dialog (what `make run` needs),
# `test` (the default) those and everything `make test` needs besides. Does
# nothing when they are all there already. With --list it only prints them.
set -euo pipefail

# Building tamrix and tamrix-cli, and opening the dialog.
run_packages=(
  build-essential cmake make g++
  nlohmann-json3-dev # JSON output
  libfltk1.3-dev libxcursor-dev libxinerama-dev libxft-dev fonts-liberation
  x11-utils # xdpyinfo: is there a display to open the dialog on
)
# Everything else `make test` uses.
test_packages=(
  # unit tests, CLI tests, the icon and the sample data check
  libgtest-dev libgmock-dev python3 python3-jsonschema
  # sanitizers, fuzzers, leak checks, benchmarks
  clang libclang-rt-14-dev valgrind libbenchmark-dev
  # Windows cross-build and its end-to-end tests
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 fonts-wine zip unzip
  # the GUI tests (xprop sets Xft.dpi)
  xvfb xauth xdotool x11-apps imagemagick
  # the Debian package and its check
  dpkg-dev lintian
  # the web page (the engine in WebAssembly), its browser test and its modules' tests
  lld wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium chromium-driver python3-selenium nodejs
  # the language server's tests drive Neovim headless
  neovim
  # format and lint checks, the code page test, and make coverage
  clang-format clang-tidy libc-bin gcovr
)

need=test
list=false
for arg in "$@"; do
  case $arg in
    run | test) need=$arg ;;
    --list) list=true ;;
    *) echo "usage: $0 [run|test] [--list]" >&2; exit 2 ;;
  esac
done
packages=("${run_packages[@]}")
[[ $need == test ]] && packages+=("${test_packages[@]}")
if $list; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: everything for '$need' is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
