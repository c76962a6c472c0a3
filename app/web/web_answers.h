// What the page's engine answers about items, each as one JSON object with
// every text in UTF-8: the dialog's two fields, an item described, a search
// and its result rows, an item at every grade, a comparison.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "app/json.h"
#include "database/item_database.h"
#include "search/catalogue.h"
#include "search/query.h"

namespace tamrix::web {

// The dialog's answer to the number field's text:
// {"number","item":bool,"name":the name field's first line,"description"}.
Json dialogAnswer(const ItemDatabase& db, const Catalogue& catalogue, std::string_view field);

// {"number","item":false} for a number that is no item, otherwise
// {"number","item":true,"name","description":the lines after the name line,
// "kind","grade","prefix","bonuses":[{"skill","name","sum"}],"damage":"2d6+2"
// or null}.
Json describe(const Catalogue& catalogue, int32_t number);

// The last search, for its rows: the numbers found and the skills the query
// reads by.
struct Found {
  std::vector<int32_t> numbers;
  std::vector<int32_t> skills;
};

// Searches for `query`. When it reads: {"ok":true,"count","skills":[{"index",
// "name","sort":a sort term for it}],"sort":the first sort term as typed or
// "","unsorted":the query without its sort terms}. When it does not:
// {"ok":false,"error":the Hungarian text,"choices":[{"name","query"}]},
// "choices" the queries that name each skill an ambiguous name may mean;
// the last search's rows then stay.
Json searchAnswer(const Catalogue& catalogue, std::string_view query, Found& found);

// {"index"}: where `number` is among the last search's rows, -1 for nowhere.
Json rowIndex(const Found& found, int32_t number);

// Rows `from` to `from + count` of the last search: [{"number","name",
// "values":[the sum per skill of the search],"damage":"2d6+2" or null}].
Json rowsAnswer(const Catalogue& catalogue, const Found& found, std::size_t from,
                std::size_t count);

// `number`'s group base with its prefix at every grade: {"grades":[{"number",
// "grade","name","bonuses":[{"skill","sum"}],"damage"}],"skills":[{"index",
// "name"}]}, the skills any grade shows by index; no grades for no item.
Json gradesAnswer(const Catalogue& catalogue, int32_t number);

// The comparison of `numbers`, as tamrix-cli --compare computes it:
// {"names","rows":[{"skill","name","values","best":[bool]}],"damage":[text
// or null],"damageBest":[bool]}.
Json compareAnswer(const Catalogue& catalogue, const std::vector<int32_t>& numbers);

// {"query","words"} for a query that finds nothing, or {} without one.
Json suggestionAnswer(const Catalogue& catalogue, std::string_view query);

}  // namespace tamrix::web
