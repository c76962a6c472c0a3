// Item cards for any page: elements marked data-tamrix-item="N" and links
// to tamrix.html#N show the item's card on hover, focus and tap. The script
// is built into one file with the engine and the sample set inside; it adds
// no global and keeps its styles in a shadow root.
import { compileEngine, loadInFreshEngine, startEngine } from "./engine.js";
import { cardStyles, renderCard, renderMessage } from "./card_view.js";

const EMBEDDED = /* @EMBEDDED@ */ null;
const script = document.currentScript;
const dataFolder = script && script.getAttribute("data-tamrix-data");
const LINK = /(?:^|\/)tamrix\.html$/;

function fromBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

// The engine with its data set, made once on the first card: the sample, or
// the site's own files fetched relative to the page. Gives { engine } or
// { error } with the reason in Hungarian.
let ready = null;
function engineReady() {
  ready ??= (async () => {
    const module = await compileEngine(fromBase64(EMBEDDED.wasm));
    let files;
    const missing = [];
    if (dataFolder === null) {
      files = Object.entries(EMBEDDED.data).map(([name, text]) => [name, fromBase64(text)]);
    } else {
      const base = new URL(dataFolder, document.baseURI);
      const names = (await startEngine(module)).files();
      files = [];
      await Promise.all(names.map(async (name) => {
        const url = new URL(name, base);
        try {
          const response = await fetch(url);
          if (!response.ok) throw new Error("HTTP " + response.status);
          files.push([name, new Uint8Array(await response.arrayBuffer())]);
        } catch (error) {
          missing.push(`${url.pathname}: ${error.message}`);
        }
      }));
    }
    const loaded = await loadInFreshEngine(module, files);
    if (loaded.engine) return { engine: loaded.engine };
    const reason = loaded.trap ?? loaded.answer.error;
    return { error: [reason, ...missing].join("\n") };
  })().catch((error) => ({ error: String(error && error.message ? error.message : error) }));
  return ready;
}

// The item number an element stands for, or null.
function itemOf(element) {
  const marked = element.getAttribute("data-tamrix-item");
  if (marked !== null) return /^\s*-?\d+\s*$/.test(marked) ? Number(marked) : null;
  if (element.tagName !== "A" || !element.href) return null;
  const url = new URL(element.href, document.baseURI);
  return LINK.test(url.pathname) && /^#\d+$/.test(url.hash) ? Number(url.hash.slice(1)) : null;
}

function targetOf(node) {
  for (let element = node instanceof Element ? node : node && node.parentElement; element; element = element.parentElement) {
    if (element === card.host) return null;
    if ((element.hasAttribute("data-tamrix-item") || element.tagName === "A") && itemOf(element) !== null) return element;
  }
  return null;
}

async function contentFor(number, view) {
  const answer = await engineReady();
  if (answer.error) return renderMessage(view, "A Tamrix adatai nem töltődtek be:\n" + answer.error);
  return renderCard(view, answer.engine.record(number));
}

// The one floating card, made when first shown.
const card = { host: null, view: null, target: null, shown: 0 };
let cardCount = 0;

function floatingCard() {
  if (card.host) return card;
  card.host = document.createElement("div");
  card.host.id = "tamrix-card-" + ++cardCount;
  card.host.setAttribute("role", "tooltip");
  const root = card.host.attachShadow({ mode: "open" });
  cardStyles(root);
  card.view = document.createElement("div");
  card.view.className = "card";
  root.append(card.view);
  Object.assign(card.host.style, { position: "fixed", left: "0", top: "0", zIndex: "2147483647", margin: "0", padding: "0", border: "0", display: "none" });
  card.host.addEventListener("pointerleave", (event) => {
    if (event.pointerType === "mouse" && !(card.target && card.target.contains(event.relatedTarget))) hide();
  });
  document.body.append(card.host);
  return card;
}

// Puts the card beside the target, inside the viewport.
function place(target) {
  const rect = target.getBoundingClientRect();
  const host = card.host;
  const width = document.documentElement.clientWidth;
  const height = document.documentElement.clientHeight;
  const box = host.getBoundingClientRect();
  let left = Math.min(rect.left, width - box.width - 4);
  let top = rect.bottom + 4;
  if (top + box.height > height - 4) top = rect.top - box.height - 4;
  left = Math.max(4, left);
  top = Math.max(4, Math.min(top, height - box.height - 4));
  host.style.left = left + "px";
  host.style.top = top + "px";
}

async function show(target) {
  const number = itemOf(target);
  floatingCard();
  if (card.target === target && card.host.style.display !== "none") return;
  hide();
  card.target = target;
  const shown = ++card.shown;
  target.setAttribute("aria-describedby", card.host.id);
  card.view.replaceChildren();
  await contentFor(number, card.view);
  if (shown !== card.shown) return;
  card.host.style.display = "block";
  place(target);
}

function hide() {
  if (!card.host || !card.target) return;
  ++card.shown;
  card.target.removeAttribute("aria-describedby");
  card.target = null;
  card.host.style.display = "none";
}

// Inline cards: rendered in place, each in a shadow root of its own.
async function renderInline(element) {
  if (element.shadowRoot || itemOf(element) === null) return;
  const root = element.attachShadow({ mode: "open" });
  cardStyles(root);
  const view = document.createElement("div");
  view.className = "card inline";
  root.append(view);
  await contentFor(itemOf(element), view);
}

function start() {
  let lastTap = null;
  document.addEventListener("pointerover", (event) => {
    if (event.pointerType !== "mouse") return;
    const target = targetOf(event.target);
    if (target && target.getAttribute("data-tamrix-card") !== "inline") show(target);
  });
  document.addEventListener("pointerout", (event) => {
    if (event.pointerType !== "mouse" || !card.target) return;
    const to = event.relatedTarget;
    if (to && (card.target.contains(to) || to === card.host)) return;
    if (card.target.contains(event.target)) hide();
  });
  // A tap opens the card, a second tap on the same element closes it; the
  // focus a tap gives opens it too, so whether it was open counts from the
  // touch.
  let openAtTap = false;
  document.addEventListener("pointerdown", (event) => {
    lastTap = event.pointerType === "mouse" ? null : targetOf(event.target);
    openAtTap = lastTap !== null && card.target === lastTap && card.host.style.display !== "none";
  });
  document.addEventListener("click", (event) => {
    const target = targetOf(event.target);
    if (!target || target !== lastTap || target.getAttribute("data-tamrix-card") === "inline") return;
    event.preventDefault();
    if (openAtTap) hide();
    else show(target);
  });
  document.addEventListener("focusin", (event) => {
    const target = targetOf(event.target);
    if (target && target.getAttribute("data-tamrix-card") !== "inline") show(target);
  });
  document.addEventListener("focusout", (event) => {
    if (card.target && card.target === targetOf(event.target) && !card.target.contains(event.relatedTarget)) hide();
  });
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape") hide();
  });
  document.addEventListener("pointerdown", (event) => {
    if (event.pointerType !== "mouse" && card.target && !targetOf(event.target) && event.target !== card.host) hide();
  });
  for (const element of document.querySelectorAll('[data-tamrix-card="inline"]')) renderInline(element);
}

if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", start);
else start();
