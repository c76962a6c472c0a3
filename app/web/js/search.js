// The search: the field, the sort control, the result rows with the values
// the query reads by, and a calm way of showing what does not read. While a
// query finds nothing or cannot be read (a term still being typed), the last
// results stay; the error or "no result" shows once typing pauses.
import { $, el } from "./dom.js";
import { searchStatus, signed, sortLabel } from "./format.js";

const SETTLE_MS = 700; // a pause in typing
const CHUNK = 100; // rows made at a time, more when asked for

const COMMON_SORTS = [
  ["", "szám szerint"],
  ["sort:grade", "fokozat szerint, csökkenő"],
  ["sort:grade:asc", "fokozat szerint, növekvő"],
  ["sort:name", "név szerint"],
  ["sort:damage", "sebzés szerint, csökkenő"],
];

export function createSearch(app) {
  const field = $("search");
  const errorText = $("search-error");
  const status = $("search-status");
  const announce = $("search-announce");
  const list = $("results");
  const head = $("results-head");
  const more = $("results-more");
  const sortControl = $("sort");
  const choices = $("choices");
  const suggestion = $("suggestion");
  const suggestionButton = $("suggestion-use");
  const addResult = $("compare-add-result");

  // What the list shows: the answer of the search that read, and its rows.
  let shown = { count: 0, skills: [], sort: "", unsorted: "" };
  let numbers = []; // the numbers of the rows made
  let settleTimer = 0;
  let suggestedQuery = null;

  function clearSettle() {
    clearTimeout(settleTimer);
    settleTimer = 0;
  }

  // Runs the state's query. `calm`: the player is typing, so an error or no
  // result waits for a pause; otherwise everything shows at once.
  function run(calm) {
    if (field.value !== app.state.query) field.value = app.state.query;
    if (!app.engine) return;
    clearSettle();
    const answer = app.engine.search(app.state.query);
    app.state.active = -1;
    if (answer.ok && answer.count > 0) {
      showResults(answer);
      settle(answer);
    } else if (calm) {
      settleTimer = setTimeout(() => {
        settleTimer = 0;
        if (answer.ok) showResults(answer);
        settle(answer);
      }, SETTLE_MS);
    } else {
      if (answer.ok) showResults(answer);
      settle(answer);
    }
  }

  // What only a query that is done shows: its error, its choices, its
  // suggestion, and the words a screen reader announces.
  function settle(answer) {
    errorText.textContent = answer.ok ? "" : answer.error;
    field.setAttribute("aria-invalid", answer.ok ? "false" : "true");
    const buttons = answer.ok ? [] : answer.choices.map((choice) => {
      const button = el("button", { type: "button", class: "link-button" }, choice.name);
      button.addEventListener("click", () => {
        app.setQuery(choice.query, false);
        field.focus();
      });
      return button;
    });
    $("choice-buttons").replaceChildren(...buttons);
    choices.hidden = buttons.length === 0;
    suggestedQuery = null;
    if (answer.ok && answer.count === 0) {
      const suggested = app.engine.suggest(app.state.query);
      if (suggested.query) {
        suggestedQuery = suggested.query;
        suggestionButton.textContent = suggested.words;
      }
    }
    suggestion.hidden = suggestedQuery === null;
    announce.textContent = answer.ok ? searchStatus(answer.count) : answer.error;
  }

  function showResults(answer) {
    shown = answer;
    status.textContent = searchStatus(answer.count);
    numbers = [];
    list.replaceChildren();
    list.style.setProperty("--values", String(answer.skills.length));
    head.style.setProperty("--values", String(answer.skills.length));
    head.replaceChildren(el("span", { class: "result-number" }, "Szám"), el("span", { class: "result-name" }, "Név"),
      ...answer.skills.map((skill) => el("span", { class: "result-value" }, skill.name)),
      el("span", { class: "result-damage" }, "Sebzés"));
    head.hidden = answer.count === 0;
    field.setAttribute("aria-expanded", answer.count > 0 ? "true" : "false");
    extend(CHUNK);
    renderSort();
    highlight();
  }

  function row(data, index) {
    const values = data.values.map((value, column) =>
      el("span", { class: "result-value" },
        el("span", { class: "value-name" }, `${shown.skills[column].name} `), signed(value)));
    const damage = data.damage === null ? [] : [el("span", { class: "result-damage" },
      el("span", { class: "value-name" }, "sebzés "), data.damage)];
    return el("div", {
      class: "result", role: "option", id: `result-${index}`, "data-number": data.number, "data-index": index,
      "aria-selected": "false", "aria-setsize": shown.count, "aria-posinset": index + 1,
    }, el("span", { class: "result-number" }, String(data.number)), el("span", { class: "result-name" }, data.name),
    ...values, ...damage);
  }

  // Makes the next `count` rows.
  function extend(count) {
    if (numbers.length >= shown.count) return;
    const rows = app.engine.rows(numbers.length, count);
    const made = document.createDocumentFragment();
    for (const data of rows) made.append(row(data, numbers.push(data.number) - 1));
    list.append(made);
    $("results-count").textContent = numbers.length < shown.count ? `${numbers.length} látható a ${shown.count} közül.` : "";
    more.hidden = numbers.length >= shown.count;
  }

  function highlight() {
    for (const selected of list.querySelectorAll('[aria-selected="true"]')) selected.setAttribute("aria-selected", "false");
    const active = app.state.active;
    const target = active >= 0 ? list.children[active] : null;
    if (target) {
      target.setAttribute("aria-selected", "true");
      field.setAttribute("aria-activedescendant", target.id);
      list.setAttribute("aria-activedescendant", target.id);
    } else {
      field.removeAttribute("aria-activedescendant");
      list.removeAttribute("aria-activedescendant");
    }
    addResult.disabled = !target;
    return target;
  }

  function moveActive(index) {
    if (shown.count === 0) return;
    const wanted = Math.min(shown.count - 1, Math.max(0, index));
    if (wanted >= numbers.length) extend(wanted + 1 - numbers.length + CHUNK);
    app.state.active = wanted;
    highlight()?.scrollIntoView({ block: "nearest" });
  }

  // After a link or Back: the row of the item the page shows, if found.
  function highlightNumber(number) {
    const index = number === null ? -1 : app.engine.rowIndex(number);
    if (index >= numbers.length) extend(index + 1 - numbers.length);
    app.state.active = index;
    highlight();
  }

  function choose(index) {
    if (index < 0 || index >= numbers.length) return;
    app.state.active = index;
    highlight();
    app.showNumber(String(numbers[index]), true);
    app.bringItemIntoView();
  }

  function activeNumber() {
    return app.state.active >= 0 && app.state.active < numbers.length ? numbers[app.state.active] : null;
  }

  // The sort control shows the query's first sort term: the common sorts, a
  // sort by each skill the query reads by, and the query's own term when it
  // is none of these; the engine names them all.
  function renderSort() {
    const options = new Map(COMMON_SORTS);
    for (const skill of shown.skills) options.set(skill.sort, sortLabel(skill.name));
    if (!options.has(shown.sort)) options.set(shown.sort, `${shown.sort} (a keresésből)`);
    const key = JSON.stringify([...options]);
    if (sortControl.dataset.options !== key) {
      sortControl.replaceChildren(...[...options].map(([value, label]) => new Option(label, value)));
      sortControl.dataset.options = key;
    }
    sortControl.value = shown.sort;
  }

  sortControl.addEventListener("change", () => {
    app.setQuery(`${shown.unsorted.trim()} ${sortControl.value}`.trim(), false);
  });

  function navigate(event) {
    const active = app.state.active;
    const page = 10;
    const moves = { ArrowDown: active + 1, ArrowUp: Math.max(0, active - 1), PageDown: active + page, PageUp: active - page };
    if (event.currentTarget === list) Object.assign(moves, { Home: 0, End: shown.count - 1 });
    if (event.key in moves && !event.shiftKey) {
      event.preventDefault();
      moveActive(moves[event.key]);
    } else if (event.key === "Enter" && !event.shiftKey) {
      event.preventDefault();
      if (active >= 0) choose(active);
      else if (suggestedQuery !== null && shown.count === 0) useSuggestion();
      else run(false); // Enter says the query is done
    } else if (event.key === " " && event.currentTarget === list) {
      event.preventDefault();
      choose(active);
    }
  }

  function useSuggestion() {
    if (suggestedQuery === null) return;
    app.setQuery(suggestedQuery, false);
    field.focus();
  }

  field.addEventListener("input", () => app.setQuery(field.value, true));
  field.addEventListener("keydown", navigate);
  list.addEventListener("keydown", navigate);
  list.addEventListener("click", (event) => {
    const target = event.target.closest(".result");
    if (target) choose(Number(target.dataset.index));
  });
  // More rows on demand, so that what follows the list stays in reach.
  more.addEventListener("click", () => extend(CHUNK));
  suggestionButton.addEventListener("click", useSuggestion);
  addResult.addEventListener("click", () => app.addToComparison(activeNumber()));
  // `/` moves to the search field from anywhere but a field.
  document.addEventListener("keydown", (event) => {
    if (event.key !== "/" || event.ctrlKey || event.metaKey || event.altKey) return;
    const target = event.target;
    if (target instanceof HTMLInputElement || target instanceof HTMLSelectElement || target instanceof HTMLTextAreaElement) return;
    event.preventDefault();
    field.focus();
    field.select();
  });

  return {
    run,
    highlightNumber,
    activeNumber,
    field,
    list,
    csv: () => app.engine.csv(),
  };
}
