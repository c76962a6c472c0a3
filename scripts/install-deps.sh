#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building and testing
# Tamrix need. Does nothing when they are all there already.
set -euo pipefail

packages=(
  # native build and unit tests
  build-essential cmake make g++ libgtest-dev libgmock-dev
  # sanitizers, fuzzers, leak checks, benchmarks
  clang libclang-rt-14-dev valgrind libbenchmark-dev
  # Windows cross-build and its end-to-end test
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine wine64 fonts-wine zip unzip
  # the FLTK dialog and the GUI tests
  libfltk1.3-dev libxcursor-dev libxinerama-dev libxft-dev fonts-liberation
  xvfb xauth xdotool x11-apps x11-utils imagemagick
  # the web page (the engine in WebAssembly) and its browser test
  lld wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium chromium-driver python3-selenium
  # format checks and the code page test
  clang-format libc-bin python3
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: everything is installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
