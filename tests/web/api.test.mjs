// SPDX-License-Identifier: MIT
// The interface for sites and apps, one row of the table per behaviour: tree.ready, reveal and
// current from code, the cancelable sylvanode-select event, sylvanode-toggle, and the filter
// add-on (tree.filter and the search box of data-sylvanode-filter).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, accessibilityTree, frames } from './lib/harness.mjs';
import { randomForest } from './lib/forest.mjs';

let env;
// Target lies in closed folders 5 levels deep.
const items = [
  { name: 'Home', level: 0, link: 'alpha.htm' },
  { name: 'Docs', level: 0, link: 'docs.htm' },
  { name: 'Guide', level: 1, link: 'guide.htm' },
  { name: 'Deep', level: 1, link: '' },
  { name: 'Two', level: 2, link: '' },
  { name: 'Three', level: 3, link: '' },
  { name: 'Four', level: 4, link: '' },
  { name: 'Target', level: 5, link: 'leaf.htm' },
  { name: 'About', level: 0, link: 'about.htm', hint: 'Who we are' },
  { name: 'Run', level: 0, link: 'javascript:window.ran = (window.ran || 0) + 1' },
].map((it) => ({ hint: '', ...it }));
const index = (name) => items.findIndex((it) => it.name === name);
const big = randomForest(5000, { seed: 4 });

before(async () => {
  env = await setup();
  env.site.menu('api', items, { target: '_self' });
  env.site.menu('many', big, { target: '_self' });
  const withFilter = '<script src="sylvanode-filter.min.js"></script>';
  env.site.page('api.html', pageHtml('<nav data-sylvanode="tree" aria-label="Site"></nav><script src="api.js"></script>', { head: withFilter }));
  env.site.page('many.html', pageHtml('<nav data-sylvanode="tree" data-sylvanode-filter="Search the menu"></nav><script src="many.js"></script>',
    { head: withFilter }));
});
after(async () => { await env.close(); });

