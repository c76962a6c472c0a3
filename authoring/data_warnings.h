// What loads without an error but is probably not what the author meant.
#pragma once

#include <string>
#include <vector>

#include "authoring/source_line.h"
#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix {

// An earlier line that a warning or a failed load follows from.
struct DataNote {
  SourceLine where;
  std::string message;  // English; names from the data stay Windows-1250
  // The same in Hungarian, for the page, all of it Windows-1250: the same
  // numbers, names and places.
  std::string hungarian;
};

struct DataWarning {
  // The line that holds the cause, and its column where one field is to blame.
  SourceLine where;
  // Stable, for scripts: the names of authoring/wording.h's codes.
  std::string code;
  std::string message;  // English; names from the data stay Windows-1250
  std::vector<DataNote> notes;
  std::string hungarian;  // as a note's
};

// The warnings for a data set that `db` loaded without error from `files`,
// in the order the files are loaded and by line and column within a file.
// `readFile` gives the files' bytes again, for what the tables do not keep.
std::vector<DataWarning> findDataWarnings(const ItemDatabase& db, const DataFileSet& files,
                                          const FileReader& readFile);

// After a failed load of `db` from `files`: the earlier lines that the
// failure follows from, such as the line count of a type record that made
// the records after it read out of step.
std::vector<DataNote> findLoadFailureNotes(const ItemDatabase& db, const DataFileSet& files,
                                           const FileReader& readFile);

}  // namespace tamrix
