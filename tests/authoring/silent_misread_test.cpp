// A hunt for silent misreads: thousands of small slips made in the sample
// set, each of which must fail the load, draw a warning, change some item's
// description, or touch nothing but a free place of its line. A slip that
// does none of these is read otherwise than its author meant, and nobody is
// told; the test prints it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/data_warnings.h"
#include "database/data_line_reader.h"
#include "decoder/describe.h"
#include "test_support.h"

namespace tamrix::test {
namespace {

constexpr uint32_t kSeed = 27;
constexpr int kEdits = 2000;
// The decodable numbers: every prefix block of the standard items.
constexpr int32_t kFirst = 1000;
constexpr int32_t kLast = 1000 + 64 * 450;

const DataFileSet& kNames = shortNames();

// A data file split at its line feeds; `head` runs to the -start- line.
struct Lines {
  std::vector<std::string> head;
  std::vector<std::string> data;  // each with its CR, when it has one
  std::string join() const {
    std::string text;
    for (const auto* part : {&head, &data})
      for (const std::string& line : *part)
        text += line + "\n";
    text.pop_back();
    return text;
  }
};

Lines split(const std::string& text) {
  Lines lines;
  bool inHead = true;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size());
    (inHead ? lines.head : lines.data).push_back(text.substr(at, end - at));
    inHead = inHead && text.substr(at, end - at).find("-start-") == std::string::npos;
    at = end + 1;
  }
  return lines;
}

// What the free place of a line is, by the role the line plays in the
// sample set: the bytes after the index of a prefix's skill index line, after
// the fourth number of a change record, after the last name that a skill or
// standard item line gives. Nothing else of a line is free.
std::size_t readPart(const std::string& file, const std::string& role, std::string_view line) {
  const auto afterTokens = [&](int count) {
    std::size_t at = 0;
    for (int k = 0; k < count && at != std::string_view::npos; ++k)
      at = line.find(' ', at + (k > 0 ? 1 : 0));
    return at == std::string_view::npos ? line.size() : at;
  };
  const auto afterQuotes = [&](int count) {
    std::size_t at = 0;
    for (int k = 0; k < count && at != std::string_view::npos; ++k)
      at = line.find('"', k > 0 ? at + 1 : 0);
    return at == std::string_view::npos ? line.size() : at + 1;
  };
  if (file == "change")
    return afterTokens(4);
  if (file == "rnd")
    return role == "skill" ? afterTokens(1) : line.size();
  if (file == "type")  // the chaos grade's amount shows nowhere
    return role == "amount" ? afterTokens(14) : line.size();
  if (file == "skill")
    return line.rfind('"') == std::string_view::npos ? line.size() : line.rfind('"') + 1;
  if (file == "std")
    return afterQuotes((std::atoi(std::string(line).c_str()) - 1000) % 15 == 0 ? 4 : 2);
  return line.size();
}

// The role of each data line of the sample's random prefix file.
std::vector<std::string> rndRoles(const Lines& lines) {
  std::vector<std::string> roles;
  int sinceNumber = 99;
  for (const std::string& line : lines.data) {
    sinceNumber = line.starts_with("#") ? 0 : sinceNumber + (line.size() > 1 ? 1 : 0);
    roles.push_back(line.size() <= 1   ? "empty"
                    : sinceNumber == 0 ? "number"
                    : sinceNumber == 1 ? "name"
                    : sinceNumber == 2 ? "type"
                                       : "skill");
  }
  return roles;
}

std::string normalised(std::string line) {
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  line = line.substr(0, line.find('\0'));
  normalizeLine(line);
  return line;
}

// The data lines as a loader sees them; equal for an edit that changes
// nothing the loaders read.
std::vector<std::string> asRead(const std::string& text) {
  std::vector<std::string> lines;
  DataLineReader reader(text);
  if (!reader.skipHeader())
    return {"(no -start-)"};
  for (std::string line; reader.readDataLine(line);)
    lines.push_back(line);
  return lines;
}

class Hunt {
 public:
  Hunt() : random_(kSeed), sample_(sampleFiles()) {
    const auto db = loadFiles(sample_);
    skills_ = skillsShown(*db);
    // In a shuffled order, so that a slip that changes the items of one
    // record shows after a few descriptions, not after half of them.
    for (int32_t number = kFirst; number < kLast; ++number) {
      describeItem(*db, number, text_);
      order_.push_back(number);
      descriptions_.push_back(std::hash<std::string>{}(text_));
    }
    for (std::size_t i = order_.size() - 1; i > 0; --i)
      std::swap(order_[i], order_[pick(i + 1)]);
  }

