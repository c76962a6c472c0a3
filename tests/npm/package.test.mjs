// The installed package against tamrix-cli --json, on the sample and on a
// set that does not load.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, writeFileSync, mkdirSync, cpSync } from "node:fs";
import { join } from "node:path";
import { load, loadSample } from "tamrix";

const CLI = process.env.TAMRIX_CLI;
const DATA = process.env.TAMRIX_DATA;

function cli(folder, ...args) {
  const r = spawnSync(CLI, ["-C", folder, "--json", ...args], { encoding: "utf8" });
  return { status: r.status, lines: r.stdout.split("\n").filter(Boolean).map((line) => JSON.parse(line)), stderr: r.stderr };
}

// A copy of the sample folder with `changed` files.
function dataSet(changed) {
  const folder = mkdtempSync(join(process.cwd(), "set-"));
  cpSync(DATA, join(folder, "Data"), { recursive: true });
  for (const [name, text] of Object.entries(changed)) writeFileSync(join(folder, "Data", name), text);
  return folder;
}

function filesOf(folder) {
  const data = join(folder, "Data");
  return new Map(readdirSync(data).map((name) => [name.toUpperCase(), readFileSync(join(data, name))]));
}

const sampleFolder = join(DATA, "..");

test("the sample: describe, find and compare agree with tamrix-cli --json", async () => {
  const set = await loadSample();
  assert.equal(set.ok, true);
  const numbers = [2385, 1000, 1449, 1464, 29799, 7, 0, -5];
  assert.deepEqual(numbers.map((n) => set.describe(n)), cli(sampleFolder, ...numbers.map(String)).lines);

  for (const query of ["kard tuzsebzes>=4 sort:tuzsebzes", "langolo grade:13", "nincsilyen"]) {
    const found = set.find(query);
    assert.deepEqual(found, { ok: true, numbers: cli(sampleFolder, "--find", ...query.split(" ")).lines.map((r) => r.number) }, query);
  }
  const wrong = set.find("tuz>=4 kard");
  assert.equal(wrong.ok, false);
  assert.ok(wrong.choices.length > 1 && wrong.error.length > 0);
  assert.equal(cli(sampleFolder, "--find", "tuz>=4", "kard").status, 2);

  const compared = set.compare([2385, 1630, 1464]);
  const [want] = cli(sampleFolder, "--compare", "2385", "1630", "1464").lines;
  assert.deepEqual([compared.numbers, compared.names, compared.damage], [want.numbers, want.names, want.damage]);
  assert.deepEqual(compared.rows.map(({ skill, name, values }) => ({ skill, name, values })), want.rows);

  const report = set.check();
  assert.deepEqual([report.ok, report.warnings, report.text], [true, 0, ""]);
});

test("a set given as bytes: the same records; a set that fails says where and why", async () => {
  const folder = dataSet({});
  const copy = await load(filesOf(folder));
  assert.deepEqual(copy.describe(2385), cli(folder, "2385").lines[0]);

  const broken = dataSet({ "rnditem.txt": '-start-\n#1450\n"x"\nzz\n' });
  const set = await load(filesOf(broken));
  const [want] = cli(broken, "--check").lines;
  const report = set.check();
  assert.deepEqual([set.ok, report.ok, report.error, report.line], [false, false, want.error, want.line]);
  assert.equal(report.file, "Data\\rnditem.txt");
  assert.deepEqual(Object.keys(set.describe(2385)), ["error"]);
  assert.equal(cli(broken, "2385").status, 1);
});
