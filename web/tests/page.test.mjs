// The page grades as vantrel-grade does: on drawn sets, the CSV it saves equals the
// native grader's in every column but the file's path, with the key loaded or typed, with
// one worker or two, and it asks for nothing beyond file:, blob: and data:.
//   VANTREL_WEB_PAGE=build-web/web/vantrel.html VANTREL_NATIVE_BUILD=build node --test web/tests/
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, test } from 'node:test';
import { EnterKey, GradeScans, IsLocalUrl, OpenPage, SavedFile } from './page_driver.mjs';

const kPage = process.env.VANTREL_WEB_PAGE;
const kNative = process.env.VANTREL_NATIVE_BUILD;
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
function DrawnSet(name, batchArgs) {
  const dir = join(kWork, name);
  Run(join(kNative, 'tools/sheet/vantrel-sheet'), ['batch', '--out', dir, ...batchArgs]);
  const scans = readdirSync(dir).filter((file) => /^img\d+\.jpg$/.test(file)).sort().map((file) => join(dir, file));
  const key = join(dir, 'key.txt');
  const csv = join(dir, 'native.csv');
  Run(join(kNative, 'tools/grade/vantrel-grade'), ['--key', key, '--csv', csv, ...scans], dir);
  return { scans, key, csv: readFileSync(csv, 'utf8') };
}

// The CSV's lines without their first field (the scan's path, which each grader gives as
// it was given).
function WithoutFile(csv) {
  return csv.split('\n').map((line) => line.replace(/^[^,]*,/, ''));
}

// The key file as a teacher would type it: its answers in a row, "-" for none.
function TypedKey(keyFile) {
  return readFileSync(keyFile, 'latin1').split(/\r\n|\r|\n/).slice(0, 100)
    .map((line) => (line[0] && line[0] !== ' ' && line[0] !== '0' ? line[0] : '-')).join('');
}

async function GradeInPage(set, { workers, typed, cancelAfter }) {
  const opened = await OpenPage(kPage, { workers });
  try {
    const keyState = await EnterKey(opened, typed ? { typed: TypedKey(set.key) } : { keyFile: set.key });
    assert.equal(keyState, 'ready');
    const ended = await GradeScans(opened, set.scans, { cancelAfter });
    const csv = (await SavedFile(opened, 'save-csv', 'vantrel.csv')).toString('utf8');
    return { ended, csv, requests: opened.requests, problems: opened.problems };
  } finally {
    await opened.close();
  }
}

const kSets = [
  { name: 'clean', batch: ['--count', '10', '--seed', '7', '--format', 'jpg'], workers: 2 },
  { name: 'stress', batch: ['--count', '10', '--seed', '11', '--preset', 'stress'], workers: 2 },
  { name: 'clean-typed', batch: ['--count', '4', '--seed', '3', '--format', 'jpg'], workers: 1, typed: true },
];

for (const { name, batch, workers, typed } of kSets) {
  test(`the page's CSV equals vantrel-grade's: ${name} set, ${workers} worker(s)`, async () => {
    const set = DrawnSet(name, batch);
    const graded = await GradeInPage(set, { workers, typed });
    assert.equal(graded.ended, 'finished');
    assert.deepEqual(graded.problems, []);
    assert.deepEqual(WithoutFile(graded.csv), WithoutFile(set.csv));
    // The page's own file was asked for, and nothing from anywhere else.
    assert.ok(graded.requests.some((url) => url.startsWith('file:')));
    assert.deepEqual(graded.requests.filter((url) => !IsLocalUrl(url)), []);
  });
}

test('a stopped grading keeps the scans graded before it, as vantrel-grade reads them', async () => {
  const set = DrawnSet('stopped', ['--count', '12', '--seed', '5', '--format', 'jpg']);
  const graded = await GradeInPage(set, { workers: 1, cancelAfter: 2 });
  assert.equal(graded.ended, 'cancelled');
  const lines = WithoutFile(graded.csv);
  const expected = WithoutFile(set.csv);
  // The header, at least the two scans graded, and fewer than all.
  assert.ok(lines.length >= 4 && lines.length < expected.length, `${lines.length} lines`);
  assert.deepEqual(lines.slice(0, -1), expected.slice(0, lines.length - 1));
});
