#!/usr/bin/python3
"""Drives the real tamrix.html in headless Chromium: what only the page can
show (its widgets, links, history, downloads, loading the user's files, the
desktop and phone screens, the engine failing), checked against tamrix-cli
on the same data; reports how long its searches and its first answer take.
Leaves OUT/tamrix-desktop.png and OUT/tamrix-phone.png.

Usage: web_test.py --page HTML --cli TAMRIX_CLI --data SAMPLE_DATA_DIR --out OUT"""

import argparse
import base64
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

DATA_FILES = ["stditem.txt", "specitem.txt", "skill.txt", "rnditem.txt", "type.txt", "change.txt"]
MISSING_SKILL = "Data\\skill.txt : a fájl nem nyitható meg"
# Queries whose time the report gives: a word, a comparison, a five-term
# query and sorted ones.
TIMED_QUERIES = ["kard", "tuzsebzes>=4", "kard -tompa kind:weapon grade:3..14 tartossag>=50",
                 "sort:name", "kind:weapon sort:damage", "tuzsebzes>=4 sort:tuzsebzes"]

passed, failed = 0, 0


def check(condition, what):
    global passed, failed
    if condition:
        passed += 1
    else:
        failed += 1
        print("FAILED:", what)


def cli(args, *arguments, data=None):
    command = [args.cli] + (["-C", data] if data else []) + list(arguments)
    return subprocess.run(command, capture_output=True, timeout=120)


# The numbers that tamrix-cli finds, or its usage error without its prefix.
def cli_find(args, query, data=None):
    result = cli(args, "--json", "--find", query, data=data)
    if result.returncode == 2:
        return result.stderr.decode("utf-8").splitlines()[0].removeprefix("tamrix-cli: ")
    assert result.returncode == 0, result
    return [json.loads(line)["number"] for line in result.stdout.decode("utf-8").splitlines()]


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--window-size=800,1000", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(120)
    return driver


class Page:
    def __init__(self, driver):
        self.driver = driver

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    # Opens the address afresh, not as a change of fragment, and waits.
    def open(self, address):
        self.driver.get("about:blank")
        self.driver.get(address)
        return self.wait_ready()

    def wait_ready(self):
        WebDriverWait(self.driver, 30).until(
            lambda d: d.execute_script("return document.body.dataset.state") != "loading")
        return self.js("return document.body.dataset.state")

    def text(self, element_id):
        return self.js("return document.getElementById(arguments[0]).textContent", element_id)

    # Puts each text into the number field as a paste does and reads the
    # two output fields after each.
    def answers(self, texts):
        return self.js("""
            const field = document.getElementById('number');
            return arguments[0].map((text) => {
              field.value = text;
              field.dispatchEvent(new Event('input'));
              return {name: document.getElementById('name').textContent,
                      description: document.getElementById('description').textContent};
            });""", texts)

    # Puts the query into the field and presses Enter, which shows at once
    # what a pause in typing would.
    def search(self, query):
        self.js("""
            const field = document.getElementById('search');
            field.value = arguments[0];
            field.dispatchEvent(new Event('input'));
            field.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter'}));""", query)
        return self.text("search-error")

    # Every result number, read from the rows as "more" makes them.
    def result_numbers(self):
        return self.js("""
            const list = document.getElementById('results');
            const more = document.getElementById('results-more');
            for (let tries = 0; !more.hidden && tries < 1000; ++tries) more.click();
            return [...list.children].map((row) => Number(row.dataset.number));""")

    def load_files(self, paths, input_id="data-files"):
        self.js("document.body.dataset.state = 'loading'")
        self.driver.find_element(By.ID, input_id).send_keys("\n".join(paths))
        return self.wait_ready()


    # Chooses each set of files with the file input, one right after the
    # other: `sets` holds (files, padding) where files maps names to bytes
    # and stditem.txt gets `padding` header lines more.
    def choose_files(self, sets):
        self.js("document.body.dataset.state = 'loading'")
        self.js("""
            const input = document.getElementById('data-files');
            for (const [files, padding] of arguments[0]) {
              const chosen = new DataTransfer();
              for (const [name, base64] of files) {
                const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
                const parts = name === 'stditem.txt' ? ['padding\\n'.repeat(padding), bytes] : [bytes];
                chosen.items.add(new File(parts, name));
              }
              input.files = chosen.files;
              input.dispatchEvent(new Event('change'));
            }""", [([[name, base64.b64encode(content).decode("ascii")] for name, content in files.items()],
                    padding) for files, padding in sets])
        return self.wait_ready()


