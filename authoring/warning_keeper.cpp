#include "authoring/warning_keeper.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tamrix {

namespace {

bool rankedBefore(const DataWarning& a, const DataWarning& b) {
  return a.rank() < b.rank();
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
  w.englishSize = static_cast<uint32_t>(texts.message.size());
  w.texts.reserve(texts.message.size() + texts.hungarian.size());
  w.texts.append(texts.message).append(texts.hungarian);
  w.notes = std::move(texts.notes);
  if (trailingNote && w.line > trailingNote->afterLine)
    w.notes.push_back(trailingNote->note);
  std::push_heap(heap.begin(), heap.end(), rankedBefore);
  ++keptCount_;
}

FoundWarnings WarningKeeper::take() && {
  FoundWarnings found;
  found.count = raised_;
  found.countOf = countOf_;
  found.countAfter = countAfter_;
  // The first file that keeps any gives its own storage, so that a set
  // whose warnings lie in one file is not held twice.
  for (std::vector<DataWarning>& heap : kept_) {
    std::sort_heap(heap.begin(), heap.end(), rankedBefore);
    if (found.kept.empty()) {
      found.kept = std::move(heap);
      found.kept.reserve(keptCount_);
    } else {
      std::move(heap.begin(), heap.end(), std::back_inserter(found.kept));
    }
    heap = {};
  }
  return found;
}

}  // namespace tamrix
