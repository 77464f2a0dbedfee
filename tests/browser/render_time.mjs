// node render_time.mjs PAGE.html [RUNS]: how long headless Chromium takes to
// open the page and build all of it (from the navigation until the script
// marks the body ready), RUNS times in fresh tabs of one browser, and how
// long sorting the players table and a search then take. Prints one line
// per run and the medians; fails if the page made a request or an error.
// For bench/run.sh; the machine's load moves these numbers.
import { launch, openPage } from './browser.mjs';

const [page, runsText = '5'] = process.argv.slice(2);
if (!page) {
  console.error('usage: node render_time.mjs PAGE.html [RUNS]');
  process.exit(2);
}
const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const chromium = await launch();
const loads = [];
const sorts = [];
const searches = [];
try {
  for (let run = 0; run < Number(runsText); run += 1) {
    const { tab, seen } = await openPage(chromium.browser, page);
    if (seen.requests.length > 0 || seen.errors.length > 0) {
      throw new Error(`requests: ${seen.requests.join(' ')}; errors: ${seen.errors.join(' ')}`);
    }
    const timing = await tab.evaluate(async () => {
      const time = async (action) => {
        const start = performance.now();
        action();
        await new Promise((resolve) => requestAnimationFrame(() => resolve()));
        return performance.now() - start;
      };
      const sort = await time(() => document.querySelector('#players-table thead th:nth-child(3)').click());
      const input = document.getElementById('player-search');
      const search = await time(() => { input.value = 'a'; input.dispatchEvent(new Event('input')); });
      return { sort, search, rows: document.querySelectorAll('#players-table tbody tr').length };
    });
    loads.push(seen.loadMs);
    sorts.push(timing.sort);
    searches.push(timing.search);
    console.log(`run ${run + 1}: open and build ${seen.loadMs} ms, sort players ${timing.sort.toFixed(0)} ms, ` +
      `search ${timing.search.toFixed(0)} ms, ${timing.rows} rows shown`);
    await tab.close();
  }
} finally {
  await chromium.close();
}
console.log(`median: open and build ${median(loads)} ms, sort players ${median(sorts).toFixed(0)} ms, ` +
  `search ${median(searches).toFixed(0)} ms`);
