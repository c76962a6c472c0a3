// Fuzzes normalizeLine against the literal position walk that
// defines it (tests/normalize_walk.h); any difference aborts. The input is the text
// as it is, any bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "database/data_line_reader.h"
#include "normalize_walk.h"

namespace {

void report(const char* what, const std::string& input, const std::string& got) {
  std::fprintf(stderr, "normalize_line_fuzzer: %s\n input (%zu bytes), result (%zu bytes)\n", what,
               input.size(), got.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  const std::string expected = tamrix::test::normalizeByWalk(input);
  std::string got = input;
  tamrix::normalizeLine(got);
  if (got != expected)
    report("differs from the position walk", input, got);

  std::string again = got;
  tamrix::normalizeLine(again);
  if (again != got)
    report("normalising twice changes the text", input, got);
  return 0;
}
