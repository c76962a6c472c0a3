// What each line of an edit did: the data files of two sets compared line
// by line, and each changed place applied alone to the old set, to see which
// descriptions it changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "authoring/catalogue_diff.h"
#include "authoring/line_diff.h"
#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// One changed place of one file: lines of the old file that give way to
// lines of the new one. A hunk that gives as many lines as it takes is a
// place per line, as an edit of values mostly is.
struct ChangedPlace {
  DataFile file = DataFile::kSkills;
  LineHunk lines;
  // How many places it holds: more than 1 only when there were more places
  // than are applied alone, and neighbours were taken together.
  int32_t joined = 1;
  std::string record;  // what the lines are, UTF-8: "type 3, amount line 2"
  std::string change;  // what became of them: "amounts +10%", "added 2 lines"; UTF-8
  // The old set with only this place applied does not load: the error.
  std::optional<std::string> loadError;
  // The compared numbers whose descriptions it changes alone: the old
  // description against the one with only this place applied.
  std::vector<ChangeGroup> groups;
  std::vector<int32_t> numbers;  // over all its groups, increasing
  std::vector<int32_t> grades;
  std::vector<int32_t> prefixes;
};

struct EditReview {
  std::vector<ChangedPlace> places;  // in load order of the files, then by line
  int32_t placesFound = 0;           // before any were taken together
  // The compared numbers that no place changes alone, only the places
  // together: their changes grouped.
  std::vector<ChangeGroup> together;
};

// How many places are applied alone: each is a load of the set and a
// description of every compared number, about as much work as one
// description per 100 bytes, so that the more numbers differ and the larger
// the files, the fewer places (at least kMinPlacesAlone, at most
// kMaxPlacesAlone).
inline constexpr int32_t kMaxPlacesAlone = 200;
inline constexpr int32_t kMinPlacesAlone = 5;
inline constexpr std::size_t kDescriptionBudget = 400'000;
int32_t placesAloneLimit(std::size_t changeCount, std::size_t setBytes);

// The places where the files of `before` and `after`, named by `files`,
// differ, each with what it changes alone among `changes` (the differences
// between `beforeDb` and `afterDb`, loaded from those files). With more than
// `maxPlaces` places (0: placesAloneLimit of the old set), the nearest neighbours within a
// file are taken together until there are `maxPlaces`.
EditReview reviewEdit(const DataFileSet& files, const FileReader& before, const FileReader& after,
                      const ItemDatabase& beforeDb, const ItemDatabase& afterDb,
                      const std::vector<CatalogueChange>& changes, int32_t maxPlaces = 0);

}  // namespace tamrix
