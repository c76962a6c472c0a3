#include "authoring/mechanical_fixes.h"

#include <algorithm>
#include <optional>

#include "text/encoding.h"

namespace tamrix {

namespace {

constexpr char kNoBreakSpace = '\xA0';
// The typographic quotes of Windows-1250: low double, left and right double.
// Outside a name (between a line's first and last plain quote) they stand
// where a name's plain quote belongs.
constexpr std::string_view kTypographicQuotes = "\x84\x93\x94";

bool hasHighByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class FixFinder {
 public:
  explicit FixFinder(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of(std::string_view("\x1A\0", 2));
    text_ = bytes.substr(0, end);
    lineEnd_ = text_.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  }

  std::vector<TextFix> find() {
    bool data = false;
    int32_t line = 1;
    for (std::size_t start = 0; start < text_.size(); ++line) {
      const std::size_t feed = text_.find('\n', start);
      const std::size_t end = feed == std::string_view::npos ? text_.size() : feed;
      std::size_t contentEnd = end;
      while (contentEnd > start && text_[contentEnd - 1] == '\r')
        --contentEnd;
      const std::string_view content = text_.substr(start, contentEnd - start);
      fixContent(line, start, content, data);
      if (feed != std::string_view::npos && end - contentEnd > 1)
        add(line, start, contentEnd, end - contentEnd, "\r",
            "a line end of several carriage returns becomes one CR LF");
      if (!data && content.find("-start-") != std::string_view::npos)
        data = true;
      start = feed == std::string_view::npos ? text_.size() : feed + 1;
    }
    return std::move(fixes_);
  }

 private:
  void add(int32_t line, std::size_t lineStart, std::size_t at, std::size_t length,
           std::string replacement, std::string what) {
    fixes_.push_back({at, length, std::move(replacement), line,
                      static_cast<int32_t>(at - lineStart) + 1, std::move(what)});
  }

  void fixContent(int32_t line, std::size_t lineStart, std::string_view content, bool data) {
    const std::size_t begin = static_cast<std::size_t>(content.data() - text_.data());
    // A whole file in UTF-8 starts with its byte order mark, or not.
    std::string_view body = content;
    const bool mark = line == 1 && body.starts_with("\xEF\xBB\xBF");
    if (mark)
      body.remove_prefix(3);
    if (mark || hasHighByte(body)) {
      if (const std::optional<std::string> converted = utf8ToCp1250(body);
          converted && (mark || *converted != body)) {
        std::string repaired = *converted;
        if (data)
          repairFields(repaired);
        add(line, lineStart, begin, content.size(), std::move(repaired),
            "the line, written in UTF-8, is rewritten in Windows-1250");
        return;
      }
    }
    for (std::size_t cr = content.find('\r'); cr != std::string_view::npos;
         cr = content.find('\r', cr + 1))
      add(line, lineStart, begin + cr, 1, lineEnd_, "a carriage return alone becomes a line end");
    if (!data)
      return;
    const std::size_t open = content.find('"');
    const std::size_t close = content.rfind('"');
    const bool named = open != close;
    for (std::size_t i = 0; i < content.size(); ++i) {
      const char c = content[i];
      const bool inName = named && i > open && i < close;
      if (c == '\t' && !inName)
        add(line, lineStart, begin + i, 1, " ", "a tab between fields becomes a blank");
      else if (c == kNoBreakSpace && !inName)
        add(line, lineStart, begin + i, 1, " ", "a no-break space between fields becomes a blank");
      else if (!inName && kTypographicQuotes.find(c) != std::string_view::npos)
        add(line, lineStart, begin + i, 1, "\"", "a typographic quote becomes a plain quote");
    }
  }

  // The same repairs as above, within a line just converted from UTF-8.
  static void repairFields(std::string& line) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    const bool named = open != close;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const bool inName = named && i > open && i < close;
      if ((line[i] == '\t' || line[i] == kNoBreakSpace) && !inName)
        line[i] = ' ';
      else if (!inName && kTypographicQuotes.find(line[i]) != std::string_view::npos)
        line[i] = '"';
    }
  }

  std::string_view text_;
  std::string lineEnd_;
  std::vector<TextFix> fixes_;
};

}  // namespace

std::vector<TextFix> findMechanicalFixes(std::string_view bytes) {
  std::vector<TextFix> fixes = FixFinder(bytes).find();
  std::sort(fixes.begin(), fixes.end(),
            [](const TextFix& a, const TextFix& b) { return a.at < b.at; });
  return fixes;
}

std::string applyFixes(std::string_view bytes, const std::vector<TextFix>& fixes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t done = 0;
  for (const TextFix& fix : fixes) {
    out.append(bytes.substr(done, fix.at - done)).append(fix.replacement);
    done = fix.at + fix.length;
  }
  return out.append(bytes.substr(done));
}

}  // namespace tamrix
