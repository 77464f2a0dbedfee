// The HTML page in a real browser: Debian's Chromium opens the page of the
// golden corpus plus a file of hostile names, offline, and the test checks
// that nothing is requested and nothing fails, that every chart is drawn,
// that the tables and charts hold the report's numbers for the same files,
// that sorting, searching and the weapon selector work, and that names made
// of markup and script show as text and run nothing.
//
// Environment: WUS_BUILD (default build/test), CHROMIUM (default
// /usr/bin/chromium). Run with `node --test page.test.mjs`.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launch, openPage } from './browser.mjs';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const build = resolve(root, process.env.WUS_BUILD || 'build/test');
const inputWriter = join(build, 'tests/browser/wus_browser_inputs');
const wusreport = join(build, 'wusreport');

// The input files, in the order given on the command line: the golden
// corpus (one of its files is no WUS file) and the hostile names.
const FILES = ['(Alpha)_(Bravo)_1.wus', 'not_a_match.wus', '(Charlie)_(Delta)_2.wus',
  '(Zulu)_(Hostile)_9.wus'];
const HOSTILE_PLAYER = '<img src=x onerror=alert(1)>';
const HOSTILE_WEAPON = '</script><script>alert(3)</script>';
const HOSTILE_BONE = '<b onmouseover=alert(4)>x</b>';

// Runs the programs on FILES in `dir`; returns the paths of the report and
// of the page. The one place that says how the page is made.
function writeReportAndPage(dir) {
  execFileSync(wusreport, ['--html', ...FILES], { cwd: dir, stdio: 'ignore' });
  const report = readdirSync(dir).find((name) => name.endsWith('.txt'));
  const page = report.replace(/\.txt$/, '.html');
  return { report: join(dir, report), page: join(dir, page) };
}

// The report's sections as arrays of rows of cells (the trailing empty cell
// of a line dropped), keyed by the title's text.
function parseReport(path) {
  // The browser's windows-1251 maps the unassigned 0x98 to U+0098; the page
  // shows it as U+FFFD.
  const text = new TextDecoder('windows-1251').decode(readFileSync(path)).replace(/\u0098/g, '\ufffd');
  const sections = {};
  let current = null;
  for (const line of text.split('\n')) {
    const title = line.match(/^-{13} \t?(.*?)\t? ?-{13}$/) || line.match(/^-{13} (.*\))-{13}$/);
    if (title) {
      current = sections[title[1].trim()] = [];
    } else if (current && line !== '') {
      const cells = line.split('\t');
      if (cells[cells.length - 1] === '') cells.pop();
      current.push(cells);
    }
  }
  return sections;
}

// A table with a player heading: {players, rows: [{label, total, cells}]}.
function playerTable(section) {
  const [heading, ...rows] = section;
  return {
    players: heading.slice(2),
    rows: rows.map(([label, total, ...cells]) => ({ label, total, cells })),
  };
}

// The page writes numbers with grouped thousands; the report does not.
function plain(text) { return text.replace(/[\u00a0\u202f ]/g, ''); }

let work;
let chromium;
let report;
let tab;
let seen;

before(async () => {
  work = mkdtempSync(join(tmpdir(), 'wus-browser-'));
  execFileSync(inputWriter, [work]);
  const written = writeReportAndPage(work);
  report = parseReport(written.report);
  chromium = await launch();
  ({ tab, seen } = await openPage(chromium.browser, written.page));
});

after(async () => {
  if (chromium) await chromium.close();
  if (work) rmSync(work, { recursive: true, force: true });
});

// The cells of the table inside `selector`, as text, row by row.
async function tableCells(selector) {
  return tab.$$eval(`${selector} tbody tr`, (rows) => rows.map(
    (row) => Array.from(row.cells, (cell) => cell.textContent)));
}
async function tableHeadings(selector) {
  return tab.$$eval(`${selector} thead th`, (cells) => cells.map((cell) => cell.textContent));
}

