// The page engine's memory for one data set: loads the Data folder of each
// folder given into a fresh engine, as the page does, asks for the page's
// list of warnings, and prints a JSON line per folder with the engine's
// memory then (its peak: a WebAssembly memory only grows) and the bytes of
// the files copied in.
//
//   node bench/page_memory.mjs WASM FOLDER...
import { readFileSync, readdirSync } from "node:fs";
import { join } from "node:path";
import { compileEngine, loadInFreshEngine } from "../app/web/js/engine.js";

const [wasm, ...folders] = process.argv.slice(2);
const module = await compileEngine(readFileSync(wasm));
for (const folder of folders) {
  const data = join(folder, "Data");
  const files = readdirSync(data).map((name) => [name, readFileSync(join(data, name))]);
  const { engine, answer, trap } = await loadInFreshEngine(module, files);
  if (!engine) throw new Error(`${folder}: ${trap ?? answer.error}`);
  const { count } = engine.warnings(300);
  const bytes = files.reduce((sum, [, content]) => sum + content.length, 0);
  console.log(JSON.stringify({ folder, bytes, memory: engine.memoryBytes, warnings: count }));
}
