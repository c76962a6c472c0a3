// What loads without an error but is probably not what the author meant.
#pragma once

#include <string>
#include <vector>

#include "authoring/data_files.h"
#include "database/data_file.h"
#include "database/item_database.h"

namespace tamrix {

struct DataWarning {
  SourceLine where;
  // Stable, for scripts: "type-id-repeated", "change-hidden",
  // "prefix-skill-outside", "change-target-outside", "prefix-type-missing",
  // "std-slot-empty", "prefix-slot-empty", "bonus-to-empty-skill",
  // "amount-line-long", "type-short", "kind-out-of-range", "utf8-text",
  // "empty-table", "file-unreadable".
  std::string code;
  std::string message;  // English; names from the data stay Windows-1250
};

// The warnings for a data set that `db` loaded without error from `files`,
// in the order the files are loaded and by line within a file. `readFile`
// gives the files' bytes again, for what the tables do not keep.
std::vector<DataWarning> findDataWarnings(const ItemDatabase& db, const DataFileNames& files,
                                          const FileReader& readFile);

}  // namespace tamrix
