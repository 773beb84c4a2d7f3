// The page's speed against vantrel-grade --jobs 1 on the same drawn sheets: sheets a second
// of one worker and of one worker per core, each as a ratio to the native grader measured in
// the same run (target: at least 0.4 a worker). Timed in the page from the grade button to
// the last sheet, so the browser's start is not counted.
//   node bench/web_speed.mjs BUILD WEB_BUILD [COUNT]
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { availableParallelism, tmpdir } from 'node:os';
import { join } from 'node:path';
import { EnterKey, OpenPage } from '../web/tests/page_driver.mjs';

const [build, webBuild, countText = '200'] = process.argv.slice(2);
if (!webBuild) {
  console.error('usage: node bench/web_speed.mjs BUILD WEB_BUILD [COUNT]');
  process.exit(2);
}
const dir = mkdtempSync(join(tmpdir(), 'vantrel-web-speed-'));
try {
  spawnSync(join(build, 'tools/sheet/vantrel-sheet'),
    ['batch', '--count', countText, '--seed', '9', '--preset', 'stress', '--out', dir], { stdio: 'ignore' });
  const scans = readdirSync(dir).filter((file) => file.endsWith('.jpg')).sort().map((file) => join(dir, file));
  const key = join(dir, 'key.txt');

  const started = process.hrtime.bigint();
  spawnSync(join(build, 'tools/grade/vantrel-grade'),
    ['--quiet', '--jobs', '1', '--key', key, '--csv', join(dir, 'native.csv'), ...scans], { stdio: 'ignore' });
  const native = scans.length / (Number(process.hrtime.bigint() - started) / 1e9);
  console.log(`vantrel-grade --jobs 1: ${native.toFixed(1)} sheets/s (${scans.length} stress sheets)`);

  for (const workers of [...new Set([1, availableParallelism()])]) {
    const opened = await OpenPage(join(webBuild, 'web/vantrel.html'), { workers });
    try {
      await EnterKey(opened, { keyFile: key });
      await (await opened.page.$('#scan-files')).uploadFile(...scans);
      const seconds = await opened.page.evaluate(async () => {
        const start = performance.now();
        document.getElementById('grade').click();
        while (document.body.dataset.grading !== 'finished')
          await new Promise((resolve) => setTimeout(resolve, 20));
        return (performance.now() - start) / 1000;
      });
      const rate = scans.length / seconds;
      console.log(`page, ${workers} worker(s): ${rate.toFixed(1)} sheets/s = ${(rate / native).toFixed(2)} x native, `
        + `${(rate / native / workers).toFixed(2)} a worker`);
    } finally {
      await opened.close();
    }
  }
} finally {
  rmSync(dir, { recursive: true, force: true });
}
