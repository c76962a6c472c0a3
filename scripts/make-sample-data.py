#!/usr/bin/env python3
"""Writes Tamrix's sample Data folder and checks it.

    python3 scripts/make-sample-data.py            write Data/*.txt
    python3 scripts/make-sample-data.py --check    re-read Data/*.txt and check them
    python3 scripts/make-sample-data.py --check --cli PATH
                                                   ... and compare every description
                                                   with what tamrix-cli --all --raw says
    python3 scripts/make-sample-data.py --show N.. print the descriptions of some numbers

Every word lives in the tables below as normal text; the files are written in
Windows-1250 with CR LF line ends. Edit the tables and run the script again
rather than editing the generated files by hand, so that the six files stay in
step (a prefix's value lines must match its type's line count, change records
name prefixes by their block of item numbers, and so on).
"""

import argparse
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "Data"
MARKER = "-start-"
ENCODING = "cp1250"

# Capacities of the item database; the item number of standard slot s carrying
# prefix p is BASE + p * STD_COUNT + s.
BASE = 1000
STD_COUNT = 450
GROUP_SIZE = 15
SKILL_COUNT = 110
RND_COUNT = 64
GRADES = 15
MAX_TYPE_LINES = 6

# --------------------------------------------------------------------------
# Skills: index -> (name, doubling flag). The name follows the signed amount
# ("+5 erő", "-2 szerencse"); 7 and 8 are printed with a percent sign, and on
# weapons 7 is followed by "ezzel a fegyverrel!".
SKILLS = [
    ("erő", 0),
    ("ügyesség", 0),
    ("állóképesség", 0),
    ("intelligencia", 0),
    ("bölcsesség", 0),
    ("karizma", 0),
    ("tartósság", 1),
    ("találati esély", 0),
    ("védekezés", 0),
    ("életerő", 1),
    ("varázserő", 1),  # 10
    ("kitartás", 1),
    ("gyógyulás", 0),
    ("varázserő-pótlás", 0),
    ("páncél", 0),
    ("kitérés", 0),
    ("hárítás", 0),
    ("tűzállóság", 0),
    ("hidegállóság", 0),
    ("villámállóság", 0),
    ("méregállóság", 0),  # 20
    ("savállóság", 0),
    ("mágiaállóság", 0),
    ("tűzsebzés", 0),
    ("hidegsebzés", 0),
    ("villámsebzés", 0),
    ("méregsebzés", 0),
    ("savsebzés", 0),
    ("varázssebzés", 0),
    ("életelszívás", 0),
    ("varázserő-elszívás", 0),  # 30
    ("kritikus találat", 0),
    ("támadási sebesség", 0),
    ("futási sebesség", 0),
    ("varázslási sebesség", 0),
    ("látótávolság", 0),
    ("szerencse", 0),
    ("aranyszerzés", 1),
    ("tapasztalatszerzés", 0),
    ("teherbírás", 1),
    ("lopakodás", 0),  # 40
    ("zárnyitás", 0),
    ("csapdakeresés", 0),
    ("kereskedés", 0),
    ("meggyőzés", 0),
    ("gyógyítás", 0),
    ("alkímia", 0),
    ("kovácsmesterség", 0),
    ("íjászat", 0),
    ("kardforgatás", 0),
    ("közelharc", 0),  # 50
    ("hajítás", 0),
    ("pajzshasználat", 0),
    ("páncélviselés", 0),
    ("tűzmágia", 0),
    ("jégmágia", 0),
    ("villámmágia", 0),
    ("fénymágia", 0),
    ("árnymágia", 0),
    ("idézés", 0),
    ("alakváltás", 0),  # 60
    ("rúnamágia", 0),
    ("sebzés élőholtak ellen", 0),
    ("sebzés démonok ellen", 0),
    ("sebzés sárkányok ellen", 0),
    ("sebzés vadállatok ellen", 0),
    ("sebzés óriások ellen", 0),
    ("védelem élőholtak ellen", 0),
    ("védelem démonok ellen", 0),
    ("fényesség", 0),
    ("éjjellátás", 0),  # 70
    ("félelemkeltés", 0),
    ("bátorság", 0),
    ("akaraterő", 0),
    ("összpontosítás", 0),
    ("vérzésokozás", 0),
    ("kábítás", 0),
    ("lassítás", 0),
    ("hátralökés", 0),
    ("páncéltörés", 0),
    ("pajzstörés", 0),  # 80
    ("ellentámadás", 0),
    ("visszavert sebzés", 0),
    ("kábulásállóság", 0),
    ("bénulásállóság", 0),
    ("félelemállóság", 0),
    ("vérzésállóság", 0),
    ("átokállóság", 0),
    ("életerő ölésenként", 0),
    ("varázserő ölésenként", 0),
    ("éhségtűrés", 0),  # 90
    ("szomjtűrés", 0),
    ("úszás", 0),
    ("mászás", 0),
    ("lovaglás", 0),
    ("vadászat", 0),
    ("nyomolvasás", 0),
    ("állatidomítás", 0),
    ("főzés", 0),
    ("horgászat", 0),
    ("bányászat", 0),  # 100
    ("favágás", 0),
    ("gyógynövényismeret", 0),
    ("térképészet", 0),
    ("zenélés", 0),
    ("zsebmetszés", 0),
    ("alkudozás", 0),
    ("tekintély", 0),
    ("hírnév", 0),
    ("nyelvtudás", 0),
]
SKILL_INDEX = {name: i for i, (name, _) in enumerate(SKILLS)}
DAMAGE_BONUS = -1  # change target: the weapon's damage bonus