  // One edit; returns where it was made when it is a silent misread.
  std::optional<std::string> tryOne() {
    static const std::array<std::string, 5> kFiles = {"std", "skill", "type", "rnd", "change"};
    const std::string& file = kFiles[pick(kFiles.size())];
    Lines lines = split(sample_.at(file));
    std::vector<std::string> roles = file == "rnd" ? rndRoles(lines) : std::vector<std::string>();
    for (const std::string& line : lines.data)
      if (file == "type")
        roles.push_back(std::count(line.begin(), line.end(), ' ') >= 14 ? "amount" : "");
    std::size_t at = pick(lines.data.size());
    while (normalised(lines.data[at]).empty())
      at = pick(lines.data.size());
    const std::string before = lines.data[at];
    hidesData_ = false;
    editLine(lines, at);
    std::map<std::string, std::string> files = sample_;
    files[file] = lines.join();
    std::fprintf(stderr, "EDITHASH %zu\n", std::hash<std::string>{}(files[file]));
    if (!hidesData_ && asRead(files[file]) == asRead(sample_.at(file)))
      return std::nullopt;
    const auto db = loadFiles(files);
    if (db->lastError() || findDataWarnings(*db, kNames, memoryFiles(files)).count > 0)
      return std::nullopt;
    // Free: one line changed, its read part kept, its free part set off by a blank.
    const std::vector<std::string> original = split(sample_.at(file)).data;
    bool oneLine = !hidesData_ && lines.data.size() == original.size();
    for (std::size_t i = 0; oneLine && i < original.size(); ++i)
      oneLine = i == at || original[i] == lines.data[i];
    if (oneLine) {
      const std::string now = normalised(lines.data[at]);
      const std::string was = normalised(before);
      const std::string role = roles.empty() ? "" : roles[at];
      const std::size_t read = readPart(file, role, was);
      if (now.substr(0, read) == was.substr(0, read) && (now.size() == read || now[read] == ' '))
        return std::nullopt;
    }
    if (skillsShown(*db) != skills_ || !describesAlike(*db))
      return std::nullopt;
    // The first data line that differs, as it was and as it is now.
    const std::size_t i = static_cast<std::size_t>(
        std::mismatch(original.begin(), original.end(), lines.data.begin(), lines.data.end())
            .first -
        original.begin());
    const auto show = [](const std::vector<std::string>& data, std::size_t k) {
      return k < data.size() ? printable(data[k]) : "(end)";
    };
    return file + " line " + std::to_string(lines.head.size() + i + 1) + " was " +
           show(original, i) + ", now " + show(lines.data, i) + " then " + show(lines.data, i + 1);
  }

 private:
  std::size_t pick(std::size_t n) { return n == 0 ? 0 : random_() % n; }

  // Quoted, with control bytes escaped.
  static std::string printable(const std::string& text) { return testing::PrintToString(text); }

  // Whether every decodable number reads as it does in the sample set.
  bool describesAlike(const ItemDatabase& db) {
    for (const int32_t number : order_) {
      describeItem(db, number, text_);
      if (std::hash<std::string>{}(text_) !=
          descriptions_[static_cast<std::size_t>(number - kFirst)])
        return false;
    }
    return true;
  }

  // The skill list as the search shows it: each name, and whether it doubles.
  static std::vector<std::string> skillsShown(const ItemDatabase& db) {
    std::vector<std::string> shown;
    for (const auto& skill : db.skills())
      shown.push_back(skill ? skill->name + (skill->doublingFlag == 1 ? " x2" : "") : "-");
    return shown;
  }

