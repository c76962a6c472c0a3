// The catalogue and the query language, on a small data set written here.
#include "search/query.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "search/compare.h"
#include "search/csv.h"
#include "search/fold.h"
#include "search/name_words.h"
#include "search/small_data_set.h"
#include "search/suggestions.h"
#include "text/encoding.h"

namespace tamrix {
namespace {

// The catalogue of the small set, built once for all tests.
const Catalogue& catalogue() {
  static const std::unique_ptr<Catalogue> built = test::buildSmallCatalogue();
  if (!built) {
    std::fputs("the small data set does not load\n", stderr);
    std::abort();
  }
  return *built;
}

TEST(CatalogueTest, EveryNumberWithADescriptionInOrder) {
  const std::vector<CatalogueItem>& items = catalogue().items();
  // Prefixes 0 and 1 whole, and the chaos items of the 62 prefixes without an entry.
  ASSERT_EQ(items.size(), 450u + 450u + 62u * 30u);
  EXPECT_EQ(items.front().number, 1000);
  EXPECT_EQ(items.back().number, 29799);
  EXPECT_EQ(std::make_pair(catalogue().skill(1), catalogue().skill(3)->index),
            std::make_pair(static_cast<const CatalogueSkill*>(nullptr), 3));
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                             [](const auto& a, const auto& b) { return a.number < b.number; }));

  const CatalogueItem& item = items[451];
  EXPECT_EQ(item.number, 1451);
  EXPECT_EQ(item.nameLine(), *utf8ToCp1250("a lángoló finom kardja"));
  EXPECT_EQ(item.foldedName(), "a langolo finom kardja");
  EXPECT_EQ(std::tie(item.kind, item.grade, item.prefix, item.chaos),
            std::make_tuple(11, 1, 1, false));
  std::vector<std::pair<int32_t, int32_t>> bonuses;
  for (const SkillSum& bonus : item.bonuses())
    bonuses.emplace_back(bonus.skill, bonus.sum);
  EXPECT_EQ(bonuses, (std::vector<std::pair<int32_t, int32_t>>{{3, 2}, {6, 45}, {7, 3}, {40, -1}}));

  const CatalogueItem& chaos = items[464];
  EXPECT_EQ(chaos.description(), *utf8ToCp1250("Káosz tárgy!"));
  EXPECT_EQ(std::tie(chaos.number, chaos.kind, chaos.grade, chaos.chaos),
            std::make_tuple(1464, 11, 14, true));
  EXPECT_TRUE(chaos.bonuses().empty());
}