# Number field texts at the edges of the field's rule and of the item numbers.
NUMBERS = ["0", "", "-5", "999", "1000", "1449", "1450", "1464", "2385", "29799", "29800",
           "2147483648", " 1454 ", "12a"]


def check_answers(args, page, texts, data=None, what="sample"):
    result = cli(args, "--json", *texts, data=data)
    want = [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]
    got = page.answers(texts)
    wrong = [(t, g, w) for t, g, w in zip(texts, got, want)
             if (g["name"], g["description"]) != (w["name"], w["description"])]
    check(len(got) == len(want) == len(texts) and not wrong,
          f"{what}: {len(wrong)} of {len(texts)} numbers differ from tamrix-cli, first {wrong[:1]}")


def case_dialog(args, page):
    check(page.text("description") == "Írja be a tárgy számát.", "a Hungarian hint before the first number")
    version = cli(args, "--version").stdout.decode().split()[-1].split(".")
    check(page.js("return document.title") == f"Tamrix v{version[0]}.{version[1]}", "page title")
    check_answers(args, page, NUMBERS)
    # Typing: digits only, every key re-decodes.
    field = page.driver.find_element(By.ID, "number")
    field.clear()
    field.send_keys("1-4a5 4")
    check(field.get_attribute("value") == "1454", "the number field takes digits only")
    check(page.text("name") == "a lángoló finom kard", "typed number answers")
    field.send_keys(Keys.BACKSPACE * 4)
    check(page.text("description") == "Ertelmetlen szam" and page.text("name") == "",
          "an emptied field gives Ertelmetlen szam")


def case_search(args, page):
    """The page's search gives the engine's results and its errors in
    Hungarian; the query language itself is the engine's unit test's."""
    for query in ("langolo kard", "tuzsebzes>=4 kind:weapon", "kard sisak"):
        check(page.search(query) == "" and page.result_numbers() == cli_find(args, query),
              f"query {query!r}")
    check(page.search("tuz>=4") ==
          "„tuz>=4”: több képesség neve kezdődik így: tuz (tűzállóság, tűzsebzés, tűzmágia)" and
          page.result_numbers() == [], "a search error in Hungarian")
    # Choosing a result: by keyboard from the search field, and by click.
    page.search("langolo kard")
    search = page.driver.find_element(By.ID, "search")
    check(page.js("return document.querySelectorAll('#results [aria-selected=\"true\"]').length") == 0,
          "no result is highlighted before the player moves")
    search.send_keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ENTER)
    check(page.driver.find_element(By.ID, "number").get_attribute("value") == "1451" and
          page.text("name") == "a lángoló egyszerű kard", "Enter chooses the highlighted result")
    page.driver.find_element(By.CSS_SELECTOR, '#results [data-number="1454"]').click()
    check(page.driver.find_element(By.ID, "number").get_attribute("value") == "1454",
          "a click chooses a result")


# Whether the element is in view: wholly, or (`top`) from its top on.
def in_view(page, element_id, top=False):
    return page.js("""const box = document.getElementById(arguments[0]).getBoundingClientRect();
        return box.top >= -1 && (arguments[1] ? box.top + 40 : box.bottom) <= window.innerHeight;""",
                   element_id, top)


# A result chosen on a phone-sized screen, with the page scrolled to the search
# field as a phone's keyboard leaves it: the name and the description, out
# of view while the result is tapped, are in view afterwards; and the page is
# no wider than the screen.
def case_answer_in_view(args, page):
    page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
    try:
        page.search("langolo kard")
        page.js("document.getElementById('search').scrollIntoView({block: 'start'})")
        row = page.driver.find_element(By.CSS_SELECTOR, '#results [data-number="1454"]')
        check(not in_view(page, "name"), "the phone shows the list, not the answer")
        row.click()
        check(page.text("name") == "a lángoló finom kard" and in_view(page, "name") and
              in_view(page, "description"), "the answer in view at 390x844")
    finally:
        page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        page.js("window.scrollTo(0, 0)")


