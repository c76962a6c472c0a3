// The player's own data set, kept in the browser (IndexedDB) so that it
// answers again after a reload, until the player forgets it. Where the
// browser keeps nothing, the page still works, only forgetting on reload.

const DATABASE = "tamrix";
const STORE = "data-sets";
const KEY = "player";
const ANSWERING = "answering"; // whether the kept set answered last, or the sample

function open() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(DATABASE, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(STORE);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function run(mode, work) {
  const db = await open();
  try {
    return await new Promise((resolve, reject) => {
      const transaction = db.transaction(STORE, mode);
      const request = work(transaction.objectStore(STORE));
      transaction.oncomplete = () => resolve(request.result);
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error);
    });
  } finally {
    db.close();
  }
}

// Keeps { name, files: [[name, bytes]] }, the set that answers now; false
// when the browser would not.
export async function keepSet(set) {
  try {
    await run("readwrite", (store) => {
      store.put(true, ANSWERING);
      return store.put(set, KEY);
    });
    return true;
  } catch {
    return false;
  }
}

// Whether the kept set or the sample answers at the next visit.
export async function keptSetAnswers(answers) {
  try {
    await run("readwrite", (store) => store.put(answers, ANSWERING));
  } catch {
    // nothing kept
  }
}

// { set, answers }: the set kept (or null), and whether it answered last.
export async function keptSet() {
  try {
    const set = (await run("readonly", (store) => store.get(KEY))) ?? null;
    const answers = (await run("readonly", (store) => store.get(ANSWERING))) ?? true;
    return { set, answers };
  } catch {
    return { set: null, answers: false };
  }
}

export async function forgetSet() {
  try {
    await run("readwrite", (store) => {
      store.delete(ANSWERING);
      return store.delete(KEY);
    });
  } catch {
    // nothing kept
  }
}
