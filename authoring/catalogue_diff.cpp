#include "authoring/catalogue_diff.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <string_view>
#include <tuple>

#include "decoder/describe.h"
#include "decoder/item_number.h"

namespace tamrix {

namespace {

constexpr std::string_view kDamageWord = "sebz\xE9s";

// A part of a description. A bonus and the damage line keep their value
// apart from what they are, so that two values of one part can be told.
struct Piece {
  enum class Kind : char { kWord = 'w', kBonus = 'b', kDamage = 'd', kLine = 'l' };
  Kind kind = Kind::kWord;
  std::string_view shape;  // a bonus: the text after its value; a word or line: all of it
  std::string_view value;  // a bonus: "+7", "+4%"; the damage line: "1d6+1"
  int64_t order = 0;       // orders the values: a bonus's, twice a damage line's average

  std::string key() const { return static_cast<char>(kind) + std::string(shape); }
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The whole number at `at` (a plus sign before it is read), `at` moved past it.
int64_t numberAt(std::string_view text, std::size_t& at) {
  if (at < text.size() && text[at] == '+')
    ++at;
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
  at = static_cast<std::size_t>(end - text.data());
  return error == std::errc() ? value : 0;
}

// "+7 erő", "+4% találati esély ezzel a fegyverrel!"
Piece bonusPiece(std::string_view text) {
  std::size_t at = 0;
  Piece part{Piece::Kind::kBonus, {}, {}, numberAt(text, at)};
  if (at < text.size() && text[at] == '%')
    ++at;
  part.value = text.substr(0, at);
  part.shape = text.substr(at);
  return part;
}

// "sebzés : 2d6+3": dice × (sides + 1) + 2 × bonus orders it.
Piece damagePiece(std::string_view value) {
  Piece part{Piece::Kind::kDamage, kDamageWord, value, 0};
  std::size_t at = 0;
  const int64_t dice = numberAt(value, at);
  ++at;
  const int64_t sides = at < value.size() ? numberAt(value, at) : 0;
  const int64_t bonus = at < value.size() ? numberAt(value, at) : 0;
  part.order = dice * (sides + 1) + 2 * bonus;
  return part;
}

// The parts of a description: the name line's words, and each other line
// split before every blank that a sign and a digit follow (one bonus each).
std::vector<Piece> piecesOf(std::string_view text) {
  std::vector<Piece> parts;
  for (bool nameLine = true; !text.empty(); nameLine = false) {
    const std::size_t feed = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, feed);
    text.remove_prefix(std::min(feed + 1, text.size()));
    if (!nameLine && line.starts_with(kDamageWord) && line.substr(kDamageWord.size(), 2) == " :") {
      std::string_view value = line.substr(kDamageWord.size() + 2);
      while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
      parts.push_back(damagePiece(value));
      continue;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      const bool bonusStarts = i + 2 < line.size() && line[i] == ' ' &&
                               (line[i + 1] == '+' || line[i + 1] == '-') && isDigit(line[i + 2]);
      if (i == line.size() || (nameLine ? line[i] == ' ' : bonusStarts)) {
        // A bonus line before a damage line ends with a blank.
        std::string_view piece = line.substr(start, i - start);
        while (!piece.empty() && piece.back() == ' ')
          piece.remove_suffix(1);
        start = i + 1;
        if (piece.empty())
          continue;
        if (!nameLine && piece.size() > 1 && (piece[0] == '+' || piece[0] == '-') &&
            isDigit(piece[1]))
          parts.push_back(bonusPiece(piece));
        else
          parts.push_back({nameLine ? Piece::Kind::kWord : Piece::Kind::kLine, piece, {}, 0});
      }
    }
  }
  return parts;
}

// How one number's description changed: the parts only one side holds, and
// the pairs of a part that both hold with other values.
struct PieceChanges {
  std::vector<Piece> lost;
  std::vector<Piece> gained;
  std::vector<std::pair<Piece, Piece>> changed;
};

PieceChanges pieceChanges(const std::vector<Piece>& old, const std::vector<Piece>& now) {
  std::vector<bool> oldKept(old.size());
  std::vector<bool> nowUsed(now.size());
  const auto pairUp = [&](bool sameValue, PieceChanges* out) {
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (oldKept[i])
        continue;
      for (std::size_t j = 0; j < now.size(); ++j) {
        if (nowUsed[j] || old[i].key() != now[j].key() ||
            (sameValue && old[i].value != now[j].value))
          continue;
        oldKept[i] = nowUsed[j] = true;
        if (out != nullptr)
          out->changed.emplace_back(old[i], now[j]);
        break;
      }
    }
  };
  PieceChanges changes;
  pairUp(true, nullptr);  // the parts that stayed as they were
  pairUp(false, &changes);
  for (std::size_t i = 0; i < old.size(); ++i)
    if (!oldKept[i])
      changes.lost.push_back(old[i]);
  for (std::size_t j = 0; j < now.size(); ++j)
    if (!nowUsed[j])
      changes.gained.push_back(now[j]);
  return changes;
}

// The lowest and highest of the values one part takes over a group.
struct Span {
  bool taken = false;
  std::string low;
  std::string high;
  int64_t lowOrder = 0;
  int64_t highOrder = 0;