# --------------------------------------------------------------------------
# Grade words, one list per family of items: fourteen adjectives from the
# plainest to the finest. Each ends in a blank because it is printed right in
# front of the base word ("finom " + "kard").
GRADE_WORDS = {
    "melee": ["egyszerű", "kovácsolt", "edzett", "finom", "csiszolt", "díszes", "vésett",
              "nemes", "ezüstös", "aranyozott", "mesteri", "rúnás", "ősi", "legendás"],
    "ranged": ["egyszerű", "erős", "feszes", "faragott", "finom", "csiszolt", "díszes",
               "nemes", "ezüstös", "aranyozott", "mesteri", "rúnás", "ősi", "legendás"],
    "heavy": ["egyszerű", "kovácsolt", "erősített", "edzett", "szegecselt", "finom",
              "csiszolt", "díszes", "nemes", "aranyozott", "mesteri", "rúnás", "ősi",
              "legendás"],
    "light": ["egyszerű", "tartós", "vastag", "bélelt", "puha", "finom", "prémes",
              "hímzett", "díszes", "nemes", "mesteri", "rúnás", "ősi", "legendás"],
    "jewel": ["egyszerű", "réz", "bronz", "ezüst", "arany", "csiszolt", "köves", "gyöngyös",
              "díszes", "nemes", "ékköves", "rúnás", "ősi", "legendás"],
}

# Kinds and the numbers each carries after the kind, in file order.
KIND_FIELDS = {
    1: ("skill8Bonus", "skill6Bonus"),  # body armour
    2: (),  # ring
    3: (),  # amulet, necklace
    4: ("skill8Bonus", "skill6Bonus"),  # helmet, hood
    5: ("skill8Bonus", "skill6Bonus"),  # shield
    6: (),  # belt
    7: (),  # cloak
    8: (),  # talisman
    9: ("skill8Bonus", "skill6Bonus"),  # leg armour
    10: ("skill8Bonus", "skill6Bonus"),  # boots
    11: ("damageSides", "damageDice", "damageBonus", "skill7Bonus", "skill6Bonus"),  # melee
    12: ("damageSides", "damageDice", "damageBonus", "skill7Bonus", "skill6Bonus"),  # ranged
    13: ("skill8Bonus", "skill6Bonus", "skill7Bonus"),  # gloves
}
WEAPON_KINDS = (11, 12)

# The thirty groups: base name, its form after a prefix, kind, grade family,
# and the numbers of the base item. Weapons: die sides, extra hit chance,
# durability. Armour: defence, durability. Jewels carry no numbers.
GROUPS = [
    ("kard", "kard", 11, "melee", dict(sides=8, hit=0, dur=40)),
    ("tőr", "tőr", 11, "melee", dict(sides=4, hit=2, dur=25)),
    ("szablya", "szablya", 11, "melee", dict(sides=6, hit=1, dur=35)),
    ("szekerce", "szekerce", 11, "melee", dict(sides=10, hit=0, dur=45)),
    ("buzogány", "buzogány", 11, "melee", dict(sides=6, hit=0, dur=55)),
    ("lándzsa", "lándzsa", 11, "melee", dict(sides=8, hit=1, dur=35)),
    ("pöröly", "pöröly", 11, "melee", dict(sides=12, hit=0, dur=60)),
    ("alabárd", "alabárd", 11, "melee", dict(sides=10, hit=0, dur=50)),
    ("íj", "íj", 12, "ranged", dict(sides=6, hit=1, dur=30)),
    ("hosszúíj", "hosszúíj", 12, "ranged", dict(sides=8, hit=0, dur=30)),
    ("számszeríj", "számszeríj", 12, "ranged", dict(sides=10, hit=2, dur=45)),
    ("parittya", "parittya", 12, "ranged", dict(sides=4, hit=0, dur=20)),
    ("bőrvért", "bőrvért", 1, "light", dict(defence=3, dur=40)),
    ("láncing", "láncing", 1, "heavy", dict(defence=5, dur=60)),
    ("lemezvért", "lemezvért", 1, "heavy", dict(defence=8, dur=80)),
    ("sisak", "sisak", 4, "heavy", dict(defence=3, dur=50)),
    ("csuklya", "csuklya", 4, "light", dict(defence=1, dur=20)),
    ("pajzs", "pajzs", 5, "heavy", dict(defence=5, dur=60)),
    ("címerpajzs", "címerpajzs", 5, "heavy", dict(defence=7, dur=75)),
    ("kesztyű", "kesztyű", 13, "light", dict(defence=1, dur=20, hit=1)),
    ("vaskesztyű", "vaskesztyű", 13, "heavy", dict(defence=2, dur=40, hit=0)),
    ("csizma", "csizma", 10, "light", dict(defence=2, dur=30)),
    ("lábvért", "lábvért", 9, "heavy", dict(defence=4, dur=55)),
    ("öv", "öv", 6, "light", {}),
    ("köpeny", "köpeny", 7, "light", {}),
    ("gyűrű", "gyűrű", 2, "jewel", {}),
    ("pecsétgyűrű", "pecsétgyűrű", 2, "jewel", {}),
    ("amulett", "amulett", 3, "jewel", {}),
    ("nyaklánc", "nyaklánc", 3, "jewel", {}),
    ("talizmán", "talizmán", 8, "jewel", {}),
]


