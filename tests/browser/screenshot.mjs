// node screenshot.mjs PAGE.html OUT.png [WIDTH]: a full-page screenshot of
// the HTML page in headless Chromium, offline (browser.mjs). Fails if the
// page made a request or logged an error.
import { launch, openPage } from './browser.mjs';

const [page, out, width = '1280'] = process.argv.slice(2);
if (!page || !out) {
  console.error('usage: node screenshot.mjs PAGE.html OUT.png [WIDTH]');
  process.exit(2);
}
const chromium = await launch();
try {
  const { tab, seen } = await openPage(chromium.browser, page, Number(width), 900);
  if (seen.requests.length > 0 || seen.errors.length > 0) {
    throw new Error(`requests: ${seen.requests.join(' ')}; errors: ${seen.errors.join(' ')}`);
  }
  // Show one player's details, as a reader would after a click.
  await tab.click('#players-table tbody tr:nth-child(1)');
  await tab.screenshot({ path: out, fullPage: true });
} finally {
  await chromium.close();
}
