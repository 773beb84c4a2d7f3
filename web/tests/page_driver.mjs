// Drives the built page in Debian's headless chromium through its own inputs: the key file
// or typed key, the scan picker, the grade button and the CSV button. Every request the
// page makes is counted; none may go beyond file:, blob: and data:.
import { mkdtempSync, readFileSync, rmSync, existsSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const kChromium = process.env.VANTREL_CHROMIUM || '/usr/bin/chromium';
const kLocalSchemes = ['file:', 'blob:', 'data:'];

export function IsLocalUrl(url) {
  return kLocalSchemes.some((scheme) => url.startsWith(scheme));
}

// Opens the page in a fresh headless browser; the closed network is never asked for
// anything (no updates, no sync, no component downloads).
export async function OpenPage(htmlPath, { workers } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'vantrel-chromium-'));
  const downloads = mkdtempSync(join(tmpdir(), 'vantrel-downloads-'));
  const browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-default-apps', '--disable-dev-shm-usage'],
  });
  const page = await browser.newPage();
  const requests = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    requests.push(request.url());
    if (IsLocalUrl(request.url()))
      request.continue();
    else
      request.abort();
  });
  const problems = [];
  page.on('pageerror', (error) => problems.push(String(error)));
  const session = await browser.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, eventsEnabled: true });
  const url = pathToFileURL(resolve(htmlPath)).href + (workers ? `?workers=${workers}` : '');
  await page.goto(url, { waitUntil: 'load' });
  const close = async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
    rmSync(downloads, { recursive: true, force: true });
  };
  return { browser, page, session, downloads, requests, problems, close };
}

// Gives the key as a file, or typed when `typed` is its text; waits for the core's verdict.
export async function EnterKey(opened, { keyFile, typed }) {
  const { page } = opened;
  if (typed !== undefined) {
    await page.$eval('#key-text', (area, text) => {
      area.value = text;
      area.dispatchEvent(new Event('input'));
    }, typed);
  } else {
    await (await page.$('#key-file')).uploadFile(resolve(keyFile));
  }
  await page.waitForFunction(() => ['ready', 'refused'].includes(document.body.dataset.key), { timeout: 60000 });
  return page.$eval('body', (body) => body.dataset.key);
}

// Picks the scans, presses the grade button and waits until grading ends (or, with
// `cancelAfter`, presses stop as soon as that many scans are graded). Returns how it ended.
export async function GradeScans(opened, scans, { cancelAfter, dropped, timeout = 600000 } = {}) {
  const { page } = opened;
  if (dropped)
    await DropScans(page, scans);
  else
    await (await page.$('#scan-files')).uploadFile(...scans.map((scan) => resolve(scan)));
  if (cancelAfter !== undefined) {
    // Pressed in the page as the count is shown, before another scan can come back.
    await page.evaluate((count) => {
      const progress = document.getElementById('progress');
      new MutationObserver((records, observer) => {
        if (Number(progress.value) >= count) {
          observer.disconnect();
          document.getElementById('cancel').click();
        }
      }).observe(progress, { attributes: true });
    }, cancelAfter);
  }
  await page.click('#grade');
  await page.waitForFunction(() => ['finished', 'cancelled'].includes(document.body.dataset.grading),
    { timeout, polling: 100 });
  return page.$eval('body', (body) => body.dataset.grading);
}

// Drops the scans on the drop zone as a file manager would.
async function DropScans(page, scans) {
  const files = scans.map((scan) => ({ name: basename(scan), base64: readFileSync(scan).toString('base64') }));
  await page.$eval('#drop-zone', (zone, files) => {
    const transfer = new DataTransfer();
    for (const { name, base64 } of files)
      transfer.items.add(new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name));
    zone.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, files);
}

// Presses a save button and returns the bytes of the file the browser saved.
export async function SavedFile(opened, buttonId, fileName) {
  const { page, session, downloads } = opened;
  const done = new Promise((resolveDone, reject) => {
    session.on('Browser.downloadProgress', (event) => {
      if (event.state === 'completed')
        resolveDone();
      else if (event.state === 'canceled')
        reject(new Error(`the browser did not save ${fileName}`));
    });
  });
  await page.click(`#${buttonId}`);
  await done;
  const path = join(downloads, fileName);
  if (!existsSync(path))
    throw new Error(`the browser saved no ${path}`);
  const bytes = readFileSync(path);
  rmSync(path);
  return bytes;
}