# A second set that answers differently: other names, other skills, other
# amounts, under file names in other letter cases and beside a stray file.
def write_second_set(sample, folder):
    texts = {name: open(os.path.join(sample, name), "rb").read() for name in DATA_FILES}
    texts["stditem.txt"] = texts["stditem.txt"].replace(b'"kard"', b'"pallos"')
    texts["skill.txt"] = texts["skill.txt"].replace(b"tart\xf3ss\xe1g", b"szil\xe1rds\xe1g")
    texts["type.txt"] = texts["type.txt"].replace(b" 4 ", b" 7 ")
    cli_copy = os.path.join(folder, "cli", "Data")
    upload = os.path.join(folder, "upload")
    os.makedirs(cli_copy)
    os.makedirs(upload)
    uploaded = []
    for index, (name, content) in enumerate(texts.items()):
        with open(os.path.join(cli_copy, name), "wb") as f:
            f.write(content)
        shown = name.upper() if index % 2 else name.capitalize()
        uploaded.append(os.path.join(upload, shown))
        with open(uploaded[-1], "wb") as f:
            f.write(content)
    uploaded.append(os.path.join(upload, "notes.txt"))
    with open(uploaded[-1], "wb") as f:
        f.write(b"not a data file\n")
    return os.path.dirname(cli_copy), uploaded


def case_data_sets(args, page, work):
    """The user's own files: found by name in any letter case, a failed load
    explained while the set before keeps answering, the set chosen last
    answering, and the warnings of a set that loads."""
    texts = ["1000", "2385", "1451", "29799"]
    second_cli, uploaded = write_second_set(args.data, work)
    check(page.load_files(uploaded) == "ready" and page.text("error") == "", "the second set loads")
    status = page.text("data-status")
    check(status.startswith("Betöltve: saját Data (fájlok: Stditem.txt, SPECITEM.TXT, ")
          and "notes.txt" not in status, f"the status names the files: {status!r}")
    check_answers(args, page, texts, second_cli, "second set")
    check(page.search("pallos") == "" and page.result_numbers() == cli_find(args, "pallos", second_cli),
          "the second set's catalogue is searched")
    want = [json.loads(line) for line in
            cli(args, "--check", "--json", data=second_cli).stdout.decode().splitlines()[1:]]
    shown = warnings_shown(page)
    check(want and not shown["hidden"] and f" {len(want)} figyelmeztetéssel " in shown["count"] and
          [item[:3] for item in shown["items"]] ==
          [[w["warning"], str(w["line"] or ""), str(w["column"] or "")] for w in want],
          f"the second set's warnings: {shown['count']} {shown['items'][:2]}, tamrix-cli {want[:2]}")
    falls = [int(n) for n in re.findall(r"\d+", want[0]["message"])]  # from, grade, to, grade
    check(shown["items"][0][3] == f"Data\\type.txt, {want[0]['line']}. sor, {want[0]['column']}. "
          f"oszlop: a mennyiség csökken: a(z) {falls[1]}. fokozaton {falls[0]}, a(z) {falls[3]}. "
          f"fokozaton {falls[2]} [amount-falls]",
          f"a warning's text: {shown['items'][0][3]!r}")

    # A set whose change file has a rejected line: the dialog's error text,
    # its place and reason, and the second set still answers.
    rejected = os.path.join(work, "rejected")
    os.makedirs(rejected)
    paths = [shutil.copy(os.path.join(second_cli, "Data", name), rejected) for name in DATA_FILES]
    with open(os.path.join(rejected, "change.txt"), "ab") as f:
        f.write(b"1450 x 5 2\n")
    with open(os.path.join(rejected, "change.txt"), "rb") as f:
        line = f.read().count(b"\n")
    page.load_files(paths)
    check(page.text("error") == "Data\\change.txt : x 5 2" and page.text("error-place") ==
          f"Data\\change.txt, {line}. sor: az átirányítás e mezője nem szám",
          f"a failed load's place: {page.text('error')!r} {page.text('error-place')!r}")
    check(page.text("data-status").endswith(f"Továbbra is ez válaszol: {status.removeprefix('Betöltve: ')}"),
          f"the status still names the second set: {page.text('data-status')!r}")
    check_answers(args, page, texts, second_cli, "after a failed load")

    # A game folder chosen whole: its Data folder's files count.
    page.load_files([second_cli], "data-folder")
    check(page.text("error") == "" and "cli" in page.text("data-status"), "a folder loads")

    # A large set chosen, then at once the sample's files: the sample answers,
    # though the large set finishes reading after it.
    second = {name: open(os.path.join(second_cli, "Data", name), "rb").read() for name in DATA_FILES}
    sample = {name: open(os.path.join(args.data, name), "rb").read() for name in DATA_FILES}
    started = time.monotonic()
    check(page.choose_files([(second, 4_000_000)]) == "ready" and page.text("error") == "",
          "the large set loads")
    large_seconds = time.monotonic() - started
    page.choose_files([(second, 4_000_000), (sample, 0)])
    time.sleep(1 + 3 * large_seconds)  # long enough for the large set to be read
    check_answers(args, page, texts, None, "the set chosen last")
    check(page.text("data-status") == f"Betöltve: saját Data (fájlok: {', '.join(DATA_FILES)}).",
          f"the status names the set chosen last: {page.text('data-status')!r}")

    page.js("document.body.dataset.state = 'loading'")
    page.driver.find_element(By.ID, "sample-button").click()
    page.wait_ready()
    shown = warnings_shown(page)
    check(page.text("error") == "" and shown["hidden"] and shown["items"] == [] and
          page.text("error-place") == "", f"the sample set loads again, without warnings: {shown}")


