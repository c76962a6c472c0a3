#!/usr/bin/env python3
"""The item cards of the example fan page in headless Chromium, from a local
HTTP server, against tamrix-cli --json. Usage: cards_test.py --cards JS --cli CLI --source DIR --out DIR"""

import argparse
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

import web_test
from web_test import check, start_browser


def record(args, number):
    out = subprocess.run([args.cli, "-C", args.source, "--json", str(number)], capture_output=True,
                         check=True).stdout
    return json.loads(out)


def serve(folder):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    handler.func.log_message = lambda *a: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, f"http://127.0.0.1:{server.server_address[1]}/"


# The floating card as the page shows it, or None while it is hidden.
SHOWN = """
const host = document.querySelector('[role="tooltip"]');
if (!host || host.style.display === 'none' || !host.shadowRoot) return null;
const view = host.shadowRoot.querySelector('.card');
if (!view.firstChild) return null;
const r = host.getBoundingClientRect();
const target = document.querySelector('[aria-describedby="' + host.id + '"]');
return {text: cardText(view), id: host.id, target: target && target.outerHTML,
        inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight};
"""
CARD_TEXT = """
function cardText(view) {
  const name = view.querySelector('.name');
  const error = view.querySelector('.error, .none');
  return {name: name ? name.firstChild.textContent : null,
          bonuses: [...view.querySelectorAll('li')].map(li => li.textContent),
          damage: view.querySelector('.damage') ? view.querySelector('.damage').textContent : null,
          message: error ? error.textContent : null};
}
"""


def shown(driver, timeout=20):
    try:
        return WebDriverWait(driver, timeout).until(lambda d: d.execute_script(CARD_TEXT + SHOWN))
    except Exception:
        return None


def hidden(driver):
    return driver.execute_script(CARD_TEXT + SHOWN) is None


def expected(args, number):
    r = record(args, number)
    damage = r["damage"]
    return {"name": r["name"], "bonuses": [b["text"] for b in r["bonuses"]],
            "damage": ("sebzés : " + damage["text"]).strip() if damage else None, "message": None}


def hover(driver, element):
    ActionChains(driver).move_to_element(element).perform()


def tap(driver, element):
    actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
    actions.pointer_action.move_to(element).pointer_down().pointer_up()
    actions.perform()


def case_fan_page(args, driver, url, figures):
    driver.get(url + "fan-page.html")
    sword = driver.find_element(By.CSS_SELECTOR, 'span[data-tamrix-item="2385"]:not([data-tamrix-card])')
    start = time.monotonic()
    hover(driver, sword)
    card = shown(driver)
    figures["first hover to card (ms)"] = round((time.monotonic() - start) * 1000)
    check(card and card["text"] == expected(args, 2385), f"hover 2385: {card}")
    check(card and card["inside"] and 'data-tamrix-item="2385"' in (card["target"] or ""), f"placed {card}")
    driver.save_screenshot(os.path.join(args.out, "cards-desktop.png"))
    ActionChains(driver).send_keys(Keys.ESCAPE).perform()
    check(hidden(driver), "Escape")
    # The pointer leaving the item closes its card.
    hover(driver, driver.find_element(By.TAG_NAME, "h1"))
    hover(driver, sword)
    check(shown(driver) is not None, "hover again")
    hover(driver, driver.find_element(By.TAG_NAME, "h1"))
    check(hidden(driver), "pointer leave")

    link = driver.find_element(By.CSS_SELECTOR, 'a[href="tamrix.html#1464"]')
    hover(driver, link)
    card = shown(driver)
    check(card and card["text"] == expected(args, 1464), f"link 1464: {card}")
    hover(driver, driver.find_element(By.TAG_NAME, "h1"))

    driver.execute_script('document.querySelector(\'span[data-tamrix-item="1000"]\').focus()')
    card = shown(driver)
    check(card and card["text"] == expected(args, 1000) and card["inside"], f"focus 1000: {card}")
    driver.execute_script("document.activeElement.blur()")
    check(hidden(driver), "blur")

    inline = driver.execute_script(CARD_TEXT + """
      return [...document.querySelectorAll('[data-tamrix-card=inline]')]
        .map(e => e.shadowRoot && cardText(e.shadowRoot.querySelector('.card')));""")
    check(inline == [expected(args, 1679), expected(args, 2385)], f"inline {inline}")
    check(driver.execute_script("return Object.keys(window).filter(k => k.toLowerCase().includes('tamrix') || k.startsWith('module_'))") == [],
          "globals")

    # Phone width: a tap opens the card inside the viewport, a second tap
    # closes it; a tapped link does not navigate.
    driver.set_window_size(360, 740)
    driver.get(url + "fan-page.html")
    link = driver.find_element(By.CSS_SELECTOR, 'a[href="tamrix.html#1679"]')
    tap(driver, link)
    card = shown(driver)
    check(card and card["text"] == expected(args, 1679) and card["inside"], f"tap 1679: {card}")
    driver.save_screenshot(os.path.join(args.out, "cards-phone.png"))
    tap(driver, link)
    check(hidden(driver) and driver.current_url.endswith("fan-page.html"), "second tap")
    driver.set_window_size(900, 700)