def item_numbers(kind, params, grade):
    """The numbers that follow the kind on the line of a group's grade."""
    half = (grade + 1) // 2
    if kind in WEAPON_KINDS:
        values = dict(damageSides=params["sides"], damageDice=1 + grade // 5,
                      damageBonus=grade // 2, skill7Bonus=params["hit"] + half,
                      skill6Bonus=params["dur"] + 5 * grade)
    elif kind == 13:
        values = dict(skill8Bonus=params["defence"] + grade // 3,
                      skill6Bonus=params["dur"] + 4 * grade,
                      skill7Bonus=params["hit"] + grade // 3)
    elif KIND_FIELDS[kind]:
        values = dict(skill8Bonus=params["defence"] + half, skill6Bonus=params["dur"] + 5 * grade)
    else:
        values = {}
    return [values[field] for field in KIND_FIELDS[kind]]


# --------------------------------------------------------------------------
# Types: id -> amount lines, each with one amount per grade 0..14. The amounts
# rise with the grade; grade 14 is stored although a prefixed item of that
# grade is the chaos item and shows none of them.
def rise(first, last):
    """Fifteen amounts from `first` at grade 0 to `last` at grade 14."""
    out = []
    for g in range(GRADES):
        exact = first * 14 + (last - first) * g  # 14 times the exact value
        sign = -1 if exact < 0 else 1
        out.append(sign * ((abs(exact) + 7) // 14))
    return out


SMALL, MEDIUM, LARGE = rise(1, 8), rise(2, 16), rise(5, 40)
TINY, PERCENT, RESIST = rise(1, 5), rise(1, 10), rise(3, 30)
TYPES = {
    1: [SMALL],
    2: [MEDIUM],
    3: [LARGE],
    4: [PERCENT],
    5: [rise(1, 12)],  # elemental damage; becomes damage bonus on weapons
    6: [RESIST],
    7: [MEDIUM, SMALL],
    8: [SMALL, SMALL],
    9: [LARGE, MEDIUM],
    10: [SMALL, SMALL, SMALL],
    11: [MEDIUM, MEDIUM, SMALL],
    12: [rise(3, 24), rise(-1, -8)],  # a strong gift with a price
    13: [rise(1, 6)] * 4,
    14: [rise(1, 6)] * 6,
    15: [rise(10, 80)],
    16: [rise(1, 12), RESIST],
    17: [rise(1, 6)] * 5,
    18: [rise(5, 60)],
    19: [PERCENT, SMALL],
    20: [MEDIUM, MEDIUM, SMALL, SMALL],
    21: [TINY, MEDIUM, rise(-1, -5)],
    22: [TINY],
    23: [TINY, TINY],
    24: [rise(1, 6)] * 4 + [SMALL, MEDIUM],
}

# --------------------------------------------------------------------------
# Random prefixes, slots 1..63: an adjective that stands before the grade and
# base words ("az izzó finom kard"), its type, and one skill per type line.
PREFIXES = [
    ("lángoló", 5, ["tűzsebzés"]),
    ("izzó", 16, ["tűzsebzés", "tűzállóság"]),
    ("parázsló", 7, ["tűzmágia", "tűzsebzés"]),
    ("jeges", 5, ["hidegsebzés"]),
    ("fagyos", 16, ["hidegsebzés", "hidegállóság"]),
    ("dermesztő", 19, ["lassítás", "hidegsebzés"]),
    ("villámló", 5, ["villámsebzés"]),
    ("szikrázó", 16, ["villámsebzés", "villámállóság"]),
    ("mennydörgő", 7, ["villámmágia", "hátralökés"]),
    ("mérges", 5, ["méregsebzés"]),  # 10
    ("maró", 16, ["savsebzés", "savállóság"]),
    ("bűvös", 5, ["varázssebzés"]),
    ("varázslatos", 9, ["varázserő", "varázserő-pótlás"]),
    ("tündéri", 10, ["ügyesség", "karizma", "szerencse"]),
    ("szerencsés", 1, ["szerencse"]),
    ("mohó", 15, ["aranyszerzés"]),
    ("bölcs", 8, ["bölcsesség", "intelligencia"]),
    ("ravasz", 8, ["lopakodás", "zárnyitás"]),
    ("fürge", 8, ["ügyesség", "kitérés"]),
    ("gyors", 23, ["támadási sebesség", "futási sebesség"]),  # 20
    ("szélsebes", 22, ["futási sebesség"]),
    ("szívós", 18, ["tartósság"]),
    ("kitartó", 3, ["kitartás"]),
    ("bátor", 8, ["bátorság", "félelemállóság"]),
    ("vad", 7, ["erő", "közelharc"]),
    ("dühödt", 12, ["erő", "védekezés"]),
    ("vérszomjas", 21, ["életelszívás", "vérzésokozás", "bölcsesség"]),
    ("vérivó", 23, ["életelszívás", "életerő ölésenként"]),
    ("lélekfaló", 23, ["varázserő-elszívás", "varázserő ölésenként"]),
    ("sötét", 8, ["lopakodás", "árnymágia"]),  # 30
    ("fénylő", 10, ["fényesség", "fénymágia", "éjjellátás"]),
    ("ragyogó", 2, ["karizma"]),
    ("csillogó", 2, ["tekintély"]),
    ("szent", 11, ["sebzés élőholtak ellen", "sebzés démonok ellen", "fénymágia"]),
    ("átkozott", 12, ["varázssebzés", "szerencse"]),
    ("gyógyító", 7, ["gyógyulás", "gyógyítás"]),
    ("védelmező", 6, ["páncél"]),
    ("óvó", 13, ["tűzállóság", "hidegállóság", "villámállóság", "méregállóság"]),
    ("kísérteties", 19, ["kitérés", "lopakodás"]),
    ("titokzatos", 17, ["intelligencia", "bölcsesség", "varázserő", "mágiaállóság",
                        "rúnamágia"]),  # 40
    ("sárkányölő", 9, ["sebzés sárkányok ellen", "tűzállóság"]),
    ("démonűző", 16, ["sebzés démonok ellen", "védelem démonok ellen"]),
    ("óriásölő", 2, ["sebzés óriások ellen"]),
    ("vadászó", 11, ["sebzés vadállatok ellen", "vadászat", "nyomolvasás"]),
    ("viharos", 7, ["villámmágia", "villámállóság"]),
    ("földrengető", 7, ["kábítás", "hátralökés"]),
    ("kőkemény", 20, ["páncél", "tartósság", "kábulásállóság", "bénulásállóság"]),
    ("acélos", 8, ["erő", "állóképesség"]),
    ("tüskés", 2, ["visszavert sebzés"]),
    ("éber", 10, ["látótávolság", "csapdakeresés", "éjjellátás"]),  # 50
    ("csendes", 19, ["zsebmetszés", "lopakodás"]),
    ("harcias", 10, ["erő", "állóképesség", "ellentámadás"]),
    ("királyi", 13, ["karizma", "tekintély", "hírnév", "meggyőzés"]),
    ("égi", 14, ["tűzállóság", "hidegállóság", "villámállóság", "méregállóság",
                 "savállóság", "mágiaállóság"]),
    ("pokoli", 16, ["tűzsebzés", "félelemkeltés"]),
    ("ördögi", 12, ["félelemkeltés", "karizma"]),
    ("angyali", 24, ["bölcsesség", "karizma", "bátorság", "fénymágia", "gyógyítás",
                     "életerő"]),
    ("holdfényes", 19, ["lopakodás", "éjjellátás"]),
    ("hajnali", 22, ["tapasztalatszerzés"]),
    ("alkonyi", 1, ["árnymágia"]),  # 60
    ("pontos", 4, ["találati esély"]),
    ("halálos", 4, ["kritikus találat"]),
    ("kegyetlen", 8, ["kritikus találat", "páncéltörés"]),
]
PREFIX_SLOT = {name: slot for slot, (name, _, _) in enumerate(PREFIXES, start=1)}

# Change records: when an item carries the prefix and its group base has the
# kind, every amount of the prefix goes, times the multiplier, to the target.
CHANGES = [
    ("lángoló", 11, DAMAGE_BONUS, 1, "a lángoló közelharci fegyver sebzése nő"),
    ("lángoló", 12, DAMAGE_BONUS, 1, "a lángoló lövedék többet sebez"),
    ("lángoló", 1, "tűzállóság", 2, "a lángoló vért a tűz ellen véd"),
    ("lángoló", 5, "tűzállóság", 2, "a lángoló pajzs a tűz ellen véd"),
    ("jeges", 11, DAMAGE_BONUS, 1, "a jeges közelharci fegyver sebzése nő"),
    ("jeges", 1, "hidegállóság", 2, "a jeges vért a hideg ellen véd"),
    ("jeges", 5, "hidegállóság", 2, "a jeges pajzs a hideg ellen véd"),
    ("villámló", 11, DAMAGE_BONUS, 1, "a villámló közelharci fegyver sebzése nő"),
    ("villámló", 12, DAMAGE_BONUS, 1, "a villámló lövedék többet sebez"),
    ("villámló", 1, "villámállóság", 2, "a villámló vért a villám ellen véd"),
    ("mérges", 11, DAMAGE_BONUS, 1, "a mérgezett penge többet sebez"),
    ("mérges", 12, DAMAGE_BONUS, 1, "a mérgezett lövedék többet sebez"),
    ("pontos", 12, "találati esély", 2, "a pontos lőfegyver kétszer annyit javít"),
    ("halálos", 11, DAMAGE_BONUS, 1, "a halálos közelharci fegyver sebzése nő"),
    ("halálos", 12, DAMAGE_BONUS, 1, "a halálos lőfegyver sebzése nő"),
    ("óvó", 5, "védekezés", 1, "az óvó pajzs a védekezést javítja"),
]
# Prefixes with many bonuses put all their power into one skill on weapons, so
# that the description still fits the dialog next to the weapon's own numbers.
WEAPON_FOCUS = [
    ("szent", "sebzés élőholtak ellen", "a szent fegyver az élőholtakat sebzi"),
    ("angyali", "sebzés élőholtak ellen", "az angyali fegyver az élőholtakat sebzi"),
    ("égi", "sebzés démonok ellen", "az égi fegyver a démonokat sebzi"),
    ("démonűző", "sebzés démonok ellen", "a démonűző fegyver a démonokat sebzi"),
    ("sárkányölő", "sebzés sárkányok ellen", "a sárkányölő fegyver a sárkányokat sebzi"),
    ("vadászó", "sebzés vadállatok ellen", "a vadászó fegyver a vadat sebzi"),
    ("titokzatos", "varázssebzés", "a titokzatos fegyver varázslattal sebez"),
    ("óvó", "hárítás", "az óvó fegyverrel könnyebb hárítani"),
    ("kőkemény", "tartósság", "a kőkemény fegyver nehezen kopik"),
    ("lélekfaló", "varázserő-elszívás", "a lélekfaló fegyver az ellenfél varázserejét issza"),
    ("éber", "ellentámadás", "az éber harcos azonnal visszavág"),
]
CHANGES += [(prefix, kind, target, 1, remark)
            for prefix, target, remark in WEAPON_FOCUS for kind in WEAPON_KINDS]

# --------------------------------------------------------------------------
# Headers: what the people who edit the files read first. The loaders skip
# every line up to and including the marker line, so these lines must never
# contain the marker text itself.
COMMON_RULES = """\
Általános szabályok (mind a hat adatfájlra érvényesek):
- A fájl elejétől a jelzősorig (amelyben kötőjelek között a start szó áll)
  minden sor magyarázat: a program ezeket átugorja. A jelzősor után minden nem
  üres sor adat; megjegyzéssor nincs, az üres sorokat a program kihagyja.
- A fájl kódolása Windows-1250 (közép-európai); a sorvég lehet CR LF vagy LF.
- Beolvasáskor a sor eleji és végi szóközök elvesznek, a több egymás utáni
  szóközből egy lesz, az idézőjelek közötti nevekben is. A tabulátor nem
  számít szóköznek, ezért mezőket ne válasszunk el vele.
- A számok tízes számrendszerbeli egész számok, előttük állhat előjel. Ahol a
  program számot vár, de szöveget talál, azt hibának veszi: a nullát ezért
  mindig 0-val kezdve írjuk, ne +0 vagy -0 alakban.
- Hibás sornál vagy hiányzó fájlnál a program nem indul el. Hogy mi a hiba,
  azt a parancssoros változat mutatja meg: a tamrix-cli --check kiírja a
  fájl nevét és a hibás sort."""

HEADERS = {
    "stditem.txt": f"""\
Tamrix - alaptárgyak (stditem.txt)

Ez a fájl a 450 alaptárgyat írja le. A tárgyak 30 csoportot alkotnak, mindegyik
csoport 15 egymás utáni tárgyszámból áll: a csoport első tárgya az alaptárgy
(1000, 1015, 1030, ... 1435), a többi tizennégy ennek 1-14. fokozata.

Egy sor egy tárgy:
  tárgyszám fajta [a fajtától függő számok] "név" ["előtagos név"]

- Tárgyszám: 1000 és 1449 között. Más szám esetén a program nem indul el.
- Fajta: 1 és 13 között; ez dönti el, hány szám következik utána:
    1 vért, 4 sisak, 5 pajzs, 9 lábvért, 10 lábbeli: védekezés% tartósság
    2 gyűrű, 3 nyakék, 6 öv, 7 köpeny, 8 talizmán: nincs szám
    11 közelharci, 12 távolsági fegyver: oldalszám kockaszám plusz találat% tartósság
    13 kesztyű: védekezés% tartósság találat%
  A fegyver sebzése kockadobás: a "10 2 3" számhármas jelentése 2d10+3
  (két tízoldalú kocka, plusz három).
- Az alaptárgy sorában két név áll. Az első önmagában jelenik meg (kard), a
  második akkor, ha a tárgy véletlen előtagot is kap (az izzó kard).
- A fokozat neve melléknév, amelyet a program egyenesen az alaptárgy neve elé
  ír. Ezért a fokozat nevének végén, az idézőjelen belül, egy szóköz áll:
  "finom " és "kard" együtt: finom kard. Előtaggal: az izzó finom kard.
- A nevekben nem lehet idézőjel. A fajtát a program mindig az alaptárgy
  sorából veszi; a fokozat sorában ugyanazt a fajtát érdemes megadni.

Példa (egy alaptárgy és az első fokozata):
  1000 11 8 1 0 0 40 "kard" "kard"
  1001 11 8 1 0 1 45 "egyszerű "

{COMMON_RULES}
""",
    "specitem.txt": f"""\
Tamrix - különleges tárgyak (specitem.txt)

Ez a fájl a 0 és 999 közötti tárgyszámoknak van fenntartva. A program jelenleg
nem olvassa: a tartalma semmire sincs hatással, és hiánya sem okoz hibát. A
fájlt azért tartjuk meg, hogy a Data mappa mind a hat nevesített fájlt
tartalmazza.

{COMMON_RULES}
""",
    "skill.txt": f"""\
Tamrix - képességek (skill.txt)

Ez a fájl a 110 képesség nevét adja meg (0-tól 109-ig). A tárgyleírás a
képesség nevét a bónusz összege után írja: +5 erő, -2 szerencse.

Egy sor egy képesség:
  sorszám duplázás "név"

- Sorszám: 0 és 109 között. Más szám esetén a program nem indul el.
- Duplázás: 1 esetén a véletlen előtagok ennek a képességnek a kétszeresét
  adják; minden más érték (például 0) egyszeres.
- A név két idézőjel között áll; a záró idézőjel utáni szöveget a program
  nem veszi figyelembe.
- A 6., 7. és 8. képesség különleges: ezekhez az alaptárgyak saját bónuszt
  adnak. A 7. és a 8. százalékjellel jelenik meg (+5% védekezés), a 7. a
  fegyvereknél így: +3% találati esély ezzel a fegyverrel!

Példa:
  0 0 "erő"
  9 1 "életerő"

{COMMON_RULES}
""",
    "type.txt": f"""\
Tamrix - bónusztípusok (type.txt)

Egy típus azt adja meg, mekkora bónuszt ad egy véletlen előtag a tárgy
fokozatától függően. Egy típus egymás után következő sorokból áll:
  azonosító
  sorok száma (1-6)
  annyi mennyiségsor, ahány a sorok száma

- Azonosító: egész szám; a véletlen előtagok ezzel hivatkoznak a típusra,
  ezért ne legyen 0 (a 0-s típusra előtag nem hivatkozhat). Két azonos
  azonosítójú típus közül csak az első számít.
- A sorok száma legfeljebb 6 lehet, különben a program nem indul el.
- Egy mennyiségsor 15 szám: a 0. fokozat (az alaptárgy) bónusza, majd az 1.,
  2., ... 14. fokozaté. A 14. fokozat előtaggal a káosztárgy, amely nem kap
  bónuszt, de a számot ide is írjuk. A hiányzó szám 0-nak számít.
- Hogy melyik mennyiségsor melyik képességhez adódik, azt a véletlen előtag
  dönti el (rnditem.txt): az előtag minden mennyiségsorhoz egy képességet ad.
  Ha egy típus sorainak számát megváltoztatjuk, az őt használó előtagokat is
  igazítani kell.

Példa (két sor, a második negatív):
  12
  2
  {" ".join(map(str, TYPES[12][0]))}
  {" ".join(map(str, TYPES[12][1]))}

{COMMON_RULES}
""",
    "rnditem.txt": f"""\
Tamrix - véletlen előtagok (rnditem.txt)

Az 1450-es és annál nagyobb tárgyszámok egy alaptárgyat és egy véletlen
előtagot jelölnek: tárgyszám = 1000 + előtag * 450 + az alaptárgy helye
(0-449). Minden előtaghoz 450 egymás utáni tárgyszám tartozik: az 1.
előtaghoz 1450-1899, a 2.-hoz 1900-2349, és így tovább. Az előtag neve
melléknév, amely a tárgy neve elé kerül: az izzó finom kard.

Egy előtag egymás után következő sorokból áll:
  #tárgyszám         a sor első jele (itt #) tetszőleges, de nem lehet szóköz;
                     utána az előtaghoz tartozó tárgyszámok bármelyike
                     állhat, szokás szerint az első: 1450, 1900, 2350 ...
  "név"              két idézőjel között; kisbetűvel kezdjük, mert a névelő
                     (a vagy az) ehhez igazodik
  típus              a type.txt egy típusának azonosítója
  képesség           annyi sor, ahány mennyiségsora a típusnak van; mindegyik
                     egy képesség sorszáma (skill.txt), a szám után álló
                     szöveget a program nem olvassa, ide írjuk a nevét

- Az előtag sorszáma 1 és 63 közé essen; a 0. az előtag nélküli tárgyaké
  (1000-1449), ezt a program nem használja. Ha a tárgyszámból 0-nál kisebb
  vagy 63-nál nagyobb sorszám adódik, a program nem indul el.
- Ha egy előtag hiányzik, a hozzá tartozó tárgyszámokra nem jelenik meg semmi.
- A képességek sorszámát a program betöltéskor nem ellenőrzi: a 0-109
  tartományon kívüli sorszám semmit sem ad a tárgyhoz (a 110-112 a fegyver
  sebzéséhez adódna, ezért ezeket ne használjuk).

Példa:
  #1450
  "lángoló"
  5
  23 tűzsebzés

{COMMON_RULES}
""",
    "change.txt": f"""\
Tamrix - átirányítások (change.txt)

Egy sor azt mondja meg, hogy egy véletlen előtag bónusza egy bizonyos
fajtájú tárgyon (stditem.txt) más képességhez adódjon, egy szorzóval:
  tárgyszám fajta cél szorzó [megjegyzés]

- Tárgyszám: az előtaghoz tartozó tárgyszámok bármelyike (az 1. előtagé
  1450-1899, a 2.-é 1900-2349 ...), ebből derül ki, melyik előtagról van
  szó; szokás szerint az elsőt írjuk.
- Fajta: az alaptárgy fajtája, 1 és 13 között (11 és 12 a fegyverek).
- Cél: a képesség sorszáma (skill.txt), vagy -1, ami a fegyver sebzésének
  pluszát jelenti (a 2d6+3 végén álló számot).
  A célt a program betöltéskor nem ellenőrzi; -1-en és 0-109-en kívül más
  számot ne adjunk meg.
- Szorzó: ennyiszer adódik hozzá az előtag minden mennyisége. A duplázó
  képességeknél a program a szorzás után még duplázza is.
- Ha egy előtaghoz és fajtához több sor tartozik, csak az első számít.
- A negyedik szám után álló szöveget a program nem olvassa; ide írjuk, mire
  való a sor. A sornak legalább négy számot kell tartalmaznia.

Példa:
  1450 11 -1 1 a lángoló közelharci fegyver sebzése nő

{COMMON_RULES}
""",
}


# --------------------------------------------------------------------------
# Writing.
def quoted(text):
    assert '"' not in text, text
    return f'"{text}"'


def std_lines():
    lines = []
    for group, (base, prefixed, kind, family, params) in enumerate(GROUPS):
        words = GRADE_WORDS[family]
        for grade in range(GROUP_SIZE):
            number = BASE + group * GROUP_SIZE + grade
            fields = [str(number), str(kind)] + [str(v) for v in item_numbers(kind, params, grade)]
            if grade == 0:
                fields += [quoted(base), quoted(prefixed)]
            else:
                fields.append(quoted(words[grade - 1] + " "))
            lines.append(" ".join(fields))
        lines.append("")
    return lines


def skill_lines():
    return [f"{i} {flag} {quoted(name)}" for i, (name, flag) in enumerate(SKILLS)]


def type_lines():
    lines = []
    for type_id, rows in TYPES.items():
        lines += [str(type_id), str(len(rows))]
        lines += [" ".join(str(a) for a in row) for row in rows]
        lines.append("")
    return lines


def rnd_lines():
    lines = []
    for slot, (name, type_id, skills) in enumerate(PREFIXES, start=1):
        lines += [f"#{BASE + slot * STD_COUNT}", quoted(name), str(type_id)]
        lines += [f"{SKILL_INDEX[s]} {s}" for s in skills]
        lines.append("")
    return lines


def change_lines():
    lines = []
    for prefix, kind, target, multiplier, remark in CHANGES:
        target_index = target if target == DAMAGE_BONUS else SKILL_INDEX[target]
        number = BASE + PREFIX_SLOT[prefix] * STD_COUNT
        lines.append(f"{number} {kind} {target_index} {multiplier} {remark}")
    return lines


def file_texts():
    bodies = {
        "stditem.txt": std_lines(),
        "specitem.txt": [],
        "skill.txt": skill_lines(),
        "type.txt": type_lines(),
        "rnditem.txt": rnd_lines(),
        "change.txt": change_lines(),
    }
    texts = {}
    for name, body in bodies.items():
        while body and body[-1] == "":
            body.pop()
        header = HEADERS[name].rstrip("\n").split("\n")
        assert not any(MARKER in line for line in header), name
        texts[name] = "\r\n".join(header + ["", MARKER] + body) + "\r\n"
    return texts


def write_files():
    check_tables()
    DATA.mkdir(exist_ok=True)
    for name, text in file_texts().items():
        (DATA / name).write_bytes(text.encode(ENCODING))
        print(f"wrote {DATA / name}")


def check_tables():
    """Catches inconsistent tables before anything is written."""
    assert len(SKILLS) == SKILL_COUNT
    assert len(GROUPS) * GROUP_SIZE == STD_COUNT
    assert len(PREFIXES) == RND_COUNT - 1
    assert len(PREFIX_SLOT) == len(PREFIXES), "prefix names must differ"
    grade_words = {w for words in GRADE_WORDS.values() for w in words}
    for words in GRADE_WORDS.values():
        assert len(words) == GROUP_SIZE - 1
    for name, type_id, skills in PREFIXES:
        assert name not in grade_words, f"{name} is also a grade word"
        assert len(TYPES[type_id]) == len(skills), name
    for rows in TYPES.values():
        assert 1 <= len(rows) <= MAX_TYPE_LINES and all(len(r) == GRADES for r in rows)


# --------------------------------------------------------------------------
# Checking: read the files back the way the item database reads them.
def atoi(text):
    i = 0
    while i < len(text) and text[i] in " \t\n\v\f\r":
        i += 1
    sign = 1
    if i < len(text) and text[i] in "+-":
        sign = -1 if text[i] == "-" else 1
        i += 1
    value = 0
    while i < len(text) and text[i].isdigit():
        value = value * 10 + int(text[i])
        i += 1
    return max(-(2**31), min(2**31 - 1, sign * value))


def number_ok(text):
    return atoi(text) != 0 or text[:1] == "0"


def normalize(line):
    while "  " in line:
        line = line.replace("  ", " ")
    return line.strip(" ")


def data_lines(name):
    raw = (DATA / name).read_bytes()
    if b"\r\n" not in raw or raw.replace(b"\r\n", b"").count(b"\n"):
        raise SystemExit(f"{name}: every line must end in CR LF")
    text = raw.replace(b"\r\n", b"\n").decode(ENCODING)
    lines = text.split("\n")
    if lines[-1] == "":
        lines.pop()
    starts = [i for i, line in enumerate(lines) if MARKER in line]
    if len(starts) != 1:
        raise SystemExit(f"{name}: needs exactly one marker line, found {len(starts)}")
    for line in lines[starts[0] + 1:]:
        line = normalize(line)
        if line:
            yield line


class Tables:
    def __init__(self):
        self.std = {}  # slot -> dict
        self.skills = {}  # index -> (name, flag)
        self.types = {}  # id -> rows
        self.rnd = {}  # slot -> (name, type id, skills)
        self.changes = []  # (prefix index, kind, target, multiplier)


def fail(name, line, why):
    raise SystemExit(f"{name}: {why}: {line}")


def read_std(t):
    for line in data_lines("stditem.txt"):
        parts = line.split(" ")
        if not number_ok(parts[0]) or len(parts) < 3:
            fail("stditem.txt", line, "bad item number")
        slot = atoi(parts[0]) - BASE
        kind = atoi(parts[1])
        if not 0 <= slot < STD_COUNT or not 1 <= kind <= 13:
            fail("stditem.txt", line, "item number or kind out of range")
        fields = KIND_FIELDS[kind]
        head, *names = line.split('"')
        if len(head.split()) != 2 + len(fields):
            fail("stditem.txt", line, "wrong count of numbers for the kind")
        entry = dict(zip(fields, (atoi(v) for v in head.split()[2:])), kind=kind, name=names[0])
        if slot % GROUP_SIZE == 0:
            if len(names) < 4:
                fail("stditem.txt", line, "a group base needs two names")
            entry["prefixed"] = names[2]
        elif len(names) < 2 or not names[0].endswith(" "):
            fail("stditem.txt", line, "a grade name must end in a blank")
        t.std[slot] = entry


def read_skills(t):
    for line in data_lines("skill.txt"):
        index, flag, rest = line.split(" ", 2)
        if not (number_ok(index) and number_ok(flag)) or rest.count('"') != 2:
            fail("skill.txt", line, "malformed")
        if not 0 <= atoi(index) < SKILL_COUNT:
            fail("skill.txt", line, "index out of range")
        t.skills[atoi(index)] = (rest.split('"')[1], atoi(flag))


def read_types(t):
    lines = list(data_lines("type.txt"))
    i = 0
    while i < len(lines):
        type_id, count = atoi(lines[i]), atoi(lines[i + 1])
        if not 1 <= count <= MAX_TYPE_LINES:
            fail("type.txt", lines[i + 1], "line count must be 1 to 6")
        rows = [[atoi(a) for a in line.split(" ")] for line in lines[i + 2:i + 2 + count]]
        if any(len(r) != GRADES for r in rows) or len(rows) != count:
            fail("type.txt", lines[i], "every amount line needs 15 amounts")
        if type_id in t.types:
            fail("type.txt", lines[i], "duplicate type id")
        t.types[type_id] = rows
        i += 2 + count


def read_rnd(t):
    lines = list(data_lines("rnditem.txt"))
    i = 0
    while i < len(lines):
        slot = (atoi(lines[i][1:]) - BASE) // STD_COUNT
        name, type_id = lines[i + 1], atoi(lines[i + 2])
        if not 1 <= slot < RND_COUNT or name.count('"') != 2 or type_id not in t.types:
            fail("rnditem.txt", lines[i], "bad slot, name or type")
        count = len(t.types[type_id])
        values = lines[i + 3:i + 3 + count]
        if not all(number_ok(v) for v in values) or len(values) != count:
            fail("rnditem.txt", lines[i], "value lines do not match the type")
        skills = [atoi(v) for v in values]
        if any(not 0 <= s < SKILL_COUNT for s in skills):
            fail("rnditem.txt", lines[i], "skill index out of range")
        t.rnd[slot] = (name.split('"')[1], type_id, skills)
        i += 3 + count


def read_changes(t):
    for line in data_lines("change.txt"):
        tokens = line.split(" ")
        if len(tokens) < 4 or not all(number_ok(x) for x in tokens[:4]):
            fail("change.txt", line, "needs four numbers")
        number, kind, target, multiplier = (atoi(x) for x in tokens[:4])
        prefix = (number - BASE) // STD_COUNT
        if not 1 <= prefix < RND_COUNT or not 1 <= kind <= 13:
            fail("change.txt", line, "prefix or kind out of range")
        if target != DAMAGE_BONUS and not 0 <= target < SKILL_COUNT:
            fail("change.txt", line, "target out of range")
        t.changes.append((prefix, kind, target, multiplier))


def read_tables():
    t = Tables()
    for reader in (read_skills, read_std, read_types, read_rnd, read_changes):
        reader(t)
    return t


VOWELS = "aáeéiíoóöőuúüű"


def describe(t, number):
    """The description the tool shows for an item number, as Unicode text."""
    if not BASE <= number < BASE + RND_COUNT * STD_COUNT:
        return ""
    p, s = divmod(number - BASE, STD_COUNT)
    b, v = s - s % GROUP_SIZE, s % GROUP_SIZE
    if p and v == GROUP_SIZE - 1:
        return "Káosz tárgy!"
    kind = t.std[b]["kind"]
    sums = [0] * (SKILL_COUNT + 3)
    words = []
    if p:
        name, type_id, skills = t.rnd[p]
        change = next((c for c in t.changes if c[:2] == (p, kind)), None)
        for line, rows in enumerate(t.types[type_id]):
            amount = rows[v]
            target = skills[line]
            if change:
                amount *= change[3]
                target = change[2]
            if target == DAMAGE_BONUS:
                sums[-1] += amount
            else:
                sums[target] += amount * (2 if t.skills[target][1] == 1 else 1)
        words.append(("az " if name[:1] in VOWELS else "a ") + name + " ")
    if v:
        words.append(t.std[s]["name"])
    words.append(t.std[b]["prefixed" if p else "name"])
    own = t.std[s]
    for slot, field in ((6, "skill6Bonus"), (7, "skill7Bonus"), (8, "skill8Bonus")):
        sums[slot] += own.get(field, 0)
    sums[-3] += own.get("damageSides", 0)
    sums[-2] += own.get("damageDice", 0)
    sums[-1] += own.get("damageBonus", 0)
    items = []
    for i in range(SKILL_COUNT):
        if sums[i]:
            item = ("+" if sums[i] > 0 else "") + str(sums[i]) + ("%" if i in (7, 8) else "")
            item += " " + t.skills[i][0]
            if i == 7 and kind in WEAPON_KINDS:
                item += " ezzel a fegyverrel!"
            items.append(item)
    text = "".join(words) + "\nA tárgy tápjai :\n" + " ".join(items)
    if kind in WEAPON_KINDS:
        dice, sides, bonus = sums[-2], sums[-3], sums[-1]
        damage = (str(dice) if dice else "") + (f"d{sides}" if sides else "")
        damage += f"+{bonus}" if bonus else ""
        text = text.rstrip("\n") + ("\n" if not items else " \n") + "sebzés : " + damage
    return text


def compare_with_cli(t, cli):
    """A second opinion: the C++ engine must give the same bytes for every number."""
    result = subprocess.run([cli, "-C", str(DATA.parent), "--all", "--raw"],
                            capture_output=True, check=True)
    got = result.stdout.split(b"\0")[:-1]
    expected = [text for number in range(BASE, BASE + RND_COUNT * STD_COUNT)
                if (text := describe(t, number))]
    if len(got) != len(expected):
        raise SystemExit(f"tamrix-cli gave {len(got)} descriptions, the script {len(expected)}")
    for number, (ours, theirs) in enumerate(zip(expected, got), start=BASE):
        if ours.encode(ENCODING) != theirs:
            raise SystemExit(f"{number}: tamrix-cli says {theirs.decode(ENCODING)!r}, "
                             f"the script {ours!r}")
    print(f"ok: tamrix-cli agrees on all {len(got)} descriptions")


def check_files(cli=None):
    t = read_tables()
    problems = []
    if sorted(t.std) != list(range(STD_COUNT)):
        problems.append("stditem.txt must fill all 450 slots")
    if sorted(t.skills) != list(range(SKILL_COUNT)):
        problems.append("skill.txt must name all 110 skills")
    if sorted(t.rnd) != list(range(1, RND_COUNT)):
        problems.append("rnditem.txt must fill the prefix slots 1 to 63")
    if len(t.types) < 20 or len(t.changes) < 10:
        problems.append("expected at least 20 types and 10 change records")
    if problems:
        raise SystemExit("\n".join(problems))
    longest = ""
    for number in range(BASE, BASE + RND_COUNT * STD_COUNT):
        text = describe(t, number)
        if not text:
            raise SystemExit(f"{number} has no description")
        first = text.split("\n")[0]
        if "  " in first or first != first.strip():
            raise SystemExit(f"{number}: badly spaced name line {first!r}")
        longest = max(longest, first, key=len)
    print(f"ok: {len(t.std)} standard items, {len(t.skills)} skills, {len(t.types)} types, "
          f"{len(t.rnd)} prefixes, {len(t.changes)} change records; "
          f"{RND_COUNT * STD_COUNT} numbers described")
    print(f"longest name line ({len(longest)} characters): {longest}")
    if cli:
        compare_with_cli(t, cli)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="re-read and check Data/*.txt")
    parser.add_argument("--cli", metavar="PATH",
                        help="with --check: compare every description with this tamrix-cli")
    parser.add_argument("--show", nargs="+", type=int, metavar="N",
                        help="print the descriptions of these item numbers")
    args = parser.parse_args()
    if args.show:
        t = read_tables()
        for number in args.show:
            print(f"{number}: " + describe(t, number).replace("\n", "\n      ") + "\n")
    elif args.check:
        check_files(args.cli)
    else:
        write_files()
        check_files()
    return 0


if __name__ == "__main__":
    sys.exit(main())