TEST(SearchTest, QueriesAndTheNumbersTheyGiveInOrder) {
  std::vector<int32_t> group0Prefix1(15);
  std::iota(group0Prefix1.begin(), group0Prefix1.end(), 1450);
  const std::pair<const char*, std::vector<int32_t>> rows[] = {
      // Words and phrases, folded on both sides.
      {"FINOM", {1001, 1451}},
      {"langolo finom", {1451}},
      {"finom\tkard", {1001, 1451}},
      {"\"lángoló finom\"", {1451}},
      {"kard -tompa -?", {1000, 1001, 1450, 1451}},
      {"kard -", {}},         // a lone minus is a word
      {"kard:", {}},          // so is any other term with a colon
      {"\"kind:11\"", {}},    // and a quoted filter
      {"kard \xD0\xB6", {}},  // a letter that Windows-1250 lacks matches nothing
      {"finom -\xD0\xB6", {1001, 1451}},
      // Filters.
      {"kind:weapon grade:1 -langolo", {1001, 1031}},
      {"kind:1 grade:1", {1016, 1466}},
      {"pancel grade:0..1", {1015, 1016, 1465, 1466}},
      {"grade:14 kard", {1014}},
      {"prefix:0 finom", {1001}},
      {"kaosz prefix:1 kind:12", {1494}},
      {"-kind:11 -kind:0 grade:1", {1016, 1031, 1466, 1481}},
      // Comparisons: the sum the description shows, 0 where it shows none.
      {"tuzsebzes>=13 kard", {1462, 1463}},
      {"tuzs>12 kard", {1462, 1463}},
      {"tuzsebzes=1 kind:1", {1465}},
      {"tuzsebzes<1 kard grade:0..1", {1000, 1001}},
      {"-tuzsebzes>0 kard grade:0..1", {1000, 1001}},
      {"\"találati esély\">=3 kind:weapon", {1001, 1002, 1030, 1451, 1452, 1480}},
      {"talalati_esely>=3 kind:weapon", {1001, 1002, 1030, 1451, 1452, 1480}},
      {"tartossag=20", {1015, 1465}},
      {"tartossag<=-1", {}},
      {"ero<0 grade:0 kard", {1450}},        // skill 40 is -1
      {"ero=0 grade:0 kard", {1000, 1450}},  // skill 0 is 0 on both
      {"er<0 grade:0 kard", {1450}},         // the start of one distinct name
      {"eletero>=0 finom", {1001, 1451}},    // a whole name, though another begins with it
      {"ero>=-2147483648 finom", {1001, 1451}},
      {"kaosz tuzsebzes=0 prefix:1 kind:12", {1494}},
      {"\xD0\xB6>=1", {}},
      {"finom -\xD0\xB6>=1", {1001, 1451}},
      // Sorts: the numbers in the order they must come. Damage: 2 x average 13,
      // 11, 9; highest first unless asc.
      {"kard grade:0..2 sort:damage", {1002, 1452, 1001, 1451, 1000, 1450}},
      {"kard grade:0..2 sort:damage:asc", {1000, 1450, 1001, 1451, 1002, 1452}},
      // Without a damage line (armour, the chaos item) last either way.
      {"grade:0..1 prefix:0 -? sort:damage", {1001, 1000, 1030, 1015, 1016}},
      {"grade:0..1 prefix:0 -? sort:damage:asc", {1030, 1000, 1001, 1015, 1016}},
      {"prefix:1 kind:11 -grade:3..13 sort:damage:asc", {1450, 1451, 1452, 1464}},
      // Skills; ties by number, or by the next sort term.
      {"kard prefix:1 grade:0..2 sort:tuzsebzes", {1452, 1451, 1450}},
      {"kard prefix:1 grade:0..2 sort:tuzs:asc", {1450, 1451, 1452}},
      {"grade:0..2 -? sort:talalati_esely",
       {1002, 1452, 1001, 1030, 1451, 1480, 1000, 1450, 1015, 1016, 1465, 1466}},
      {"grade:0..2 -? sort:\"találati esély\" sort:name",
       {1452, 1002, 1451, 1480, 1001, 1030, 1450, 1000, 1466, 1465, 1016, 1015}},
      {"grade:0..2 -? sort:talalati_esely:asc sort:name:desc",
       {1015, 1016, 1465, 1466, 1000, 1450, 1030, 1001, 1480, 1451, 1002, 1452}},
      // A name for two skills sorts by the larger sum: 0 for both, not -1.
      {"kard grade:0 sort:ero:asc", {1000, 1450}},
      {"kard prefix:0 grade:0..2 sort:grade", {1002, 1001, 1000}},
      {"finom sort:number:desc", {1451, 1001}},
      {"finom sort:name", {1451, 1001}},  // "a lángoló finom kardja" first
      {"finom SORT:NUMBER", {}},          // a word: the term names are as written
      {"finom \"sort:name\"", {}},
      // Groups: the group base of any number, whatever the prefix.
      {"group:1900 grade:1", {1001, 1451}},  // a number without a description
      {"group:1460 prefix:1 sort:grade:asc", group0Prefix1},
      {"-group:1000 grade:1 prefix:0 -?", {1016}},
      {"group:29799 prefix:0 grade:0", {1435}},
  };
  for (const auto& [query, numbers] : rows) {
    const SearchResult result = search(catalogue(), query);
    EXPECT_EQ(result.error, std::nullopt) << query;
    EXPECT_EQ(result.numbers, numbers) << query;
  }
}

TEST(SearchTest, AWordThatNoNameHoldsGetsTheNearestName) {
  const std::pair<const char*, std::optional<std::pair<std::string, std::string>>> rows[] = {
      {"langlo", {{"langolo", "lángoló"}}},
      {"kard  LANGLO grade:1", {{"kard  langolo grade:1", "lángoló"}}},
      {"tmpa pancl", {{"tompa pancel", "Tompa Páncél"}}},
      {"kardd", {{"kard", "kard"}}},  // one edit before two
      {"kard sisak", std::nullopt},   // no name within two edits
      {"xq", std::nullopt},           // fewer edits than letters
      {"-langlo", std::nullopt},
      {"\"langlo\"", std::nullopt},
      {"tuz>=4 langlo", std::nullopt},
  };
  for (const auto& [query, wanted] : rows) {
    const std::optional<QuerySuggestion> got = suggestQuery(catalogue(), query);
    EXPECT_EQ(got ? std::optional(std::pair(got->query, got->words)) : std::nullopt, wanted)
        << query;
  }
}

