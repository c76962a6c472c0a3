#include "authoring/name_checks.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "authoring/hungarian.h"
#include "authoring/wording.h"
#include "database/number_field.h"

namespace tamrix {

namespace {

using Code = WarningCode;

std::string str(int64_t value) {
  return std::to_string(value);
}

std::string quoted(std::string_view text) {
  return std::string("\"").append(text).append("\"");
}

// The capitals of Windows-1250 Hungarian: A to Z, Á É Í Ó Ö Ő Ú Ü Ű.
bool isCapital(char c) {
  constexpr std::string_view kAccented = "\xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB";
  return (c >= 'A' && c <= 'Z') || kAccented.find(c) != std::string_view::npos;
}

class Names {
 public:
  Names(const SourceFile& file, const std::string& fileName, const ItemDatabase& db,
        WarningKeeper& sink)
      : fileName_(fileName), db_(db), file_(file), sink_(sink) {}

  void skills() {
    std::map<std::string, int32_t> first;  // name -> index
    for (int32_t index = 0; index < db_.skillCount(); ++index) {
      const std::optional<SkillEntry>& skill = db_.skills()[static_cast<std::size_t>(index)];
      if (!skill)
        continue;
      const SourceLine where = nameAt(skill->line, 0);
      questionMark(where, skill->name, "skill " + str(index),
                   hu("a(z) ") + str(index) + hu(". képesség"));
      const auto [found, added] = first.try_emplace(skill->name, index);
      // Copied: the page's compiler lets no lambda name a structured binding.
      const int32_t other = found->second;
      if (!added)
        add(where, Code::kNameRepeated, [&] {
          return WarningTexts{"skill " + str(index) + " has the name of skill " + str(other) +
                                  ", " + quoted(skill->name) +
                                  ": the descriptions cannot tell them apart",
                              hu("a(z) ") + str(index) + hu(". képesség neve ugyanaz, mint a(z) ") +
                                  str(other) + hu(". képességé, ") + quoted(skill->name) +
                                  hu(": a leírásokban nem lehet őket megkülönböztetni"),
                              {{{fileName_, db_.skills()[static_cast<std::size_t>(other)]->line, 0},
                                "skill " + str(other) + " has this name",
                                hu("a(z) ") + str(other) + hu(". képességnek is ez a neve")}}};
        });
    }
  }

  void stdItems() {
    for (int32_t slot = 0; slot < db_.stdItemCount(); ++slot) {
      const StdItemEntry& item = db_.stdItems()[static_cast<std::size_t>(slot)];
      if (!item.name)
        continue;
      const bool base = db_.groupSize() > 0 && slot % db_.groupSize() == 0;
      const std::string number = str(int64_t{db_.specItemCount()} + slot);
      const std::string what = "item " + number;
      const std::string whatHu = hu("a(z) ") + number + hu(" tárgy");
      const SourceLine where = nameAt(item.line, 0);
      questionMark(where, *item.name, what, whatHu);
      if (item.name->empty())
        add(where, Code::kNameEmpty, [&] {
          return WarningTexts{
              base ? "the name of " + what + " is empty: its plain items have no base word"
                   : "the grade name of " + what +
                         " is empty: the grade reads exactly like its base",
              base ? whatHu + hu(" neve üres: előtag nélküli tárgyaiból hiányzik az alapszó")
                   : whatHu + hu(" fokozatneve üres: a fokozat pontosan úgy olvasható, mint az "
                                 "alaptárgya")};
        });
      if (base && item.prefixedName) {
        const SourceLine second = nameAt(item.line, 1);
        questionMark(second, *item.prefixedName, what, whatHu);
        if (item.prefixedName->empty())
          add(second, Code::kNameEmpty, [&] {
            return WarningTexts{
                "the second name of " + what +
                    " is empty: every item of the group with a random prefix loses its base word",
                whatHu + hu(" második neve üres: a csoport minden előtagos tárgyából hiányzik az "
                            "alapszó")};
          });
      }
    }
  }

