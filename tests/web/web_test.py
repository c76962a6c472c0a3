#!/usr/bin/python3
"""Drives the real tamrix.html in headless Chromium and compares every answer
with tamrix-cli on the same data; reports how long the page's search takes. Leaves OUT/tamrix-search.png.

Usage: web_test.py --page HTML --cli TAMRIX_CLI --data SAMPLE_DATA_DIR
                   --queries CLI_TEST_PY --out OUT"""

import argparse
import ast
import json
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

DATA_FILES = ["stditem.txt", "specitem.txt", "skill.txt", "rnditem.txt", "type.txt", "change.txt"]
MISSING_SKILL = "Data\\skill.txt : a fájl nem nyitható meg"
MAX_PAGE_BYTES = 2 * 1024 * 1024
# A word, a comparison and a five-term query over the sample catalogue.
TIMED_QUERIES = ["kard", "tuzsebzes>=4", "kard -tompa kind:weapon grade:3..14 tartossag>=50"]

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


def cli_answers(args, numbers, data=None):
    result = cli(args, "--json", *numbers, data=data)
    assert result.returncode == 0, result
    return [json.loads(line) for line in result.stdout.decode("utf-8").splitlines()]


# The numbers that tamrix-cli finds, or its usage error without its prefix.
def cli_find(args, query, data=None):
    result = cli(args, "--json", "--find", query, data=data)
    if result.returncode == 2:
        return result.stderr.decode("utf-8").splitlines()[0].removeprefix("tamrix-cli: ")
    assert result.returncode == 0, result
    return [json.loads(line)["number"] for line in result.stdout.decode("utf-8").splitlines()]


# The realistic queries of the CLI test, read from its source so that both
# tests keep asking the same: the first text of every tuple in case_find
# (its table of queries, and the queries that must fail).
def cli_test_queries(path):
    with open(path, encoding="utf-8") as f:
        tree = ast.parse(f.read())
    case = next(node for node in ast.walk(tree)
                if isinstance(node, ast.FunctionDef) and node.name == "case_find")
    return [node.elts[0].value for node in ast.walk(case)
            if isinstance(node, ast.Tuple) and node.elts and isinstance(node.elts[0], ast.Constant)
            and isinstance(node.elts[0].value, str) and node.elts[0].value]


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

    def search(self, query):
        self.js("""
            const field = document.getElementById('search');
            field.value = arguments[0];
            field.dispatchEvent(new Event('input'));""", query)
        return self.text("search-error")

    # Every result number, read from the rows as the list is scrolled
    # through from top to bottom; the list is made tall for that, so that
    # each screenful holds hundreds of rows.
    def result_numbers(self):
        return self.js("""
            const list = document.getElementById('results');
            list.style.height = '20000px';
            const seen = new Map();
            for (let top = 0; ; top += list.clientHeight) {
              list.scrollTop = top;
              list.dispatchEvent(new Event('scroll'));
              for (const row of list.querySelectorAll('[data-number]'))
                seen.set(Number(row.dataset.index), Number(row.dataset.number));
              if (top >= list.scrollHeight) break;
            }
            list.style.height = '';
            list.scrollTop = 0;
            list.dispatchEvent(new Event('scroll'));
            return [...seen.keys()].sort((a, b) => a - b).map((index) => seen.get(index));""")

    def load_files(self, paths, input_id="data-files"):
        self.js("document.body.dataset.state = 'loading'")
        self.driver.find_element(By.ID, input_id).send_keys("\n".join(paths))
        return self.wait_ready()


def numbers_to_check():
    edges = ["0", "", "-1", "-5", "1", "999", "1000", "1001", "1014", "1015", "1449", "1450",
             "1463", "1464", "1899", "1900", "29384", "29799", "29800", "30000", "2147483647",
             "-2147483648", "2147483648", "99999999999", " 1454 ", "-0", "12a"]
    rng = random.Random(13)
    return edges + [str(rng.randrange(1000, 29800)) for _ in range(200)] + \
        [str(rng.randrange(-2**31, 2**31)) for _ in range(10)]


def check_answers(args, page, texts, data=None, what="sample"):
    want = cli_answers(args, texts, data)
    got = page.answers(texts)
    wrong = [(t, g, w) for t, g, w in zip(texts, got, want)
             if (g["name"], g["description"]) != (w["name"], w["description"])]
    check(len(got) == len(want) == len(texts) and not wrong,
          f"{what}: {len(wrong)} of {len(texts)} numbers differ from tamrix-cli, first {wrong[:1]}")