TEST(SearchTest, OfEquallyNearWordsTheOneInMoreNameLinesWins) {
  // "bxr" is one edit from "bar", eight times in each of 2 name lines, and
  // from "bor", once in each of 15.
  std::map<std::string, std::string> files = test::kSmallDataSet;
  std::string& items = files["stditem.txt"];
  for (const auto& [from, to] : {std::pair<std::string_view, std::string_view>(
                                     "\"Páncél\" \"páncélja\"", "\"bor\" \"borja\""),
                                 {"\"nehéz \"", "\"bar bar bar bar bar bar bar bar \""}})
    items.replace(items.find(from), from.size(), to);
  const std::unique_ptr<Catalogue> variant = test::buildSmallCatalogue(files);
  ASSERT_NE(variant, nullptr);
  EXPECT_EQ(NameWords(*variant).closest("bxr").value_or(NameWord()).folded, "bor");
  EXPECT_FALSE(NameWords(*variant).closest("bor"));  // a name's own word
}

TEST(CompareTest, RowsOfEverySkillShownWithTheBestMarked) {
  const std::vector<int32_t> numbers = {1452, 1016, 1000, 0};
  const Comparison comparison = compareItems(catalogue(), numbers);
  EXPECT_EQ(comparison.names[1], *utf8ToCp1250("nehéz Páncél"));
  EXPECT_EQ(comparison.names[3], "");
  const std::vector<std::tuple<int32_t, std::vector<int32_t>, std::vector<bool>>> rows = {
      {3, {3, 0, 0, 0}, {true, false, false, false}},
      {6, {50, 25, 40, 0}, {true, false, false, false}},
      {7, {4, 0, 2, 0}, {true, false, false, false}},
      {8, {0, 6, 0, 0}, {false, true, false, false}},
      {40, {-1, 0, 0, 0}, {false, true, true, false}},  // 0 is no item: not the best
  };
  std::vector<std::tuple<int32_t, std::vector<int32_t>, std::vector<bool>>> got;
  for (const ComparisonRow& row : comparison.rows)
    got.emplace_back(row.skill, row.values, row.best);
  EXPECT_EQ(got, rows);
  ASSERT_EQ(comparison.damage.size(), 4u);
  EXPECT_EQ(comparison.damage[0]->twiceAverage(), 13);
  EXPECT_FALSE(comparison.damage[1] || comparison.damage[3]);
  EXPECT_EQ(comparison.damageBest, std::vector<bool>({true, false, false, false}));
  // Equal everywhere: nothing stands out; no damage line: no damage row.
  const std::vector<int32_t> armour = {1015, 1465};
  const Comparison same = compareItems(catalogue(), armour);
  EXPECT_EQ(same.rows[1].best, std::vector<bool>({false, false}));
  EXPECT_TRUE(same.damage.empty());
}

TEST(CsvTest, OneLinePerNumberUnderEveryPresentSkill) {
  const std::vector<int32_t> numbers = {1451, 1464, 0};
  EXPECT_EQ(csvTable(catalogue(), numbers),
            "\xEF\xBB\xBFnumber,name,kind,grade,prefix,group base,damage,Erő,tűzsebzés,tartósság,"
            "találati esély,védekezés,tűzmágia,erő,életerő,életerő ölésenként\r\n"
            "1451,a lángoló finom kardja,11,1,1,1000,1d8+1,,2,45,3,,,-1,,\r\n"
            "1464,Káosz tárgy!,11,14,1,1000,,,,,,,,,,\r\n"
            "0,,,,,,,,,,,,,,,\r\n");
}

TEST(SearchTest, TheEmptyQueryMatchesEveryItem) {
  for (const char* query : {"", " \t "})
    EXPECT_EQ(search(catalogue(), query).numbers.size(), catalogue().items().size()) << query;
}

// "ero" names two skills; each skill comes once, in the query's order.
TEST(SearchTest, AQueryTellsTheSkillsAndSortTermsItReadsBy) {
  const SearchResult result = search(catalogue(), "sort:ero kard tuzsebzes>=1 sort:name tuzs>0");
  EXPECT_EQ(result.skills, (std::vector<int32_t>{0, 40, 3}));
  using Place = std::pair<std::size_t, std::size_t>;
  EXPECT_EQ(result.sortTerms, (std::vector<Place>{{0, 8}, {27, 9}}));
}

