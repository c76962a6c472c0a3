// Data sets: the sample, the player's folder or files (chosen or dropped),
// and the one kept from before. Each set loads in an engine of its own,
// which answers only once the set has loaded: a set that fails, however it
// fails, leaves the set before answering, and the status says so.
import { $, download, el } from "./dom.js";
import { dataStatus, placeText, warningsCount, warningsMore } from "./format.js";
import { forgetSet, keepSet, keptSetAnswers } from "./store.js";
import { loadInFreshEngine } from "./engine.js";

const SHOWN_WARNINGS = 300;
export const SAMPLE_NAME = "a beépített minta Data";

export function createData(app) {
  let module = null; // the compiled engine, once it compiles
  let sample = {}; // the sample's files by name
  const status = $("data-status");
  const error = $("error");
  const errorPlace = $("error-place");
  const warningsBox = $("warnings");
  const forgetButton = $("forget-button");
  let latestLoad = 0; // the number of the set chosen last
  let dataFileNames = [];
  let kept = false; // a set of the player's is kept in the browser

  function setState(state) {
    document.body.dataset.state = state;
  }

  // Every choice of a set takes the next number; only the set chosen last
  // may answer, whichever finishes reading first.
  function startLoad() {
    setState("loading");
    return ++latestLoad;
  }

  // Loads `files` ([name, bytes]) as the set `name`, chosen as `load`.
  // `keep`: the player's own set, to keep for the next visit.
  async function loadSet(load, files, name, { keep = false } = {}) {
    if (!module) {
      // A browser that cannot run the engine: said again wherever a set is chosen.
      error.textContent = app.engineFailure;
      setState("failed");
      return false;
    }
    const result = await loadInFreshEngine(module, files);
    if (load !== latestLoad) return false; // a later choice answers
    if (result.engine) {
      app.engine = result.engine;
      app.set = { name, fingerprint: result.answer.fingerprint, files,
        range: { first: result.answer.first, last: result.answer.last } };
      error.textContent = "";
      errorPlace.textContent = "";
      status.textContent = dataStatus(name, "");
      if (keep) kept = (await keepSet({ name, files })) || kept;
      else if (kept) await keptSetAnswers(name !== SAMPLE_NAME);
      showWarnings(result.answer.warnings);
    } else if (result.answer) {
      error.textContent = result.answer.error;
      errorPlace.replaceChildren(`${placeText(result.answer.file, result.answer.line)}: ${result.answer.reason}`,
        ...noteLines(result.answer.notes));
      status.textContent = dataStatus(app.set && app.set.name, name);
    } else {
      error.textContent = `A Tamrix motorja leállt ennek a Data-nak a betöltése közben (${result.trap}).`;
      errorPlace.textContent = "";
      status.textContent = dataStatus(app.set && app.set.name, name);
    }
    forgetButton.hidden = !kept;
    app.setChanged();
    setState("ready");
    return Boolean(result.engine);
  }

  // Each note on a line of its own under what it explains.
  function noteLines(notes) {
    return (notes || []).flatMap((note) =>
      [el("br"), `${placeText(note.file, note.line, note.column)}: megjegyzés: ${note.text}`]);
  }

  function showWarnings(count) {
    const answer = count > 0 ? app.engine.warnings(SHOWN_WARNINGS) : { count: 0, shown: [] };
    $("warnings-list").replaceChildren(...answer.shown.map((warning) =>
      el("li", { "data-code": warning.code, "data-line": warning.line ?? "", "data-column": warning.column ?? "" },
        `${placeText(warning.file, warning.line, warning.column)}: ${warning.text} [${warning.code}]`,
        ...noteLines(warning.notes))));
    $("warnings-count").textContent = warningsCount(answer.count);
    $("warnings-more").textContent = warningsMore(answer.count, answer.shown.length);
    warningsBox.hidden = answer.count === 0;
    warningsBox.open = false;
  }

  $("warnings-download").addEventListener("click", () =>
    download(app.engine.checkParts(), "tamrix-check.txt", "text/plain;charset=utf-8"));

  const loadSample = () => loadSet(startLoad(), Object.entries(sample), SAMPLE_NAME);

  // Of the files with a data file's name (in any letter case), the one
  // nearest the top of the chosen folder counts. Every file is read before
  // the engine is given any; a file that cannot be read is left out, and
  // fails the load as a file that cannot be opened does.
  async function loadChosen(load, chosen, description) {
    const byName = new Map();
    for (const file of [...chosen].sort((a, b) => a.depth - b.depth)) {
      const name = file.name.toLowerCase();
      if (dataFileNames.includes(name) && !byName.has(name)) byName.set(name, file);
    }
    const name = description ||
      `saját Data (fájlok: ${[...byName.values()].map((file) => file.name).join(", ") || "nincs adatfájl"})`;
    const files = [];
    for (const [fileName, file] of byName) {
      try {
        files.push([fileName, new Uint8Array(await file.read())]);
      } catch {
        // left out
      }
    }
    if (load !== latestLoad) return;
    await loadSet(load, files, name, { keep: true });
  }

  function depthOf(path) {
    return path.split("/").filter(Boolean).length;
  }

  function fromFileList(fileList) {
    return [...fileList].map((file) => ({
      name: file.name, depth: depthOf(file.webkitRelativePath || file.name), read: () => file.arrayBuffer(),
    }));
  }

  function folderName(fileList) {
    const path = fileList.length > 0 ? fileList[0].webkitRelativePath : "";
    return path.includes("/") ? `saját Data (mappa: „${path.slice(0, path.indexOf("/"))}”)` : "";
  }

  for (const [buttonId, inputId] of [["data-folder-button", "data-folder"], ["data-files-button", "data-files"]]) {
    const input = $(inputId);
    $(buttonId).addEventListener("click", () => input.click());
    input.addEventListener("change", () => {
      if (input.files.length === 0) return;
      const files = [...input.files];
      input.value = "";
      loadChosen(startLoad(), fromFileList(files), folderName(files));
    });
  }
  $("sample-button").addEventListener("click", loadSample);
  forgetButton.addEventListener("click", async () => {
    await forgetSet();
    kept = false;
    if (app.set && app.set.name !== SAMPLE_NAME) await loadSample();
    else forgetButton.hidden = true;
    status.textContent = `A saját Data elfelejtve. ${status.textContent}`;
  });

  // Drag and drop: files and folders, folders read all the way down.
  function readEntries(reader) {
    return new Promise((resolve, reject) => reader.readEntries(resolve, reject));
  }

  async function collect(entry, into) {
    if (entry.isFile) {
      into.push({ name: entry.name, depth: depthOf(entry.fullPath),
        read: () => new Promise((resolve, reject) => entry.file(resolve, reject)).then((file) => file.arrayBuffer()) });
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
    const load = startLoad(); // chosen now, however long the folder takes to read
    const entries = [...event.dataTransfer.items].map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null)).filter(Boolean);
    const files = [];
    try {
      for (const entry of entries) await collect(entry, files);
    } catch {
      // what could be read counts
    }
    const folders = entries.filter((entry) => entry.isDirectory);
    await loadChosen(load, files, folders.length === 1 ? `saját Data (mappa: „${folders[0].name}”)` : "");
  });

  // The start: the set kept from before, or the sample. A kept set that no
  // longer loads leaves the sample answering.
  // `keeping` is keptSet()'s promise, asked for while the engine compiles.
  async function start(engineModule, sampleFiles, names, keeping) {
    module = engineModule;
    sample = sampleFiles;
    dataFileNames = names;
    keeping = await keeping;
    kept = keeping.set !== null;
    if (kept && keeping.answers && (await loadSet(startLoad(), keeping.set.files, keeping.set.name))) return;
    const failed = kept && keeping.answers ? status.textContent : "";
    await loadSample();
    if (failed) status.textContent = `${failed} ${dataStatus(SAMPLE_NAME, "")}`;
  }

  // An engine that failed while answering: its set loads again in a fresh one.
  async function recover() {
    if (!app.set) return;
    const { files, name } = app.set;
    app.engine = null;
    await loadSet(startLoad(), files, name);
  }

  return { start, recover, loadSample };
}