def case_dialog(args, page):
    check(page.text("description") == "Static", "the description box starts as in the dialog")
    version = cli(args, "--version").stdout.decode().split()[-1].split(".")
    check(page.js("return document.title") == f"Tamrix v{version[0]}.{version[1]}", "page title")
    check_answers(args, page, numbers_to_check())
    # Typing: digits only, every key re-decodes.
    field = page.driver.find_element(By.ID, "number")
    field.clear()
    field.send_keys("1-4a5 4")
    check(field.get_attribute("value") == "1454", "the number field takes digits only")
    check(page.text("name") == "a lángoló finom kard", "typed number answers")
    field.send_keys(Keys.BACKSPACE * 4)
    check(page.text("description") == "Ertelmetlen szam" and page.text("name") == "",
          "an emptied field gives Ertelmetlen szam")


def case_search(args, page, queries):
    for query in queries + ["kard sisak", ""]:
        want = cli_find(args, query)
        error = page.search(query)
        got = page.result_numbers()
        if isinstance(want, str):
            check(error == want and got == [], f"query {query!r}: error {error!r}, tamrix-cli {want!r}")
        else:
            check(error == "" and got == want,
                  f"query {query!r}: page {len(got)} results {got[:5]}, tamrix-cli {len(want)} {want[:5]}")
    # Choosing a result: by keyboard from the search field, and by click.
    page.search("langolo kard")
    search = page.driver.find_element(By.ID, "search")
    search.send_keys(Keys.ARROW_DOWN, Keys.ENTER)
    check(page.driver.find_element(By.ID, "number").get_attribute("value") == "1451" and
          page.text("name") == "a lángoló egyszerű kard", "Enter chooses the highlighted result")
    page.driver.find_element(By.CSS_SELECTOR, '#results [data-number="1454"]').click()
    check(page.driver.find_element(By.ID, "number").get_attribute("value") == "1454",
          "a click chooses a result")
    page.driver.save_screenshot(os.path.join(args.out, "tamrix-search.png"))


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
    texts = numbers_to_check()[:80]
    second_cli, uploaded = write_second_set(args.data, work)
    check(cli_answers(args, ["1000"], second_cli) != cli_answers(args, ["1000"]),
          "the second set answers differently")
    check(page.load_files(uploaded) == "ready" and page.text("error") == "", "the second set loads")
    check(page.text("data-status") != "Betöltve: a beépített minta Data.", "the status names the set")
    check_answers(args, page, texts, second_cli, "second set")
    check(page.search("pallos") == "" and page.result_numbers() == cli_find(args, "pallos", second_cli),
          "the second set's catalogue is searched")

    # A broken set: its error is shown, the second set keeps answering.
    status = page.text("data-status")
    broken = os.path.join(work, "broken")
    os.makedirs(broken)
    without_skill = [shutil.copy(path, broken) for path in uploaded if "skill" not in path.lower()]
    page.load_files(without_skill)
    check(page.text("error") == MISSING_SKILL, f"missing file error: {page.text('error')!r}")
    check_answers(args, page, texts, second_cli, "after a failed load")
    check(page.text("data-status").startswith(status), "the status still names the second set")

    rejected = os.path.join(work, "rejected")
    os.makedirs(rejected)
    paths = [shutil.copy(os.path.join(second_cli, "Data", name), rejected) for name in DATA_FILES]
    with open(os.path.join(rejected, "change.txt"), "ab") as f:
        f.write(b"1450 x 5 2\n")
    page.load_files(paths)
    check(page.text("error") == "Data\\change.txt : x 5 2", f"rejected line: {page.text('error')!r}")
    check_answers(args, page, texts[:20], second_cli, "after a rejected line")

    # A game folder chosen whole: its Data folder's files count.
    page.load_files([second_cli], "data-folder")
    check(page.text("error") == "" and "cli" in page.text("data-status"), "a folder loads")
    check_answers(args, page, texts[:20], second_cli, "a folder")

    page.js("document.body.dataset.state = 'loading'")
    page.driver.find_element(By.ID, "sample-button").click()
    page.wait_ready()
    check(page.text("error") == "", "the sample set loads again")
    check_answers(args, page, texts[:20], None, "the sample set again")