// In tamrix-cli's English and, for one query of each error, in the page's
// Hungarian.
TEST(SearchTest, UnreadableQueriesNameTheTerm) {
  struct Row {
    const char* query;
    const char* english;
    const char* hungarian = nullptr;
  };
  const Row rows[] = {
      {"\"finom kard", "'\"finom kard': unbalanced quote"},
      {"kard \"finom", "'\"finom': unbalanced quote", "„\"finom”: nincs lezárva az idézőjel"},
      {"-kind:", "'-kind:': kind: needs a number or weapon",
       "„-kind:”: kind: után szám vagy weapon kell"},
      {"grade:15", "'grade:15': grade: needs N or N..M with 0 <= N <= M <= 14"},
      {"grade:3..1", "'grade:3..1': grade: needs N or N..M with 0 <= N <= M <= 14",
       "„grade:3..1”: grade: után N vagy N..M kell, 0 <= N <= M <= 14"},
      {"grade:-1..2", "'grade:-1..2': grade: needs N or N..M with 0 <= N <= M <= 14"},
      {"grade:1...2", "'grade:1...2': grade: needs N or N..M with 0 <= N <= M <= 14"},
      {"prefix:one", "'prefix:one': prefix: needs a number",
       "„prefix:one”: prefix: után szám kell"},
      {"tuz>=4", "'tuz>=4': tuz names more than one skill: tűzsebzés, tűzmágia",
       "„tuz>=4”: több képesség neve kezdődik így: tuz (tűzsebzés, tűzmágia)"},
      {"e>=1", "'e>=1': e names more than one skill: Erő, életerő, életerő ölésenként"},
      {"xyz>=1", "'xyz>=1': xyz names no skill",
       "„xyz>=1”: egy képesség neve sem kezdődik így: xyz"},
      {"\"tűz ero\"<1", "'\"tűz ero\"<1': \"tűz ero\" names no skill"},
      {"ero>=x", "'ero>=x': >= needs a number within 32 bits"},
      {"ero<2147483648", "'ero<2147483648': < needs a number within 32 bits"},
      {"ero=>1", "'ero=>1': = needs a number within 32 bits",
       "„ero=>1”: = után 32 bites egész szám kell"},
      {">=1", "'>=1': no skill name before >=", "„>=1”: >= előtt nincs képességnév"},
      {"kard ero>+1", "'ero>+1': > needs a number within 32 bits"},
      {"-sort:grade", "'-sort:grade': sort: orders the results and cannot be negated",
       "„-sort:grade”: sort: csak rendez, nem lehet tagadni"},
      {"sort:xyz", "'sort:xyz': sort: needs number, grade, name, damage or a skill name",
       "„sort:xyz”: sort: után number, grade, name, damage vagy egy képesség neve kell"},
      {"sort:", "'sort:': sort: needs number, grade, name, damage or a skill name"},
      {"sort:grade:up", "'sort:grade:up': sort: the direction must be asc or desc",
       "„sort:grade:up”: sort: irányként csak asc vagy desc állhat"},
      {"sort:tuz", "'sort:tuz': tuz names more than one skill: tűzsebzés, tűzmágia"},
      {"group:999", "'group:999': group: needs an item number from 1000 to 29799",
       "„group:999”: group: után tárgyszám kell 1000 és 29799 között"},
      {"-group:29800", "'-group:29800': group: needs an item number from 1000 to 29799"},
      {"group:x", "'group:x': group: needs an item number from 1000 to 29799"},
  };
  for (const Row& row : rows) {
    const SearchResult result = search(catalogue(), row.query);
    ASSERT_TRUE(result.error) << row.query;
    EXPECT_EQ(searchErrorEnglish(*result.error), row.english) << row.query;
    if (row.hungarian != nullptr) {
      EXPECT_EQ(searchErrorHungarian(*result.error), row.hungarian) << row.query;
    }
    EXPECT_TRUE(result.numbers.empty()) << row.query;
  }
}

TEST(FoldTest, LettersLoseCaseAndAccentsOtherBytesStay) {
  const std::pair<char, const char*> letters[] = {
      {'a', "aAáÁâÂäÄąĄăĂ"}, {'c', "cCčČćĆçÇ"}, {'d', "dDďĎđĐ"}, {'e', "eEéÉëËěĚęĘ"},
      {'i', "iIíÍîÎ"},       {'l', "lLĺĹľĽłŁ"}, {'n', "nNńŃňŇ"}, {'o', "oOóÓôÔöÖőŐ"},
      {'r', "rRŕŔřŘ"},       {'s', "sSśŚšŠşŞ"}, {'t', "tTťŤţŢ"}, {'u', "uUúÚůŮüÜűŰ"},
      {'y', "yYýÝ"},         {'z', "zZźŹžŽżŻ"}, {'q', "qQ"},
  };
  for (const auto& [base, utf8] : letters) {
    const std::string text = *utf8ToCp1250(utf8);
    EXPECT_EQ(foldText(text), std::string(text.size(), base)) << utf8;
  }
  const std::string others = *utf8ToCp1250("0 -_:ß×÷€\"?µ˙");
  EXPECT_EQ(foldText(others), others);
}

}  // namespace
}  // namespace tamrix