  void add(const Piece& part) {
    // The damage line of three zeros shows no figure.
    const std::string_view value = part.value.empty() ? "(nothing)" : part.value;
    if (!taken || part.order < lowOrder)
      low = value, lowOrder = part.order;
    if (!taken || part.order > highOrder)
      high = value, highOrder = part.order;
    taken = true;
  }
  std::string text() const { return low == high ? low : low + " to " + high; }
};

// A lost or gained part, its value a span over the group.
std::string pieceText(const Piece& part, const Span& span) {
  switch (part.kind) {
    case Piece::Kind::kBonus:
      return span.text() + std::string(part.shape);
    case Piece::Kind::kDamage:
      return std::string(kDamageWord) + " : " + span.text();
    default:
      return std::string(part.shape);
  }
}

std::string pieceName(const Piece& part) {
  std::string_view name = part.shape;
  while (!name.empty() && name.front() == ' ')
    name.remove_prefix(1);
  return std::string(name);
}

// A group as it is gathered: the parts of its first number, and the span of
// every value each part takes.
struct Gathered {
  ChangeGroup group;
  PieceChanges parts;
  std::vector<Span> lost, gained, before, after;
};

void gather(Gathered& g, const PieceChanges& changes) {
  if (g.group.numbers.empty()) {
    g.parts = changes;
    g.lost.resize(changes.lost.size());
    g.gained.resize(changes.gained.size());
    g.before.resize(changes.changed.size());
    g.after.resize(changes.changed.size());
  }
  for (std::size_t i = 0; i < changes.lost.size(); ++i)
    g.lost[i].add(changes.lost[i]);
  for (std::size_t i = 0; i < changes.gained.size(); ++i)
    g.gained[i].add(changes.gained[i]);
  for (std::size_t i = 0; i < changes.changed.size(); ++i) {
    g.before[i].add(changes.changed[i].first);
    g.after[i].add(changes.changed[i].second);
  }
}

ChangeGroup finished(Gathered& g) {
  ChangeGroup group = std::move(g.group);
  for (std::size_t i = 0; i < g.parts.lost.size(); ++i)
    group.lost.push_back(pieceText(g.parts.lost[i], g.lost[i]));
  for (std::size_t i = 0; i < g.parts.gained.size(); ++i)
    group.gained.push_back(pieceText(g.parts.gained[i], g.gained[i]));
  for (std::size_t i = 0; i < g.parts.changed.size(); ++i)
    group.changed.push_back(
        {pieceName(g.parts.changed[i].first), g.before[i].text(), g.after[i].text()});
  return group;
}

// One body for both lists of numbers: `forEach` hands each number to the
// comparison in increasing order.
template <typename ForEach>
std::vector<CatalogueChange> changesAmong(const ItemDatabase& before, const ItemDatabase& after,
                                          ForEach forEach) {
  std::vector<CatalogueChange> changes;
  std::string old;
  std::string now;
  forEach([&](int32_t number) {
    describeItem(before, number, old);
    describeItem(after, number, now);
    if (old != now)
      changes.push_back({number, old, now});
  });
  return changes;
}

}  // namespace

void addOnce(std::vector<int32_t>& values, int32_t value) {
  const auto at = std::lower_bound(values.begin(), values.end(), value);
  if (at == values.end() || *at != value)
    values.insert(at, value);
}

std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after,
                                            const std::vector<int32_t>& numbers) {
  return changesAmong(before, after, [&](const auto& compare) {
    for (const int32_t number : numbers)
      compare(number);
  });
}

std::vector<CatalogueChange> diffCatalogues(const ItemDatabase& before, const ItemDatabase& after) {
  // Over the item numbers of both sets; a set that describes none adds none.
  const ItemNumberRange a = itemNumberRange(before);
  const ItemNumberRange b = itemNumberRange(after);
  const ItemNumberRange both =
      a.first == a.end   ? b
      : b.first == b.end ? a
                         : ItemNumberRange{std::min(a.first, b.first), std::max(a.end, b.end)};
  return changesAmong(before, after, [&](const auto& compare) {
    for (int64_t n = both.first; n < both.end; ++n)
      compare(static_cast<int32_t>(n));
  });
}

std::vector<ChangeGroup> groupChanges(const ItemDatabase& db,
                                      const std::vector<CatalogueChange>& changes) {
  // What a group is: its kind and what each part it lost, gained and
  // changed is, whatever the values.
  using Key = std::tuple<ChangeGroup::Kind, std::vector<std::string>, std::vector<std::string>,
                         std::vector<std::string>>;
  std::map<Key, Gathered> groups;
  for (const CatalogueChange& c : changes) {
    Key key{c.before.empty()  ? ChangeGroup::Kind::kAppeared
            : c.after.empty() ? ChangeGroup::Kind::kDisappeared
                              : ChangeGroup::Kind::kChanged,
            {},
            {},
            {}};
    PieceChanges parts;
    if (std::get<0>(key) == ChangeGroup::Kind::kChanged) {
      parts = pieceChanges(piecesOf(c.before), piecesOf(c.after));
      for (const Piece& part : parts.lost)
        std::get<1>(key).push_back(part.key());
      for (const Piece& part : parts.gained)
        std::get<2>(key).push_back(part.key());
      for (const auto& pair : parts.changed)
        std::get<3>(key).push_back(pair.first.key());
    }
    Gathered& g = groups[key];
    gather(g, parts);
    g.group.kind = std::get<0>(key);
    g.group.numbers.push_back(c.number);
    if (const std::optional<ItemNumber> item = decomposeItemNumber(db, c.number)) {
      addOnce(g.group.grades, item->grade);
      addOnce(g.group.prefixes, item->prefix);
    }
  }
  std::vector<ChangeGroup> sorted;
  for (auto& [key, g] : groups)
    sorted.push_back(finished(g));
  std::sort(sorted.begin(), sorted.end(), [](const ChangeGroup& a, const ChangeGroup& b) {
    return std::pair(b.numbers.size(), a.numbers.front()) <
           std::pair(a.numbers.size(), b.numbers.front());
  });
  return sorted;
}

}  // namespace tamrix