# The warnings the page lists: hidden or not, the count line, and per item
# its code, line, column and text.
def warnings_shown(page):
    return page.js("""
        const box = document.getElementById('warnings');
        return {hidden: box.hidden, count: document.getElementById('warnings-count').textContent,
                items: [...box.querySelectorAll('li')].map((li) =>
                  [li.dataset.code, li.dataset.line, li.dataset.column, li.textContent])};""")


def median_ms(page, script, repetitions):
    return statistics.median(page.js(f"""
        const times = [];
        for (let i = 0; i < {repetitions}; ++i) {{
          const start = performance.now();
          {script};
          times.push(performance.now() - start);
        }}
        return times;"""))


def case_speed(page, figures):
    """Times the page's searches; the figures go into the report, the limits
    are the benchmark's."""
    for query in TIMED_QUERIES:
        check(page.search(query) == "" and page.text("search-status") != "", f"timed query {query!r}")
        script = f"""const field = document.getElementById('search');
          field.value = {json.dumps(query)}; field.dispatchEvent(new Event('input'))"""
        figures[f"search {query!r}"] = f"{median_ms(page, script, 15):.2f} ms"


# --- Choosing: links, every grade, sort, comparison, suggestions, CSV --------

LINK_QUERY = "tuzsebzes>=4 sort:tuzsebzes"
LINK_COMPARED = ["2385", "2386", "1630"]


def link(url, number, query, compared):
    return (f"{url}#n={number}&q={urllib.parse.quote(query, safe='')}"
            f"&c={','.join(compared)}")


def page_state(page):
    return page.js("""return {
        number: document.getElementById('number').value,
        query: document.getElementById('search').value,
        sort: document.getElementById('sort').value,
        hash: location.hash,
        history: history.length,
        compared: [...document.querySelectorAll('#compare thead th[data-number]')]
          .map((th) => th.dataset.number),
        rows: [...document.querySelectorAll('#compare tr[data-skill]')].map((tr) => ({
          skill: Number(tr.dataset.skill), name: tr.querySelector('th').textContent,
          values: [...tr.querySelectorAll('td')].map((td) => Number(td.dataset.value))})),
        damage: [...document.querySelectorAll('#compare tr[data-damage] td')]
          .map((td) => td.dataset.value),
        best: [...document.querySelectorAll('#compare td.best')]
          .map((td) => td.closest('tr').dataset.skill + ' ' + td.dataset.number + ' ' +
               td.textContent)};""")


