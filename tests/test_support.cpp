#include "test_support.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

namespace tamrix::test {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device rd;
  for (int attempt = 0; attempt < 100; ++attempt) {
    auto candidate = std::filesystem::temp_directory_path() /
                     ("tamrix-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary directory");
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
  return [files = std::move(files)](const std::string& name) -> std::optional<std::string> {
    const auto found = files.find(name);
    if (found == files.end())
      return std::nullopt;
    return found->second;
  };
}

std::unique_ptr<ItemDatabase> loadDataSet(const DataSetText& text) {
  auto db = std::make_unique<ItemDatabase>(memoryFiles({{"skill", "-start-\n" + text.skills},
                                                        {"std", "-start-\n" + text.stdItems},
                                                        {"type", "-start-\n" + text.types},
                                                        {"rnd", "-start-\n" + text.rndItems},
                                                        {"change", "-start-\n" + text.changes}}));
  db->loadAll("std", "specitem", "skill", "rnd", "type", "change");
  return db;
}

}  // namespace tamrix::test
