// Small helpers for building the page's elements.

export const $ = (id) => document.getElementById(id);

// An element with attributes (class, aria-*, data-*...) and children (texts
// or elements).
export function el(tag, attributes = {}, ...children) {
  const element = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) {
    if (value !== null && value !== undefined && value !== false) element.setAttribute(name, value === true ? "" : String(value));
  }
  element.append(...children);
  return element;
}

const SVG = "http://www.w3.org/2000/svg";

export function svg(tag, attributes = {}, ...children) {
  const element = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, String(value));
  element.append(...children);
  return element;
}

// Brings `element` into view where it is out of it: on a one-column screen
// to the top, on a wide one no further than needed.
export function bringIntoView(element) {
  const oneColumn = window.matchMedia("(max-width: 59.99rem)").matches;
  element.scrollIntoView({ block: oneColumn ? "start" : "nearest" });
}

// Saves `data` (bytes, a text, or a list of texts one after the other) as a
// download named `name`.
export function download(data, name, type) {
  const link = el("a", { download: name });
  link.href = URL.createObjectURL(new Blob(Array.isArray(data) ? data : [data], { type }));
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
