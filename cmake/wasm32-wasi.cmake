# The web build: clang's wasm32 target with Debian's wasi-libc and libc++
# (packages wasi-libc, libc++-14-dev-wasm32, libc++abi-14-dev-wasm32,
# libclang-rt-14-dev-wasm32). The module is a WASI reactor: no main, its
# exports are called by the page's script.
set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_SYSROOT /usr)
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
# libc++ for wasm32 is built without exceptions. SIMD lets the compiler
# vectorise loops over bytes; bulk memory makes copies of known size single
# instructions. Every current browser has these features (Safari since
# 16.4).
set(CMAKE_CXX_FLAGS_INIT
    "-fno-exceptions -msimd128 -mbulk-memory -msign-ext -mnontrapping-fptoint")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -mexec-model=reactor")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
