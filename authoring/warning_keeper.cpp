#include "authoring/warning_keeper.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

namespace tamrix {

namespace {

bool rankedBefore(const DataWarning& a, const DataWarning& b) {
  return a.rank() < b.rank();
}

// Sets `texts` to the English and the Hungarian that `language` keeps, one
// after the other, and `englishSize` to the English's size.
void setTexts(std::string& texts, uint32_t& englishSize, std::string_view english,
              std::string_view hungarian, WarningLanguage language) {
  if (language == WarningLanguage::kHungarian)
    english = {};
  if (language == WarningLanguage::kEnglish)
    hungarian = {};
  englishSize = static_cast<uint32_t>(english.size());
  texts.clear();
  texts.reserve(english.size() + hungarian.size());
  texts.append(english).append(hungarian);
}

// Drops the last of a heap's warnings.
void dropLast(std::vector<DataWarning>& heap) {
  std::pop_heap(heap.begin(), heap.end(), rankedBefore);
  heap.pop_back();
}

}  // namespace

WarningKeeper::WarningKeeper(const DataFileSet& files, WarningWindow window)
    : files_(files), window_(window) {}

bool WarningKeeper::admit(const SourceLine& where, WarningCode code) {
  const DataFile* named = files_.find(where.fileName);
  // Every warning names one of the set's files; one that does not would be
  // a fault of its check, ranked with the last file rather than lost.
  const DataFile file = named != nullptr ? *named : DataFile::kChanges;
  const WarningRank rank{file, where.line, where.column, raised_++};
  ++countOf_[static_cast<std::size_t>(file)];
  if (window_.after && rank <= *window_.after)
    return false;
  ++countAfter_;
  std::vector<DataWarning>& heap = kept_[static_cast<std::size_t>(file)];
  if (heap.size() >= window_.perFile) {
    if (heap.empty() || !(rank < heap.front().rank()))
      return false;
    dropLast(heap);
    --keptCount_;
  } else if (keptCount_ >= window_.capacity) {
    const auto last =
        std::find_if(kept_.rbegin(), kept_.rend(), [](const auto& h) { return !h.empty(); });
    if (last == kept_.rend() || !(rank < last->front().rank()))
      return false;
    dropLast(*last);
    --keptCount_;
  }
  admitted_ = rank;
  admittedCode_ = code;
  return true;
}

void WarningKeeper::keep(WarningTexts texts) {
  std::vector<DataWarning>& heap = kept_[static_cast<std::size_t>(admitted_.file)];
  DataWarning& w = heap.emplace_back();
  w.file = admitted_.file;
  w.line = admitted_.line;
  w.column = admitted_.column;
  w.code = admittedCode_;
  w.raised = admitted_.raised;
  setTexts(w.texts, w.englishSize, texts.message, texts.hungarian, window_.language);
  w.notes = std::move(texts.notes);
  if (trailingNote && w.line > trailingNote->afterLine)
    w.notes.push_back(trailingNote->note);
  if (window_.language != WarningLanguage::kBoth)
    for (DataNote& note : w.notes) {
      const std::string both = std::move(note.texts);
      setTexts(note.texts, note.englishSize, std::string_view(both).substr(0, note.englishSize),
               std::string_view(both).substr(note.englishSize), window_.language);
    }
  std::push_heap(heap.begin(), heap.end(), rankedBefore);
  ++keptCount_;
}

FoundWarnings WarningKeeper::take() && {
  FoundWarnings found;
  found.count = raised_;
  found.countOf = countOf_;
  found.countAfter = countAfter_;
  for (std::vector<DataWarning>& heap : kept_)
    std::sort_heap(heap.begin(), heap.end(), rankedBefore);
  // The file with the most room gives its storage and the others' warnings
  // join it in file order, so that a set whose warnings lie mostly in one
  // file is not held twice while they are gathered.
  const auto roomiest =
      std::max_element(kept_.begin(), kept_.end(),
                       [](const auto& a, const auto& b) { return a.capacity() < b.capacity(); });
  found.kept = std::move(*roomiest);
  found.kept.reserve(keptCount_);
  auto at = found.kept.begin();
  for (auto heap = kept_.begin(); heap != roomiest; ++heap)
    at = found.kept.insert(at, std::make_move_iterator(heap->begin()),
                           std::make_move_iterator(heap->end())) +
         static_cast<std::ptrdiff_t>(heap->size());
  for (auto heap = std::next(roomiest); heap != kept_.end(); ++heap)
    found.kept.insert(found.kept.end(), std::make_move_iterator(heap->begin()),
                      std::make_move_iterator(heap->end()));
  for (std::vector<DataWarning>& heap : kept_)
    heap = {};
  return found;
}

}  // namespace tamrix
