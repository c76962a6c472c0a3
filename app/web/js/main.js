// The page's script: starts the engine (the WebAssembly module built from the
// project's C++) with the sample or the player's kept set, and wires the
// parts of the page to the one state, which the address fragment mirrors.
import { $, bringIntoView, download } from "./dom.js";
import { compileEngine, startEngine } from "./engine.js";
import { addCompared, createState, fragmentOf, partOf, readFragment, removeCompared } from "./state.js";
import { otherSetNote } from "./format.js";
import { createDialog } from "./dialog.js";
import { createSearch } from "./search.js";
import { createGrades } from "./grades.js";
import { createComparison } from "./compare.js";
import { createData } from "./data.js";
import { keptSet } from "./store.js";

const embedded = /* @EMBEDDED@ */ null;

function bytesFromBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

const app = {
  state: createState(),
  engine: null, // the engine that answers, null until a set has loaded
  set: null, // { name, fingerprint, range, files, own } of the set that answers
  shownItem: null, // the number field's item, while it is one
  engineFailure: "",
  restoring: false, // the state comes from the address: it is not written back
  starting: true, // until the first set answers and the address is shown
};

const dialog = createDialog(app);
const search = createSearch(app);
const grades = createGrades(app);
const comparison = createComparison(app);
const compareAddShown = $("compare-add-shown");

function renderItem() {
  app.shownItem = dialog.render();
  compareAddShown.disabled = app.shownItem === null;
  grades.render(app.shownItem);
}

function renderLinkNote() {
  $("link-note").textContent = app.set ? otherSetNote(app.state.fingerprint, app.set.fingerprint, app.set.name) : "";
}

// Typing replaces the history entry; choosing an item or changing the
// comparison adds one, so that Back goes back.
function remember(push) {
  if (app.restoring || !app.engine) return;
  const fragment = fragmentOf(app.state, app.set.fingerprint);
  if (fragment === location.hash) return;
  try {
    const address = fragment || location.href.split("#")[0];
    if (push) history.pushState(null, "", address);
    else history.replaceState(null, "", address);
  } catch {
    // A browser that keeps no history for this address: the page still works.
  }
}

Object.assign(app, {
  showNumber(text, push) {
    app.state.number = text;
    renderItem();
    remember(push);
  },
  setQuery(text, calm) {
    app.state.query = text;
    search.run(calm);
    remember(false);
  },
  addToComparison(number) {
    const refused = addCompared(app.state, number);
    const words = { present: `${number} már az összehasonlításban van.`,
      full: "Legfeljebb négy tárgy hasonlítható össze: előbb vegyen ki egyet.", none: "Nincs kijelölt tárgy." };
    comparison.status.textContent = refused ? words[refused] : `${number} az összehasonlításban (${app.state.compared.length} tárgy).`;
    if (refused) return;
    comparison.render();
    remember(true);
    bringIntoView($("comparison"));
  },
  removeFromComparison(number) {
    removeCompared(app.state, number);
    comparison.render();
    comparison.status.textContent = `${number} kivéve az összehasonlításból.`;
    remember(true);
    (comparison.box.querySelector(".remove") || compareAddShown).focus();
  },
  bringItemIntoView() {
    bringIntoView($("name").closest("section"));
  },
  // A new set answers: everything is asked again.
  setChanged() {
    if (!app.engine || app.starting) return; // the start renders once, from the address
    app.state.compared = app.state.compared.filter((number) => app.engine.describe(number).item);
    renderItem();
    search.run(false);
    comparison.render();
    renderLinkNote();
  },
});

// The address into the state, and the page from the state: a link, Back.
function restore(bringPart) {
  if (!app.engine) return;
  const comparedBefore = app.state.compared.join(",");
  readFragment(app.state, location.hash);
  app.restoring = true;
  try {
    renderItem();
    search.run(false);
    // The result the link shows is highlighted; without a query every item
    // is a result, and none is highlighted.
    search.highlightNumber(app.state.query ? app.shownItem : null);
    comparison.render();
    renderLinkNote();
  } finally {
    app.restoring = false;
  }
  // Back that changes the comparison shows the change.
  if (!bringPart && comparedBefore !== app.state.compared.join(",")) bringIntoView($("comparison"));
  const part = bringPart ? partOf(app.state) : null;
  const target = { comparison: $("comparison"), item: $("name").closest("section"), search: $("search-section") }[part];
  if (target) target.scrollIntoView({ block: "start" });
}

window.addEventListener("popstate", () => restore(false));

compareAddShown.addEventListener("click", () => app.addToComparison(app.shownItem));
// Shift+Enter adds the highlighted result, or from the number field the
// item shown; it is taken before the fields' own Enter.
document.addEventListener("keydown", (event) => {
  if (event.key !== "Enter" || !event.shiftKey) return;
  if (event.target === dialog.field) app.addToComparison(app.shownItem);
  else if (event.target === search.field || event.target === search.list) app.addToComparison(search.activeNumber());
  else return;
  event.preventDefault();
  event.stopPropagation();
}, true);

$("csv").addEventListener("click", () => download(search.csv(), "tamrix.csv", "text/csv;charset=utf-8"));

$("copy-link").addEventListener("click", async () => {
  const status = $("link-status");
  try {
    await navigator.clipboard.writeText(location.href);
    status.textContent = "A link a vágólapon.";
  } catch {
    const field = Object.assign(document.createElement("textarea"), { value: location.href });
    document.body.append(field);
    field.select();
    const copied = document.execCommand("copy");
    field.remove();
    status.textContent = copied ? "A link a vágólapon." : `A link: ${location.href}`;
  }
});

const data = createData(app);

// An engine that fails while it answers (it cannot go on): its set loads
// again in a fresh one, and the page says what happened.
function engineFailed(event) {
  if (!app.engine || !app.engine.broken) return;
  event.preventDefault?.();
  $("error").textContent = "A Tamrix motorja leállt; a Data újra betöltődik.";
  data.recover();
}
window.addEventListener("error", engineFailed);
window.addEventListener("unhandledrejection", engineFailed);

async function start() {
  let module;
  try {
    const keeping = keptSet();
    module = await compileEngine(bytesFromBase64(embedded.wasm));
    const names = (await startEngine(module)).files();
    const sample = Object.fromEntries(Object.entries(embedded.data).map(([name, text]) => [name, bytesFromBase64(text)]));
    await data.start(module, sample, names, keeping);
  } catch (error) {
    app.engine = null;
    app.engineFailure = `A böngésző nem tudja futtatni a Tamrix motorját, ezért a lap nem működik: ${error}`;
    $("error").textContent = app.engineFailure;
    $("data-status").textContent = "Nincs betöltött Data.";
    document.body.dataset.state = "failed";
    return;
  }
  app.starting = false;
  restore(true);
  performance.mark("tamrix-first-answer");
}

start();
