// Starts tamrix-cli --lsp for the data files of a Data folder. The files are
// matched by the language that package.json contributes, and VS Code opens
// them as Windows-1250 by that language's default encoding.
'use strict';
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');
const { contributes } = require('./package.json');

const language = contributes.languages[0].id;
let client;

async function activate() {
  const command = vscode.workspace.getConfiguration('tamrix').get('cliPath', 'tamrix-cli');
  client = new LanguageClient(
    'tamrix',
    'Tamrix data files',
    { command, args: ['--lsp'] },
    { documentSelector: [{ scheme: 'file', language }] },
  );
  await client.start();
}

function deactivate() {
  return client?.stop();
}

module.exports = { activate, deactivate };
