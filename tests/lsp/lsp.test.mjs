// tamrix-cli --lsp driven by the editors' own protocol library: every
// capability, both position encodings, a change while typing, and messages
// no client should send.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import * as rpc from 'vscode-languageserver-protocol/node.js';

const CLI = resolve(process.env.TAMRIX_CLI ?? '../../build/dev/app/cli/tamrix-cli');
const SAMPLE = resolve('../../Data');
const cp1250 = new TextDecoder('windows-1250');

const copies = [];
const servers = [];
// A test that fails midway leaves its server running: end them all.
after(() => {
  servers.forEach((child) => child.kill());
  copies.forEach((dir) => rmSync(dir, { recursive: true, force: true }));
});

// A copy of the sample set; its files as an editor opening them as Windows-1250 shows them.
function sampleCopy() {
  const dir = mkdtempSync(join(tmpdir(), 'tamrix-lsp-'));
  cpSync(SAMPLE, join(dir, 'Data'), { recursive: true });
  copies.push(dir);
  const file = (name) => join(dir, 'Data', name);
  return {
    dir,
    uri: (name) => pathToFileURL(file(name)).href,
    text: (name) => cp1250.decode(readFileSync(file(name))),
  };
}

// A server and a connection to it; diagnostics are kept per URI as they arrive.
async function startServer({ encodings } = {}) {
  const child = spawn(CLI, ['--lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  servers.push(child);
  const connection = rpc.createProtocolConnection(
    new rpc.StreamMessageReader(child.stdout), new rpc.StreamMessageWriter(child.stdin));
  const diagnostics = new Map();
  const waiting = [];
  connection.onNotification(rpc.PublishDiagnosticsNotification.type, (p) => {
    diagnostics.set(p.uri, p.diagnostics);
    for (const w of waiting.splice(0)) w();
  });
  connection.listen();
  const init = await connection.sendRequest(rpc.InitializeRequest.type, {
    processId: process.pid, rootUri: null,
    capabilities: encodings ? { general: { positionEncodings: encodings } } : {},
  });
  connection.sendNotification(rpc.InitializedNotification.type, {});
  const exited = new Promise((done) => child.on('exit', (code) => done(code)));
  return {
    connection, init, diagnostics, child, exited,
    // Resolves with the diagnostics of `uri` once all five files have theirs
    // since the last edit and `ready` accepts them.
    until(uri, ready = () => true) {
      return new Promise((done) => {
        const look = () => (diagnostics.size === 5 && ready(diagnostics.get(uri))
          ? done(diagnostics.get(uri)) : waiting.push(look));
        look();
      });
    },
    async stop() {
      await connection.sendRequest(rpc.ShutdownRequest.type);
      connection.sendNotification(rpc.ExitNotification.type);
      return exited;
    },
  };
}

function open(server, uri, text, version = 1) {
  server.diagnostics.clear();
  server.connection.sendNotification(rpc.DidOpenTextDocumentNotification.type,
    { textDocument: { uri, languageId: 'tamrix', version, text } });
}

function change(server, uri, text, version) {
  server.diagnostics.clear();
  server.connection.sendNotification(rpc.DidChangeTextDocumentNotification.type,
    { textDocument: { uri, version }, contentChanges: [{ text }] });
}

// The position of `needle`'s first match in `text`, plus `shift` characters,
// counted in UTF-16 code units or UTF-8 bytes.
function positionOf(text, needle, shift = 0, encoding = 'utf-16') {
  const at = text.indexOf(needle);
  assert.ok(at >= 0, needle);
  const before = text.slice(0, at + shift).split(/\r\n|\r|\n/);
  const last = before[before.length - 1];
  const character = encoding === 'utf-8' ? Buffer.byteLength(last) : last.length;
  return { line: before.length - 1, character };
}

test('the sample set raises nothing, and a tab after accents is placed in both encodings', async () => {
  for (const encoding of ['utf-16', 'utf-8']) {
    const set = sampleCopy();
    const server = await startServer({ encodings: encoding === 'utf-8' ? ['utf-8', 'utf-16'] : undefined });
    assert.equal(server.init.capabilities.positionEncoding, encoding);
    const uri = set.uri('skill.txt');
    const text = set.text('skill.txt');
    open(server, uri, text);
    for (const name of ['skill.txt', 'stditem.txt', 'type.txt', 'rnditem.txt', 'change.txt'])
      assert.deepEqual(await server.until(set.uri(name)), [], name);
    // An accented name, then a tab: --check gives the tab's byte column.
    const lines = text.split('\r\n');
    const k = lines.findIndex((l, i) => i > lines.indexOf('-start-') && /^\d+ 0 ".*[^\x00-\x7f].*"$/.test(l));
    lines[k] += '\t';
    change(server, uri, lines.join('\r\n'), 2);
    const [tab] = await server.until(uri, (d) => d.length > 0);
    assert.equal(tab.code, 'tab');
    assert.equal(tab.severity, 2);
    const character = encoding === 'utf-8' ? Buffer.byteLength(lines[k]) - 1 : lines[k].length - 1;
    assert.deepEqual(tab.range.start, { line: k, character });
    assert.equal(await server.stop(), 0);
  }
});

test('a change while typing: each keystroke gets the set\'s diagnostics, notes as related information', async () => {
  const set = sampleCopy();
  const server = await startServer();
  const uri = set.uri('type.txt');
  const text = set.text('type.txt');
  open(server, uri, text);
  await server.until(uri);
  // The count line of a type deleted, one keystroke at a time: a load failure in the end.
  const lines = text.split('\r\n');
  const start = lines.indexOf('-start-');
  let typed = lines.slice();
  const count = typed[start + 2];
  const started = performance.now();
  for (let k = 1; k <= count.length; ++k) {
    typed[start + 2] = count.slice(0, count.length - k);
    change(server, uri, typed.join('\r\n'), 1 + k);
    await server.until(uri);
  }
  const perEdit = (performance.now() - started) / count.length;
  await server.until(uri);
  const failures = [...server.diagnostics.values()].flat().filter((d) => d.severity === 1);
  assert.equal(failures.length, 1);
  // A slip that warns with a note: a skill line given twice.
  const skills = set.uri('skill.txt');
  const skillText = set.text('skill.txt');
  const skillLines = skillText.split('\r\n');
  const first = skillLines.findIndex((l) => /^\d+ /.test(l));
  const doubled = [...skillLines.slice(0, first + 1), skillLines[first], ...skillLines.slice(first + 1)];
  change(server, uri, text, 99);
  open(server, skills, doubled.join('\r\n'));
  const [repeat] = await server.until(skills, (d) => d.length > 0);
  assert.equal(repeat.code, 'skill-repeated');
  assert.equal(repeat.range.start.line, first + 1);
  assert.equal(repeat.relatedInformation[0].location.uri, skills);
  assert.equal(repeat.relatedInformation[0].location.range.start.line, first);
  // The same line 600 times more: the first 500 warnings, then how many are not shown.
  const flooded = [...skillLines.slice(0, first + 1), ...Array(600).fill(skillLines[first]),
    ...skillLines.slice(first + 1)];
  change(server, skills, flooded.join('\r\n'), 2);
  const many = await server.until(skills, (d) => d.length > 1);
  assert.equal(many.length, 501);
  assert.equal(many[500].code, 'warnings-not-shown');
  assert.match(many[500].message, /^100 more warnings in this file not shown/);
  console.log(`diagnostics per edit: ${perEdit.toFixed(1)} ms`);
  assert.equal(await server.stop(), 0);
});

test('hover, definition and symbols answer from the loaded tables', async () => {
  const set = sampleCopy();
  const server = await startServer();
  const rnd = set.uri('rnditem.txt');
  const text = set.text('rnditem.txt');
  open(server, rnd, text);
  await server.until(rnd);
  const lines = text.split('\r\n');
  const entry = lines.indexOf('#1450');
  const ask = (type, line, character = 0, uri = rnd) => server.connection.sendRequest(type,
    { textDocument: { uri }, position: { line, character } });
  const item = await ask(rpc.HoverRequest.type, entry, 2);
  assert.match(item.contents.value, /^item 1450\n\na lángoló /);
  const type = await ask(rpc.HoverRequest.type, entry + 2);
  assert.match(type.contents.value, /^type \d+, \d amount lines, by grade\n\ngrade +0 +1 /);
  const skill = await ask(rpc.HoverRequest.type, entry + 3);
  assert.match(skill.contents.value, /^skill \d+ ".+"\n\ndoubling flag \d/);
  const typeDef = await ask(rpc.DefinitionRequest.type, entry + 2);
  assert.equal(typeDef.uri, set.uri('type.txt'));
  assert.equal(set.text('type.txt').split('\r\n')[typeDef.range.start.line].trim(), lines[entry + 2].trim());
  const skillDef = await ask(rpc.DefinitionRequest.type, entry + 3);
  assert.equal(skillDef.uri, set.uri('skill.txt'));
  assert.ok(set.text('skill.txt').split('\r\n')[skillDef.range.start.line]
    .startsWith(lines[entry + 3].split(' ')[0] + ' '));
  // From a change record (a file the editor has not opened) to its prefix entry.
  const changes = set.uri('change.txt');
  const changeText = set.text('change.txt');
  open(server, changes, changeText);
  const record = changeText.split('\r\n').findIndex((l) => /^1450 /.test(l));
  assert.ok(record > 0);
  const prefix = await ask(rpc.DefinitionRequest.type, record, 1, changes);
  assert.deepEqual([prefix.uri, prefix.range.start.line], [rnd, entry]);
  assert.match((await ask(rpc.HoverRequest.type, record, 1, changes)).contents.value, /^item 1450/);
  assert.equal(await ask(rpc.HoverRequest.type, 0), null);
  const symbols = await server.connection.sendRequest(rpc.DocumentSymbolRequest.type, { textDocument: { uri: rnd } });
  assert.ok(symbols.length > 10);
  assert.deepEqual([symbols[0].name.startsWith('prefix 1 '), symbols[0].range.start.line], [true, entry]);
  assert.equal(await server.stop(), 0);
});

test('code actions repair each mechanical slip in the editor\'s text', async () => {
  const set = sampleCopy();
  const server = await startServer();
  const uri = set.uri('stditem.txt');
  const text = set.text('stditem.txt');
  const lines = text.split('\r\n');
  const i = lines.findIndex((l) => /^1000 /.test(l));
  const broken = lines.slice();
  broken[i] = lines[i].replace(' ', '\t').replace(' ', '\u00a0');
  // A line pasted as UTF-8 shows, opened as Windows-1250, as two characters per accent.
  const j = lines.findIndex((l, k) => k > i && /[^\x00-\x7f]/.test(l));
  broken[j] = cp1250.decode(Buffer.from(lines[j], 'utf-8'));
  open(server, uri, broken.join('\r\n'));
  await server.until(uri, (d) => d.length > 0);
  const actions = await server.connection.sendRequest(rpc.CodeActionRequest.type, {
    textDocument: { uri }, range: { start: { line: i, character: 0 }, end: { line: i, character: 0 } },
    context: { diagnostics: [] },
  });
  assert.deepEqual(actions.map((a) => a.kind), ['quickfix', 'quickfix', 'source.fixAll']);
  const edits = actions[2].edit.changes[uri];
  // Applied from the last, the whole file's edits give the sample back.
  const fixed = broken.slice();
  for (const e of [...edits].reverse()) {
    assert.equal(e.range.start.line, e.range.end.line);
    const l = fixed[e.range.start.line];
    fixed[e.range.start.line] = l.slice(0, e.range.start.character) + e.newText + l.slice(e.range.end.character);
  }
  assert.equal(fixed.join('\r\n'), text);
  assert.equal(await server.stop(), 0);
});

test('characters Windows-1250 lacks, and a file decoded in another encoding, are diagnostics', async () => {
  const set = sampleCopy();
  const server = await startServer();
  const uri = set.uri('skill.txt');
  const text = set.text('skill.txt');
  const at = text.indexOf('"', text.indexOf('-start-')) + 1;
  open(server, uri, text.slice(0, at) + '😀' + text.slice(at));
  const [emoji] = await server.until(uri, (d) => d.length > 0);
  assert.equal(emoji.code, 'not-windows-1250');
  assert.deepEqual(emoji.range.start, positionOf(text.slice(0, at) + '😀', '😀'));
  assert.equal(emoji.range.end.character - emoji.range.start.character, 2);  // a surrogate pair
  change(server, uri, text.replace(/á/g, '\ufffd'), 2);
  const wrong = await server.until(uri, (d) => d.length === 1 && d[0].range.start.line === 0);
  assert.match(wrong[0].message, /Windows-1250/);
  assert.equal(await server.stop(), 0);
});

// Bytes written straight to the server, and the errors they must get back.
const MALFORMED = [
  ['not JSON', 'Content-Length: 5\r\n\r\n{oops', -32700],
  ['no Content-Length', 'Content-Type: x\r\n\r\n', -32700],
  ['a length that is no number', 'Content-Length: ten\r\n\r\n', -32700],
  ['an unknown method', JSON.stringify({ jsonrpc: '2.0', id: 7, method: 'tamrix/nothing' }), -32601],
  ['no method', JSON.stringify({ jsonrpc: '2.0', id: 8 }), -32600],
  ['an id that is an object', JSON.stringify({ jsonrpc: '2.0', id: {}, method: 'shutdown' }), -32600],
  ['hover without a position', JSON.stringify({ jsonrpc: '2.0', id: 9, method: 'textDocument/hover', params: { textDocument: { uri: 'file:///x' } } }), -32602],
  ['a second initialize', JSON.stringify({ jsonrpc: '2.0', id: 10, method: 'initialize', params: { capabilities: {} } }), -32600],
  ['a body of 100 MB announced', 'Content-Length: 100000000\r\n\r\n' + 'x'.repeat(100000000), -32600],
];

test('malformed and hostile messages get the protocol\'s errors and the server goes on', async () => {
  const server = await startServer();
  for (const [what, message, code] of MALFORMED) {
    const framed = message.startsWith('Content-') ? message : `Content-Length: ${Buffer.byteLength(message)}\r\n\r\n${message}`;
    const reply = new Promise((done) => {
      let seen = '';
      const look = (chunk) => {
        seen += chunk.toString('latin1');
        const m = /"code":(-\d+)/.exec(seen);
        if (m) { server.child.stdout.off('data', look); done(Number(m[1])); }
      };
      server.child.stdout.on('data', look);
    });
    server.child.stdin.write(framed);
    assert.equal(await reply, code, what);
  }
  // A huge document is refused without stopping the server.
  const set = sampleCopy();
  open(server, set.uri('skill.txt'), 'x'.repeat(9 << 20));
  const symbols = await server.connection.sendRequest(rpc.DocumentSymbolRequest.type,
    { textDocument: { uri: set.uri('skill.txt') } });
  assert.deepEqual(symbols, []);
  assert.equal(await server.stop(), 0);
});

test('exit without shutdown ends with status 1, and requests before initialize are refused', async () => {
  const child = spawn(CLI, ['--lsp'], { stdio: ['pipe', 'pipe', 'inherit'] });
  servers.push(child);
  const connection = rpc.createProtocolConnection(
    new rpc.StreamMessageReader(child.stdout), new rpc.StreamMessageWriter(child.stdin));
  connection.listen();
  await assert.rejects(connection.sendRequest(rpc.HoverRequest.type,
    { textDocument: { uri: 'file:///x' }, position: { line: 0, character: 0 } }), { code: -32002 });
  const exited = new Promise((done) => child.on('exit', done));
  connection.sendNotification(rpc.ExitNotification.type);
  assert.equal(await exited, 1);
});