// Facts about the page, read in it.
const state = (page) => page.evaluate(() => {
  const rows = [...document.querySelectorAll('a[role=treeitem]')].filter((a) => a.offsetWidth);
  return {
    shown: rows.map((a) => a.textContent),
    expanded: rows.filter((a) => a.getAttribute('aria-expanded') === 'true').map((a) => a.textContent),
    selected: [...document.querySelectorAll('a[aria-selected=true]')].map((a) => a.textContent),
    current: [...document.querySelectorAll('a[aria-current]')].map((a) => a.textContent),
    focused: document.activeElement.getAttribute('role') === 'treeitem' ? document.activeElement.textContent : null,
    url: location.pathname.replace(/.*\//, ''),
  };
});
// The events of the menu, kept in the page (and across a navigation, through the test).
async function listen(page, events) {
  await page.exposeFunction('record', (type, detail) => events.push([type, detail]));
  await page.evaluate(() => ['select', 'toggle', 'filter'].forEach((t) => document.addEventListener(`sylvanode-${t}`, (e) => {
    record(t, e.detail);
    if (window.cancel && t === 'select') e.preventDefault();
  })));
}
const row = (page, text) => page.locator('a[role=treeitem]').filter({ hasText: new RegExp(`^${text}$`) });

const cases = {
  async 'ready is fulfilled with the tree once the first rows exist'(page) {
    assert.deepEqual(await page.evaluate(async () => [await tree.ready === tree, document.querySelectorAll('[role=treeitem]').length]), [true, 4]);
  },
  async 'reveal by index opens closed folders 5 levels deep and scrolls, without focus or navigation'(page) {
    await page.evaluate(() => { document.body.style.paddingTop = '3000px'; });
    assert.equal(await page.evaluate((x) => tree.reveal(x), index('Target')), true);
    const s = await state(page);
    assert.deepEqual(s.expanded, ['Docs', 'Deep', 'Two', 'Three', 'Four']);
    assert.ok(s.shown.includes('Target'));
    assert.equal(s.focused, null);
    assert.equal(s.url, 'api.html');
    await expectInView(page, 'Target');
  },
  async 'reveal by link with focus; nothing matches: false'(page) {
    assert.deepEqual(await page.evaluate(() => [tree.reveal('leaf.htm', true), tree.reveal('nowhere.htm', true), tree.reveal(99), tree.reveal(-1)]),
      [true, false, false, false]);
    const s = await state(page);
    assert.equal(s.focused, 'Target');
    assert.equal(s.url, 'api.html');
  },
  async 'current moves "you are here" after pushState: branch open, aria-current and selection move, focus stays'(page) {
    assert.equal(await page.evaluate(() => tree.current()), -1);
    await row(page, 'Home').focus();
    const x = await page.evaluate(() => {
      history.pushState({}, '', 'leaf.htm#top');
      return [tree.current(location.href), tree.current()];
    });
    assert.deepEqual(x, [index('Target'), index('Target')]);
    const s = await state(page);
    assert.deepEqual([s.current, s.selected, s.focused], [['Target'], ['Target'], 'Home']);
    assert.ok(s.expanded.includes('Four'));
    assert.deepEqual(await page.evaluate(() => [tree.current('about.htm'), tree.current('nowhere.htm')]), [index('About'), -1]);
    assert.deepEqual((await state(page)).current, []);
  },
  async 'sylvanode-select cancelled: no navigation, no script, the item selected and the folder toggled'(page, events) {
    await page.evaluate(() => { window.cancel = true; });
    // A link opened elsewhere with a modifier key is not the page's to take over: no event.
    const opened = page.context().waitForEvent('page');
    await row(page, 'About').click({ modifiers: ['Shift'] });
    await opened;
    await row(page, 'About').click();
    await row(page, 'Docs').click();
    await row(page, 'Run').focus();
    await page.keyboard.press('Enter');
    await frames(page);
    const s = await state(page);
    assert.equal(s.url, 'api.html');
    assert.deepEqual(s.selected, ['Run']);
    assert.ok(s.expanded.includes('Docs'));
    assert.equal(await page.evaluate(() => window.ran), undefined);
    const base = env.server.url;
    assert.deepEqual(events.filter(([t]) => t === 'select').map(([, d]) => d), [
      { index: index('About'), href: base + 'about.htm', target: '_self' },
      { index: index('Docs'), href: base + 'docs.htm', target: '_self' },
      { index: index('Run'), href: '', target: '' },
    ]);
  },
  async 'sylvanode-select not cancelled: the link is followed, the script runs'(page, events) {
    await row(page, 'Run').click();
    assert.equal(await page.evaluate(() => window.ran), 1);
    await row(page, 'About').click();
    await page.waitForURL(/about\.htm$/);
    assert.deepEqual(events.map(([t, d]) => [t, d.index]), [['select', index('Run')], ['select', index('About')]]);
  },
  async 'sylvanode-toggle after the visitor opens or closes a folder, with the mouse and the keys'(page, events) {
    await page.evaluate(() => { window.cancel = true; });
    await row(page, 'Docs').click();
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    // Code opens folders without events.
    await page.evaluate(() => tree.reveal('leaf.htm'));
    assert.deepEqual(events.filter(([t]) => t === 'toggle').map(([, d]) => d), [
      { index: index('Docs'), open: true }, { index: index('Deep'), open: true }, { index: index('Deep'), open: false }, { index: index('Docs'), open: false },
    ]);
  },
  async 'filter: matches marked, their folders opened, keys and positions skip hidden rows, then everything back as it was'(page, events) {
    await page.evaluate(() => { window.cancel = true; });
    await row(page, 'Docs').click();
    const key = await page.evaluate(() => Object.keys(sessionStorage).find((k) => k.startsWith('sylvanode:')));
    const remembered = () => page.evaluate((k) => JSON.parse(sessionStorage.getItem(k)).o, key);
    const plain = await state(page);
    const attrs = () => page.$$eval('a[role=treeitem]', (as) => as.filter((a) => a.offsetWidth)
      .map((a) => [a.textContent, a.innerHTML.includes('<mark>') ? a.innerHTML : '', a.getAttribute('aria-posinset'), a.getAttribute('aria-setsize')]));

    assert.equal(await page.evaluate(() => tree.filter('TAR')), 1);
    assert.deepEqual(await attrs(), [['Docs', '', '1', '1'], ['Deep', '', '1', '1'], ['Two', '', '1', '1'], ['Three', '', '1', '1'],
      ['Four', '', '1', '1'], ['Target', '<mark>Tar</mark>get', '1', '1']]);
    // Hints count too.
    assert.equal(await page.evaluate(() => tree.filter('who')), 1);
    assert.deepEqual((await state(page)).shown, ['About']);
    assert.equal(await page.evaluate(() => tree.filter('o')), 5);
    assert.deepEqual((await attrs()).map(([t, m, p, s]) => [t, m, p, s]), [
      ['Home', 'H<mark>o</mark>me', '1', '3'], ['Docs', 'D<mark>o</mark>cs', '2', '3'], ['Deep', '', '1', '1'], ['Two', 'Tw<mark>o</mark>', '1', '1'],
      ['Three', '', '1', '1'], ['Four', 'F<mark>o</mark>ur', '1', '1'], ['About', 'Ab<mark>o</mark>ut', '3', '3']]);
    // The accessibility tree holds the rows shown and no other (the protocol does not give their
    // positions: those are the attributes above).
    const ax = (await accessibilityTree(page)).filter((n) => n.role === 'treeitem').map((n) => n.name);
    assert.deepEqual(ax.sort(), ['About', 'Deep', 'Docs', 'Four', 'Home', 'Three', 'Two']);
    // Keys skip hidden rows.
    await row(page, 'Docs').focus();
    const keys = [];
    for (const k of ['ArrowDown', 'ArrowUp', 'End', 'ArrowUp', 'Home', 'f']) {
      await page.keyboard.press(k);
      keys.push((await state(page)).focused);
    }
    assert.deepEqual(keys, ['Deep', 'Docs', 'About', 'Four', 'Home', 'Four']);
    // Nothing matches: every row hidden, the keys do nothing.
    assert.equal(await page.evaluate(() => tree.filter('zzz')), 0);
    await page.keyboard.press('End');
    await page.keyboard.press('a');
    assert.deepEqual((await state(page)).shown, []);
    assert.deepEqual(await remembered(), [index('Docs')], 'folders the filter opened are never remembered');

    assert.equal(await page.evaluate(() => tree.filter('')), 0);
    const back = await state(page);
    assert.deepEqual([back.shown, back.expanded], [plain.shown, plain.expanded]);
    assert.deepEqual((await attrs()).map(([, m, p, s]) => [m, p, s]), [['', '1', '4'], ['', '2', '4'], ['', '1', '2'], ['', '2', '2'], ['', '3', '4'], ['', '4', '4']]);
    assert.deepEqual(await remembered(), [index('Docs')]);
    assert.deepEqual(events.filter(([t]) => t === 'filter').map(([, d]) => d.query + ':' + d.matches),
      ['TAR:1', 'who:1', 'o:5', 'zzz:0', ':0']);
  },
  async 'filter at 5,000 items: opens up only the first 300 matches, the search box and its live region'(page, events) {
    const expected = big.filter((it) => (it.name + '\n' + it.hint).toLowerCase().includes('ember')).length;
    assert.ok(expected > 300, `${expected} matches`);
    const box = page.getByLabel('Search the menu');
    assert.equal(await box.evaluate((e) => [e.type, !!e.closest('[role=tree]')].join()), 'search,false');
    await box.fill('Ember');
    await expectPoll(() => page.locator('[role=status]').textContent(), `${expected} matches`);
    assert.equal(await page.locator('.sn-note').textContent(), `${expected - 300} more matches`);
    // The first 300 matches are shown; those that match by title are marked.
    const first = big.filter((it) => (it.name + '\n' + it.hint).toLowerCase().includes('ember')).slice(0, 300);
    const marked = () => page.$$eval('a[role=treeitem]', (as) => as.filter((a) => a.offsetWidth && a.querySelector('mark')).map((a) => a.textContent).join());
    await expectPoll(marked, first.filter((it) => /ember/i.test(it.name)).map((it) => it.name).join());
    assert.deepEqual(events.at(-1), ['filter', { query: 'Ember', matches: expected }]);
    await box.fill('');
    await expectPoll(() => page.locator('[role=status]').textContent(), '');
    assert.equal(await page.locator('.sn-note').count(), 0);
    assert.equal(await page.$$eval('a[role=treeitem]', (as) => as.filter((a) => a.offsetWidth).length), big.filter((it) => !it.level).length);
  },
};

async function expectPoll(get, value) {
  for (let i = 0; ; i++) {
    const v = await get();
    if (v === value) return;
    if (i > 200) assert.equal(v, value);
    await new Promise((ok) => setTimeout(ok, 25));
  }
}

async function expectInView(page, text) {
  await frames(page);
  const r = await row(page, text).evaluate((a) => { const b = a.getBoundingClientRect(); return [b.top, b.bottom, innerHeight]; });
  assert.ok(r[0] >= 0 && r[1] <= r[2], `in view: ${r}`);
}

for (const [name, run] of Object.entries(cases)) {
  test(name, async () => {
    const { page, context, errors } = await openPage(env.browser);
    const events = [];
    await page.goto(env.server.url + (name.includes('5,000') ? 'many.html' : 'api.html'));
    await page.evaluate(() => tree.ready);
    await listen(page, events);
    await run(page, events);
    assert.deepEqual(errors, []);
    await context.close();
  });
}
