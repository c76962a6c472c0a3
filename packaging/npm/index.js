// Tamrix's engine for JavaScript: the page's WebAssembly module and the
// sample data set come inside the package, so nothing is fetched or read at
// run time but what the caller passes.
import { compileEngine, loadInFreshEngine, startEngine } from "./engine.js";
import { embedded } from "./embedded.js";

function fromBase64(text) {
  if (typeof Buffer === "function") return new Uint8Array(Buffer.from(text, "base64"));
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

let compiled = null;
function engineModule() {
  compiled ??= compileEngine(fromBase64(embedded.wasm));
  return compiled;
}

// The data file names of a set, in load order, as the engine names them.
export async function dataFileNames() {
  return (await startEngine(await engineModule())).files();
}

function entriesOf(files) {
  const entries = files instanceof Map ? [...files] : Object.entries(files ?? {});
  return entries.map(([name, bytes]) => {
    if (typeof bytes === "string") bytes = new TextEncoder().encode(bytes);
    if (!(bytes instanceof Uint8Array)) bytes = new Uint8Array(bytes);
    return [String(name), bytes];
  });
}

class DataSet {
  #engine;
  #report;

  constructor(engine, report) {
    this.#engine = engine;
    this.#report = report;
  }

  // Whether the set loaded; a set that did not answers every call with
  // { error } and gives its reason in check().
  get ok() {
    return this.#engine !== null;
  }

  #ask(ask) {
    if (!this.#engine) return { error: this.#report.error };
    if (this.#engine.broken) return { error: "a Tamrix motorja leállt" };
    try {
      return ask(this.#engine);
    } catch (error) {
      return { error: String(error && error.message ? error.message : error) };
    }
  }

  // The item record of `number`, as tamrix-cli --json writes it.
  describe(number) {
    return this.#ask((engine) => engine.record(Number(number) | 0));
  }

  // The numbers a query finds, in the order tamrix-cli --find lists them, or
  // the query's error with the queries it may have meant.
  find(query) {
    return this.#ask((engine) => {
      const found = engine.search(String(query));
      if (!found.ok) return { ok: false, error: found.error, choices: found.choices ?? [] };
      return { ok: true, numbers: engine.rows(0, found.count).map((row) => row.number) };
    });
  }

  // The side-by-side comparison of the first eight numbers, as tamrix-cli
  // --compare gives it, with the numbers compared.
  compare(numbers) {
    const list = [...numbers].slice(0, 8).map((n) => Number(n) | 0);
    return this.#ask((engine) => ({ numbers: list, ...engine.compare(list) }));
  }

  // The load report: for a set that failed, where and why; for one that
  // loaded, its warnings and the --check text with their notes.
  check() {
    if (!this.#engine) return { ...this.#report };
    return this.#ask((engine) => {
      const { count, shown } = engine.warnings(0x7fffffff);
      return { ok: true, warnings: count, shown, text: engine.checkText() };
    });
  }
}

// Loads a data set from `files`: an object or Map of file names (any letter
// case) to bytes. Never rejects for the data's sake: check() says why a set
// did not load.
export async function load(files) {
  const loaded = await loadInFreshEngine(await engineModule(), entriesOf(files));
  if (loaded.engine) return new DataSet(loaded.engine, loaded.answer);
  if (loaded.trap) return new DataSet(null, { ok: false, error: loaded.trap, file: null, line: null, reason: null });
  const { error, file, line, reason } = loaded.answer;
  return new DataSet(null, { ok: false, error, file, line, reason });
}

// The sample data set that comes with Tamrix.
export function loadSample() {
  return load(Object.fromEntries(Object.entries(embedded.data).map(([name, text]) => [name, fromBase64(text)])));
}