def case_link(args, page, url, figures):
    """A link restores the number, the query and the comparison; working on
    adds history entries that Back undoes."""
    check(page.open(link(url, "2385", LINK_QUERY, LINK_COMPARED)) == "ready" and
          in_view(page, "comparison", top=True), "the page opens from a link at its comparison")
    state = page_state(page)
    want = json.loads(cli(args, "--json", "--compare", *LINK_COMPARED).stdout)
    check(state["number"] == "2385" and page.text("name") == "a parázsló csiszolt szablya",
          f"the link's number: {state['number']!r}")
    check(state["query"] == LINK_QUERY and state["sort"] == "sort:tuzsebzes" and
          page.result_numbers() == cli_find(args, LINK_QUERY), f"the link's query: {state}")
    check(state["compared"] == LINK_COMPARED and
          [{k: row[k] for k in ("skill", "name", "values")} for row in want["rows"]] == state["rows"] and
          state["damage"] == [d or "" for d in want["damage"]], f"the comparison against --compare --json: {state}")
    check("6 2386 +65 ★ (a legjobb)" in state["best"] and len(state["best"]) == 9,
          f"the best of each row, for the eye and for screen readers: {state['best']}")

    # Typing replaces the entry; choosing a result and adding to the
    # comparison add one each; Back undoes them in turn.
    search = page.driver.find_element(By.ID, "search")
    search.send_keys(" kind:weapon")
    typed = page_state(page)
    check(typed["history"] == state["history"] and "kind%3Aweapon" in typed["hash"],
          f"typing replaces the history entry: {typed['hash']}")
    search.send_keys(Keys.ARROW_DOWN, Keys.ENTER)
    chosen = page_state(page)["number"]
    search.send_keys(Keys.SHIFT, Keys.ENTER)
    added = page_state(page)
    check(added["compared"] == LINK_COMPARED + [chosen] and added["history"] == state["history"] + 2,
          f"a result chosen and added by key: {added}")
    page.driver.back()
    check(page_state(page)["compared"] == LINK_COMPARED and page_state(page)["number"] == chosen,
          "Back takes the added item out")
    page.driver.back()
    check(page_state(page)["number"] == "2385", "Back shows the link's item again")
    page.open(url + "#1454")
    check(page_state(page)["number"] == "1454" and page.text("name") == "a lángoló finom kard",
          "a short link shows its item")
    figures["opening #1454: first answer, DOMContentLoaded"] = page.js("""
        const ready = performance.getEntriesByName('tamrix-first-answer')[0].startTime;
        const loaded = performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd;
        return `${ready.toFixed(0)} ms, ${loaded.toFixed(0)} ms`;""")


def case_choosing(args, page):
    """Every grade of the item shown, the sort control, removing from the
    comparison and the suggestion, by keyboard where a user has only that."""
    page.answers(["2385"])
    rows = page.js("""return [...document.querySelectorAll('#grades button')].map((b) =>
        [Number(b.dataset.number), b.getAttribute('aria-current')])""")
    check([n for n, _ in rows] == cli_find(args, "group:2385 prefix:3 sort:grade:asc") and
          [n for n, current in rows if current == "true"] == [2385], f"every grade: {rows}")
    page.js("document.getElementById('grades-box').open = true")
    page.driver.find_element(By.CSS_SELECTOR, '#grades [data-number="2390"]').send_keys(Keys.ENTER)
    points = page.js("""return [...document.querySelectorAll('#grades-chart g.series')].map((g) =>
        [g.querySelector('text').textContent, g.querySelectorAll('circle').length])""")
    check(len(points) == 4 and all(count == 15 for _, count in points) and points[0][0] == "tartósság",
          f"the chart has a line of 15 points per skill: {points}")
    check(page_state(page)["number"] == "2390", "Enter on a grade shows it")

    page.search("kard grade:13")
    sort = page.driver.find_element(By.ID, "sort")
    sort.send_keys("n")  # the first option that starts so: by name
    query = page_state(page)["query"]
    check(query == "kard grade:13 sort:name" and page.result_numbers() == cli_find(args, query),
          f"the sort control writes the query: {query!r}")
    page.search("kard sort:damage:asc")
    check(page_state(page)["sort"] == "sort:damage:asc", "the control shows the query's sort")

    for number in ("2385", "1454"):
        page.answers([number])
        page.driver.find_element(By.ID, "compare-add-shown").click()
    removed = []
    for number in ("2385", "1454"):
        page.driver.find_element(By.CSS_SELECTOR, f'#compare .removes [data-number="{number}"] .remove').click()
        removed.append(page_state(page)["compared"])
    check(removed == [["1454"], []], f"items are added by button and removed one by one: {removed}")

    page.search("langlo kard")
    check(page.text("suggestion") == "Erre gondolt: lángoló?", f"suggestion: {page.text('suggestion')!r}")
    page.driver.find_element(By.ID, "search").send_keys(Keys.ENTER)
    check(page_state(page)["query"] == "langolo kard" and len(page.result_numbers()) == 14,
          "Enter takes the suggestion")


