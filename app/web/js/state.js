// The page's state, one object: what the player has asked for. The address
// fragment is written from it and read into it, never kept apart from it;
// every part of the page renders from it.

// As many items as the comparison's columns fit beside each other.
export const MAX_COMPARED = 4;

export function createState() {
  return {
    number: "", // the number field's text
    query: "", // the search field's text
    compared: [], // item numbers, in the order added
    fingerprint: "", // the data set a link was made with, while it names one
    active: -1, // the highlighted result's index; none until the player moves
  };
}

// The fragment's form: #n=2385&q=...&c=2385,2386&d=FINGERPRINT, or #2385
// for a number alone.
export function fragmentOf(state, fingerprint) {
  const parts = [];
  if (state.number) parts.push(`n=${encodeURIComponent(state.number)}`);
  if (state.query) parts.push(`q=${encodeURIComponent(state.query)}`);
  if (state.compared.length > 0) parts.push(`c=${state.compared.join(",")}`);
  if (parts.length === 0) return "";
  if (fingerprint) parts.push(`d=${fingerprint}`);
  return `#${parts.join("&")}`;
}

// Reads a fragment into `state`: every field it does not name is emptied,
// so that Back and a link show exactly what they name.
export function readFragment(state, hash) {
  const text = hash.replace(/^#/, "");
  Object.assign(state, { number: "", query: "", compared: [], fingerprint: "" });
  if (/^-?\d+$/.test(text)) {
    state.number = text;
    return state;
  }
  for (const part of text.split("&")) {
    const equals = part.indexOf("=");
    if (equals < 0) continue;
    let value;
    try {
      value = decodeURIComponent(part.slice(equals + 1).replace(/\+/g, " "));
    } catch {
      continue; // a broken escape: the part is left out
    }
    const key = part.slice(0, equals);
    if (key === "n") state.number = value;
    else if (key === "q") state.query = value;
    else if (key === "d" && /^[0-9a-f]{1,32}$/.test(value)) state.fingerprint = value;
    else if (key === "c") {
      const numbers = value.split(",").filter((n) => /^\d{1,10}$/.test(n)).map(Number);
      state.compared = [...new Set(numbers)].slice(0, MAX_COMPARED);
    }
  }
  return state;
}

// The part of the page a link opens at: the comparison it names, else its
// item, else its search.
export function partOf(state) {
  if (state.compared.length > 0) return "comparison";
  if (state.number) return "item";
  if (state.query) return "search";
  return null;
}

// Adds `number` to the comparison; returns why it was not added, or "".
export function addCompared(state, number) {
  if (number === null || number === undefined) return "none";
  if (state.compared.includes(number)) return "present";
  if (state.compared.length >= MAX_COMPARED) return "full";
  state.compared = [...state.compared, number];
  return "";
}

export function removeCompared(state, number) {
  state.compared = state.compared.filter((other) => other !== number);
}
