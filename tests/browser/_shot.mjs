import { launch, openPage } from './browser.mjs';
const [page, out, selector] = process.argv.slice(2);
const c = await launch();
const { tab } = await openPage(c.browser, page);
const e = await tab.$(selector);
await e.screenshot({ path: out });
await c.close();