# Clicks the button and gives the bytes of the file it saves as `name`.
def download(page, work, button, name):
    folder = tempfile.mkdtemp(dir=work)
    page.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})
    page.js("arguments[0].closest('details')?.setAttribute('open', ''); arguments[0].click()",
            page.driver.find_element(By.ID, button))
    path = os.path.join(folder, name)
    for _ in range(300):
        if os.path.exists(path):
            return open(path, "rb").read()
        time.sleep(0.1)
    return b""


def case_csv_download(args, page, work):
    """"CSV" saves the results as tamrix-cli --csv writes them."""
    page.search(LINK_QUERY)
    saved = download(page, work, "csv", "tamrix.csv")
    check(saved == cli(args, "--csv", "--find", LINK_QUERY).stdout, f"CSV download: {saved[:60]!r}")


def case_without_engine(page, url):
    """A browser that cannot run the engine: the page says so plainly, and
    its data buttons say it again instead of failing."""
    script = page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                         {"source": "delete window.WebAssembly;"})
    try:
        check(page.open(url) == "failed", "the page without its engine")
        page.js("document.getElementById('error').textContent = ''")
        page.driver.find_element(By.ID, "sample-button").click()
        check(page.text("error").startswith("A böngésző nem tudja futtatni a Tamrix motorját") and
              page.text("data-status") == "Nincs betöltött Data.",
              f"without the engine: {page.text('error')!r}")
    finally:
        page.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)


# --- Every value in view, at a desktop's and a phone's size -----------------

SCREENS = [(1280, 800, "desktop"), (390, 844, "phone")]

# The boxes whose content is cut: an element narrower or lower than what it
# holds, unless it scrolls; and how far the page is wider than the screen.
CUT = """
    const scrolls = (value) => value === 'auto' || value === 'scroll';
    const cut = [];
    for (const el of document.querySelectorAll(arguments[0])) {
      const style = getComputedStyle(el);
      if (style.display === 'none' || el.clientWidth === 0) continue;
      if ((el.scrollWidth > el.clientWidth + 1 && !scrolls(style.overflowX)) ||
          (el.scrollHeight > el.clientHeight + 1 && !scrolls(style.overflowY)))
        cut.push(el.id || el.className + ' ' + el.textContent.slice(0, 40));
    }
    const compare = document.getElementById('compare');
    if (compare.scrollWidth > compare.clientWidth + 1) cut.push('#compare scrolls sideways');
    return {cut, wider: document.documentElement.scrollWidth - window.innerWidth};"""
BOXES = ("#results .result, #results .result > span, #name, #description, #grades .grade, "
         "#grades .grade > span, #compare th, #compare td")


def emulate(page, width, height):
    page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})


