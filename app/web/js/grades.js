// "Minden fokozat": the item shown at every grade, as a list with each
// grade's number and name and as a chart of its bonuses across the grades.
import { $, el, svg } from "./dom.js";
import { CHART, chartModel, chartText } from "./chart.js";
import { bonusText } from "./format.js";

export function createGrades(app) {
  const box = $("grades-box");
  const list = $("grades");
  const figure = $("grades-chart");

  function render(shownItem) {
    const answer = shownItem === null || !app.engine ? { grades: [], skills: [] } : app.engine.grades(shownItem);
    const names = new Map(answer.skills.map((skill) => [skill.index, skill.name]));
    list.replaceChildren(...answer.grades.map((grade) => {
      const bonuses = grade.bonuses.map((bonus) => el("span", { class: "bonus" }, bonusText(names.get(bonus.skill), bonus.sum)));
      if (grade.damage !== null) bonuses.push(el("span", { class: "bonus" }, `sebzés ${grade.damage}`));
      const button = el("button", { type: "button", class: "grade", "data-number": grade.number,
        "aria-current": grade.number === shownItem ? "true" : null },
      el("span", { class: "grade-number" }, `${grade.grade}. fokozat`),
      el("span", { class: "grade-name" }, `${grade.number} ${grade.name}`),
      el("span", { class: "grade-bonus" }, ...bonuses));
      return el("li", {}, button);
    }));
    drawChart(answer, shownItem);
  }

  function drawChart(answer, shownItem) {
    if (answer.grades.length === 0 || answer.skills.length === 0) {
      figure.replaceChildren();
      return;
    }
    const model = chartModel(answer.grades, answer.skills, shownItem);
    const height = Math.max(CHART.height, ...model.lines.map((line) => line.label.y + 8));
    const parts = [
      svg("line", { class: "axis", x1: CHART.left, x2: CHART.width - CHART.right, y1: model.zero, y2: model.zero }),
      ...model.ticks.map((tick) => svg("text", { class: "tick", x: tick.x, y: CHART.height - 8, "text-anchor": "middle" }, String(tick.grade))),
      svg("text", { class: "tick", x: CHART.left - 6, y: CHART.top + 4, "text-anchor": "end" }, String(model.top)),
      svg("text", { class: "tick", x: CHART.left - 6, y: model.zero + 4, "text-anchor": "end" }, "0"),
    ];
    if (model.marker) {
      parts.push(svg("line", { class: "marker", x1: model.marker.x, x2: model.marker.x, y1: CHART.top, y2: CHART.height - CHART.bottom }));
    }
    model.lines.forEach((line, index) => {
      parts.push(svg("g", { class: `series series-${index % 6}`, "data-skill": line.skill },
        svg("polyline", { points: line.points.map((point) => `${point.x.toFixed(1)},${point.y.toFixed(1)}`).join(" ") }),
        ...line.points.map((point) => svg("circle", { cx: point.x.toFixed(1), cy: point.y.toFixed(1), r: point.grade === model.marker?.grade ? 4 : 2.5 })),
        svg("text", { x: line.label.x, y: line.label.y + 4 }, line.name)));
    });
    const picture = svg("svg", { viewBox: `0 0 ${CHART.width} ${height}`, role: "img", "aria-labelledby": "grades-chart-text" }, ...parts);
    const words = el("ul", { id: "grades-chart-text", class: "visually-hidden" },
      ...chartText(model).map((sentence) => el("li", {}, sentence)));
    figure.replaceChildren(picture, el("figcaption", { class: "hint" },
      "A tápok fokozatonként (vízszintesen a fokozat, a függőleges vonal a mostani)."), words);
  }

  list.addEventListener("click", (event) => {
    const target = event.target.closest("button[data-number]");
    if (!target) return;
    app.showNumber(target.dataset.number, true);
    list.querySelector(`[data-number="${target.dataset.number}"]`)?.focus();
  });

  return { render, box };
}
