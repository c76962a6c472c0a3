// Fuzzes the query language on a small catalogue: any bytes as a query must
// give either an error and no numbers, or increasing numbers of catalogue
// items; and a single term and the same term behind '-' must split the
// catalogue between them. Any difference aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "search/search.h"
#include "text/encoding.h"

namespace {

using tamrix::Catalogue;
using tamrix::SearchResult;

// Two weapon groups and an armour group with a few grades, one prefix, and
// skills whose names share beginnings and folded forms.
const std::map<std::string, std::string> kFiles = {
    {"skill.txt",
     "-start-\n0 0 \"Erő\"\n3 0 \"tűzsebzés\"\n6 1 \"tartósság\"\n7 0 \"találati esély\"\n"
     "8 0 \"védekezés\"\n23 0 \"tűzmágia\"\n40 0 \"erő\"\n41 0 \"életerő\"\n"
     "42 0 \"életerő ölésenként\"\n"},
    {"stditem.txt",
     "-start-\n1000 11 8 1 0 2 40 \"kard\" \"kardja\"\n1001 11 8 1 1 3 45 \"finom \"\n"
     "1015 1 5 20 \"Páncél\" \"páncélja\"\n1016 1 6 25 \"nehéz \"\n"
     "1030 12 6 1 0 3 10 \"íj\" \"íja\"\n"},
    {"type.txt", "-start-\n9\n2\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n-1 0 -1 0 -1\n"},
    {"rnditem.txt", "-start-\n#1450\n\"lángoló\"\n9\n3\n40\n"},
    {"change.txt", "-start-\n"},
};

const Catalogue& catalogue() {
  static const std::unique_ptr<Catalogue> built = [] {
    tamrix::ItemDatabase db([](const std::string& name) -> std::optional<std::string> {
      const auto file = kFiles.find(name.substr(name.find('\\') + 1));
      return file == kFiles.end() ? std::nullopt : tamrix::utf8ToCp1250(file->second);
    });
    if (!db.loadAll("Data\\stditem.txt", "Data\\specitem.txt", "Data\\skill.txt",
                    "Data\\rnditem.txt", "Data\\type.txt", "Data\\change.txt")) {
      std::fprintf(stderr, "search_fuzzer: the data set does not load\n");
      std::abort();
    }
    return std::make_unique<Catalogue>(db);
  }();
  return *built;
}

void fail(const char* what, std::string_view query) {
  std::fprintf(stderr, "search_fuzzer: %s for the query [%.*s]\n", what,
               static_cast<int>(query.size()), query.data());
  std::abort();
}

// The numbers, checked: increasing, each an item of the catalogue.
std::set<int32_t> checked(const SearchResult& result, std::string_view query) {
  static const std::set<int32_t> items = [] {
    std::set<int32_t> numbers;
    for (const tamrix::CatalogueItem& item : catalogue().items())
      numbers.insert(item.number);
    return numbers;
  }();
  if (result.error && !result.numbers.empty())
    fail("an error with numbers", query);
  for (std::size_t i = 0; i < result.numbers.size(); ++i) {
    if (i > 0 && result.numbers[i - 1] >= result.numbers[i])
      fail("numbers not increasing", query);
    if (items.count(result.numbers[i]) == 0)
      fail("a number that is no item", query);
  }
  return {result.numbers.begin(), result.numbers.end()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string query(reinterpret_cast<const char*>(data), size);
  const SearchResult result = tamrix::search(catalogue(), query);
  const std::set<int32_t> found = checked(result, query);

  // One term without blanks or quotes that does not start with '-'.
  if (result.error || query.empty() || query[0] == '-' ||
      query.find_first_of(" \t\"") != std::string::npos)
    return 0;
  const SearchResult negated = tamrix::search(catalogue(), "-" + query);
  if (negated.error)
    fail("an error only behind '-'", query);
  for (const int32_t number : checked(negated, "-" + query)) {
    if (found.count(number) != 0)
      fail("an item that matches a term and its negation", query);
  }
  if (found.size() + negated.numbers.size() != catalogue().items().size())
    fail("an item that matches neither a term nor its negation", query);
  return 0;
}
