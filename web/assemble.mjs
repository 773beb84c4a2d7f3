// Puts the page together as one file: its style, its scripts, and the worker's source (the
// emscripten module with the wasm inside, then worker.js) as a string the page starts
// workers from through Blob URLs, since Chromium starts no worker from a file:// script.
//   node assemble.mjs MODULE.js PAGE_FOLDER OUT.html
import { readFileSync, renameSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [moduleFile, pageFolder, outFile] = process.argv.slice(2);
if (!outFile) {
  console.error('usage: node assemble.mjs MODULE.js PAGE_FOLDER OUT.html');
  process.exit(2);
}
const read = (name) => readFileSync(join(pageFolder, name), 'utf8');
// In a script element only "</script" ends it; as JSON with "<" escaped, no text can.
const asScriptString = (text) => JSON.stringify(text).replace(/</g, '\\u003c');

const workerSource = readFileSync(moduleFile, 'utf8') + '\n' + read('worker.js');
const scripts = ['texts.js', 'csv.js', 'key_entry.js', 'grading_pool.js', 'class_table.js', 'app.js'];
const script = `const kWorkerSource = ${asScriptString(workerSource)};\n` + scripts.map(read).join('\n');
for (const name of scripts)
  if (read(name).includes('</script'))
    throw new Error(`${name} holds "</script", which would end the page's script`);

const html = read('index.html')
  .replace('<!-- STYLE -->', () => `<style>\n${read('style.css')}</style>`)
  .replace('<!-- SCRIPTS -->', () => `<script>\n${script}</script>`);
// Written beside and renamed, so that a failed build leaves the last page whole.
writeFileSync(outFile + '.part', html);
renameSync(outFile + '.part', outFile);
