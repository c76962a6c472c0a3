// The engine's interface: the WebAssembly module built from the project's
// C++, as plain objects. It touches no page, so that it runs in browsers and
// in Node alike. Every answer is the engine's JSON (see web_api.cpp).

// The C library brings its stream functions (the engine's JSON writer uses
// its formatting) though the engine writes to no stream; should one ever be
// called, it fails with ENOSYS.
function systemImports(module) {
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    if (kind === "function") (imports[from] ??= {})[name] = () => 52;
  }
  return imports;
}

const utf8 = new TextEncoder();
const fromUtf8 = new TextDecoder("utf-8");

// Compiles the module once; each data set gets an instance of its own.
export function compileEngine(wasmBytes) {
  return WebAssembly.compile(wasmBytes);
}

// An engine that answers from no set yet. Any of its calls throws when the
// instance traps; the instance is then not to be used again (`broken`).
export async function startEngine(module) {
  const instance = await WebAssembly.instantiate(module, systemImports(module));
  const exports = instance.exports;
  exports._initialize();
  let broken = false;

  function writeInput(bytes) {
    const at = exports.tamrix_input(bytes.length);
    new Uint8Array(exports.memory.buffer).set(bytes, at);
  }

  // Runs one export with its text and arguments and reads its JSON answer.
  function call(name, text, ...args) {
    if (broken) throw new Error("a Tamrix motorja leállt");
    try {
      if (text !== null) writeInput(typeof text === "string" ? utf8.encode(text) : text);
      exports[name](...args);
      const at = exports.tamrix_output();
      return JSON.parse(fromUtf8.decode(new Uint8Array(exports.memory.buffer, at, exports.tamrix_output_size())));
    } catch (error) {
      broken = true;
      throw error;
    }
  }

  // The lines of tamrix-cli --check, as the engine gives them a round at a
  // time: a list of texts, for a download that the engine never holds whole.
  function checkParts() {
    const parts = [];
    for (let round = call("tamrix_check", null, 1); ; round = call("tamrix_check", null, 0)) {
      parts.push(round.text);
      if (round.done) return parts;
    }
  }

  return {
    get broken() {
      return broken;
    },
    // The bytes of the instance's memory: it only grows, so this is its peak.
    get memoryBytes() {
      return exports.memory.buffer.byteLength;
    },
    // The data file names in load order, lower case.
    files: () => call("tamrix_files", null).files,
    // Stages one file of the next load.
    addFile(name, bytes) {
      if (broken) throw new Error("a Tamrix motorja leállt");
      const nameBytes = utf8.encode(name);
      const input = new Uint8Array(nameBytes.length + bytes.length);
      input.set(nameBytes);
      input.set(bytes, nameBytes.length);
      try {
        writeInput(input);
        exports.tamrix_add_file(nameBytes.length);
      } catch (error) {
        broken = true;
        throw error;
      }
    },
    load: () => call("tamrix_load", null),
    warnings: (limit) => call("tamrix_warnings", null, limit),
    checkParts,
    checkText: () => checkParts().join(""),
    answer: (field) => call("tamrix_answer", field),
    describe: (number) => call("tamrix_describe", null, number),
    // The item record of tamrix-cli --json (docs/item-record.schema.json).
    record: (number) => call("tamrix_record", null, number),
    search: (query) => call("tamrix_search", query),
    rows: (from, count) => call("tamrix_rows", null, from, count).rows,
    rowIndex: (number) => call("tamrix_row_index", null, number).index,
    grades: (number) => call("tamrix_grades", null, number),
    compare: (numbers) => call("tamrix_compare", numbers.join(",")),
    csv: () => call("tamrix_csv", null).text,
    suggest: (query) => call("tamrix_suggest", query),
  };
}

// Loads a data set into a fresh engine: `files` is a list of [name, bytes].
// Gives { engine, answer } for a set that loads, { answer } for one that
// fails, with the engine's reason, and { trap } when the engine itself
// failed on it; the engine that answered before is never touched.
export async function loadInFreshEngine(module, files) {
  let engine;
  try {
    engine = await startEngine(module);
    for (const [name, bytes] of files) engine.addFile(name, bytes);
    const answer = engine.load();
    return answer.ok ? { engine, answer } : { answer };
  } catch (error) {
    return { trap: String(error && error.message ? error.message : error) };
  }
}
