// The page's script: runs the engine (the WebAssembly module built from the
// project's C++) and shows its answers. Every text the engine gives is
// Windows-1250 and is converted here with the engine's own table.
"use strict";

(() => {
  const embedded = /* @EMBEDDED@ */ null;
  const ROW_HEIGHT = 48; // px; must match .result in tamrix.css
  const OVERSCAN = 6;

  const $ = (id) => document.getElementById(id);
  const numberField = $("number");
  const nameField = $("name");
  const descriptionField = $("description");
  const searchField = $("search");
  const searchError = $("search-error");
  const searchStatus = $("search-status");
  const results = $("results");
  const resultsSpace = results.querySelector(".results-space");
  const dataStatus = $("data-status");
  const loadError = $("error");

  let engine = null; // the module's exports; null while it has not started
  let engineFailure = ""; // why it could not start
  let toText = null; // Windows-1250 bytes -> string
  let dataFileNames = []; // lower-case names of the dialog's data files
  let matches = new Int32Array(0);
  let active = -1; // index into matches of the highlighted result
  let answered = false; // the number field has been used

  // --- The engine ----------------------------------------------------------

  function bytesFromBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  function memory() {
    return new Uint8Array(engine.memory.buffer);
  }

  function writeInput(bytes) {
    const at = engine.tamrix_input(bytes.length);
    memory().set(bytes, at);
  }

  function outputBytes() {
    const at = engine.tamrix_output();
    return memory().slice(at, at + engine.tamrix_output_size());
  }

  const utf8 = new TextEncoder();
  const fromUtf8 = new TextDecoder("utf-8");

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

  async function startEngine() {
    const module = await WebAssembly.compile(bytesFromBase64(embedded.wasm));
    const instance = await WebAssembly.instantiate(module, systemImports(module));
    engine = instance.exports;
    engine._initialize();
    const table = [];
    for (let byte = 0; byte < 256; ++byte) table.push(String.fromCodePoint(engine.tamrix_code_point(byte)));
    toText = (bytes) => {
      let text = "";
      for (const byte of bytes) text += table[byte];
      return text;
    };
    engine.tamrix_data_files();
    dataFileNames = toText(outputBytes())
      .split("\n")
      .map((path) => path.slice(path.lastIndexOf("\\") + 1).toLowerCase());
  }

  // --- The dialog ----------------------------------------------------------

  function answer() {
    if (!engine) return;
    answered = true;
    writeInput(utf8.encode(numberField.value));
    const number = engine.tamrix_read_number();
    const nameSize = engine.tamrix_answer(number);
    const text = toText(outputBytes());
    // The name field is given the whole text and shows its first line.
    const name = text.slice(0, nameSize);
    nameField.textContent = name.split("\n", 1)[0];
    descriptionField.textContent = text.slice(nameSize);
  }

  // Like the dialog's digits-only field: typing takes digits only; pasted
  // text goes in as it is and is read as the dialog reads it.
  numberField.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && event.data && /\D/.test(event.data)) event.preventDefault();
  });
  numberField.addEventListener("input", answer);
  numberField.addEventListener("keydown", (event) => {
    if (event.key === "Enter" || event.key === "Escape") answer();
  });

  // --- Search --------------------------------------------------------------

  function describe(number) {
    const nameSize = engine.tamrix_answer(number);
    const lines = toText(outputBytes().slice(0, nameSize)).split("\n");
    // The name line, then the bonus and damage lines after the header.
    return { name: lines[0], bonus: lines.slice(2).join(" · ") };
  }

  function search() {
    if (!engine) return;
    writeInput(utf8.encode(searchField.value));
    const count = engine.tamrix_search();
    if (count < 0) {
      searchError.textContent = fromUtf8.decode(outputBytes());
      matches = new Int32Array(0);
      searchStatus.textContent = "";
    } else {
      searchError.textContent = "";
      const at = engine.tamrix_results();
      matches = new Int32Array(engine.memory.buffer.slice(at, at + 4 * count));
      searchStatus.textContent = count === 0 ? "Nincs találat." : `${count} találat`;
    }
    searchField.setAttribute("aria-invalid", count < 0 ? "true" : "false");
    searchField.setAttribute("aria-expanded", matches.length > 0 ? "true" : "false");
    active = matches.length > 0 ? 0 : -1;
    results.scrollTop = 0;
    resultsSpace.style.height = `${matches.length * ROW_HEIGHT}px`;
    renderResults();
  }

  function resultId(index) {
    return `result-${matches[index]}`;
  }

  // Only the rows in view (and a few around them) exist, so that thousands
  // of matches cost no more than a screenful.
  function renderResults() {
    const first = Math.max(0, Math.floor(results.scrollTop / ROW_HEIGHT) - OVERSCAN);
    const end = Math.min(matches.length,
      Math.ceil((results.scrollTop + results.clientHeight) / ROW_HEIGHT) + OVERSCAN);
    const rows = [];
    for (let index = first; index < end; ++index) {
      const number = matches[index];
      const { name, bonus } = describe(number);
      const row = document.createElement("div");
      row.className = "result";
      row.id = resultId(index);
      row.setAttribute("role", "option");
      row.dataset.number = String(number);
      row.dataset.index = String(index);
      row.setAttribute("aria-setsize", String(matches.length));
      row.setAttribute("aria-posinset", String(index + 1));
      row.setAttribute("aria-selected", index === active ? "true" : "false");
      row.style.top = `${index * ROW_HEIGHT}px`;
      const numberCell = document.createElement("span");
      numberCell.className = "result-number";
      numberCell.textContent = String(number);
      const nameCell = document.createElement("span");
      nameCell.className = "result-name";
      nameCell.textContent = name;
      const bonusCell = document.createElement("span");
      bonusCell.className = "result-bonus";
      bonusCell.textContent = bonus;
      row.title = bonus ? `${name}\n${bonus}` : name;
      row.append(numberCell, nameCell, bonusCell);
      rows.push(row);
    }
    resultsSpace.replaceChildren(...rows);
    const activeShown = active >= first && active < end;
    for (const target of [searchField, results]) {
      if (activeShown) target.setAttribute("aria-activedescendant", resultId(active));
      else target.removeAttribute("aria-activedescendant");
    }
  }

  function moveActive(index) {
    if (matches.length === 0) return;
    active = Math.min(matches.length - 1, Math.max(0, index));
    const top = active * ROW_HEIGHT;
    if (top < results.scrollTop) results.scrollTop = top;
    else if (top + ROW_HEIGHT > results.scrollTop + results.clientHeight)
      results.scrollTop = top + ROW_HEIGHT - results.clientHeight;
    renderResults();
  }

  function choose(index) {
    if (index < 0 || index >= matches.length) return;
    active = index;
    numberField.value = String(matches[index]);
    answer();
    renderResults();
  }

  function navigate(event) {
    const page = Math.max(1, Math.floor(results.clientHeight / ROW_HEIGHT) - 1);
    const moves = {
      ArrowDown: active + 1, ArrowUp: active - 1, PageDown: active + page, PageUp: active - page,
    };
    if (event.currentTarget === results) Object.assign(moves, { Home: 0, End: matches.length - 1 });
    if (event.key in moves) {
      event.preventDefault();
      moveActive(moves[event.key]);
    } else if (event.key === "Enter" || (event.key === " " && event.currentTarget === results)) {
      event.preventDefault();
      choose(active);
    }
  }

  searchField.addEventListener("input", search);
  searchField.addEventListener("keydown", navigate);
  results.addEventListener("keydown", navigate);
  results.addEventListener("scroll", renderResults);
  results.addEventListener("click", (event) => {
    const row = event.target.closest(".result");
    if (row) choose(Number(row.dataset.index));
  });

  // --- Data sets -----------------------------------------------------------

  function setState(state) {
    document.body.dataset.state = state;
  }

  // Loads one data set: `files` is a list of { name, depth, read } where
  // read() gives the bytes. Of the files with a data file's name (in any
  // letter case), the one nearest the top of the chosen folder counts.
  // `description` names the set; without one, the count of its files does.
  async function loadSet(files, description) {
    // Without its engine the page cannot read a data set: it says so again.
    if (!engine) {
      loadError.textContent = engineFailure;
      return;
    }
    setState("loading");
    const chosen = new Map();
    for (const file of [...files].sort((a, b) => a.depth - b.depth)) {
      const name = file.name.toLowerCase();
      if (dataFileNames.includes(name) && !chosen.has(name)) chosen.set(name, file);
    }
    // Every file is read before the engine is given any, so that two loads
    // started one after the other do not mix. A file that cannot be read is
    // left out, and fails the load as a file that cannot be opened does.
    const contents = [];
    for (const [name, file] of chosen) {
      try {
        contents.push([name, new Uint8Array(await file.read())]);
      } catch {
        // left out
      }
    }
    engine.tamrix_clear_files();
    for (const [name, content] of contents) {
      const nameBytes = utf8.encode(name);
      const input = new Uint8Array(nameBytes.length + content.length);
      input.set(nameBytes);
      input.set(content, nameBytes.length);
      writeInput(input);
      engine.tamrix_add_file(nameBytes.length);
    }
    // On failure the status keeps naming the set that still answers.
    if (engine.tamrix_load_files()) {
      loadError.textContent = "";
      dataStatus.textContent = `Betöltve: ${description || `saját Data (${contents.length} fájl)`}.`;
    } else {
      loadError.textContent = toText(outputBytes());
    }
    showLoadReport();
    search();
    if (answered) answer();
    setState("ready");
  }

  function loadSample() {
    const files = Object.entries(embedded.data).map(([name, base64]) => ({
      name, depth: 0, read: async () => bytesFromBase64(base64),
    }));
    return loadSet(files, "a beépített minta Data");
  }

  function depthOf(path) {
    return path.split("/").filter(Boolean).length;
  }

  function fromFileList(fileList) {
    return [...fileList].map((file) => ({
      name: file.name,
      depth: depthOf(file.webkitRelativePath || file.name),
      read: () => file.arrayBuffer(),
    }));
  }

  function folderOf(fileList) {
    const path = fileList.length > 0 ? fileList[0].webkitRelativePath : "";
    return path.includes("/") ? path.slice(0, path.indexOf("/")) : "";
  }

  function folderSet(folder) {
    return folder ? `saját Data (mappa: „${folder}”)` : "";
  }

  for (const [buttonId, inputId] of [["data-folder-button", "data-folder"], ["data-files-button", "data-files"]]) {
    const input = $(inputId);
    $(buttonId).addEventListener("click", () => input.click());
    input.addEventListener("change", () => {
      if (input.files.length === 0) return;
      const files = [...input.files];
      input.value = "";
      loadSet(fromFileList(files), folderSet(folderOf(files)));
    });
  }
  $("sample-button").addEventListener("click", loadSample);

  // Drag and drop: files and folders, folders read all the way down.
  function readEntries(reader) {
    return new Promise((resolve, reject) => reader.readEntries(resolve, reject));
  }

  async function collect(entry, into) {
    if (entry.isFile) {
      into.push({
        name: entry.name,
        depth: depthOf(entry.fullPath),
        read: () => new Promise((resolve, reject) => entry.file(resolve, reject)).then((f) => f.arrayBuffer()),
      });
    } else if (entry.isDirectory) {
      const reader = entry.createReader();
      for (let batch = await readEntries(reader); batch.length > 0; batch = await readEntries(reader)) {
        for (const child of batch) await collect(child, into);
      }
    }
  }

  document.addEventListener("dragover", (event) => {
    event.preventDefault();
    document.body.classList.add("dropping");
  });
  document.addEventListener("dragleave", (event) => {
    if (event.relatedTarget === null) document.body.classList.remove("dropping");
  });
  document.addEventListener("drop", async (event) => {
    event.preventDefault();
    document.body.classList.remove("dropping");
    if (!engine) return;
    const entries = [...event.dataTransfer.items]
      .map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null))
      .filter(Boolean);
    const files = [];
    if (entries.length > 0) {
      for (const entry of entries) await collect(entry, files);
    } else {
      files.push(...fromFileList(event.dataTransfer.files));
    }
    const folder = entries.length === 1 && entries[0].isDirectory ? entries[0].name : "";
    loadSet(files, folderSet(folder));
  });

  // --- Load report: where a load failed, what a set warns of --------------

  const errorPlace = $("error-place");
  const warningsBox = $("warnings");
  let answeringStatus = ""; // the status of the last set that loaded

  // "Data\type.txt, 69. sor, 11. oszlop" for a place the engine gives.
  function placeText(file, line, column) {
    let text = file;
    if (line) text += `, ${line}. sor`;
    if (line && column) text += `, ${column}. oszlop`;
    return text;
  }

  // Shows what the engine reports on the last load: after a failure the
  // file, line and reason under the error text, and that the set loaded
  // before still answers; after a success the set's warnings, on demand.
  function showLoadReport() {
    engine.tamrix_load_report();
    const report = JSON.parse(fromUtf8.decode(outputBytes()));
    if (!report.ok) {
      errorPlace.textContent = `${placeText(report.file, report.line)}: ${report.reason}`;
      dataStatus.textContent = answeringStatus
        ? `${answeringStatus} A most választott fájlok nem töltődtek be, ezért továbbra is ez a Data válaszol.`
        : "A most választott fájlok nem töltődtek be.";
      return;
    }
    errorPlace.textContent = "";
    answeringStatus = dataStatus.textContent;
    const items = report.warnings.map((warning) => {
      const item = document.createElement("li");
      item.dataset.code = warning.code;
      item.dataset.line = warning.line ?? "";
      item.dataset.column = warning.column ?? "";
      item.textContent = `${placeText(warning.file, warning.line, warning.column)}: ${warning.text} [${warning.code}]`;
      return item;
    });
    $("warnings-list").replaceChildren(...items);
    $("warnings-count").textContent = `A Data ${items.length} figyelmeztetéssel töltődött be.`;
    warningsBox.hidden = items.length === 0;
    warningsBox.open = false;
  }

  // --- Start ---------------------------------------------------------------

  startEngine().then(loadSample).catch((error) => {
    engine = null;
    engineFailure = `A böngésző nem tudja futtatni a Tamrix motorját, ezért a lap nem működik: ${error}`;
    loadError.textContent = engineFailure;
    dataStatus.textContent = "Nincs betöltött Data.";
    setState("failed");
  });
})();
