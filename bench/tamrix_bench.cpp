// tamrix-bench: what loading the data files and describing every item number
// cost, on the sample set and on a set a hundred times larger, each measured
// beside a floor that does only the unavoidable part of the work (reading
// the bytes, copying the finished texts); and what searching the catalogue
// costs beside describing it, with and without a sort.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench/data_set.h"
#include "database/item_database.h"
#include "decoder/describe.h"
#include "decoder/item_number.h"
#include "disk/disk_reader.h"
#include "search/query.h"

namespace tamrix::bench {
namespace {

// What the benchmarks share; set up once by main before any of them runs.
struct Setup {
  DataSetFiles sample;
  DataSetFiles large;
  ItemDatabase sampleDb{diskReader()};
  ItemDatabase largeDb{diskReader()};
  std::vector<std::string> sampleTexts;  // in item number order
  int32_t firstNumber = 0;
  int32_t endNumber = 0;  // one past the last item number
  std::unique_ptr<Catalogue> sampleCatalogue;
  std::unique_ptr<Catalogue> largeCatalogue;
};

Setup& setup() {
  static Setup instance;
  return instance;
}

// A fresh directory for the large set, removed with its files at the end.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate = base / ("tamrix-bench-" + std::to_string(random()));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error))
        path_ = candidate;
    }
  }
  ~ScratchDir() {
    std::error_code error;
    if (!path_.empty())
      std::filesystem::remove_all(path_, error);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void loadBenchmark(benchmark::State& state, const DataSetFiles& files) {
  for (auto _ : state) {
    ItemDatabase db(diskReader());
    std::string error;
    if (!loadDataSet(db, files, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(db.typeCount());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(files.readBytes()));
}

void BM_LoadSample(benchmark::State& state) {
  loadBenchmark(state, setup().sample);
}
void BM_LoadLarge(benchmark::State& state) {
  loadBenchmark(state, setup().large);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The floor for loading: the same files' bytes read into memory as the
// loaders read them, and their lines counted.
void BM_ReadLinesFloorLarge(benchmark::State& state) {
  const std::vector<std::string> files = setup().large.readFiles();
  for (auto _ : state) {
    int64_t lines = 0;
    for (const std::string& name : files) {
      std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
      if (!file) {
        state.SkipWithError(("cannot open " + name).c_str());
        return;
      }
      std::string bytes;
      char chunk[65536];
      std::size_t got = 0;
      while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, got);
      lines += std::count(bytes.begin(), bytes.end(), '\n');
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(setup().large.readBytes()));
}

void describeAllBenchmark(benchmark::State& state, const ItemDatabase& db) {
  const Setup& s = setup();
  std::string text;
  for (auto _ : state) {
    for (int32_t number = s.firstNumber; number < s.endNumber; ++number) {
      describeItem(db, number, text);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * (s.endNumber - s.firstNumber));
}

void BM_DescribeAllSample(benchmark::State& state) {
  describeAllBenchmark(state, setup().sampleDb);
}
void BM_DescribeAllLarge(benchmark::State& state) {
  describeAllBenchmark(state, setup().largeDb);
}

// The floor for describing: the finished texts of the sample set copied one
// after the other into one buffer, as an export of the whole catalogue
// writes them. The buffer has room for all of them from the start.
void BM_CopyTextsFloor(benchmark::State& state) {
  const std::vector<std::string>& texts = setup().sampleTexts;
  std::size_t total = 0;
  for (const std::string& text : texts)
    total += text.size();
  std::string buffer;
  buffer.reserve(total);
  for (auto _ : state) {
    buffer.clear();
    for (const std::string& text : texts)
      buffer.append(text.c_str(), text.size());
    benchmark::DoNotOptimize(buffer.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}

// Searching: a catalogue built and asked once (a search from the command
// line), and queries against a catalogue built beforehand (a search box at
// each keystroke), beside BM_DescribeAllSample.
void BM_CatalogueAndQuerySample(benchmark::State& state) {
  for (auto _ : state) {
    const Catalogue catalogue(setup().sampleDb);
    const SearchResult result = search(catalogue, "langolo");
    benchmark::DoNotOptimize(result.numbers.data());
  }
}

void queryBenchmark(benchmark::State& state, std::string_view query,
                    const Catalogue& catalogue = *setup().sampleCatalogue) {
  for (auto _ : state) {
    const SearchResult result = search(catalogue, query);
    if (result.error || result.numbers.empty()) {
      state.SkipWithError("the query finds nothing");
      break;
    }
    benchmark::DoNotOptimize(result.numbers.data());
  }
}

void BM_QueryWord(benchmark::State& state) {
  queryBenchmark(state, "langolo");
}
void BM_QueryComparison(benchmark::State& state) {
  queryBenchmark(state, "tuzsebzes>=4");
}
void BM_QueryFiveTerms(benchmark::State& state) {
  queryBenchmark(state, "kard -langolo kind:weapon grade:5..14 talalati_esely>=3");
}

// Sorting: a comparison's thousand items by that skill, ties by name,
// beside the same query unsorted, on the sample set and on the large set's
// catalogue; and the weapons, 40% of the items, by damage, where the sort
// is most of the work.
constexpr std::string_view kComparisonQuery = "tuzsebzes>=4";
constexpr std::string_view kComparisonSorted = "tuzsebzes>=4 sort:tuzsebzes sort:name";
constexpr std::string_view kWeaponQuery = "kind:weapon";
constexpr std::string_view kWeaponSorted = "kind:weapon sort:damage";
void BM_QuerySortedComparison(benchmark::State& state) {
  queryBenchmark(state, kComparisonSorted);
}
void BM_QueryWeapons(benchmark::State& state) {
  queryBenchmark(state, kWeaponQuery);
}
void BM_QuerySortedWeapons(benchmark::State& state) {
  queryBenchmark(state, kWeaponSorted);
}
void BM_QueryComparisonLarge(benchmark::State& state) {
  queryBenchmark(state, kComparisonQuery, *setup().largeCatalogue);
}
void BM_QuerySortedComparisonLarge(benchmark::State& state) {
  queryBenchmark(state, kComparisonSorted, *setup().largeCatalogue);
}

BENCHMARK(BM_LoadSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLinesFloorLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescribeAllSample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DescribeAllLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyTextsFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogueAndQuerySample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryWord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryComparison)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryFiveTerms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuerySortedComparison)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryWeapons)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuerySortedWeapons)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryComparisonLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuerySortedComparisonLarge)->Unit(benchmark::kMillisecond);

// Loads both sets and checks that the large one answers every item number
// exactly as the sample does: its extra records come before the sample's
// and records with the same keys after them, so any lookup that does not
// return the first record in file order shows up here.
bool prepare(const std::filesystem::path& sampleDir, const std::filesystem::path& largeDir) {
  Setup& s = setup();
  std::string error;
  s.sample = dataSetIn(sampleDir);
  s.large = dataSetIn(largeDir);
  if (!writeLargeDataSet(sampleDir, largeDir, error) || !loadDataSet(s.sampleDb, s.sample, error) ||
      !loadDataSet(s.largeDb, s.large, error)) {
    std::fprintf(stderr, "tamrix-bench: %s\n", error.c_str());
    return false;
  }
  const ItemNumberRange range = itemNumberRange(s.sampleDb);
  s.firstNumber = static_cast<int32_t>(range.first);
  s.endNumber = static_cast<int32_t>(range.end);
  std::size_t described = 0;
  for (int32_t number = s.firstNumber; number < s.endNumber; ++number) {
    std::string text = describeItem(s.sampleDb, number);
    if (text != describeItem(s.largeDb, number)) {
      std::fprintf(stderr, "tamrix-bench: the large set describes %d differently\n", number);
      return false;
    }
    described += text.empty() ? 0 : 1;
    s.sampleTexts.push_back(std::move(text));
  }
  if (described == 0) {
    std::fprintf(stderr, "tamrix-bench: the sample set describes no item\n");
    return false;
  }
  s.sampleCatalogue = std::make_unique<Catalogue>(s.sampleDb);
  s.largeCatalogue = std::make_unique<Catalogue>(s.largeDb);
  benchmark::AddCustomContext("sample_bytes", std::to_string(s.sample.readBytes()));
  benchmark::AddCustomContext("large_bytes", std::to_string(s.large.readBytes()));
  benchmark::AddCustomContext("large_type_records", std::to_string(s.largeDb.typeCount()));
  benchmark::AddCustomContext("large_change_records", std::to_string(s.largeDb.changeCount()));
  benchmark::AddCustomContext("described_items", std::to_string(described));
  return true;
}

}  // namespace
}  // namespace tamrix::bench

int main(int argc, char** argv) {
  // --sample_data=DIR names the sample set; every other argument is
  // Google Benchmark's.
  constexpr std::string_view kSampleFlag = "--sample_data=";
  std::filesystem::path sampleDir = std::filesystem::path(TAMRIX_SOURCE_DIR) / "Data";
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.substr(0, kSampleFlag.size()) == kSampleFlag)
      sampleDir = std::string(arg.substr(kSampleFlag.size()));
    else
      args.push_back(argv[i]);
  }
  int benchArgc = static_cast<int>(args.size());
  benchmark::Initialize(&benchArgc, args.data());
  if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data()))
    return 2;

  tamrix::bench::ScratchDir scratch;
  if (scratch.path().empty()) {
    std::fprintf(stderr, "tamrix-bench: cannot create a temporary folder\n");
    return 1;
  }
  if (!tamrix::bench::prepare(sampleDir, scratch.path() / "Data"))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
