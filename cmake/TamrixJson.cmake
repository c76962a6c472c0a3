# nlohmann-json (Debian's nlohmann-json3-dev), header-only, as the target
# tamrix_json. The headers are copied into the build tree and used from there:
# the folder they are installed in holds the build machine's own system
# headers, which the Windows and WebAssembly builds must not see.
find_path(TAMRIX_NLOHMANN_JSON_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT TAMRIX_NLOHMANN_JSON_DIR)
  message(FATAL_ERROR "nlohmann/json.hpp not found (make deps installs nlohmann-json3-dev)")
endif()
file(COPY "${TAMRIX_NLOHMANN_JSON_DIR}/nlohmann" DESTINATION "${PROJECT_BINARY_DIR}/third_party")
add_library(tamrix_json INTERFACE)
target_include_directories(tamrix_json SYSTEM INTERFACE "${PROJECT_BINARY_DIR}/third_party")
if(TAMRIX_BUILD_WEB)
  # The WebAssembly build has no exceptions; the library then aborts where it
  # would throw, which the way Tamrix writes JSON never reaches. Its libc++
  # has no <filesystem>, which the library would otherwise include.
  target_compile_definitions(tamrix_json INTERFACE JSON_NOEXCEPTION JSON_HAS_FILESYSTEM=0
                                                   JSON_HAS_EXPERIMENTAL_FILESYSTEM=0)
endif()
