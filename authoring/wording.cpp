#include "authoring/wording.h"

#include <cstdint>

#include "authoring/message_text.h"
#include "database/limits.h"

namespace tamrix {

namespace {

// "A és B között", beside message_text.h's "A to B".
std::string between(int64_t first, int64_t last) {
  return str(first) + " és " + str(last) + " között";
}

}  // namespace

Wording loadFaultWording(LoadFault fault) {
  switch (fault) {
    case LoadFault::kCannotOpen:
      return {"the file cannot be opened: it is missing, a folder, or not readable",
              "a fájl nem nyitható meg: hiányzik, mappa, vagy nem olvasható"};
    case LoadFault::kNoStartLine:
      return {"no line contains the -start- marker that ends the header",
              "egyik sor sem tartalmazza a fejlécet lezáró -start- jelzést"};
    case LoadFault::kSkillIndexNotNumber:
      return {"the skill index is not a number (a 0 must be written with the digit 0)",
              "a képesség sorszáma nem szám (a nullát a 0 számjeggyel kell írni)"};
    case LoadFault::kSkillIndexOutOfRange:
      return {"the skill index is outside " + span(0, kSkillSlots - 1),
              "a képesség sorszáma nincs " + between(0, kSkillSlots - 1)};
    case LoadFault::kSkillNoBlank:
      return {"the skill line has no blank after its index",
              "a képesség sorában nincs szóköz a sorszám után"};
    case LoadFault::kSkillFlagNotNumber:
      return {"the doubling flag after the index is not a number",
              "a sorszám utáni duplázás nem szám"};
    case LoadFault::kSkillNoName:
      return {"no double quote after the index: the skill name is missing",
              "a sorszám után nincs idézőjel: hiányzik a képesség neve"};
    case LoadFault::kSkillOneQuote:
      return {"the skill name has only one double quote",
              "a képesség nevének csak egy idézőjele van"};
    case LoadFault::kStdNumberNotNumber:
      return {"the item number is not a number", "a tárgyszám nem szám"};
    case LoadFault::kStdNumberOutOfRange:
      return {
          "the item number is outside " +
              span(kFirstItemNumber, kFirstItemNumber + kStdItemSlots - 1),
          "a tárgyszám nincs " + between(kFirstItemNumber, kFirstItemNumber + kStdItemSlots - 1)};
    case LoadFault::kStdNoKind:
      return {"the line has no blank after the item number: the kind is missing",
              "a tárgyszám után nincs szóköz: hiányzik a fajta"};
    case LoadFault::kStdKindNotNumber:
      return {"the kind is not a number", "a fajta nem szám"};
    case LoadFault::kStdTooFewNumbers:
      return {"the line has fewer numbers after the kind than the kind needs",
              "a fajta után kevesebb szám áll, mint amennyi a fajtához kell"};
    case LoadFault::kStdNoName:
      return {"no name between double quotes after the numbers",
              "a számok után nincs idézőjelek közé írt név"};
    case LoadFault::kStdNoPrefixedName:
      return {"a group base needs a second quoted name, the form shown after a prefix",
              "az alaptárgynak egy második, idézőjeles név is kell: az előtag utáni alak"};
    case LoadFault::kTypeEndsAfterId:
      return {"the file ends right after this type's id line: its line count is missing",
              "a fájl a típus azonosítója után véget ér: hiányzik a sorok száma"};
    case LoadFault::kTypeTooManyLines:
      return {"the type's line count is above " + str(kTypeMaxLines),
              "a típus sorainak száma nagyobb " + str(kTypeMaxLines) + "-nál"};
    case LoadFault::kRndPrefixOutOfRange:
      return {"the item number gives a random prefix outside " + span(0, kRndItemSlots - 1) +
                  " (use " + span(kFirstItemNumber, kEndItemNumber - 1) +
                  ", after one marker character)",
              "a tárgyszámból adódó előtag nincs " + between(0, kRndItemSlots - 1) +
                  " (a jelzőkarakter után " + between(kFirstItemNumber, kEndItemNumber - 1) +
                  " álló szám kell)"};
    case LoadFault::kRndNoName:
      return {"the prefix name line has no double quote",
              "az előtag nevének sorában nincs idézőjel"};
    case LoadFault::kRndOneQuote:
      return {"the prefix name line has only one double quote",
              "az előtag nevének sorában csak egy idézőjel van"};
    case LoadFault::kRndTypeZero:
      return {"the type id is 0 or not a number; a prefix needs the id of a type record",
              "a típusazonosító 0 vagy nem szám; az előtaghoz egy típus azonosítója kell"};
    case LoadFault::kRndTypeUnknown:
      return {"no type record has this id", "egyik típusnak sincs ilyen azonosítója"};
    case LoadFault::kRndSkillNotNumber:
      return {"the skill index of an amount line is not a number",
              "egy mennyiségsorhoz tartozó képesség sorszáma nem szám"};
    case LoadFault::kChangeNotNumber:
      return {"this field of the change record is not a number",
              "az átirányítás e mezője nem szám"};
    case LoadFault::kChangeTooFewNumbers:
      return {
          "a change record needs four numbers separated by blanks: item number, kind, target, "
          "multiplier",
          "az átirányításhoz négy, szóközzel elválasztott szám kell: tárgyszám, fajta, cél, "
          "szorzó"};
    case LoadFault::kChangeNoStdItems:
      return {"no standard item table to give the prefix of this item number",
              "nincs alaptárgy-tábla, amelyből a tárgyszám előtagja kiderülne"};
  }
  return {};  // each fault has its case above
}

CodeWording codeWording(WarningCode code) {
  const std::string damage = span(kSkillSlots, kSkillSlots + 2);
  switch (code) {
    case WarningCode::kFileUnreadable:
      return {"file-unreadable",
              {"a file that loaded cannot be read again to look for warnings",
               "a betöltött fájl nem olvasható újra a figyelmeztetésekhez"}};
    case WarningCode::kUtf8Text:
      return {"utf8-text",
              {"the file is UTF-8, not Windows-1250: its accented letters show wrong",
               "a fájl UTF-8 kódolású, nem Windows-1250: az ékezetes betűi hibásan jelennek meg"}};
    case WarningCode::kUtf8Line:
      return {
          "utf8-line",
          {"a line in UTF-8 in a file that is otherwise Windows-1250: its accents show wrong",
           "ez a sor UTF-8 kódolású egy Windows-1250 fájlban: az ékezetei hibásan jelennek meg"}};
    case WarningCode::kCrLineEnds:
      return {"cr-line-ends",
              {"lines end in a carriage return alone: they read as one line with the next",
               "a sorok végén CR áll LF nélkül: a következő sorral együtt egy sornak olvasódnak"}};
    case WarningCode::kTab:
      return {"tab",
              {"a tab outside a name: fields are separated by blanks only",
               "tabulátor a néven kívül: a mezőket csak a szóköz választja el"}};
    case WarningCode::kNumberText:
      return {
          "number-text",
          {"a number field holds more than a sign and digits: it reads as less than it says, or 0",
           "a számmezőben nem csak előjel és számjegyek állnak: kisebb számnak vagy 0-nak "
           "olvasódik"}};
    case WarningCode::kNumberMissing:
      return {"number-missing",
              {"a number field is missing: the name's quote or nothing stands in its place, so it "
               "reads 0",
               "hiányzik egy szám: a helyén a név idézőjele áll vagy semmi, így 0-nak olvasódik"}};
    case WarningCode::kEmptyTable:
      return {"empty-table",
              {"a table that the items need has no line at all",
               "egy táblának, amelyre a tárgyaknak szükségük van, egyetlen sora sincs"}};
    case WarningCode::kSkillRepeated:
      return {"skill-repeated",
              {"a second line for a skill index: the last one counts",
               "ehhez a képesség-sorszámhoz már volt sor: az utolsó számít"}};
    case WarningCode::kStdItemRepeated:
      return {"std-item-repeated",
              {"a second line for a standard item number: the last one counts",
               "ehhez a tárgyszámhoz már volt sor: az utolsó számít"}};
    case WarningCode::kStdSlotEmpty:
      return {"std-slot-empty",
              {"standard item numbers that no line gives: their names read \"?\"",
               "ezekhez a tárgyszámokhoz nincs sor: a nevük „?”"}};
    case WarningCode::kKindOutOfRange:
      return {
          "kind-out-of-range",
          {"a kind outside " + span(kFirstKind, kLastKind) + ": the rest of the line is ignored",
           "a fajta nincs " + between(kFirstKind, kLastKind) +
               ": a sor többi részét a program nem olvassa"}};
    case WarningCode::kGradeKindDiffers:
      return {"grade-kind-differs",
              {"a grade's kind differs from its group base's, which is the one that counts",
               "a fokozat fajtája eltér az alaptárgyáétól; az alaptárgyé számít"}};
    case WarningCode::kNameRunsOn:
      return {"name-runs-on",
              {"a grade's name does not end with a blank: it runs into the base name",
               "a fokozat neve nem szóközzel végződik: egybeolvad az alaptárgy nevével"}};
    case WarningCode::kTypeIdRepeated:
      return {"type-id-repeated",
              {"a type id defined again: only the first record counts",
               "ez a típusazonosító már szerepelt: csak az első típus számít"}};
    case WarningCode::kTypeShort:
      return {
          "type-short",
          {"a type's amount lines do not match its line count: the file ends inside them, or the "
           "records after it are read out of step",
           "a típus mennyiségsorai nem egyeznek a sorai számával: a fájl közben véget ér, vagy az "
           "utána következő típusok elcsúsznak"}};
    case WarningCode::kAmountLineShort:
      return {"amount-line-short",
              {"an amount line with fewer than " + str(kTypeGrades) +
                   " numbers: the grades it leaves out read 0",
               "a mennyiségsorban " + str(kTypeGrades) +
                   "-nél kevesebb szám áll: a hiányzó fokozatok 0-t kapnak"}};
    case WarningCode::kAmountLineLong:
      return {
          "amount-line-long",
          {"an amount line with more than " + str(kTypeGrades) + " numbers: the rest are ignored",
           "a mennyiségsorban " + str(kTypeGrades) +
               "-nél több szám áll: a többit a program nem olvassa"}};
    case WarningCode::kAmountFalls:
      return {"amount-falls",
              {"an amount that gets smaller from one grade to the next",
               "a mennyiség az egyik fokozatról a következőre csökken"}};
    case WarningCode::kPrefixRepeated:
      return {"prefix-repeated",
              {"a second entry for a random prefix: the last one counts",
               "ehhez az előtaghoz már volt bejegyzés: az utolsó számít"}};
    case WarningCode::kPrefixCutShort:
      return {"prefix-cut-short",
              {"the end of the file cuts a random prefix's entry short",
               "a fájl véget ér, mielőtt az előtag bejegyzésének minden sora meglenne"}};
    case WarningCode::kPrefixSlotEmpty:
      return {"prefix-slot-empty",
              {"random prefixes that no entry gives: their items have no description",
               "ezekhez az előtagokhoz nincs bejegyzés: tárgyaiknak nincs leírása"}};
    case WarningCode::kPrefixTypeMissing:
      return {"prefix-type-missing",
              {"a random prefix whose type does not exist: its items have no description",
               "az előtag típusa nem létezik: tárgyainak nincs leírása"}};
    case WarningCode::kPrefixSkillOutside:
      return {"prefix-skill-outside",
              {"a random prefix's skill index outside the bonus table: it adds nothing",
               "az előtag képesség-sorszáma a bónusztáblán kívül esik: semmit sem ad"}};
    case WarningCode::kBonusToDamage:
      return {"bonus-to-damage",
              {"a skill index or change target that lands on a weapon's damage figures (" + damage +
                   ", or -3 and -2 as a target), and on other items on nothing",
               "a " + damage +
                   " sorszám (vagy a -3 és -2 cél) nem képesség: a fegyver sebzéséhez adódik, más "
                   "tárgyon semmit sem ad"}};
    case WarningCode::kBonusToEmptySkill:
      return {"bonus-to-empty-skill",
              {"a bonus goes to a skill without a line: it shows as \"?\"",
               "a bónusz olyan képességhez adódik, amelynek nincs sora: „?” jelenik meg"}};
    case WarningCode::kChangeHidden:
      return {"change-hidden",
              {"a change record for the same prefix and kind as an earlier one: it never applies",
               "ugyanehhez az előtaghoz és fajtához már van átirányítás: ez sosem érvényesül"}};
    case WarningCode::kChangeNoPrefix:
      return {
          "change-no-prefix",
          {"a change record whose item number is in no random prefix's block, or whose prefix has "
           "no entry: it never applies",
           "az átirányítás tárgyszáma egyik előtaghoz sem tartozik, vagy az előtagnak nincs "
           "bejegyzése: sosem érvényesül"}};
    case WarningCode::kChangeTargetOutside:
      return {"change-target-outside",
              {"a change target outside the bonus table: it adds nothing",
               "az átirányítás célja a bónusztáblán kívül esik: semmit sem ad"}};
  }
  return {};  // each code has its case above
}

std::optional<CodeWording> findCodeWording(std::string_view name) {
  for (int code = 0; code < kWarningCodeCount; ++code)
    if (CodeWording wording = codeWording(static_cast<WarningCode>(code)); wording.name == name)
      return wording;
  return std::nullopt;
}

}  // namespace tamrix
