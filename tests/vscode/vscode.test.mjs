// The VS Code extension: its problem matchers, read from its package.json, on
// real `tamrix-cli --check --strict` output, and extension.js started against
// a stub of VS Code's API.
import { after, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import Module, { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, matchesGlob, resolve } from 'node:path';

const ROOT = resolve(import.meta.dirname, '../..');
const EXTENSION = join(ROOT, 'editors/vscode');
const CLI = resolve(process.env.TAMRIX_CLI ?? join(ROOT, 'build/dev/app/cli/tamrix-cli'));
const { contributes } = JSON.parse(readFileSync(join(EXTENSION, 'package.json'), 'utf8'));
const cp1250 = new TextDecoder('windows-1250');
const work = mkdtempSync(join(tmpdir(), 'tamrix-vscode-'));
after(() => rmSync(work, { recursive: true, force: true }));

// What VS Code makes of one output line: the matchers that take it, each as
// file, line, column, severity, message and code. A pattern of kind "file"
// stands for the whole file, which VS Code shows at its first line.
const patterns = contributes.problemMatchers.map(({ pattern }) =>
  contributes.problemPatterns.find(({ name }) => pattern === `$${name}`));
const SEVERITY = { error: 'error', warning: 'warning', note: 'info' };
const problems = (line) => patterns.flatMap((p) => {
  const m = new RegExp(p.regexp).exec(line);
  return m ? [[m[p.file], p.kind === 'file' ? 1 : Number(m[p.line]),
    p.column && m[p.column] ? Number(m[p.column]) : null, SEVERITY[m[p.severity]], m[p.message],
    m[p.code] ?? null]] : [];
});

// Slips put into a copy of the sample set (byte replacements by file), and
// every problem VS Code must take from the output, with the character that a
// column points at in the file opened as Windows-1250.
const CASES = [
  ['warnings at a column, a line and a file, with a note', {
    'skill.txt': ['"\xfcgyess\xe9g"\r\n', '"\xfcgyess\xe9g"\t\r\n'],
    'rnditem.txt': [/#1900\r\n[^#]*/, ''],
    'change.txt': [/$/, '1450 11 -1 2 again\r\n'],
  }, [
    ['Data/skill.txt', 39, 15, 'warning', 'a tab outside a name: fields are separated by blanks only, so it joins the text around it', 'tab', '\t'],
    ['Data/rnditem.txt', 1, null, 'warning', 'no entry gives random prefix 2, item numbers 1900 to 2349, so they have no description', 'prefix-slot-empty'],
    ['Data/change.txt', 78, null, 'warning', 'an earlier record has the same random prefix and kind, prefix 1 and kind 11, so this one never applies', 'change-hidden'],
    ['Data/change.txt', 40, null, 'info', 'the record that applies', null],
  ]],
  ['a failed load', { 'type.txt': ['-start-\r\n1\r\n1\r\n', '-start-\r\n1\r\n99\r\n'] }, [
    ['Data/type.txt', 44, null, 'error', "the type's line count is above 6", null],
  ]],
];

for (const [name, slips, expected] of CASES) {
  test(`problem matchers: ${name}`, () => {
    const dir = mkdtempSync(join(work, 'set-'));
    cpSync(join(ROOT, 'Data'), join(dir, 'Data'), { recursive: true });
    for (const [f, [from, to]] of Object.entries(slips))
      writeFileSync(join(dir, 'Data', f), readFileSync(join(dir, 'Data', f), 'latin1').replace(from, to), 'latin1');
    const run = spawnSync(CLI, ['--check', '--strict'], { cwd: dir, encoding: 'utf8' });
    const lines = (run.stdout + run.stderr).split('\n').filter(Boolean);
    // Each line is taken once, but for the summary or the dialog's error text.
    const taken = lines.map(problems);
    assert.deepEqual(taken.map((list) => list.length).sort(), [0, ...expected.map(() => 1)]);
    assert.deepEqual(taken.flat(), expected.map((row) => row.slice(0, 6)));
    for (const [f, line, column, , , , character] of expected.filter((row) => row[2])) {
      const text = cp1250.decode(readFileSync(join(dir, f))).split(/\r?\n/)[line - 1];
      assert.equal(text[column - 1], character, `${f}:${line}:${column}`);
    }
  });
}

test('extension.js starts the configured tamrix-cli --lsp for the five data files', async () => {
  const started = [];
  const settings = { 'tamrix.cliPath': '/opt/tamrix-cli' };
  const stubs = {
    vscode: { workspace: { getConfiguration: (s) => ({ get: (key) => settings[`${s}.${key}`] }) } },
    'vscode-languageclient/node': { LanguageClient: class {
      constructor(id, title, server, { documentSelector }) { this.started = [server, documentSelector]; }
      async start() { started.push(this.started); }
    } },
  };
  const load = Module._load;
  Module._load = (request, ...rest) => stubs[request] ?? load(request, ...rest);
  await createRequire(import.meta.url)(join(EXTENSION, 'extension.js')).activate({})
    .finally(() => { Module._load = load; });
  const [language] = contributes.languages;
  assert.deepEqual(started, [[{ command: '/opt/tamrix-cli', args: ['--lsp'] },
    [{ scheme: 'file', language: language.id }]]]);
  const taken = (f) => language.filenamePatterns.some((glob) => matchesGlob(`/home/a/Data/${f}`, glob));
  assert.deepEqual(['skill.txt', 'stditem.txt', 'type.txt', 'rnditem.txt', 'change.txt', 'specitem.txt',
    'notes.txt'].map(taken), [true, true, true, true, true, false, false]);
  const { tasks } = JSON.parse(readFileSync(join(EXTENSION, 'tasks.json'), 'utf8'));
  assert.deepEqual(tasks[0].problemMatcher, contributes.problemMatchers.map(({ name }) => `$${name}`));
});
