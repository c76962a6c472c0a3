// Fuzzes the query language on a small catalogue: any bytes as a query must
// give either an error and no numbers, or distinct numbers of catalogue
// items; with sort:number first, the same numbers in increasing order (a
// sort orders, never filters); and a single term and the same term behind
// '-' must split the catalogue between them, but for a sort term, which
// cannot be negated. A suggestion must not fail. Any difference aborts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "search/query.h"
#include "search/small_data_set.h"
#include "search/suggestions.h"
#include "text/encoding.h"

namespace {

using tamrix::Catalogue;
using tamrix::SearchResult;

const Catalogue& catalogue() {
  static const std::unique_ptr<Catalogue> built = [] {
    std::unique_ptr<Catalogue> small = tamrix::test::buildSmallCatalogue();
    if (!small) {
      std::fprintf(stderr, "search_fuzzer: the data set does not load\n");
      std::abort();
    }
    return small;
  }();
  return *built;
}

void fail(const char* what, std::string_view query) {
  std::fprintf(stderr, "search_fuzzer: %s for the query [%.*s]\n", what,
               static_cast<int>(query.size()), query.data());
  std::abort();
}

// The numbers of a result, checked: none with an error, each a distinct item
// of the catalogue.
std::set<int32_t> checked(const SearchResult& result, std::string_view query) {
  if (result.error && !result.numbers.empty())
    fail("an error with numbers", query);
  std::set<int32_t> found(result.numbers.begin(), result.numbers.end());
  if (found.size() != result.numbers.size())
    fail("a number found twice", query);
  const std::vector<tamrix::CatalogueItem>& items = catalogue().items();  // by number
  for (const int32_t number : found) {
    const auto at = std::lower_bound(items.begin(), items.end(), number,
                                     [](const auto& item, int32_t n) { return item.number < n; });
    if (at == items.end() || at->number != number)
      fail("a number that is no item", query);
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string query(reinterpret_cast<const char*>(data), size);
  const SearchResult result = tamrix::search(catalogue(), query);
  const std::set<int32_t> found = checked(result, query);
  const std::string byNumber = "sort:number " + query;
  const SearchResult ordered = tamrix::search(catalogue(), byNumber);
  if (ordered.error.has_value() != result.error.has_value() ||
      checked(ordered, byNumber) != found ||
      !std::is_sorted(ordered.numbers.begin(), ordered.numbers.end()))
    fail("another result in number order", query);
  if (result.numbers.empty())
    tamrix::suggestQuery(catalogue(), query);

  // One term without blanks or quotes that does not start with '-'.
  if (result.error || query.empty() || query[0] == '-' ||
      query.find_first_of(" \t\"") != std::string::npos)
    return 0;
  const SearchResult negated = tamrix::search(catalogue(), "-" + query);
  if (query.starts_with("sort:")) {
    if (!negated.error)
      fail("a negated sort term read", query);
    return 0;
  }
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
