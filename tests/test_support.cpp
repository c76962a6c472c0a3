#include "test_support.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <utility>

#include "disk/file_bytes.h"

namespace tamrix::test {

TempDir::TempDir() {
  std::string name = (std::filesystem::temp_directory_path() / "tamrix-test-XXXXXX").string();
  if (mkdtemp(name.data()) == nullptr)
    throw std::runtime_error("cannot create a temporary directory");
  path_ = name;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
  auto file = path_ / std::filesystem::path(std::string(name));
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out)
    throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

ScopedCurrentDir::ScopedCurrentDir(const std::filesystem::path& dir)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
}

std::filesystem::path sampleDataDir() {
  return std::filesystem::path(TAMRIX_SOURCE_DIR) / "Data";
}

FileReader memoryFiles(std::map<std::string, std::string> files) {
  return [files = std::move(files)](const std::string& name) -> SharedBytes {
    const auto found = files.find(name);
    if (found == files.end())
      return nullptr;
    return std::make_shared<const std::string>(found->second);
  };
}

const DataFileSet& shortNames() {
  // "stditem.txt" -> "std", "skill.txt" -> "skill".
  static const DataFileSet names = DataFileSet::namedBy([](DataFile file) {
    std::string name(dataFileName(file));
    name.erase(name.find('.'));
    if (name.ends_with("item"))
      name.erase(name.size() - 4);
    return name;
  });
  return names;
}

std::map<std::string, std::string> sampleFiles() {
  std::map<std::string, std::string> files;
  for (const DataFile file : kReadFiles)
    files[shortNames()[file]] = readFileBytes(sampleDataDir() / dataFileName(file)).value_or("");
  return files;
}

std::map<std::string, std::string> dataSetFiles(const DataSetText& text) {
  return {{"skill", "-start-\n" + text.skills},
          {"std", "-start-\n" + text.stdItems},
          {"type", "-start-\n" + text.types},
          {"rnd", "-start-\n" + text.rndItems},
          {"change", "-start-\n" + text.changes}};
}

std::unique_ptr<ItemDatabase> loadFiles(std::map<std::string, std::string> files) {
  auto db = std::make_unique<ItemDatabase>(memoryFiles(std::move(files)));
  db->loadAll(shortNames());
  return db;
}

std::unique_ptr<ItemDatabase> loadDataSet(const DataSetText& text) {
  return loadFiles(dataSetFiles(text));
}

}  // namespace tamrix::test
