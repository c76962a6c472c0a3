// The page's words and figures, apart from the page: every text that is
// built from the engine's answers.

// "Data\type.txt, 69. sor, 11. oszlop" for a place the engine gives.
export function placeText(file, line, column) {
  let text = file;
  if (line) text += `, ${line}. sor`;
  if (line && column) text += `, ${column}. oszlop`;
  return text;
}

export function signed(value) {
  return value > 0 ? `+${value}` : String(value);
}

// The hint for a number field that names no item, or "" when it names one
// or is empty. `range` is the loaded set's { first, last }.
export function numberHint(field, isItem, range) {
  if (isItem || field.trim() === "" || !range) return "";
  const shown = field.trim();
  return `A(z) ${shown} nem tárgy: a tárgyak száma ${range.first} és ${range.last} között van.`;
}

// The status line: which set answers, and after a failed load that it still
// does.
export function dataStatus(answering, failed) {
  if (!failed) return answering ? `Betöltve: ${answering}.` : "Nincs betöltött Data.";
  return answering
    ? `Nem sikerült betölteni: ${failed}. Továbbra is ez válaszol: ${answering}.`
    : `Nem sikerült betölteni: ${failed}. Nincs betöltött Data.`;
}

// The count line of a set's warnings and the note under a shortened list.
export function warningsCount(count) {
  return `A Data ${count} figyelmeztetéssel töltődött be.`;
}

export function warningsMore(count, shown) {
  return count > shown ? `… és még ${count - shown} figyelmeztetés: a teljes lista letölthető.` : "";
}

// What a link says when the set that answers is not the one it was made with.
export function otherSetNote(linkFingerprint, fingerprint, answering) {
  if (!linkFingerprint || linkFingerprint === fingerprint) return "";
  return `Ez a link egy másik Data-val készült (${linkFingerprint}); most ez válaszol: ${answering}` +
    ` (${fingerprint}), ezért a tárgyak mások lehetnek.`;
}

// The search's status: how many, or none.
export function searchStatus(count) {
  return count === 0 ? "Nincs találat." : `${count} találat`;
}

// The name of a sort by a skill, as the data set names the skill.
export function sortLabel(name) {
  return `${name} szerint, csökkenő`;
}

// The comparison's bars: each value's share of the row's largest size, 0 to
// 1; a row of zeros has no bars.
export function barShares(values) {
  const largest = Math.max(0, ...values.map((value) => Math.abs(value)));
  return values.map((value) => (largest === 0 ? 0 : Math.abs(value) / largest));
}

// A bonus as the list of grades shows it: "+4 tűzsebzés".
export function bonusText(name, sum) {
  return `${signed(sum)} ${name}`;
}
