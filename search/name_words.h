// The words of the catalogue's name lines, for suggesting a word in place of
// one that occurs in none of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/catalogue.h"

namespace tamrix {

struct NameWord {
  std::string folded;  // Windows-1250
  std::string shown;   // as the first name line that holds it writes it
};

class NameWords {
 public:
  explicit NameWords(const Catalogue& catalogue);

  // The word nearest to the folded `word` by edit distance: at most two edits
  // and fewer than the word has letters. Of equally near words, the one in
  // the most name lines, then the first in byte order.
  std::optional<NameWord> closest(std::string_view word) const;

 private:
  struct Entry {
    std::string_view folded;  // views into the catalogue's texts
    std::string_view shown;
    int32_t lines = 0;
  };
  std::vector<Entry> words_;
};

}  // namespace tamrix
