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
  let latestLoad = 0; // the number of the data set chosen last
  let answeringSet = ""; // the name of the data set that answers

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
    shown(number);
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
    searched(count);
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
    rememberState(true);
    showAnswer();
  }

  // On a small screen the list is below the answer: bring the name and the
  // description into view, or nothing would seem to happen.
  function showAnswer() {
    nameField.closest("section").scrollIntoView({ block: "nearest" });
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

  // Whether the engine runs; when it could not start, the page says so
  // again wherever a data set is chosen.
  function engineReady() {
    if (!engine && engineFailure) loadError.textContent = engineFailure;
    return engine !== null;
  }

  // Every choice of a data set takes the next number; only the set chosen
  // last may answer, whichever finishes reading first.
  function startLoad() {
    setState("loading");
    return ++latestLoad;
  }

  function isLatest(load) {
    return load === latestLoad;
  }

  // The status line names the set that answers, also after a load failed.
  function showDataStatus(loaded, name) {
    if (loaded) {
      answeringSet = name;
      dataStatus.textContent = `Betöltve: ${name}.`;
    } else {
      dataStatus.textContent = answeringSet
        ? `Nem sikerült betölteni: ${name}. Továbbra is ez válaszol: ${answeringSet}.`
        : `Nem sikerült betölteni: ${name}. Nincs betöltött Data.`;
    }
  }

  // Loads one data set, chosen as `load` (from startLoad): `files` is a list
  // of { name, depth, read } where read() gives the bytes. Of the files with
  // a data file's name (in any letter case), the one nearest the top of the
  // chosen folder counts. `description` names the set; without one, the
  // names of its data files do.
  async function loadSet(load, files, description) {
    const chosen = new Map();
    for (const file of [...files].sort((a, b) => a.depth - b.depth)) {
      const name = file.name.toLowerCase();
      if (dataFileNames.includes(name) && !chosen.has(name)) chosen.set(name, file);
    }
    const setName = description ||
      `saját Data (fájlok: ${[...chosen.values()].map((file) => file.name).join(", ") || "nincs adatfájl"})`;
    // Every file is read before the engine is given any, so that two loads
    // do not mix. A file that cannot be read is left out, and fails the load
    // as a file that cannot be opened does.
    const contents = [];
    for (const [name, file] of chosen) {
      try {
        contents.push([name, new Uint8Array(await file.read())]);
      } catch {
        // left out
      }
    }
    if (!isLatest(load)) return; // a later choice answers
    engine.tamrix_clear_files();
    for (const [name, content] of contents) {
      const nameBytes = utf8.encode(name);
      const input = new Uint8Array(nameBytes.length + content.length);
      input.set(nameBytes);
      input.set(content, nameBytes.length);
      writeInput(input);
      engine.tamrix_add_file(nameBytes.length);
    }
    // On failure the tables loaded before keep answering.
    const loaded = engine.tamrix_load_files() === 1;
    loadError.textContent = loaded ? "" : toText(outputBytes());
    showDataStatus(loaded, setName);
    showLoadReport();
    search();
    if (answered) answer();
    setState("ready");
  }

  function loadSample() {
    const files = Object.entries(embedded.data).map(([name, base64]) => ({
      name, depth: 0, read: async () => bytesFromBase64(base64),
    }));
    return loadSet(startLoad(), files, "a beépített minta Data");
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
      if (!engineReady() || input.files.length === 0) return;
      const files = [...input.files];
      input.value = "";
      loadSet(startLoad(), fromFileList(files), folderSet(folderOf(files)));
    });
  }
  $("sample-button").addEventListener("click", () => engineReady() && loadSample());

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
    if (!engineReady()) return;
    const load = startLoad(); // chosen now, however long the folder takes to read
    const entries = [...event.dataTransfer.items]
      .map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null))
      .filter(Boolean);
    const files = [];
    if (entries.length > 0) {
      try {
        for (const entry of entries) await collect(entry, files);
      } catch {
        // What cannot be listed is left out, as a file that cannot be read.
      }
    } else {
      files.push(...fromFileList(event.dataTransfer.files));
    }
    const folder = entries.length === 1 && entries[0].isDirectory ? entries[0].name : "";
    loadSet(load, files, folderSet(folder));
  });

  // --- Choosing: sort, every grade, comparison, links, CSV, suggestions ----

  const sortControl = $("sort");
  const suggestionBox = $("suggestion");
  const suggestionButton = $("suggestion-use");
  const gradesList = $("grades");
  const compareBox = $("compare");
  const compareStatus = $("compare-status");
  const compareAddShown = $("compare-add-shown");
  const MAX_COMPARED = 4;
  // The common sorts: the term written into the query, and its label.
  const COMMON_SORTS = [
    ["", "szám szerint"],
    ["sort:grade", "fokozat szerint, csökkenő"],
    ["sort:grade:asc", "fokozat szerint, növekvő"],
    ["sort:name", "név szerint"],
    ["sort:damage", "sebzés szerint, csökkenő"],
  ];

  let compared = []; // the numbers in the comparison, in the order added
  let shownItem = null; // the number field's item, while it is one
  let suggestedQuery = null;
  let restoring = false; // the state comes from the address: it is not written back

  function numbersAt(at, count) {
    return [...new Int32Array(engine.memory.buffer.slice(at, at + 4 * count))];
  }

  function isItem(number) {
    // An item's name field holds its description; that of any other number is empty.
    return engine.tamrix_answer(number) > 0;
  }

  // The query's terms as the engine reads them: split at blanks outside
  // double quotes.
  function queryTerms(query) {
    return query.match(/(?:[^ \t"]|"[^"]*(?:"|$))+/g) || [];
  }

  // The sort control always shows the query's first sort term: the common
  // sorts, a sort by each skill the query compares, and the query's own term
  // when it is none of these.
  function updateSortControl() {
    const terms = queryTerms(searchField.value);
    const current = terms.find((term) => term.startsWith("sort:")) || "";
    const options = new Map(COMMON_SORTS);
    for (const term of terms) {
      const skill = /^([^-<>="][^<>="]*|"[^"]*")(?:[<>=])/.exec(term);
      if (skill) options.set(`sort:${skill[1]}`, `${skill[1].replace(/["]/g, "").replace(/_/g, " ")} szerint, csökkenő`);
    }
    if (!options.has(current)) options.set(current, `${current} (a keresésből)`);
    const key = JSON.stringify([...options]);
    if (sortControl.dataset.options !== key) {
      sortControl.replaceChildren(...[...options].map(([value, label]) => new Option(label, value)));
      sortControl.dataset.options = key;
    }
    sortControl.value = current;
  }

  sortControl.addEventListener("change", () => {
    const terms = queryTerms(searchField.value).filter((term) => !term.startsWith("sort:"));
    if (sortControl.value) terms.push(sortControl.value);
    searchField.value = terms.join(" ");
    search();
    rememberState(false);
  });

  function updateSuggestion(count) {
    suggestedQuery = null;
    if (count === 0) {
      writeInput(utf8.encode(searchField.value));
      if (engine.tamrix_suggest()) {
        const [query, words] = fromUtf8.decode(outputBytes()).split("\n");
        suggestedQuery = query;
        suggestionButton.textContent = words;
      }
    }
    suggestionBox.hidden = suggestedQuery === null;
  }

  function useSuggestion() {
    if (suggestedQuery === null) return;
    searchField.value = suggestedQuery;
    search();
    rememberState(false);
    searchField.focus();
  }

  suggestionButton.addEventListener("click", useSuggestion);
  searchField.addEventListener("keydown", (event) => {
    if (event.key === "Enter" && !event.shiftKey && matches.length === 0 && suggestedQuery !== null) {
      event.preventDefault();
      useSuggestion();
    }
  });

  // Called by search() after each search.
  function searched(count) {
    updateSortControl();
    updateSuggestion(count);
    renderComparison(); // a new data set answers differently
  }

  // Called by answer(): the every-grade view of the item shown.
  function shown(number) {
    const count = engine.tamrix_grades(number);
    const numbers = numbersAt(engine.tamrix_list(), count);
    shownItem = count > 0 ? number : null;
    compareAddShown.disabled = shownItem === null;
    gradesList.replaceChildren(...numbers.map((grade) => {
      const { name, bonus } = describe(grade);
      const button = document.createElement("button");
      button.type = "button";
      button.className = "grade";
      button.dataset.number = String(grade);
      if (grade === number) button.setAttribute("aria-current", "true");
      for (const [className, text] of [["grade-number", String(grade)], ["grade-name", name], ["grade-bonus", bonus]]) {
        const part = document.createElement("span");
        part.className = className;
        part.textContent = text;
        button.append(part);
      }
      const item = document.createElement("li");
      item.append(button);
      return item;
    }));
    // The list scrolls to the item's own grade; the page stays where it is.
    const current = gradesList.querySelector('[aria-current="true"]');
    if (current) gradesList.scrollTop = current.parentElement.offsetTop - gradesList.clientHeight / 3;
  }

  gradesList.addEventListener("click", (event) => {
    const row = event.target.closest("button[data-number]");
    if (!row) return;
    numberField.value = row.dataset.number;
    answer();
    rememberState(true);
    gradesList.querySelector(`[data-number="${row.dataset.number}"]`)?.focus();
  });

  function addToComparison(number) {
    if (number === null || number === undefined) return;
    if (compared.includes(number)) {
      compareStatus.textContent = `${number} már az összehasonlításban van.`;
    } else if (compared.length >= MAX_COMPARED) {
      compareStatus.textContent = "Legfeljebb négy tárgy hasonlítható össze: előbb vegyen ki egyet.";
    } else {
      compared.push(number);
      renderComparison();
      compareStatus.textContent = `${number} az összehasonlításban (${compared.length} tárgy).`;
      rememberState(true);
    }
  }

  function removeFromComparison(number) {
    compared = compared.filter((other) => other !== number);
    renderComparison();
    compareStatus.textContent = `${number} kivéve az összehasonlításból.`;
    rememberState(true);
    (compareBox.querySelector(".remove") || compareAddShown).focus();
  }

  function cell(tag, text, attributes = {}) {
    const element = document.createElement(tag);
    element.textContent = text;
    for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
    return element;
  }

  // The best value of a row: a star for the eye, words for screen readers.
  function markBest(element) {
    element.classList.add("best");
    element.append(cell("span", " ★", { "aria-hidden": "true" }), cell("span", " (a legjobb)", { class: "visually-hidden" }));
  }

  // The engine's comparison of the numbers (see tamrix_compare).
  function comparison(numbers) {
    writeInput(utf8.encode(numbers.join(",")));
    const rowCount = engine.tamrix_compare();
    const count = numbers.length;
    const values = numbersAt(engine.tamrix_list(), rowCount * (count + 2) + 2);
    const lines = toText(outputBytes()).split("\n");
    const marked = (mask) => numbers.map((_, index) => (mask & (1 << index)) !== 0);
    const rows = [];
    for (let row = 0; row < rowCount; ++row) {
      const at = row * (count + 2);
      rows.push({ skill: values[at], name: lines[count + row], values: values.slice(at + 1, at + 1 + count),
        best: marked(values[at + 1 + count]) });
    }
    const damaged = marked(values[rowCount * (count + 2)]);
    const damage = lines.slice(count + rowCount, count + rowCount + count).map((text, index) => (damaged[index] ? text : null));
    return { names: lines.slice(0, count), rows, damage, damageBest: marked(values[rowCount * (count + 2) + 1]) };
  }

  function renderComparison() {
    if (!engine || compared.length === 0) {
      compareBox.replaceChildren();
      return;
    }
    const data = comparison(compared);
    const table = document.createElement("table");
    table.append(cell("caption", "A tárgyak tápjai egymás mellett; a csillag a sor legjobb értéke.", { class: "visually-hidden" }));
    const head = document.createElement("tr");
    head.append(cell("th", "Táp", { scope: "col" }));
    compared.forEach((number, index) => {
      const header = cell("th", "", { scope: "col", "data-number": String(number) });
      const remove = cell("button", "×", { type: "button", class: "remove", "aria-label": `${number} kivétele az összehasonlításból` });
      remove.addEventListener("click", () => removeFromComparison(number));
      header.append(cell("span", String(number), { class: "compare-number" }), remove,
        cell("span", data.names[index], { class: "compare-name" }));
      head.append(header);
    });
    const body = document.createElement("tbody");
    for (const row of data.rows) {
      const line = cell("tr", "", { "data-skill": String(row.skill) });
      line.append(cell("th", row.name, { scope: "row" }));
      row.values.forEach((value, index) => {
        const td = cell("td", value > 0 ? `+${value}` : String(value),
          { "data-number": String(compared[index]), "data-value": String(value) });
        if (row.best[index]) markBest(td);
        line.append(td);
      });
      body.append(line);
    }
    if (data.damage.some((damage) => damage !== null)) {
      const line = cell("tr", "", { "data-damage": "" });
      line.append(cell("th", "sebzés", { scope: "row" }));
      data.damage.forEach((damage, index) => {
        const td = cell("td", damage === null ? "–" : damage || "0",
          { "data-number": String(compared[index]), "data-value": damage ?? "" });
        if (data.damageBest[index]) markBest(td);
        line.append(td);
      });
      body.append(line);
    }
    const thead = document.createElement("thead");
    thead.append(head);
    table.append(thead, body);
    compareBox.replaceChildren(table);
  }

  compareAddShown.addEventListener("click", () => addToComparison(shownItem));
  $("compare-add-result").addEventListener("click", () => addToComparison(active >= 0 ? matches[active] : null));
  // Shift+Enter adds the highlighted result, or from the number field the
  // item shown; it is taken before the fields' own Enter.
  document.addEventListener("keydown", (event) => {
    if (event.key !== "Enter" || !event.shiftKey) return;
    if (event.target === numberField) addToComparison(shownItem);
    else if (event.target === searchField || event.target === results) addToComparison(active >= 0 ? matches[active] : null);
    else return;
    event.preventDefault();
    event.stopPropagation();
  }, true);

  $("csv").addEventListener("click", () => {
    engine.tamrix_csv();
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([outputBytes()], { type: "text/csv;charset=utf-8" }));
    link.download = "tamrix.csv";
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  });

  // Links: the number field, the query and the comparison live in the
  // address's fragment, #n=2385&q=...&c=2385,2386 (#2385 for a number alone).
  // Typing replaces the history entry; choosing an item or changing the
  // comparison adds one, so that Back goes back.
  function stateFragment() {
    const parts = [];
    if (numberField.value) parts.push(`n=${encodeURIComponent(numberField.value)}`);
    if (searchField.value) parts.push(`q=${encodeURIComponent(searchField.value)}`);
    if (compared.length > 0) parts.push(`c=${compared.join(",")}`);
    return parts.length > 0 ? `#${parts.join("&")}` : "";
  }

  function rememberState(push) {
    if (restoring || !engine) return;
    const fragment = stateFragment();
    if (fragment === location.hash) return;
    const address = fragment || location.href.split("#")[0];
    try {
      if (push) history.pushState(null, "", address);
      else history.replaceState(null, "", address);
    } catch {
      // A browser that keeps no history for this address: the page still works.
    }
  }

  function readFragment(hash) {
    const text = hash.replace(/^#/, "");
    const state = { number: null, query: "", compared: [] };
    if (/^-?\d+$/.test(text)) return { ...state, number: text };
    for (const part of text.split("&")) {
      const equals = part.indexOf("=");
      let value;
      try {
        value = decodeURIComponent(part.slice(equals + 1).replace(/\+/g, " "));
      } catch {
        continue;
      }
      const key = part.slice(0, equals);
      if (key === "n") state.number = value;
      else if (key === "q") state.query = value;
      else if (key === "c") state.compared = value.split(",").filter((n) => /^\d+$/.test(n)).map(Number);
    }
    return state;
  }

  function restoreState() {
    if (!engine) return;
    const state = readFragment(location.hash);
    restoring = true;
    try {
      if (state.number !== null || answered) {
        numberField.value = state.number ?? "";
        answer();
      }
      compared = [...new Set(state.compared)].filter(isItem).slice(0, MAX_COMPARED);
      if (searchField.value !== state.query) {
        searchField.value = state.query;
        search();
      } else {
        renderComparison();
      }
    } finally {
      restoring = false;
    }
  }

  numberField.addEventListener("input", () => rememberState(false));
  searchField.addEventListener("input", () => rememberState(false));
  window.addEventListener("popstate", restoreState);

  // --- Load report: where a load failed, what a set warns of --------------

  const errorPlace = $("error-place");
  const warningsBox = $("warnings");

  // "Data\type.txt, 69. sor, 11. oszlop" for a place the engine gives.
  function placeText(file, line, column) {
    let text = file;
    if (line) text += `, ${line}. sor`;
    if (line && column) text += `, ${column}. oszlop`;
    return text;
  }

  // Shows what the engine reports on the last load: after a failure the
  // file, line and reason under the error text (the status line says which
  // set still answers); after a success the set's warnings, on demand.
  function showLoadReport() {
    engine.tamrix_load_report();
    const report = JSON.parse(fromUtf8.decode(outputBytes()));
    if (!report.ok) {
      errorPlace.textContent = `${placeText(report.file, report.line)}: ${report.reason}`;
      return;
    }
    errorPlace.textContent = "";
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

  startEngine().then(loadSample).then(restoreState).catch((error) => {
    engine = null;
    engineFailure = `A böngésző nem tudja futtatni a Tamrix motorját, ezért a lap nem működik: ${error}`;
    loadError.textContent = engineFailure;
    dataStatus.textContent = "Nincs betöltött Data.";
    setState("failed");
  });
})();
