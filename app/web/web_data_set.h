// The data set that the page's engine answers from: the player's files (or
// the sample's), loaded as the dialog loads its Data folder, with what the
// page shows about the load.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/json.h"
#include "authoring/data_warnings.h"
#include "database/item_database.h"
#include "search/catalogue.h"
#include "search/query.h"

namespace tamrix::web {

// The files of a data set by lower-case file name, as the page's picker and
// drop give them.
using FileSet = std::map<std::string, std::string>;

std::string lowerCase(std::string text);

// A short fingerprint of the data files in `files` (the dialog's six names,
// in any letter case; other files do not count): 16 hexadecimal digits that
// differ, but for chance, between sets whose data files differ.
std::string fingerprintOf(const FileSet& files);

// How many warnings a load keeps for the page's list; the others are found
// again when asked for.
inline constexpr std::size_t kListedWarnings = 300;

struct LoadedSet {
  std::unique_ptr<ItemDatabase> db;
  std::unique_ptr<Catalogue> catalogue;
  FileReader readFile;     // the set's files, for the warnings' pass
  FoundWarnings warnings;  // the first kListedWarnings, and the count
  // The next round of the download, while one is under way.
  std::optional<WarningWindow> download;
  std::string fingerprint;
};

// Loads `files`. On success `loaded` holds the new set and the answer is
// {"ok":true,"fingerprint","warnings":COUNT,"first","last"}; on failure
// `loaded` is untouched and the answer is {"ok":false,"error":the dialog's
// error text,"file","line" (null for none),"reason"}, in Hungarian.
Json loadSet(FileSet files, LoadedSet& loaded);

// The first `limit` warnings as {"count","shown":[{"file","line","column",
// "code","text"}]}, texts in Hungarian, null for no line or column.
Json warningsAnswer(const LoadedSet& set, std::size_t limit);

// The warnings as tamrix-cli --check writes them for a Data folder in the
// current directory ("Data/type.txt:69:11: warning: ... [code]" and its
// note lines, UTF-8), a round at a time: {"text","done"}, the round after
// the last one asked for or with `fromStart` the first. A round holds
// roundCapacity warnings (0: in proportion to the set's bytes).
Json checkRound(LoadedSet& set, bool fromStart, std::size_t roundCapacity = 0);

}  // namespace tamrix::web