  // Makes one slip on or around data line `at`.
  void editLine(Lines& lines, std::size_t at) {
    std::vector<std::string>& data = lines.data;
    std::string& line = data[at];
    const bool cr = !line.empty() && line.back() == '\r';
    std::string body = cr ? line.substr(0, line.size() - 1) : line;
    const std::string end = cr ? "\r" : "";
    std::vector<std::size_t> blanks;
    for (std::size_t i = 0; i < body.size(); ++i)
      if (body[i] == ' ')
        blanks.push_back(i);
    const auto blank = [&]() { return blanks.empty() ? body.size() : blanks[pick(blanks.size())]; };
    const auto place = [&](std::size_t i) { return data.begin() + static_cast<std::ptrdiff_t>(i); };
    static const std::array<std::string, 9> kTokens = {"7", "0",     "x",  "-1",   "12abc",
                                                       "2", "\xE9g", "\"", "1 000"};
    switch (pick(16)) {
      case 0:
      case 1: {  // change a number
        std::vector<std::size_t> starts;
        for (std::size_t i = 0; i < body.size(); ++i)
          if (std::isdigit(static_cast<unsigned char>(body[i])) &&
              (i == 0 || !std::isdigit(static_cast<unsigned char>(body[i - 1]))))
            starts.push_back(i);
        if (starts.empty())
          return;
        const std::size_t from = starts[pick(starts.size())];
        std::size_t to = from;
        while (to < body.size() && std::isdigit(static_cast<unsigned char>(body[to])))
          ++to;
        const int64_t value = std::atoll(body.substr(from, to - from).c_str());
        static const std::array<int64_t, 6> kDelta = {1, -1, 10, 100, -2, 3};
        body.replace(
            from, to - from,
            pick(4) == 0 ? "0" : std::to_string(std::max<int64_t>(0, value + kDelta[pick(6)])));
        break;
      }
      case 2: {  // insert a token
        const std::size_t where = blank();
        body.insert(where, " " + kTokens[pick(kTokens.size())]);
        break;
      }
      case 3: {  // delete a token
        if (blanks.empty())
          return;
        const std::size_t where = blank();
        body.erase(where, std::min(body.find(' ', where + 1), body.size()) - where);
        break;
      }
      case 4:  // delete a line
        data.erase(place(at));
        return;
      case 5: {  // duplicate a line, or copy one elsewhere
        const std::size_t to = pick(2) == 0 ? at : pick(data.size());
        data.insert(place(to), line);
        return;
      }
      case 6:  // join with the next line, with or without a blank
        if (at + 1 >= data.size())
          return;
        line = body + (pick(2) == 0 ? " " : "") + data[at + 1];
        data.erase(place(at + 1));
        return;
      case 7: {  // break the line at a blank
        if (blanks.empty())
          return;
        const std::size_t where = blank();
        data.insert(place(at + 1), body.substr(where + 1) + end);
        data[at] = body.substr(0, where) + end;
        return;
      }
      case 8: {  // duplicate the record: the lines up to the next empty line
        std::size_t last = at;
        std::size_t first = at;
        while (first > 0 && !normalised(data[first - 1]).empty())
          --first;
        while (last + 1 < data.size() && !normalised(data[last + 1]).empty())
          ++last;
        std::vector<std::string> record(place(first), place(last + 1));
        record.push_back(end);
        data.insert(place(last + 1), record.begin(), record.end());
        return;
      }
      case 9: {  // swap two fields
        if (blanks.empty())
          return;
        const std::size_t where = blank();
        const std::size_t from = body.rfind(' ', where == 0 ? 0 : where - 1);
        const std::size_t start = from == std::string::npos || from >= where ? 0 : from + 1;
        const std::size_t next = std::min(body.find(' ', where + 1), body.size());
        body.replace(
            start, next - start,
            body.substr(where + 1, next - where - 1) + " " + body.substr(start, where - start));
        break;
      }
      case 10: {  // change or remove a quote
        const std::size_t quote = body.find('"', pick(2) == 0 ? 0 : body.size() / 2);
        if (quote == std::string::npos)
          return;
        static const std::array<std::string, 4> kQuotes = {"", "\x84", "\x94", "''"};
        body.replace(quote, 1, kQuotes[pick(kQuotes.size())]);
        break;
      }
      case 11: {  // bytes after a Ctrl-Z, or a NUL tail
        const std::string copy = line;
        hidesData_ = true;
        data.back() += (pick(2) == 0 ? std::string("\x1A") : std::string(4, '\0')) + copy;
        return;
      }
      case 12:
      case 13:  // a blank becomes a tab or a no-break space
        if (blanks.empty())
          return;
        {
          const std::size_t where = blank();  // before the pick of the byte
          body[where] = pick(2) == 0 ? '\t' : '\xA0';
        }
        break;
      case 14: {  // change the line end
        static const std::array<std::string, 3> kEnds = {"\r\r", "", "\r \r"};
        line = body + kEnds[pick(kEnds.size())];
        return;
      }
      default:  // delete a character
        if (body.empty())
          return;
        body.erase(pick(body.size()), 1);
        break;
    }
    line = body + end;
  }

  std::mt19937 random_;
  bool hidesData_ = false;  // the edit puts data where the reader stops
  std::map<std::string, std::string> sample_;
  std::vector<std::string> skills_;
  std::vector<std::size_t> descriptions_;  // a hash of each number's, from kFirst
  std::vector<int32_t> order_;
  std::string text_;
};

TEST(SilentMisreadTest, EverySlipOfTheSampleSetIsNoticed) {
  Hunt hunt;
  std::vector<std::string> silent;
  for (int i = 0; i < kEdits; ++i)
    if (std::optional<std::string> misread = hunt.tryOne())
      silent.push_back("edit " + std::to_string(i) + ", " + *misread);
  std::string listed;
  for (const std::string& s : silent)
    listed += s + "\n";
  EXPECT_EQ(silent.size(), 0u) << listed;
}

}  // namespace
}  // namespace tamrix::test
