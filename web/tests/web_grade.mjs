// vantrel-grade's CSV, made by the page: grades the scans through the page's own inputs in
// headless chromium and writes the CSV the page saves.
//   node web_grade.mjs --key KEY --csv OUT [--page vantrel.html] [--workers N] SCAN...
import { realpathSync, renameSync, writeFileSync, existsSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { EnterKey, GradeScans, OpenPage, SavedFile } from './page_driver.mjs';

const usage = 'usage: web-grade.sh --key KEY --csv OUT [--page vantrel.html] [--workers N] SCAN...';
const options = { page: join(dirname(fileURLToPath(import.meta.url)), '../../build-web/web/vantrel.html') };
const scans = [];
const args = process.argv.slice(2);
for (let i = 0; i < args.length; ++i) {
  const name = args[i].replace(/^--/, '');
  if (['key', 'csv', 'page', 'workers'].includes(name) && args[i].startsWith('--') && i + 1 < args.length)
    options[name] = args[++i];
  else if (args[i].startsWith('--'))
    Fail(`unknown option ${args[i]}\n${usage}`, 2);
  else
    scans.push(args[i]);
}
if (!options.key || !options.csv || scans.length === 0)
  Fail(usage, 2);
if (!existsSync(options.page))
  Fail(`no page at ${options.page}: build it first (scripts/demo.sh or scripts/web-test.sh)`, 2);
const real = (path) => existsSync(path) ? realpathSync(path) : resolve(path);
if ([options.key, ...scans].some((input) => real(input) === real(options.csv)))
  Fail(`the CSV ${options.csv} would replace an input`, 2);

function Fail(text, status) {
  console.error(`web-grade: ${text}`);
  process.exit(status);
}

const opened = await OpenPage(options.page, { workers: options.workers });
let failure = '';
try {
  if (await EnterKey(opened, { keyFile: options.key }) !== 'ready') {
    failure = `the page refused the key ${options.key}: ${await opened.page.$eval('#key-status', (e) => e.textContent)}`;
  } else {
    await GradeScans(opened, scans);
    const csv = await SavedFile(opened, 'save-csv', 'vantrel.csv');
    const outside = opened.requests.filter((url) => !/^(file|blob|data):/.test(url));
    if (outside.length > 0)
      failure = `the page asked for ${outside.join(', ')}`;
    else if (opened.problems.length > 0)
      failure = `the page failed: ${opened.problems.join('; ')}`;
    else {
      const partial = options.csv + '.part';
      writeFileSync(partial, csv);
      renameSync(partial, options.csv);
    }
  }
} finally {
  await opened.close();
}
if (failure)
  Fail(failure, 1);
