// The dialog: the number field and the two fields the engine fills, with a
// hint beside them for a number that is no item.
import { $, el } from "./dom.js";
import { numberHint } from "./format.js";

// The description field's text, with each bonus (from its sign to the next)
// kept on one line; the text itself is the dialog's, unchanged.
function bonusPieces(line) {
  return line.split(/(?=[+-]\d)/);
}

export function createDialog(app) {
  const field = $("number");
  const name = $("name");
  const description = $("description");
  const note = $("number-note");
  const announce = $("number-announce");
  let answered = false; // the number field has been used: the fields answer it
  let announceTimer = 0;

  function showDescription(text) {
    const lines = text.split("\n");
    const parts = [];
    lines.forEach((line, index) => {
      if (index > 0) parts.push("\n");
      for (const piece of bonusPieces(line)) {
        const [, words, blanks] = /^(.*?)(\s*)$/s.exec(piece);
        parts.push(/^[+-]\d/.test(words) ? el("span", { class: "keep" }, words) : words, blanks);
      }
    });
    description.replaceChildren(...parts);
  }

  function render() {
    if (field.value !== app.state.number) field.value = app.state.number;
    if (!app.engine || (!answered && app.state.number === "")) return null;
    answered = true;
    const answer = app.engine.answer(app.state.number);
    name.textContent = answer.name;
    showDescription(answer.description);
    note.textContent = numberHint(app.state.number, answer.item, app.set && app.set.range);
    // Screen readers hear the answer once typing pauses, not at every key.
    clearTimeout(announceTimer);
    announceTimer = setTimeout(() => {
      announce.textContent = note.textContent || answer.name || answer.description;
    }, 700);
    return answer.item ? answer.number : null;
  }

  // Like the dialog's digits-only field: typing takes digits only; pasted
  // text goes in as it is and is read as the dialog reads it.
  field.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && event.data && /\D/.test(event.data)) event.preventDefault();
  });
  field.addEventListener("input", () => {
    answered = true;
    app.showNumber(field.value, false);
  });
  field.addEventListener("keydown", (event) => {
    if ((event.key === "Enter" && !event.shiftKey) || event.key === "Escape") app.showNumber(field.value, false);
  });

  return { render, field };
}
