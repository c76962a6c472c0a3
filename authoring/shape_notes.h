// Notes for a failed load that name what the failing bytes look like, where
// the rule that rejected them does not say it: a file in UTF-16 (with or
// without a byte order mark), typographic quotes for the double quote, a
// line that ends in CR CR LF, a second -start- line, a header remark that
// holds -start- and so ends the header early, a word where a type record's
// number stands.
#pragma once

#include <vector>

#include "authoring/data_warnings.h"
#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// After a failed load of `db` from `files`: the notes on what the file or
// line that failed looks like; none when nothing stands out.
std::vector<DataNote> findShapeNotes(const ItemDatabase& db, const DataFileSet& files,
                                     const FileReader& readFile);

// Whether `bytes` look like UTF-16 text, and whether with a byte order mark.
enum class Utf16 { kNo, kWithMark, kWithoutMark };
Utf16 utf16Shape(std::string_view bytes);

// The typographic quotes of `line` named, as Windows-1250 („ ” “) or UTF-8
// bytes; nothing when it has none.
std::optional<std::string> typographicQuotes(std::string_view line);

}  // namespace tamrix