test('the page loads offline without a request, an error or a dialog', async () => {
  assert.deepEqual(seen.requests, []);
  assert.deepEqual(seen.errors, []);
  assert.deepEqual(seen.dialogs, []);
  const csp = await tab.$eval('meta[http-equiv="Content-Security-Policy"]', (m) => m.content);
  assert.match(csp, /^default-src 'none'; script-src 'sha256-/);
});

test('every chart is drawn', async () => {
  const canvases = await tab.$$eval('canvas', (list) => list.map((canvas) => {
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let painted = 0;
    for (let i = 3; i < pixels.length; i += 4) if (pixels[i] !== 0) painted += 1;
    return { id: canvas.id, width: canvas.width, height: canvas.height, painted };
  }));
  const ids = canvases.map((c) => c.id);
  for (const id of ['kills-chart', 'range-chart', 'bone-chart', 'money-chart', 'lifetime-chart',
    'items-chart-0', 'items-chart-1', 'items-chart-2']) {
    assert.ok(ids.includes(id), `${id} is missing`);
  }
  for (const canvas of canvases) {
    assert.ok(canvas.width > 0 && canvas.height > 0 && canvas.painted > 100, `${canvas.id} is empty`);
  }
  const shaded = await tab.$$eval('#body-figure [data-bones]',
    (parts) => parts.filter((part) => Number(getComputedStyle(part).fillOpacity) > 0).length);
  assert.ok(shaded > 0, 'the body figure shades no part');
});

test('the weapons table holds the report numbers', async () => {
  const purchases = playerTable(report['Частота покупки оружия']);
  const kills = playerTable(report['Количество убийств из оружия']);
  const efficiency = playerTable(report['Эффективность оружия, %  ( Убийства/Попадания )']);
  const accuracy = playerTable(report['Точность оружия, % ( Попадания/Выстрелы )']);
  assert.deepEqual(await tableHeadings('#weapons-table'),
    ['Оружие', 'Покупки', 'Убийства', 'Выстрелы', 'Попадания', 'Эффективность', 'Точность']);
  const rows = await tableCells('#weapons-table');
  assert.deepEqual(rows.map((r) => [r[0], plain(r[1])]),
    purchases.rows.map((r) => [r.label, r.total]));
  const weaponRows = rows.filter((r) => r[2] !== '–');
  assert.deepEqual(weaponRows.map((r) => [r[0], plain(r[2]), plain(r[5]), plain(r[6])]),
    kills.rows.map((r, i) => [r.label, r.total, efficiency.rows[i].total, accuracy.rows[i].total]));
  assert.ok(weaponRows.some((r) => r[0] === HOSTILE_WEAPON));
});

test('the players table and each player\'s details hold the report numbers', async () => {
  const purchases = playerTable(report['Частота покупки оружия']);
  const kills = playerTable(report['Количество убийств из оружия']);
  const efficiency = playerTable(report['Эффективность оружия, %  ( Убийства/Попадания )']);
  const accuracy = playerTable(report['Точность оружия, % ( Попадания/Выстрелы )']);
  const money = playerTable(report['Среднее количество заработанных денег, (Заработанные деньги/кол-во респавнов)']);
  const lifetime = playerTable(report['Среднее время жизни игрока, сек.']);
  const rows = await tableCells('#players-table');
  assert.deepEqual(rows.map((r) => r[0]), kills.players);
  for (const [p, name] of kills.players.entries()) {
    // Kills: the sum of the player's column of the kill table.
    const total = kills.rows.reduce((sum, row) => sum + Number(row.cells[p]), 0);
    assert.equal(plain(rows[p][2]), String(total), `kills of ${name}`);

    await tab.click(`#players-table tbody tr:nth-child(${p + 1})`);
    assert.equal(await tab.$eval('#player-name', (e) => e.textContent), name);
    const teams = await tableCells('#player-teams');
    for (let t = 0; t < 3; t += 1) {
      assert.equal(plain(teams[t][4]), money.rows[t].cells[p], `money of ${name}, team ${t}`);
      assert.equal(plain(teams[t][5]), lifetime.rows[t].cells[p], `lifetime of ${name}, team ${t}`);
    }
    for (const [label, bought, kill, , , eff, acc] of await tableCells('#player-weapons')) {
      const all = purchases.rows.find((r) => r.label === label);
      assert.equal(plain(bought), all.cells[p], `${label} bought by ${name}`);
      const k = kills.rows.findIndex((r) => r.label === label);
      if (k < 0) continue;
      assert.equal(plain(kill), kills.rows[k].cells[p], `${label} kills of ${name}`);
      assert.equal(plain(eff), efficiency.rows[k].cells[p], `${label} efficiency of ${name}`);
      assert.equal(plain(acc), accuracy.rows[k].cells[p], `${label} accuracy of ${name}`);
    }
  }
});

test('the team averages hold the report numbers', async () => {
  const money = playerTable(report['Среднее количество заработанных денег, (Заработанные деньги/кол-во респавнов)']);
  const lifetime = playerTable(report['Среднее время жизни игрока, сек.']);
  const rows = await tableCells('#teams-table');
  assert.deepEqual(rows.map((r) => [r[0], plain(r[2]), plain(r[3])]),
    money.rows.map((r, t) => [r.label, r.total, lifetime.rows[t].total]));
});

test('sorting orders the rows by the clicked column', async () => {
  const heading = '#weapons-table thead th:nth-child(3)';
  await tab.click(heading);
  const down = (await tableCells('#weapons-table')).map((r) => r[2]).filter((v) => v !== '–').map(Number);
  assert.deepEqual(down, [...down].sort((a, b) => b - a));
  await tab.click(heading);
  const up = (await tableCells('#weapons-table')).map((r) => r[2]).filter((v) => v !== '–').map(Number);
  assert.deepEqual(up, [...up].sort((a, b) => a - b));
  assert.notDeepEqual(up, down);

  await tab.click('#players-table thead th:nth-child(1)');
  const names = (await tableCells('#players-table')).map((r) => r[0]);
  assert.deepEqual(names, [...names].sort((a, b) => a.localeCompare(b, 'ru')));
});

test('searching filters the players', async () => {
  await tab.type('#player-search', 'ann');
  assert.deepEqual((await tableCells('#players-table')).map((r) => r[0]), ['Ann.X']);
  await tab.$eval('#player-search', (input) => { input.value = ''; input.dispatchEvent(new Event('input')); });
});

test('the weapon selector shows each weapon\'s range and bones as in the report', async () => {
  const range = report['Эффективность по дальности'];
  const [boneHeading, ...boneRows] = report['Попадания по костям'];
  const [, ...lethalRows] = report['Смертельные попадания по костям'];
  const bones = boneHeading.slice(2);
  const options = await tab.$$eval('#weapon-select option', (list) => list.map((o) => [o.value, o.textContent]));
  assert.deepEqual(options.map((o) => o[1]), range.map((r) => r[0]));
  for (const [i, [value, label]] of options.entries()) {
    await tab.select('#weapon-select', value);
    const shown = await tab.evaluate(() => {
      const chart = (id) => Chart.getChart(document.getElementById(id)).data;
      const bone = chart('bone-chart');
      return { range: chart('range-chart').datasets[0].data, labels: bone.labels,
        hits: bone.datasets[0].data, lethal: bone.datasets[1].data };
    });
    assert.deepEqual(shown.range.map(String), range[i].slice(1), `range of ${label}`);
    const expected = bones.map((name, b) => [name, boneRows[i][b + 2], lethalRows[i][b + 2]])
      .filter(([, hits, lethal]) => hits !== '0' || lethal !== '0');
    assert.deepEqual(shown.labels.map((name, b) => [name, String(shown.hits[b]), String(shown.lethal[b])]),
      expected, `bones of ${label}`);
  }
  const hostile = options.find((o) => o[1] === HOSTILE_WEAPON);
  await tab.select('#weapon-select', hostile[0]);
  const others = await tab.$eval('#other-bones', (e) => e.textContent);
  assert.ok(others.includes(HOSTILE_BONE), others);
});

test('hostile names show as text and run nothing', async () => {
  const cells = (await tableCells('#players-table')).map((r) => r[0]);
  assert.ok(cells.includes(HOSTILE_PLAYER));
  assert.ok(cells.includes('Иван \ufffd & "quotes" вЂЁ'), 'cp1251 with 0x98 decoded');
  const found = await tab.evaluate(() => ({
    images: document.querySelectorAll('img').length,
    bold: document.querySelectorAll('main b').length,
    scripts: document.scripts.length,
  }));
  assert.deepEqual(found, { images: 0, bold: 0, scripts: 3 });
  assert.deepEqual(seen.dialogs, []);
  assert.deepEqual(seen.errors, []);
});
