// The page's modules that need no browser: the address fragment, the words
// and figures, the chart's geometry.
import { test } from "node:test";
import assert from "node:assert/strict";
import { addCompared, createState, fragmentOf, readFragment } from "../../app/web/js/state.js";
import { barShares, dataStatus, numberHint, otherSetNote, warningsMore } from "../../app/web/js/format.js";
import { chartModel, chartText } from "../../app/web/js/chart.js";

const state = (fields) => Object.assign(createState(), fields);

test("a state written into the fragment reads back the same", () => {
  const rows = [
    { number: "2385", query: "", compared: [] },
    { number: "", query: 'tűzsebzés>=4 "finom kard" a&b=c #x 100%', compared: [2385, 1630] },
    { number: " 12a", query: "sort:name", compared: [1000] },
  ];
  for (const row of rows) {
    const read = readFragment(createState(), fragmentOf(state(row), "0123abcd"));
    assert.deepEqual([read.number, read.query, read.compared, read.fingerprint],
      [row.number, row.query, row.compared, "0123abcd"]);
  }
  assert.equal(fragmentOf(createState(), "0123abcd"), "", "an empty state names no set");
});

test("a fragment names only what it holds, and bad parts are left out", () => {
  const rows = [
    ["#2385", { number: "2385", query: "", compared: [], fingerprint: "" }],
    ["#n=1454&q=kard+sisak", { number: "1454", query: "kard sisak", compared: [], fingerprint: "" }],
    ["#q=%E0%A4%A&n=7", { number: "7", query: "", compared: [], fingerprint: "" }],
    ["#c=5,5,x,6,7,8,9,-1", { number: "", query: "", compared: [5, 6, 7, 8], fingerprint: "" }],
    ["#c=2385&d=NOT-HEX", { number: "", query: "", compared: [2385], fingerprint: "" }],
    ["", { number: "", query: "", compared: [], fingerprint: "" }],
  ];
  for (const [hash, want] of rows) {
    const read = readFragment(state({ number: "1", query: "old", compared: [1], fingerprint: "ab" }), hash);
    assert.deepEqual({ number: read.number, query: read.query, compared: read.compared, fingerprint: read.fingerprint }, want, hash);
  }
});

test("the comparison takes each item once and four at most", () => {
  const s = createState();
  const answers = [1, 2, 2, 3, 4, 5, null].map((number) => addCompared(s, number));
  assert.deepEqual(answers, ["", "", "present", "", "", "full", "none"]);
  assert.deepEqual(s.compared, [1, 2, 3, 4]);
});

test("the page's words", () => {
  const range = { first: 1000, last: 29799 };
  const rows = [
    [numberHint("999", false, range), "A(z) 999 nem tárgy: a tárgyak száma 1000 és 29799 között van."],
    [numberHint(" 29800 ", false, range), "A(z) 29800 nem tárgy: a tárgyak száma 1000 és 29799 között van."],
    [numberHint("2385", true, range), ""],
    [numberHint("", false, range), ""],
    [dataStatus("a minta", ""), "Betöltve: a minta."],
    [dataStatus("a minta", "saját"), "Nem sikerült betölteni: saját. Továbbra is ez válaszol: a minta."],
    [dataStatus(null, "saját"), "Nem sikerült betölteni: saját. Nincs betöltött Data."],
    [warningsMore(200000, 300), "… és még 199700 figyelmeztetés: a teljes lista letölthető."],
    [warningsMore(300, 300), ""],
    [otherSetNote("ab", "ab", "a minta"), ""],
  ];
  for (const [got, want] of rows) assert.equal(got, want);
  assert.match(otherSetNote("ab", "cd", "a minta"), /^Ez a link egy másik Data-val készült \(ab\); most ez válaszol: a minta \(cd\)/);
});

test("a bar is its value's share of the row's largest size", () => {
  assert.deepEqual(barShares([60, 65, 0, -130]), [60 / 130, 65 / 130, 0, 1]);
  assert.deepEqual(barShares([0, 0]), [0, 0]);
});

// Grades 0 to 14 of an item with two skills, one of them from grade 2 on.
const GRADES = Array.from({ length: 15 }, (_, grade) => ({
  number: 2380 + grade, grade, bonuses: [{ skill: 6, sum: 35 + 5 * grade }, ...(grade >= 2 ? [{ skill: 23, sum: grade }] : [])],
}));
const SKILLS = [{ index: 6, name: "tartósság" }, { index: 23, name: "tűzsebzés" }];

test("the chart has a point per grade on each skill's line, the shown grade marked", () => {
  const model = chartModel(GRADES, SKILLS, 2385);
  assert.deepEqual(model.lines.map((line) => [line.name, line.points.length]), [["tartósság", 15], ["tűzsebzés", 15]]);
  assert.equal(model.marker.grade, 5);
  assert.equal(model.marker.x, model.lines[0].points[5].x);
  const fire = model.lines[1].points;
  assert.deepEqual([fire[0].sum, fire[1].sum, fire[14].sum], [0, 0, 14], "no bonus is a sum of 0");
  assert.equal(fire[0].y, model.zero);
  const top = model.lines[0].points[14];
  assert.ok(top.y < fire[14].y && top.y === Math.min(...model.lines.flatMap((l) => l.points.map((p) => p.y))));
  assert.ok(Math.abs(model.lines[0].label.y - model.lines[1].label.y) >= 13, "labels do not overlap");
  assert.match(chartText(model)[1], /^tűzsebzés: 0\. fokozat 0, 1\. fokozat 0, 2\. fokozat 2,/);
});