def case_site_data(driver, url):
    """A site's own set answers; one that cannot be fetched says why."""
    for page, want in (("data", "a SAJÁT parázsló csiszolt szablya"), ("missing", "HTTP 404")):
        driver.get(url + f"fan-page-{page}.html")
        hover(driver, driver.find_element(By.CSS_SELECTOR, '[data-tamrix-item="2385"]'))
        card = shown(driver)
        text = card and (card["text"]["name"] or card["text"]["message"]) or ""
        check(want in text and (page == "data" or "nem töltődtek be" in text and "skill.txt" in text),
              f"{page}: {card}")


STYLES = """
return [...document.querySelectorAll('div:not([role=tooltip]), p, span')].map(e => {
  const s = getComputedStyle(e);
  return [e.tagName, s.color, s.fontFamily, s.fontSize, s.margin, s.padding, s.lineHeight,
          s.display, s.backgroundColor, s.border];
});"""


def case_host_styles(driver, url):
    driver.get(url + "host.html")
    without = driver.execute_script(STYLES)
    driver.get(url + "host-cards.html")
    time.sleep(0.5)
    hover(driver, driver.find_element(By.CSS_SELECTOR, "[data-tamrix-item]"))
    shown(driver)
    hover(driver, driver.find_element(By.TAG_NAME, "p"))
    with_cards = driver.execute_script(STYLES)
    check(len(without) > 3 and without == with_cards, f"host styles {without} {with_cards}")


def write_site(args, folder):
    examples = os.path.join(args.source, "docs", "examples")
    for name in ("fan-page.html", "fan-page.css"):
        shutil.copy(os.path.join(examples, name), folder)
    shutil.copy(args.cards, os.path.join(folder, "tamrix-cards.js"))
    page = open(os.path.join(examples, "fan-page.html"), encoding="utf-8").read()
    tag = '<script src="tamrix-cards.js"></script>'
    for name, data in (("missing", "Missing/"), ("data", "site/Data/")):
        with open(os.path.join(folder, f"fan-page-{name}.html"), "w", encoding="utf-8") as f:
            f.write(page.replace(tag, f'<script src="tamrix-cards.js" data-tamrix-data="{data}"></script>'))
    shutil.copytree(os.path.join(args.source, "Data"), os.path.join(folder, "site", "Data"))
    # The site's own set differs from the sample in one name.
    marker = "parázsló".encode("cp1250")
    rnd = os.path.join(folder, "site", "Data", "rnditem.txt")
    open(rnd, "r+b").write(open(rnd, "rb").read().replace(b'"' + marker, b'"SAJ\xc1T ' + marker, 1))
    host = ("<!DOCTYPE html><html><head><meta charset='utf-8'><style>"
            "div { color: rgb(10, 80, 20); margin: 7px; padding: 3px; border: 2px solid red; }"
            "p { font: 17px/1.9 serif; margin: 11px 0; } span { color: navy; padding: 1px 4px; display: inline-block; }"
            "</style></head><body><div><p>Egy <span data-tamrix-item='2385'>szablya</span> és egy"
            " <span>másik</span>.</p><div><span>belső</span></div></div><p>vége</p>%s</body></html>")
    open(os.path.join(folder, "host.html"), "w").write(host % "")
    open(os.path.join(folder, "host-cards.html"), "w").write(host % tag)
    many = "".join(f'<p><span data-tamrix-item="{1000 + i}" tabindex="0">{i}</span></p>' for i in range(500))
    open(os.path.join(folder, "many.html"), "w").write(host % (many + tag))


def case_many(args, driver, url):
    """500 marked items: nothing is built before a card is first shown."""
    driver.get(url + "many.html")
    check(driver.execute_script("return document.querySelectorAll('[role=tooltip]').length") == 0,
          "cards built before use")
    driver.execute_script("document.querySelector('[data-tamrix-item=\"1499\"]').focus()")
    card = shown(driver)
    check(card and card["text"] == expected(args, 1499), f"500th item {card}")


def main():
    parser = argparse.ArgumentParser()
    for option in ("cards", "cli", "source", "out"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    figures = {"cards script (bytes)": os.path.getsize(args.cards)}
    with tempfile.TemporaryDirectory() as folder:
        site = os.path.join(folder, "site-root")
        os.makedirs(site)
        write_site(args, site)
        server, url = serve(site)
        driver = start_browser(os.path.join(folder, "profile"))
        try:
            case_fan_page(args, driver, url, figures)
            case_site_data(driver, url)
            case_host_styles(driver, url)
            case_many(args, driver, url)
            errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"
                      and "Missing/" not in e["message"] and "favicon" not in e["message"]]
            check(errors == [], f"console errors {errors}")
        finally:
            driver.quit()
            server.shutdown()
    print(json.dumps(figures))
    if web_test.failed:
        sys.exit(f"{web_test.failed} check(s) failed")


main()
