// Helpers shared by the tests: a temporary directory for data files.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "database/data_file_set.h"
#include "database/file_reader.h"
#include "database/item_database.h"

namespace tamrix::test {

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` exactly (no newline translation) to `name` inside the
  // directory, creating subdirectories, and returns the file's full path.
  std::string write(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// Runs the calling test body with the current directory switched to `dir`,
// restoring the previous one on destruction.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& dir);
  ~ScopedCurrentDir();
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

// The sample data set shipped in the repository's Data folder.
std::filesystem::path sampleDataDir();

// A reader that serves the files of `files` (name -> bytes) from memory and
// no others.
FileReader memoryFiles(std::map<std::string, std::string> files);

// The data part of each file of a data set, without its "-start-" line.
struct DataSetText {
  std::string skills;
  std::string stdItems;
  std::string types;
  std::string rndItems;
  std::string changes;
};

// The short names the tests give the data files: "std", "skill", "type",
// "rnd", "change" and "spec".
const DataFileSet& shortNames();

// The files of `text`, each after its "-start-" line, under their short names.
std::map<std::string, std::string> dataSetFiles(const DataSetText& text);

// A database that has loaded `files`, under their short names, the way the
// dialog loads its files; `lastError` tells whether that failed.
std::unique_ptr<ItemDatabase> loadFiles(std::map<std::string, std::string> files);

// loadFiles(dataSetFiles(text)).
std::unique_ptr<ItemDatabase> loadDataSet(const DataSetText& text);

}  // namespace tamrix::test
