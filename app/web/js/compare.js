// The comparison: the items side by side, each row's values as numbers with
// bars beside them, the best marked for the eye and in words.
import { $, el } from "./dom.js";
import { barShares, signed } from "./format.js";

export function createComparison(app) {
  const box = $("compare");
  const status = $("compare-status");

  function markBest(cell) {
    cell.classList.add("best");
    cell.append(el("span", { "aria-hidden": "true" }, " ★"), el("span", { class: "visually-hidden" }, " (a legjobb)"));
  }

  function valueCell(number, text, value, share, best) {
    const cell = el("td", { "data-number": number, "data-value": value },
      el("span", { class: "value" }, text));
    const bar = el("span", { class: "bar", "aria-hidden": "true" });
    bar.style.width = `${(share * 100).toFixed(0)}%`;
    cell.prepend(el("span", { class: "bar-track", "aria-hidden": "true" }, bar));
    if (best) markBest(cell);
    return cell;
  }

  function render() {
    const numbers = app.state.compared;
    if (!app.engine || numbers.length === 0) {
      box.replaceChildren();
      return;
    }
    const data = app.engine.compare(numbers);
    const head = el("tr", {}, el("th", { scope: "col" }, "Táp"),
      ...numbers.map((number, index) => el("th", { scope: "col", "data-number": number },
        el("span", { class: "compare-number" }, String(number)), " ",
        el("span", { class: "compare-name" }, data.names[index]))));
    const body = data.rows.map((row) => {
      const shares = barShares(row.values);
      return el("tr", { "data-skill": row.skill }, el("th", { scope: "row" }, row.name),
        ...row.values.map((value, index) => valueCell(numbers[index], signed(value), value, shares[index], row.best[index])));
    });
    if (data.damage.some((damage) => damage !== null)) {
      body.push(el("tr", { "data-damage": "" }, el("th", { scope: "row" }, "sebzés"),
        ...data.damage.map((damage, index) => {
          const cell = el("td", { "data-number": numbers[index], "data-value": damage ?? "" }, damage === null ? "–" : damage || "0");
          if (data.damageBest[index]) markBest(cell);
          return cell;
        })));
    }
    // Taking an item out: a row of its own, so that the headers stay short.
    const removes = el("tr", { class: "removes" }, el("td", {}),
      ...numbers.map((number) => {
        const button = el("button", { type: "button", class: "remove", "aria-label": `${number} kivétele` }, "×");
        button.addEventListener("click", () => app.removeFromComparison(number));
        return el("td", { "data-number": number }, button);
      }));
    box.replaceChildren(el("table", {},
      el("caption", { class: "visually-hidden" }, "A tárgyak tápjai egymás mellett; a csillag a sor legjobb értéke."),
      el("thead", {}, head), el("tbody", {}, ...body), el("tfoot", {}, removes)));
  }

  return { render, status, box };
}
