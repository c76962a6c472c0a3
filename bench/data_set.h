// The data sets the benchmarks load: the sample set in the repository and a
// much larger one derived from it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "database/data_file_set.h"
#include "database/item_database.h"

namespace tamrix::bench {

// A data set on disk: a folder with the data files under their own names.
struct DataSetFiles {
  std::filesystem::path folder;

  // Each file by its full path.
  DataFileSet names() const;
  // The files the loaders read, as full paths.
  std::vector<std::string> readFiles() const;
  // Their total size in bytes.
  std::uintmax_t readBytes() const;
};

DataSetFiles dataSetIn(const std::filesystem::path& dataDir);

// Loads a set with the real loaders; false with `error` set when it fails.
bool loadDataSet(ItemDatabase& db, const DataSetFiles& files, std::string& error);

// Writes into `outDir` (created if needed) a data set about a hundred times
// the size of the sample set in `sampleDir` that describes every item number
// exactly as the sample does: 10,000 extra type records and 10,000 extra
// change records that no item uses stand before the sample's own records,
// records with the same keys but other contents stand after them, and the
// slot files are written several times over, with long names, before their
// final copy. Returns false with `error` set when a file cannot be read or
// written.
bool writeLargeDataSet(const std::filesystem::path& sampleDir, const std::filesystem::path& outDir,
                       std::string& error);

}  // namespace tamrix::bench