  void rndItems() {
    for (int32_t index = 0; index < db_.skillCount(); ++index)
      if (const auto& skill = db_.skills()[static_cast<std::size_t>(index)])
        skillNamed_.try_emplace(skill->name, index);
    std::map<std::string, int32_t> first;
    for (int32_t slot = 1; slot < db_.rndItemCount(); ++slot) {
      const std::optional<RndItemEntry>& prefix = db_.rndItems()[static_cast<std::size_t>(slot)];
      if (!prefix)
        continue;
      const std::string what = "random prefix " + str(slot);
      const std::string whatHu = hu("a(z) ") + str(slot) + hu(". előtag");
      const DataLine* numberLine = lineAt(prefix->line);
      const int32_t nameLine =
          numberLine != nullptr && numberLine + 1 < file_.lines().data() + file_.lines().size()
              ? (numberLine + 1)->line
              : 0;
      const SourceLine where = nameAt(nameLine, 0);
      const std::string_view name = prefix->name;
      questionMark(where, name, what, whatHu);
      const std::string own = !name.empty() && isVowel(name.front()) ? "az " : "a ";
      for (const std::string_view article : {"a ", "az ", "A ", "Az "})
        if (name.starts_with(article))
          add(where, Code::kNameArticle, [&] {
            return WarningTexts{"the name of " + what + " begins with the article " +
                                    quoted(article.substr(0, article.size() - 1)) +
                                    ", and the description puts its own before it: " +
                                    quoted(own + std::string(name)),
                                whatHu + hu(" neve névelővel kezdődik (") +
                                    quoted(article.substr(0, article.size() - 1)) +
                                    hu("), és a leírás a sajátját is elé teszi: ") +
                                    quoted(own + std::string(name))};
          });
      if (name.starts_with(' '))
        add(where, Code::kNameBlank, [&] {
          return WarningTexts{
              "the name of " + what + " begins with a blank, so the description reads " +
                  quoted(std::string("a").append(name)) + " with the article chosen for the blank",
              whatHu + hu(" neve szóközzel kezdődik, ezért a leírásban ") +
                  quoted(std::string("a").append(name)) +
                  hu(" áll, a szóközhöz választott névelővel")};
        });
      else if (!name.empty() && isCapital(name.front()))
        add(where, Code::kNameCapital, [&] {
          return WarningTexts{
              "the name of " + what +
                  " begins with a capital letter, which the description keeps after its small "
                  "article: " +
                  quoted(own + std::string(name)),
              whatHu +
                  hu(" neve nagybetűvel kezdődik, amit a leírás a kisbetűs névelő után is "
                     "megtart: ") +
                  quoted(own + std::string(name))};
        });
      const auto [found, added] = first.try_emplace(prefix->name, slot);
      const int32_t other = found->second;  // copied, as above
      if (!added)
        add(where, Code::kNameRepeated, [&] {
          return WarningTexts{
              what + " has the name of random prefix " + str(other) + ", " + quoted(name) +
                  ": their items cannot be told apart by name",
              whatHu + hu(" neve ugyanaz, mint a(z) ") + str(other) + hu(". előtagé, ") +
                  quoted(name) + hu(": tárgyaikat a nevük alapján nem lehet megkülönböztetni"),
              {{{fileName_, db_.rndItems()[static_cast<std::size_t>(other)]->line, 0},
                "random prefix " + str(other) + " has this name",
                hu("a(z) ") + str(other) + hu(". előtagnak is ez a neve")}}};
        });
      remarks(*prefix, what, whatHu);
    }
  }

 private:
  static bool isVowel(char c) {
    constexpr std::string_view kVowels = "aAeEiIoOuU\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB\xC1\xC9";
    return kVowels.find(c) != std::string_view::npos;
  }

