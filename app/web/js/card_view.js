// What an item card shows: the name line, the bonus list and the damage
// line, in the page's colours; built into a shadow root, so that neither
// the host page's styles nor the card's cross.

const STYLES = `
:host { all: initial; }
.card {
  --accent: #1f5fbf; --text: #111111; --muted: #555555; --error: #b00020;
  --field: #ffffff; --frame: #8a8a8a;
  box-sizing: border-box; max-width: min(22rem, calc(100vw - 8px));
  font: 14px/1.35 system-ui, sans-serif; color: var(--text); background: var(--field);
  border: 1px solid var(--frame); border-radius: 4px; padding: 6px 9px;
  box-shadow: 0 2px 8px rgba(0, 0, 0, 0.25); white-space: normal; text-align: left;
}
.card.inline { display: inline-block; box-shadow: none; vertical-align: top; margin: 2px 0; }
@media (prefers-color-scheme: dark) {
  .card { --accent: #7fb0ff; --text: #eeeeee; --muted: #aaaaaa; --error: #ff8a80; --field: #1a1a1a; --frame: #6a6a6a; }
}
.name { font-weight: bold; margin: 0 0 3px; }
.prefixed { color: var(--accent); }
.chaos { color: var(--error); }
.grade { color: var(--muted); font-weight: normal; font-size: 12px; margin-left: 6px; }
ul { margin: 0; padding: 0; list-style: none; }
li { margin: 0; padding: 0; }
.damage { margin-top: 3px; }
.none, .error { color: var(--muted); }
.error { color: var(--error); white-space: pre-line; }
`;

let sheet = null;

// Gives `root` the card's styles: a constructed sheet where the browser has
// them (no style element for a policy to refuse), a style element otherwise.
export function cardStyles(root) {
  if ("adoptedStyleSheets" in root && typeof CSSStyleSheet === "function" && "replaceSync" in CSSStyleSheet.prototype) {
    if (!sheet) {
      sheet = new CSSStyleSheet();
      sheet.replaceSync(STYLES);
    }
    root.adoptedStyleSheets = [sheet];
    return;
  }
  const style = document.createElement("style");
  style.textContent = STYLES;
  root.append(style);
}

function line(tag, className, text) {
  const element = document.createElement(tag);
  element.className = className;
  element.textContent = text;
  return element;
}

// Fills `view` with the card of `record` (the engine's item record).
export function renderCard(view, record) {
  view.replaceChildren();
  if (!record.item) {
    view.append(line("div", "none", `${record.input ?? record.number}: nem tárgy`));
    return view;
  }
  const name = line("div", "name" + (record.chaos ? " chaos" : record.prefix ? " prefixed" : ""), record.name);
  if (!record.chaos) name.append(line("span", "grade", `${record.grade}. fokozat`));
  view.append(name);
  const list = document.createElement("ul");
  for (const bonus of record.bonuses ?? []) list.append(line("li", "bonus", bonus.text));
  if (list.childElementCount) view.append(list);
  if (record.damage) view.append(line("div", "damage", ("sebzés : " + record.damage.text).trim()));
  return view;
}

export function renderMessage(view, text) {
  view.replaceChildren(line("div", "error", text));
  return view;
}
