// A small data set written for the search's tests and its fuzzer, and the
// catalogue built from it.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "database/item_database.h"
#include "search/catalogue.h"
#include "text/encoding.h"

namespace tamrix::test {

// The files in UTF-8, so that they can be read; the loaders get them in
// Windows-1250. Group 0 is the weapon "kard" (grades 1 "finom ", 2 "Tompa "),
// group 15 the armour "Páncél" (grade 1 "nehéz "), group 30 the bow "íj";
// every other slot prints as "?". Prefix 1 "lángoló" gives grade + 1
// tűzsebzés and -1 to skill 40; the other prefixes have no entry, so they
// give only their chaos items. Skills 0 and 40 share the folded name "ero".
inline const std::map<std::string, std::string> kSmallDataSet = {
    {"skill.txt",
     "-start-\n0 0 \"Erő\"\n3 0 \"tűzsebzés\"\n6 1 \"tartósság\"\n7 0 \"találati esély\"\n"
     "8 0 \"védekezés\"\n23 0 \"tűzmágia\"\n40 0 \"erő\"\n41 0 \"életerő\"\n"
     "42 0 \"életerő ölésenként\"\n"},
    {"stditem.txt",
     "-start-\n1000 11 8 1 0 2 40 \"kard\" \"kardja\"\n1001 11 8 1 1 3 45 \"finom \"\n"
     "1002 11 8 1 2 4 50 \"Tompa \"\n1015 1 5 20 \"Páncél\" \"páncélja\"\n"
     "1016 1 6 25 \"nehéz \"\n1030 12 6 1 0 3 10 \"íj\" \"íja\"\n"},
    {"type.txt",
     "-start-\n9\n2\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15\n"
     "-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1\n"},
    {"rnditem.txt", "-start-\n#1450\n\"lángoló\"\n9\n3\n40\n"},
    {"change.txt", "-start-\n"},
};

// The catalogue of `files` (kSmallDataSet or a variant of it), or null when
// the set does not load.
inline std::unique_ptr<Catalogue> buildSmallCatalogue(
    const std::map<std::string, std::string>& files = kSmallDataSet) {
  ItemDatabase db([&](const std::string& name) -> SharedBytes {
    const auto file = files.find(name.substr(name.find('\\') + 1));
    const std::optional<std::string> bytes =
        file == files.end() ? std::nullopt : utf8ToCp1250(file->second);
    return bytes ? std::make_shared<const std::string>(*bytes) : nullptr;
  });
  if (!db.loadAll(DataFileSet::inFolder("Data")))
    return nullptr;
  return std::make_unique<Catalogue>(db);
}

}  // namespace tamrix::test