def case_in_view(args, page, url):
    """Nothing a player searched or sorted by is cut, at either size; the
    comparison comes into view when an item is added."""
    try:
        for width, height, name in SCREENS:
            emulate(page, width, height)
            page.open(link(url, "2385", LINK_QUERY, LINK_COMPARED))
            page.js("document.getElementById('grades-box').open = true")
            strongest = json.loads(cli(args, "--json", str(cli_find(args, "kind:weapon sort:damage")[0])).stdout)
            for query, value in ((LINK_QUERY, "+11"), ("varazslatos aranyozott szamszerij", "számszeríj"),
                                 ("kind:weapon sort:damage", strongest["description"].split("sebzés : ")[1])):
                page.search(query)
                shown = page.js(CUT, BOXES)
                first = page.js("return document.querySelector('#results .result').innerText.replace(/\\s+/g, ' ')")
                check(not shown["cut"] and shown["wider"] <= 0 and value in first,
                      f"{name} {query!r}: cut {shown['cut'][:3]}, {shown['wider']} px too wide, first row {first!r}")
            page.search(LINK_QUERY)
            page.js("window.scrollTo(0, 0)" if name == "desktop" else
                    "document.getElementById('search-section').scrollIntoView()")
            page.driver.save_screenshot(os.path.join(args.out, f"tamrix-{name}.png"))
            page.answers(["1454"])
            page.js("document.getElementById('search').scrollIntoView()")
            page.driver.find_element(By.ID, "compare-add-shown").click()
            check(in_view(page, "comparison", top=True) and page_state(page)["compared"] == LINK_COMPARED + ["1454"],
                  f"{name}: the comparison in view after adding")
    finally:
        page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def case_calm_search(args, page):
    """Typing a query key by key shows neither an error nor "no result"
    on the way; an ambiguous name offers its skills as buttons."""
    field = page.driver.find_element(By.ID, "search")
    page.search("")
    field.click()
    flashes = []
    for key in "tuzsebzes>=4":
        field.send_keys(key)
        if page.text("search-error") or page.text("search-status") == "Nincs találat.":
            flashes.append(field.get_attribute("value"))
    time.sleep(1)
    check(not flashes and page.result_numbers() == cli_find(args, "tuzsebzes>=4"),
          f"typing tuzsebzes>=4 flashes at {flashes}")
    page.search("tuz>=4")
    buttons = page.driver.find_elements(By.CSS_SELECTOR, "#choice-buttons button")
    check([b.text for b in buttons] == ["tűzállóság", "tűzsebzés", "tűzmágia"], "the three skills tuz may mean")
    buttons[1].click()
    check(page_state(page)["query"] == "tuzsebzes>=4" and page.text("search-error") == "" and
          page.js("return document.getElementById('sort').selectedOptions[0].text") == "szám szerint" and
          "tűzsebzés szerint, csökkenő" in page.js("return document.getElementById('sort').innerText"),
          "a skill chosen by its button, and its sort named as the data set names it")
    page.driver.find_element(By.ID, "number").send_keys(Keys.TAB, "/")  # from a button
    check(page.js("return document.activeElement.id") == "search", "/ moves to the search field")
    page.answers(["999"])
    check(page.text("number-note") == "A(z) 999 nem tárgy: a tárgyak száma 1000 és 29799 között van.",
          f"999's hint: {page.text('number-note')!r}")


def case_kept_set(args, page, url, work):
    """A set the player loads answers again after a reload until forgotten;
    a link made with it says so when another set answers."""
    second_cli, uploaded = write_second_set(args.data, os.path.join(work, "kept"))
    page.driver.get(url)
    page.wait_ready()
    page.load_files(uploaded)
    page.answers(["2385"])
    own_link = page.js("return location.href")
    page.driver.refresh()
    page.wait_ready()
    check(page.text("data-status").startswith("Betöltve: saját Data") and
          not page.driver.find_element(By.ID, "forget-button").get_attribute("hidden"),
          f"a reload keeps the set: {page.text('data-status')!r}")
    check_answers(args, page, ["2385", "1451"], second_cli, "the kept set")
    page.js("document.body.dataset.state = 'loading'")
    page.driver.find_element(By.ID, "forget-button").click()
    page.wait_ready()
    page.driver.refresh()
    check(page.wait_ready() == "ready" and page.text("data-status") == "Betöltve: a beépített minta Data.",
          f"forgotten: {page.text('data-status')!r}")
    page.open(own_link)
    check(page.text("link-note").startswith("Ez a link egy másik Data-val készült"),
          f"another set's link: {page.text('link-note')!r}")