# The warnings the page lists: hidden or not, the count line, and per item
# its code, line, column and text.
def warnings_shown(page):
    return page.js("""
        const box = document.getElementById('warnings');
        return {hidden: box.hidden, count: document.getElementById('warnings-count').textContent,
                items: [...box.querySelectorAll('li')].map((li) =>
                  [li.dataset.code, li.dataset.line, li.dataset.column, li.textContent])};""")


def case_load_report(args, page, work):
    """What the page says about a load: the warnings of a set that loads, as
    tamrix-cli --check gives them; where and why a set fails, and that the set
    before still answers; nothing for the sample set."""
    second_cli = os.path.join(work, "cli")
    page.load_files([second_cli], "data-folder")
    want = [json.loads(line) for line in
            cli(args, "--check", "--json", data=second_cli).stdout.decode().splitlines()[1:]]
    shown = warnings_shown(page)
    check(want and not shown["hidden"] and f" {len(want)} figyelmeztetéssel " in shown["count"] and
          [item[:3] for item in shown["items"]] ==
          [[w["warning"], str(w["line"] or ""), str(w["column"] or "")] for w in want],
          f"the second set's warnings: {shown['count']} {shown['items'][:2]}, tamrix-cli {want[:2]}")
    first = want[0]
    check(shown["items"][0][3] == f"Data\\type.txt, {first['line']}. sor, {first['column']}. oszlop: "
          "a mennyiség az egyik fokozatról a következőre csökken [amount-falls]",
          f"a warning's text: {shown['items'][0][3]!r}")

    status = page.text("data-status")
    rejected = [os.path.join(work, "rejected", name) for name in DATA_FILES]
    with open(rejected[DATA_FILES.index("change.txt")], "rb") as f:
        line = f.read().count(b"\n")
    page.load_files(rejected)
    check(page.text("error") == "Data\\change.txt : x 5 2" and page.text("error-place") ==
          f"Data\\change.txt, {line}. sor: az átirányítás e mezője nem szám",
          f"a failed load's place: {page.text('error-place')!r}")
    check(page.text("data-status").startswith(status) and
          "továbbra is ez a Data válaszol" in page.text("data-status"),
          f"the status after a failed load: {page.text('data-status')!r}")

    page.js("document.body.dataset.state = 'loading'")
    page.driver.find_element(By.ID, "sample-button").click()
    page.wait_ready()
    shown = warnings_shown(page)
    check(shown["hidden"] and shown["items"] == [] and page.text("error-place") == "",
          f"the sample set shows no warning: {shown}")


def timings_ms(page, script, repetitions):
    return page.js(f"""
        const times = [];
        for (let i = 0; i < {repetitions}; ++i) {{
          const start = performance.now();
          {script};
          times.push(performance.now() - start);
        }}
        return times;""")


def median_ms(page, script, repetitions):
    return statistics.median(timings_ms(page, script, repetitions))


def case_speed(page, figures):
    """Times the page's search; the figures go into the report, the limits
    are the benchmark's."""
    for query in TIMED_QUERIES:
        check(page.search(query) == "" and page.text("search-status") != "", f"timed query {query!r}")
        script = f"""const field = document.getElementById('search');
          field.value = {json.dumps(query)}; field.dispatchEvent(new Event('input'))"""
        figures[f"search {query!r}"] = f"{median_ms(page, script, 15):.2f} ms"


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
    for option in ("page", "cli", "data", "queries", "out"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    args.page, args.data = os.path.abspath(args.page), os.path.abspath(args.data)
    queries = cli_test_queries(args.queries)
    check(len(queries) >= 12, f"the CLI test's queries: {queries}")

    size = os.path.getsize(args.page)
    check(size < MAX_PAGE_BYTES, f"tamrix.html is {size} bytes")
    figures = {"size": f"{size} bytes"}
    url = "file://" + args.page
    with tempfile.TemporaryDirectory() as work:
        driver = start_browser(os.path.join(work, "profile"))
        try:
            driver.get_log("performance")  # the browser's own start page
            driver.get(url)
            page = Page(driver)
            check(page.wait_ready() == "ready" and page.text("error") == "", "the page starts")
            case_dialog(args, page)
            case_search(args, page, queries)
            case_data_sets(args, page, work)
            case_load_report(args, page, work)
            case_speed(page, figures)
            case_no_requests(page, url)
        finally:
            driver.quit()
    for name, figure in figures.items():
        print(f"web: {name}: {figure}")
    print(f"web: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
