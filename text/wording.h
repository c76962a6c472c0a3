// One thing said in both languages of Tamrix: English for tamrix-cli, in
// ASCII, and Hungarian for the page, in UTF-8. Kept side by side so that
// the two cannot come to say different things.
#pragma once

#include <string>

namespace tamrix {

struct Wording {
  std::string english;
  std::string hungarian;
};

}  // namespace tamrix