  // A remark after a skill index that is the name of another skill.
  void remarks(const RndItemEntry& prefix, const std::string& what, const std::string& whatHu) {
    for (const int32_t lineNumber : prefix.skillLines) {
      const DataLine* line = lineNumber == 0 ? nullptr : lineAt(lineNumber);
      if (line == nullptr)
        continue;
      const std::string_view text = line->text();
      const std::size_t blank = text.find(' ');
      if (blank == std::string_view::npos)
        continue;
      const std::string_view remark = text.substr(blank + 1);
      const int32_t index = readNumber(text);
      if (index < 0 || index >= db_.skillCount())
        continue;  // an index that names no skill has a warning of its own
      const auto named = skillNamed_.find(remark);
      const std::optional<SkillEntry>& own = db_.skills()[static_cast<std::size_t>(index)];
      if (named == skillNamed_.end() || named->second == index || (own && own->name == remark))
        continue;
      add({fileName_, lineNumber, line->column(blank + 1)}, Code::kRemarkOtherSkill, [&] {
        return WarningTexts{
            "the remark names skill " + str(named->second) + " " + quoted(remark) + ", but " +
                what + " reads skill index " + str(index) +
                (own ? std::string(" ").append(quoted(own->name)) : std::string()) +
                ": which one is meant?",
            hu("a megjegyzés a(z) ") + str(named->second) + hu(". képességet nevezi meg (") +
                quoted(remark) + hu("), de ") + whatHu + hu(" a(z) ") + str(index) +
                hu(". képesség sorszámát olvassa") +
                (own ? std::string(" (").append(quoted(own->name)).append(")") : std::string()) +
                hu(": melyik a helyes?")};
      });
    }
  }

  void questionMark(const SourceLine& where, std::string_view name, const std::string& what,
                    const std::string& whatHu) {
    if (name.find('?') != std::string_view::npos)
      add(where, Code::kNameQuestionMark, [&] {
        return WarningTexts{
            "the name of " + what +
                " holds a \"?\", the mark that descriptions show for a missing "
                "name: " +
                quoted(name),
            whatHu + hu(" nevében „?” áll, amelyet a leírás a hiányzó név helyén mutat: ") +
                quoted(name)};
      });
  }

  // The first piece of line `line`, or null.
  const DataLine* lineAt(int32_t line) const {
    const std::vector<DataLine>& lines = file_.lines();
    const auto found = std::lower_bound(lines.begin(), lines.end(), line,
                                        [](const DataLine& l, int32_t n) { return l.line < n; });
    return found == lines.end() || found->line != line ? nullptr : &*found;
  }

  // The place of the `nth` name (from 0) of line `line`: its first byte.
  SourceLine nameAt(int32_t line, int nth) const {
    const DataLine* found = lineAt(line);
    if (found == nullptr)
      return {fileName_, line, 0};
    const std::string_view text = found->text();
    std::size_t quote = text.find('"');
    for (int k = 0; k < nth * 2 && quote != std::string_view::npos; ++k)
      quote = text.find('"', quote + 1);
    return {fileName_, line, quote == std::string_view::npos ? 0 : found->column(quote + 1)};
  }

  template <typename BuildTexts>
  void add(const SourceLine& where, Code code, BuildTexts&& build) {
    sink_.add(where, code, std::forward<BuildTexts>(build));
  }

 private:
  const std::string& fileName_;
  const ItemDatabase& db_;
  const SourceFile& file_;
  std::map<std::string, int32_t, std::less<>> skillNamed_;  // the first index of each name
  WarningKeeper& sink_;
};

}  // namespace

void findNameSlips(const SourceFile& file, DataFile role, const std::string& fileName,
                   const ItemDatabase& db, WarningKeeper& sink) {
  Names names(file, fileName, db, sink);
  if (role == DataFile::kSkills)
    names.skills();
  else if (role == DataFile::kStdItems)
    names.stdItems();
  else if (role == DataFile::kRndItems)
    names.rndItems();
}

}  // namespace tamrix
