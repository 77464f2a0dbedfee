// The page's script: builds every table and chart from the data element.
// Every text from the data reaches the page through textContent or a
// canvas, never as markup. Numbers are shown as the report shows them (a
// counter as a signed 32-bit value, a ratio with two decimals rounded like
// printf's "%.2f"), written the Russian way: a decimal comma and thousands
// grouped with no-break spaces.
'use strict';
(function () {
  const data = JSON.parse(document.getElementById('page-data').textContent);
  const weapons = data.weapons;
  const players = data.players;
  const TEAMS = ['DM Team', 'Green Team', 'Blue Team'];
  // Milliseconds to seconds as the report does it: 0.001 in single precision.
  const SECONDS_PER_MS = Math.fround(0.001);
  const COLORS = ['#b3261e', '#2f6db5', '#3a8f4b', '#c9851a', '#7048a8', '#1f8e8e', '#a8487a',
    '#6b7a1f', '#4a5568', '#d0603a', '#3c4fa0', '#8a6d3b'];

  // ---- numbers ----

  function groupDigits(text) {
    const negative = text.startsWith('-');
    let digits = negative ? text.slice(1) : text;
    let out = '';
    while (digits.length > 3) {
      out = '\u00a0' + digits.slice(-3) + out;
      digits = digits.slice(0, -3);
    }
    return (negative ? '-' : '') + digits + out;
  }
  // A 32-bit counter as "%d" shows it.
  function signed(u) { return u | 0; }
  function formatInt(value) { return groupDigits(String(value)); }
  // `x` with two decimals as printf's "%.2f" writes it. toFixed agrees except
  // on exact ties, which for a double are the odd multiples of 1/8: printf
  // rounds those to even, toFixed away from zero.
  function fixed2(x) {
    if (!Number.isFinite(x)) return Number.isNaN(x) ? 'nan' : (x > 0 ? 'inf' : '-inf');
    const eighths = x * 8;
    if (Number.isInteger(eighths) && eighths % 2 !== 0 && Math.abs(x) < 1e15) {
      let cents = Math.floor(Math.abs(x) * 100);
      if (cents % 2 !== 0) cents += 1;
      const whole = Math.floor(cents / 100);
      const frac = String(cents % 100).padStart(2, '0');
      return (x < 0 ? '-' : '') + whole + '.' + frac;
    }
    return x.toFixed(2);
  }
  function formatFixed(x) {
    const [whole, frac] = fixed2(x).split('.');
    return frac === undefined ? whole : groupDigits(whole) + ',' + frac;
  }
  function ratio(numerator, denominator) { return denominator === 0 ? 0 : numerator / denominator; }
  function averageSeconds(ms, respawns) { return ratio(ms, respawns) * SECONDS_PER_MS; }

  // ---- elements ----

  function el(tag, className, text) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  // A table with sortable columns. columns: [{title, num, value(row), text(row)}];
  // `text` defaults to the value. options: {pageSize, pager, onClick, filter}.
  function SortableTable(container, columns, rows, options) {
    options = options || {};
    let order = rows.map((_, i) => i);
    let shown = order;
    let sortColumn = -1;
    let descending = false;
    let page = 0;
    let selected = -1;
    const table = el('table');
    const head = el('thead');
    const headRow = el('tr');
    const body = el('tbody');
    columns.forEach((column, c) => {
      const th = el('th', 'sortable' + (column.num ? ' num' : ''), column.title);
      th.dataset.column = String(c);
      th.addEventListener('click', () => sortBy(c));
      headRow.appendChild(th);
    });
    head.appendChild(headRow);
    table.append(head, body);
    container.replaceChildren(table);

    function cellText(column, row) {
      return column.text ? column.text(row) : String(column.value(row));
    }
    function sortBy(c) {
      descending = sortColumn === c ? !descending : columns[c].num;
      sortColumn = c;
      const column = columns[c];
      const keys = rows.map(column.value);
      const sign = descending ? -1 : 1;
      order = rows.map((_, i) => i).sort((a, b) => {
        const x = keys[a], y = keys[b];
        const cmp = column.num ? (x < y ? -1 : (x > y ? 1 : 0)) : String(x).localeCompare(String(y), 'ru');
        return cmp !== 0 ? sign * cmp : a - b;
      });
      headRow.querySelectorAll('th').forEach((th, i) => {
        if (i === c) th.setAttribute('aria-sort', descending ? 'descending' : 'ascending');
        else th.removeAttribute('aria-sort');
      });
      applyFilter();
    }
    function applyFilter() {
      shown = options.filter ? order.filter(options.filter) : order;
      page = 0;
      render();
    }
    function render() {
      const size = options.pageSize || shown.length || 1;
      const pages = Math.max(1, Math.ceil(shown.length / size));
      page = Math.min(page, pages - 1);
      const fragment = document.createDocumentFragment();
      for (const index of shown.slice(page * size, (page + 1) * size)) {
        const tr = el('tr', options.onClick ? 'clickable' : '');
        if (index === selected) tr.classList.add('selected');
        tr.dataset.row = String(index);
        for (const column of columns) {
          const td = el('td', column.num ? 'num' : 'name', cellText(column, rows[index]));
          tr.appendChild(td);
        }
        if (options.onClick) {
          tr.addEventListener('click', () => {
            selected = index;
            body.querySelectorAll('tr.selected').forEach((r) => r.classList.remove('selected'));
            tr.classList.add('selected');
            options.onClick(rows[index], index);
          });
        }
        fragment.appendChild(tr);
      }
      body.replaceChildren(fragment);
      if (options.pager) renderPager(pages);
    }
    function renderPager(pages) {
      const pager = options.pager;
      const previous = el('button', '', '‹ Назад');
      const next = el('button', '', 'Вперёд ›');
      previous.type = next.type = 'button';
      previous.disabled = page === 0;
      next.disabled = page >= pages - 1;
      previous.addEventListener('click', () => { page -= 1; render(); });
      next.addEventListener('click', () => { page += 1; render(); });
      const info = el('span', 'page-info',
        'Страница ' + (page + 1) + ' из ' + pages + ' (строк: ' + formatInt(shown.length) + ')');
      pager.replaceChildren(previous, info, next);
    }
    render();
    return { refilter: applyFilter, sortBy: sortBy };
  }

  // ---- charts ----

  Chart.defaults.animation = false;
  Chart.defaults.maintainAspectRatio = false;
  Chart.defaults.font.family = 'system-ui, "DejaVu Sans", sans-serif';
  const numberTicks = { callback: (value) => formatFixedOrInt(value) };
  // Counts: ticks only at whole numbers.
  const countTicks = { precision: 0, callback: (value) => formatInt(value) };
  function formatFixedOrInt(value) {
    return Number.isInteger(value) ? formatInt(value) : formatFixed(value);
  }
  function barChart(canvas, labels, datasets, extra) {
    const options = Object.assign({
      scales: { x: { ticks: {} }, y: { ticks: numberTicks, beginAtZero: true } },
      plugins: { legend: { display: datasets.length > 1 } },
    }, extra || {});
    return new Chart(canvas, { type: 'bar', data: { labels, datasets }, options });
  }

  // ---- overview ----

  const weaponRows = weapons.map((w, i) => Object.assign({ index: i }, w)).filter((w) => w.weapon);
  let totalHits = 0;
  for (const w of weaponRows) totalHits += w.hitCount;
  document.getElementById('count-players').textContent = formatInt(players.length);
  document.getElementById('count-weapons').textContent = formatInt(weaponRows.length);
  document.getElementById('count-hits').textContent = formatInt(totalHits);

  // ---- weapons ----

  function dashUnlessWeapon(format) {
    return (w) => (w.weapon ? format(w) : '–');
  }
  const weaponColumns = [
    { title: 'Оружие', value: (w) => w.label },
    { title: 'Покупки', num: true, value: (w) => signed(w.bought), text: (w) => formatInt(signed(w.bought)) },
    { title: 'Убийства', num: true, value: (w) => (w.weapon ? signed(w.kills) : -Infinity),
      text: dashUnlessWeapon((w) => formatInt(signed(w.kills))) },
    { title: 'Выстрелы', num: true, value: (w) => (w.weapon ? signed(w.shots) : -Infinity),
      text: dashUnlessWeapon((w) => formatInt(signed(w.shots))) },
    { title: 'Попадания', num: true, value: (w) => (w.weapon ? signed(w.hits) : -Infinity),
      text: dashUnlessWeapon((w) => formatInt(signed(w.hits))) },
    { title: 'Эффективность', num: true, value: (w) => (w.weapon ? ratio(w.kills, w.hits) : -Infinity),
      text: dashUnlessWeapon((w) => formatFixed(ratio(w.kills, w.hits))) },
    { title: 'Точность', num: true, value: (w) => (w.weapon ? ratio(w.hits, w.shots) : -Infinity),
      text: dashUnlessWeapon((w) => formatFixed(ratio(w.hits, w.shots))) },
  ];
  SortableTable(document.getElementById('weapons-table'), weaponColumns, weapons);

  const killsBox = document.getElementById('kills-chart-box');
  killsBox.style.height = Math.max(200, 60 + 24 * weaponRows.length) + 'px';
  barChart(document.getElementById('kills-chart'), weaponRows.map((w) => w.label),
    [{ label: 'Убийства', data: weaponRows.map((w) => signed(w.kills)), backgroundColor: COLORS[0] }],
    { indexAxis: 'y', scales: { x: { ticks: countTicks, beginAtZero: true }, y: { ticks: { autoSkip: false } } } });

  // ---- one weapon ----

  const select = document.getElementById('weapon-select');
  weaponRows.forEach((w, i) => select.appendChild(new Option(w.label, String(i))));
  const rangeLabels = [];
  for (let k = 0; k < data.rangeColumns; k += 1) rangeLabels.push(k + '–' + (k + 1));
  const rangeChart = barChart(document.getElementById('range-chart'), rangeLabels,
    [{ label: 'Попадания', data: [], backgroundColor: COLORS[1] }],
    { scales: { x: { title: { display: true, text: 'Дальность' } }, y: { ticks: countTicks, beginAtZero: true } } });
  const boneChart = barChart(document.getElementById('bone-chart'), [],
    [{ label: 'Попадания', data: [], backgroundColor: COLORS[1] },
      { label: 'Смертельные попадания', data: [], backgroundColor: COLORS[0] }],
    { indexAxis: 'y', scales: { x: { ticks: countTicks, beginAtZero: true }, y: { ticks: { autoSkip: false } } } });
  const figureParts = Array.from(document.querySelectorAll('#body-figure [data-bones]')).map((node) => ({
    node,
    patterns: node.dataset.bones.split(' '),
  }));
  function partOf(boneName) {
    return figureParts.find((part) => part.patterns.some((p) => (p.endsWith('*')
      ? boneName.startsWith(p.slice(0, -1)) : boneName === p)));
  }

  function showWeapon(i) {
    const w = weaponRows[i];
    const range = [];
    for (let k = 0; k < data.rangeColumns; k += 1) range.push(signed(w.range[k] || 0));
    rangeChart.data.datasets[0].data = range;
    rangeChart.update();

    const bones = w.bones.map(([column, hits, lethal]) => ({
      name: data.bones[column][0], shown: data.bones[column][1], hits, lethal,
    }));
    boneChart.data.labels = bones.map((b) => b.shown);
    boneChart.data.datasets[0].data = bones.map((b) => signed(b.hits));
    boneChart.data.datasets[1].data = bones.map((b) => signed(b.lethal));
    document.getElementById('bone-chart-box').style.height = Math.max(160, 70 + 34 * bones.length) + 'px';
    boneChart.resize();
    boneChart.update();

    let boneHits = 0;
    for (const b of bones) boneHits += b.hits;
    const shares = new Map();
    const others = [];
    for (const b of bones) {
      const part = partOf(b.name);
      if (part) shares.set(part, (shares.get(part) || 0) + b.hits);
      else others.push(b);
    }
    for (const part of figureParts) {
      const hits = shares.get(part) || 0;
      const share = boneHits === 0 ? 0 : hits / boneHits;
      part.node.setAttribute('fill-opacity', String(share === 0 ? 0 : 0.12 + 0.88 * share));
      let title = part.node.querySelector('title');
      if (!title) {
        title = document.createElementNS('http://www.w3.org/2000/svg', 'title');
        part.node.appendChild(title);
      }
      title.textContent = part.patterns[0] + ': ' + formatInt(hits) + ' (' + formatFixed(share * 100) + ' %)';
    }
    const otherBox = document.getElementById('other-bones');
    otherBox.replaceChildren();
    if (others.length > 0) {
      otherBox.appendChild(el('div', '', 'Кости вне фигуры:'));
      const list = el('ul');
      for (const b of others) list.appendChild(el('li', '', b.shown + ': ' + formatInt(signed(b.hits))));
      otherBox.appendChild(list);
    }
    document.getElementById('weapon-summary').textContent = 'Попадания: ' + formatInt(signed(w.hitCount)) +
      ', из них по костям: ' + formatInt(boneHits);
  }
  select.addEventListener('change', () => showWeapon(Number(select.value)));
  if (weaponRows.length > 0) showWeapon(0);
  else document.getElementById('weapon').appendChild(el('p', 'empty', 'Нет оружия.'));

  // ---- players ----

  // Per player: the sums over the weapon rows (identifiers with "wpn_").
  // A player's weapon cells come flat, five numbers a weapon row.
  function weaponCells(flat) {
    const list = [];
    for (let i = 0; i + 4 < flat.length; i += 5) list.push(flat.slice(i, i + 5));
    return list;
  }
  const playerRows = players.map(([name, totalShots, alive, money, respawns, flat], index) => {
    let kills = 0, shots = 0, hits = 0;
    for (let i = 0; i + 4 < flat.length; i += 5) {
      if (!weapons[flat[i]].weapon) continue;
      kills += flat[i + 2]; shots += flat[i + 3]; hits += flat[i + 4];
    }
    const list = flat;
    return {
      index, name, totalShots, alive, money, respawns, list, kills, shots, hits,
      folded: name.toLowerCase(),
      aliveSeconds: (alive[0] + alive[1] + alive[2]) * SECONDS_PER_MS,
      moneyTotal: money[0] + money[1] + money[2],
      respawnTotal: respawns[0] + respawns[1] + respawns[2],
    };
  });
  const playerColumns = [
    { title: 'Игрок', value: (p) => p.name },
    { title: 'Выстрелы', num: true, value: (p) => p.shots, text: (p) => formatInt(p.shots) },
    { title: 'Убийства', num: true, value: (p) => p.kills, text: (p) => formatInt(p.kills) },
    { title: 'Попадания', num: true, value: (p) => p.hits, text: (p) => formatInt(p.hits) },
    { title: 'Эффективность', num: true, value: (p) => ratio(p.kills, p.hits),
      text: (p) => formatFixed(ratio(p.kills, p.hits)) },
    { title: 'Точность', num: true, value: (p) => ratio(p.hits, p.shots),
      text: (p) => formatFixed(ratio(p.hits, p.shots)) },
    { title: 'Время жизни, сек.', num: true, value: (p) => p.aliveSeconds, text: (p) => formatFixed(p.aliveSeconds) },
    { title: 'Деньги', num: true, value: (p) => p.moneyTotal, text: (p) => formatInt(p.moneyTotal) },
    { title: 'Респавны', num: true, value: (p) => p.respawnTotal, text: (p) => formatInt(p.respawnTotal) },
  ];
  const search = document.getElementById('player-search');
  let needle = '';
  const playersTable = SortableTable(document.getElementById('players-table'), playerColumns, playerRows, {
    pageSize: 50,
    pager: document.getElementById('players-pager'),
    filter: (i) => needle === '' || playerRows[i].folded.includes(needle),
    onClick: showPlayer,
  });
  search.addEventListener('input', () => {
    needle = search.value.toLowerCase();
    playersTable.refilter();
  });

  function showPlayer(p) {
    document.getElementById('player-details').hidden = false;
    document.getElementById('player-name').textContent = p.name;
    const teamRows = TEAMS.map((label, t) => ({ label, t }));
    SortableTable(document.getElementById('player-teams'), [
      { title: 'Команда', value: (r) => r.label },
      { title: 'Время жизни, сек.', num: true, value: (r) => p.alive[r.t] * SECONDS_PER_MS,
        text: (r) => formatFixed(p.alive[r.t] * SECONDS_PER_MS) },
      { title: 'Деньги', num: true, value: (r) => p.money[r.t], text: (r) => formatInt(p.money[r.t]) },
      { title: 'Респавны', num: true, value: (r) => p.respawns[r.t], text: (r) => formatInt(signed(p.respawns[r.t])) },
      { title: 'Деньги / респавн', num: true, value: (r) => ratio(p.money[r.t], p.respawns[r.t]),
        text: (r) => formatFixed(ratio(p.money[r.t], p.respawns[r.t])) },
      { title: 'Время жизни / респавн, сек.', num: true, value: (r) => averageSeconds(p.alive[r.t], p.respawns[r.t]),
        text: (r) => formatFixed(averageSeconds(p.alive[r.t], p.respawns[r.t])) },
    ], teamRows);
    const rows = weaponCells(p.list).map(([row, bought, kills, shots, hits]) => ({
      w: weapons[row], bought, kills, shots, hits,
    }));
    const weaponOnly = (format) => (r) => (r.w.weapon ? format(r) : '–');
    SortableTable(document.getElementById('player-weapons'), [
      { title: 'Оружие', value: (r) => r.w.label },
      { title: 'Покупки', num: true, value: (r) => signed(r.bought), text: (r) => formatInt(signed(r.bought)) },
      { title: 'Убийства', num: true, value: (r) => signed(r.kills), text: weaponOnly((r) => formatInt(signed(r.kills))) },
      { title: 'Выстрелы', num: true, value: (r) => signed(r.shots), text: weaponOnly((r) => formatInt(signed(r.shots))) },
      { title: 'Попадания', num: true, value: (r) => signed(r.hits), text: weaponOnly((r) => formatInt(signed(r.hits))) },
      { title: 'Эффективность', num: true, value: (r) => ratio(r.kills, r.hits),
        text: weaponOnly((r) => formatFixed(ratio(r.kills, r.hits))) },
      { title: 'Точность', num: true, value: (r) => ratio(r.hits, r.shots),
        text: weaponOnly((r) => formatFixed(ratio(r.hits, r.shots))) },
    ], rows);
  }

  // ---- teams ----

  const teams = data.teams;
  const moneyAverages = TEAMS.map((_, t) => ratio(teams.money[t], teams.respawns[t]));
  const lifetimeAverages = TEAMS.map((_, t) => averageSeconds(teams.alive[t], teams.respawns[t]));
  SortableTable(document.getElementById('teams-table'), [
    { title: 'Команда', value: (t) => TEAMS[t] },
    { title: 'Респавны', num: true, value: (t) => signed(teams.respawns[t]), text: (t) => formatInt(signed(teams.respawns[t])) },
    { title: 'Деньги / респавн', num: true, value: (t) => moneyAverages[t], text: (t) => formatFixed(moneyAverages[t]) },
    { title: 'Время жизни / респавн, сек.', num: true, value: (t) => lifetimeAverages[t],
      text: (t) => formatFixed(lifetimeAverages[t]) },
  ], [0, 1, 2]);
  barChart(document.getElementById('money-chart'), TEAMS,
    [{ label: 'Деньги / респавн', data: moneyAverages, backgroundColor: [COLORS[8], COLORS[2], COLORS[1]] }]);
  barChart(document.getElementById('lifetime-chart'), TEAMS,
    [{ label: 'Время жизни / респавн', data: lifetimeAverages, backgroundColor: [COLORS[8], COLORS[2], COLORS[1]] }]);

  const itemsBox = document.getElementById('items');
  data.items.forEach((block, t) => {
    itemsBox.appendChild(el('h4', '', TEAMS[t]));
    if (block.rows.length === 0) {
      itemsBox.appendChild(el('p', 'empty', 'Нет покупок.'));
      return;
    }
    const labels = [];
    for (let k = 0; k < block.columns; k += 1) labels.push(formatInt(k === 0 ? 500 : k * 1000));
    const datasets = block.rows.map(([row, ...counts], i) => ({
      label: weapons[row].label,
      data: counts.map(signed),
      backgroundColor: COLORS[i % COLORS.length],
    }));
    const box = el('div', 'chart');
    const canvas = el('canvas');
    canvas.id = 'items-chart-' + t;
    box.appendChild(canvas);
    itemsBox.appendChild(box);
    barChart(canvas, labels, datasets, {
      scales: { x: { stacked: true, title: { display: true, text: 'Цена' } },
        y: { stacked: true, ticks: countTicks, beginAtZero: true } },
      plugins: { legend: { display: true, position: 'right' } },
    });
  });
  document.body.dataset.ready = 'true';
})();
