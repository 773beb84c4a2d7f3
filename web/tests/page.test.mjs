// The page grades as vantrel-grade does: on drawn sets, the CSV it saves equals the
// native grader's in every column but the file's path, with the key loaded or typed, with
// one worker or two, picked or dropped, and it asks for nothing beyond file:, blob: and data:.
//   VANTREL_WEB_PAGE=build-web/web/vantrel.html VANTREL_NATIVE_BUILD=build node --test web/tests/
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, test } from 'node:test';
import { EnterKey, GradeScans, IsLocalUrl, OpenPage, SavedFile } from './page_driver.mjs';

const kPage = process.env.VANTREL_WEB_PAGE;
const kNative = process.env.VANTREL_NATIVE_BUILD && resolve(process.env.VANTREL_NATIVE_BUILD);
assert.ok(kPage && kNative, 'set VANTREL_WEB_PAGE and VANTREL_NATIVE_BUILD');
const kWork = mkdtempSync(join(tmpdir(), 'vantrel-web-test-'));
after(() => rmSync(kWork, { recursive: true, force: true }));

function Run(program, args, cwd) {
  const run = spawnSync(program, args, { cwd, encoding: 'utf8' });
  // vantrel-grade exits 1 when some sheet was not graded; its CSV still says which.
  assert.ok(run.status === 0 || run.status === 1, `${program} ${args.join(' ')}: ${run.stderr}`);
  return run;
}

// Draws a set with vantrel-sheet and grades it with vantrel-grade.
function DrawnSet(name, batchArgs, gradeArgs = []) {
  const dir = join(kWork, name);
  Run(join(kNative, 'tools/sheet/vantrel-sheet'), ['batch', '--out', dir, ...batchArgs]);
  const scans = readdirSync(dir).filter((file) => /^img\d+\.jpg$/.test(file)).sort().map((file) => join(dir, file));
  const key = join(dir, 'key.txt');
  const csv = join(dir, 'native.csv');
  Run(join(kNative, 'tools/grade/vantrel-grade'), ['--key', key, '--csv', csv, ...gradeArgs, ...scans], dir);
  return { scans, key, csv: readFileSync(csv, 'utf8') };
}

// Files that are no sheet as they come, beside a sheet and its grey copy: each refused, or
// read turned, as vantrel-grade does.
function OddSet() {
  const dir = join(kWork, 'odd');
  mkdirSync(dir);
  const sheetTool = join(kNative, 'tools/sheet/vantrel-sheet');
  Run(sheetTool, ['fill', '-o', join(dir, 'sheet.jpg'), '--id', '01234567', '--answers', 'a,b,c,,e']);
  Run(sheetTool, ['fill', '-o', join(dir, 'upside.jpg'), '--id', '76543210', '--answers', 'b,,d', '--upside-down']);
  const sheet = readFileSync(join(dir, 'sheet.jpg'));
  writeFileSync(join(dir, 'truncated.jpg'), sheet.subarray(0, sheet.length / 3));
  writeFileSync(join(dir, 'empty.jpg'), '');
  writeFileSync(join(dir, 'text.jpg'), 'no scan\n');
  writeFileSync(join(dir, 'key.txt'), 'a  \r\nb  \r\nc  \r\nd  \r\ne  \r\n');
  Run('convert', [join(dir, 'sheet.jpg'), '-colorspace', 'Gray', join(dir, 'grey.jpg')]);
  const scans = ['sheet.jpg', 'truncated.jpg', 'empty.jpg', 'text.jpg', 'upside.jpg', 'grey.jpg'].map((file) => join(dir, file));
  const key = join(dir, 'key.txt');
  Run(join(kNative, 'tools/grade/vantrel-grade'), ['--key', key, '--csv', join(dir, 'native.csv'), ...scans], dir);
  return { scans, key, csv: readFileSync(join(dir, 'native.csv'), 'utf8') };
}

// The CSV's lines, the rows without their first field (the scan's path, which each grader
// gives as it was given).
function WithoutFile(csv) {
  return csv.split('\n').map((line, i) => (i === 0 ? line : line.replace(/^[^,]*,/, '')));
}

// The key file as a teacher would type it: its answers in a row, "-" for none.
function TypedKey(keyFile) {
  return readFileSync(keyFile, 'latin1').split(/\r\n|\r|\n/).slice(0, 100)
    .map((line) => (line[0] && line[0] !== ' ' && line[0] !== '0' ? line[0] : '-')).join('');
}

async function GradeInPage(set, { workers, typed, dropped, cancelAfter, excel }) {
  const opened = await OpenPage(kPage, { workers });
  try {
    const keyState = await EnterKey(opened, typed ? { typed: TypedKey(set.key) } : { keyFile: set.key });
    assert.equal(keyState, 'ready');
    const ended = await GradeScans(opened, set.scans, { cancelAfter, dropped });
    const saved = excel ? SavedFile(opened, 'save-csv-excel', 'vantrel-excel.csv') : SavedFile(opened, 'save-csv', 'vantrel.csv');
    const csv = (await saved).toString('utf8');
    return { ended, csv, requests: opened.requests, problems: opened.problems };
  } finally {
    await opened.close();
  }
}

const kSets = [
  { name: 'clean', draw: () => DrawnSet('clean', ['--count', '10', '--seed', '7', '--format', 'jpg']), workers: 2 },
  { name: 'stress', draw: () => DrawnSet('stress', ['--count', '10', '--seed', '11', '--preset', 'stress']), workers: 2 },
  { name: 'typed key, dropped scans, CSV for Excel',
    draw: () => DrawnSet('typed', ['--count', '4', '--seed', '3', '--format', 'jpg'], ['--csv-excel']), workers: 1,
    typed: true, dropped: true, excel: true },
  { name: 'odd files', draw: OddSet, workers: 2 },
];

for (const { name, draw, workers, typed, dropped, excel } of kSets) {
  test(`the page's CSV equals vantrel-grade's: ${name}, ${workers} worker(s)`, async () => {
    const set = draw();
    const graded = await GradeInPage(set, { workers, typed, dropped, excel });
    assert.equal(graded.ended, 'finished');
    assert.deepEqual(graded.problems, []);
    assert.deepEqual(WithoutFile(graded.csv), WithoutFile(set.csv));
    // The page's own file was asked for, and nothing from anywhere else.
    assert.ok(graded.requests.some((url) => url.startsWith('file:')));
    assert.deepEqual(graded.requests.filter((url) => !IsLocalUrl(url)), []);
  });
}

test('a stopped grading keeps the scans graded before it, as vantrel-grade reads them', async () => {
  const set = DrawnSet('stopped', ['--count', '6', '--seed', '5', '--format', 'jpg']);
  const graded = await GradeInPage(set, { workers: 1, cancelAfter: 2 });
  assert.equal(graded.ended, 'cancelled');
  // The header and the first two scans' rows.
  assert.deepEqual(WithoutFile(graded.csv), [...WithoutFile(set.csv).slice(0, 3), '']);
});
