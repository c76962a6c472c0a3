// The engine's interface in Node, as a package built on it would use it:
// TAMRIX_WASM names the module built by `make web`.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync, readdirSync } from "node:fs";
import { join } from "node:path";
import { compileEngine, loadInFreshEngine } from "../../app/web/js/engine.js";

const DATA = new URL("../../Data/", import.meta.url).pathname;
const sample = readdirSync(DATA).map((name) => [name, readFileSync(join(DATA, name))]);
const module = await compileEngine(readFileSync(process.env.TAMRIX_WASM));

test("a set loads in an engine of its own, and answers with plain objects", async () => {
  const { engine, answer } = await loadInFreshEngine(module, sample);
  assert.deepEqual({ ...answer, fingerprint: answer.fingerprint.length }, { ok: true, fingerprint: 16, warnings: 0, first: 1000, last: 29799 });
  const item = engine.describe(2385);
  assert.deepEqual([item.name, item.grade, item.damage, item.bonuses[2]],
    ["a parázsló csiszolt szablya", 5, "2d6+2", { skill: 23, name: "tűzsebzés", sum: 4 }]);
  assert.deepEqual(engine.answer(" 999 "), { number: 999, item: false, name: "", description: "" });
  const found = engine.search("kard tuzsebzes>=4 sort:tuzs sort:name");
  assert.deepEqual([found.skills, found.sort, found.unsorted],
    [[{ index: 23, name: "tűzsebzés", sort: "sort:tuzsebzes" }], "sort:tuzs", "kard tuzsebzes>=4 "]);
  const [first] = engine.rows(0, 1);
  assert.deepEqual(first.values, [engine.describe(first.number).bonuses.find((b) => b.skill === 23).sum]);
  assert.equal(engine.rowIndex(first.number), 0);
  // A query that does not read keeps the rows of the last one that did.
  const ambiguous = engine.search("tuz>=4 kard");
  assert.deepEqual(ambiguous.choices.map((choice) => choice.query), ["tuzallosag>=4 kard", "tuzsebzes>=4 kard", "tuzmagia>=4 kard"]);
  assert.equal(engine.rowIndex(first.number), 0);
});

test("a set that fails or traps leaves the engine before answering", async () => {
  const { engine } = await loadInFreshEngine(module, sample);
  const failed = await loadInFreshEngine(module, sample.filter(([name]) => name !== "skill.txt"));
  assert.deepEqual([failed.engine, failed.answer.ok, failed.answer.error, failed.answer.line],
    [undefined, false, "Data\\skill.txt : a fájl nem nyitható meg", null]);
  // An engine that runs out of memory while it loads: its load first asks
  // for an input buffer of 4 GB.
  const instantiate = WebAssembly.instantiate;
  WebAssembly.instantiate = async (...args) => {
    const made = await instantiate.apply(WebAssembly, args);
    const exports = { ...made.exports, tamrix_load: () => made.exports.tamrix_input(0xfffffff0) };
    return { exports };
  };
  try {
    const trapped = await loadInFreshEngine(module, sample);
    assert.deepEqual(Object.keys(trapped), ["trap"]);
    assert.match(trapped.trap, /unreachable/);
  } finally {
    WebAssembly.instantiate = instantiate;
  }
  assert.equal(engine.describe(2385).name, "a parázsló csiszolt szablya");
});

test("many warnings: the count, the first few, the whole list as --check lines", async () => {
  // More than one round of the download holds (4096).
  const change = Buffer.concat([sample.find(([name]) => name === "change.txt")[1], Buffer.from("23500 12 81 1\r\n".repeat(5000))]);
  const { engine, answer } = await loadInFreshEngine(module, sample.map(([name, bytes]) => [name, name === "change.txt" ? change : bytes]));
  const listed = engine.warnings(300);
  assert.deepEqual([answer.warnings, listed.count, listed.shown.length, listed.shown[0].code], [5000, 5000, 300, "change-hidden"]);
  const lines = engine.checkText().split("\n");
  assert.equal(lines.length, 10001);
  const places = lines.filter((line) => line.includes(": warning: ")).map((line) => Number(line.split(":")[1]));
  assert.ok(places.every((line, i) => i === 0 || line > places[i - 1]), "each warning once, in order");
  assert.match(lines[0], /^Data\/change\.txt:\d+: warning: .* \[change-hidden\]$/);
  assert.match(lines[1], /^Data\/change\.txt:\d+: note: /);
});
