// Debian's Chromium, headless and offline, for the browser test, the
// screenshot and the render benchmark. The browser gets a new empty
// profile, no network (a proxy that refuses every connection), and the
// page's every request is recorded and refused but for the page itself.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

// Starts the browser; close it with close().
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), 'wus-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: profile,
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--proxy-server=http://127.0.0.1:9', '--proxy-bypass-list=<-loopback>',
      '--font-render-hinting=none',
    ],
  });
  return {
    browser,
    async close() {
      await browser.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens the page file `path` in a new tab of `browser` at the given size
// and waits until its script has built everything. Returns the tab and what
// happened while loading and afterwards: requests (every URL asked for but
// the page's own), errors (console errors, uncaught exceptions) and dialogs.
export async function openPage(browser, path, width = 1280, height = 900) {
  const tab = await browser.newPage();
  await tab.setViewport({ width, height });
  const url = pathToFileURL(path).href;
  const seen = { requests: [], errors: [], dialogs: [] };
  await tab.setRequestInterception(true);
  tab.on('request', (request) => {
    if (request.url() === url) {
      request.continue();
    } else {
      seen.requests.push(request.url());
      request.abort();
    }
  });
  tab.on('console', (message) => {
    if (message.type() === 'error') seen.errors.push(`console: ${message.text()}`);
  });
  tab.on('pageerror', (error) => seen.errors.push(`page: ${error.message}`));
  tab.on('dialog', (dialog) => {
    seen.dialogs.push(dialog.message());
    dialog.dismiss();
  });
  const started = Date.now();
  await tab.goto(url, { waitUntil: 'load' });
  await tab.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  seen.loadMs = Date.now() - started;
  return { tab, seen };
}