def case_many_warnings(args, page, work):
    """200,000 warnings: the true count, the first few hundred listed, and
    the whole list to download as tamrix-cli --check prints it."""
    folder = os.path.join(work, "warned")
    shutil.copytree(args.data, os.path.join(folder, "Data"))
    with open(os.path.join(folder, "Data", "change.txt"), "ab") as f:
        f.write(b"23500 12 81 1\r\n" * 200_000)  # each one hidden by the record before
    page.open("file://" + args.page)
    page.load_files([os.path.join(folder, "Data", name) for name in DATA_FILES])
    shown = warnings_shown(page)
    check(shown["count"] == "A Data 200000 figyelmeztetéssel töltődött be." and len(shown["items"]) == 300 and
          page.text("warnings-more").startswith("… és még 199700 figyelmeztetés"),
          f"200,000 warnings: {shown['count']!r}, {len(shown['items'])} listed")
    saved = download(page, work, "warnings-download", "tamrix-check.txt")
    want = subprocess.run([args.cli, "--check"], cwd=folder, capture_output=True, timeout=300).stdout
    check(saved and saved == want.split(b"\n", 1)[1], f"the warnings download: {saved[:80]!r}")
    page.js("document.body.dataset.state = 'loading'; document.getElementById('forget-button').click()")
    page.wait_ready()


# Makes the next load's engine trap, as an engine that runs out of memory
# does: its load first asks for an input buffer of 4 GB.
TRAP = """
    const instantiate = WebAssembly.instantiate;
    WebAssembly.instantiate = async (...args) => {
      const made = await instantiate.apply(WebAssembly, args);
      if (!(made instanceof WebAssembly.Instance)) return made;
      const exports = {...made.exports};
      exports.tamrix_load = () => {
        if (window.trapNextLoad) exports.tamrix_input(0xfffffff0);
        return made.exports.tamrix_load();
      };
      return {exports};
    };"""


def case_engine_trap(args, page, url, work):
    """An engine that traps while it loads a set leaves the set before
    answering, and the status says exactly that."""
    script = page.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": TRAP})
    try:
        page.open(url)
        _, uploaded = write_second_set(args.data, os.path.join(work, "trapped"))
        page.js("window.trapNextLoad = true")
        page.load_files(uploaded)
        check(page.text("error").startswith("A Tamrix motorja leállt ennek a Data-nak a betöltése közben") and
              page.text("data-status").endswith("Továbbra is ez válaszol: a beépített minta Data."),
              f"a trap: {page.text('error')!r} {page.text('data-status')!r}")
        check_answers(args, page, ["2385", "1451", "999"], None, "after the trap")
        check(page.search("kard") == "" and page.result_numbers() == cli_find(args, "kard"),
              "the sample set still searches")
    finally:
        page.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", script)


def case_no_requests(page, url):
    requests = []
    for entry in page.driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        # The browser's own pages (its new tab page) are not the page's.
        if message["method"] == "Network.requestWillBeSent" and \
                not message["params"].get("documentURL", "").startswith("chrome://"):
            requests.append(message["params"]["request"]["url"])
    outside = [u for u in requests if u != url and not u.startswith("data:")]
    check(requests and not outside, f"requests beyond the page itself: {outside[:5]}")
    problems = [e["message"] for e in page.driver.get_log("browser") if e["level"] == "SEVERE"]
    check(not problems, f"browser errors: {problems[:3]}")
    policy = page.js("""return document.querySelector(
        'meta[http-equiv="Content-Security-Policy"]').content""")
    check("default-src 'none'" in policy and "connect-src 'none'" in policy, "the page's CSP")


def main():
    parser = argparse.ArgumentParser()
    for option in ("page", "cli", "data", "out"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    args.page, args.data, args.cli = (os.path.abspath(p) for p in (args.page, args.data, args.cli))

    figures = {"size": f"{os.path.getsize(args.page)} bytes"}
    url = "file://" + args.page
    with tempfile.TemporaryDirectory() as work:
        driver = start_browser(os.path.join(work, "profile"))
        try:
            driver.get_log("performance")  # the browser's own start page
            driver.get(url)
            page = Page(driver)
            check(page.wait_ready() == "ready" and page.text("error") == "", "the page starts")
            case_dialog(args, page)
            case_search(args, page)
            case_answer_in_view(args, page)
            case_data_sets(args, page, work)
            case_link(args, page, url, figures)
            case_choosing(args, page)
            case_calm_search(args, page)
            case_in_view(args, page, url)
            case_speed(page, figures)
            case_no_requests(page, url)
            case_csv_download(args, page, work)
            case_kept_set(args, page, url, work)
            case_many_warnings(args, page, work)
            case_engine_trap(args, page, url, work)
            case_without_engine(page, url)
        finally:
            driver.quit()
    for name, figure in figures.items():
        print(f"web: {name}: {figure}")
    print(f"web: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
