// SPDX-License-Identifier: MIT
// Folders that have links: what lies in front of the text opens and closes without following the
// link, with the mouse and on a touch screen, whatever the scheme draws there (lines, icons, or
// nothing: then the library's own mark). Also the current page as a folder, narrow screens and
// type-ahead with spaces.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, frames } from './lib/harness.mjs';

let env;
const items = [
  { name: 'Products', level: 0, link: 'docs.htm' },
  { name: 'Widget', level: 1, link: 'leaf.htm' },
  { name: 'Zeta', level: 0, link: 'zeta.htm' },
];
// Three looks: lines and icons, icons only, neither (how an imported menu looks).
const looks = {
  lines: { target: '_self' },
  icons: { target: '_self', 'show line': 0 },
  plain: { target: '_self', 'show line': 0, fileIcon: '', folderIcon1: '', folderIcon2: '' },
};
before(async () => {
  env = await setup();
  for (const [look, config] of Object.entries(looks)) {
    env.site.menu(`f-${look}`, items, config);
    env.site.page(`f-${look}.html`, pageHtml(`<script src="f-${look}.js"></script>`));
  }
});
after(async () => { await env.close(); });

// The middle of the area in front of a row's text, and its size.
const frontOf = (page, text) => page.locator(`a[role=treeitem]:text-is("${text}")`).evaluate((a) => {
  const row = a.closest('.sn-r').getBoundingClientRect(), cell = a.getBoundingClientRect();
  return { x: (row.left + cell.left) / 2, y: row.top + row.height / 2, width: cell.left - row.left, height: row.height };
});
const expanded = (page, text) => page.locator(`a[role=treeitem]:text-is("${text}")`).getAttribute('aria-expanded');

test('in front of a folder\'s text: opens and closes, never follows the link; the text follows it', async () => {
  for (const look of Object.keys(looks)) {
    const { page, context, errors } = await openPage(env.browser);
    const requested = [];
    page.on('request', (r) => requested.push(r.url().replace(/.*\//, '')));
    await page.goto(env.server.url + `f-${look}.html`);
    const at = await frontOf(page, 'Products');
    assert.ok(at.width >= 8, `${look}: there is something to click in front of the text (${at.width} px)`);
    await page.mouse.click(at.x, at.y);
    assert.equal(await expanded(page, 'Products'), 'true', `${look}: opened`);
    await page.mouse.click(at.x, at.y, { button: 'middle' });
    await page.mouse.click(at.x, at.y);
    assert.equal(await expanded(page, 'Products'), 'false', `${look}: closed`);
    // A folder without icon or lines shows its state; a file shows no such mark.
    const marks = await page.$$eval('.sn-r', (rows) => rows.filter((r) => r.offsetWidth)
      .map((r) => /conic-gradient/.test(getComputedStyle(r).backgroundImage)));
    assert.deepEqual(marks, look === 'plain' ? [true, false] : [false, false], `${look}: the folder mark`);
    await page.locator('a[role=treeitem]:text-is("Products")').click();
    await page.waitForURL(/docs\.htm$/);
    assert.equal(requested.filter((u) => u === 'docs.htm').length, 1, `${look}: only the text followed the link`);
    assert.deepEqual(errors, []);
    await context.close();
  }

  // On a touch screen the area is at least 24 px square, and a tap there does not follow the link.
  const context = await env.browser.newContext({ hasTouch: true, viewport: { width: 400, height: 600 } });
  for (const look of Object.keys(looks)) {
    const page = await context.newPage();
    await page.goto(env.server.url + `f-${look}.html`);
    const at = await frontOf(page, 'Products');
    assert.ok(at.width >= 24 && at.height >= 24, `${look}: ${at.width} x ${at.height} px`);
    await page.touchscreen.tap(at.x, at.y);
    await page.locator('a[role=treeitem]:text-is("Widget")').waitFor();
    assert.equal(await expanded(page, 'Products'), 'true');
    assert.match(page.url(), new RegExp(`f-${look}\\.html$`));
    await page.close();
  }
  await context.close();
});

test('the current page is a folder: it is open, its branch too', async () => {
  env.site.menu('deep-here', [
    { name: 'Top', level: 0, link: '' },
    { name: 'Guides', level: 1, link: 'guide.htm' },
    { name: 'First', level: 2, link: 'leaf.htm' },
    { name: 'Other', level: 0, link: '' },
    { name: 'Inside', level: 1, link: '' },
  ]);
  env.site.page('guide.htm', pageHtml('<script src="deep-here.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'guide.htm');
  const rows = await page.$$eval('a[role=treeitem]', (as) => as.filter((a) => a.offsetWidth)
    .map((a) => [a.textContent, a.getAttribute('aria-expanded'), a.getAttribute('aria-current')]));
  assert.deepEqual(rows, [['Top', 'true', null], ['Guides', 'true', 'page'], ['First', null, null], ['Other', 'false', null]]);
  assert.deepEqual(errors, []);
  await context.close();
});

test('on a 320 px screen long titles wrap instead of scrolling the page sideways', async () => {
  const long = 'Supercalifragilistic'.repeat(3);
  env.site.menu('narrow', [
    { name: 'A title of many words that does not fit on a narrow phone screen at all', level: 0, link: '' },
    { name: long, level: 1, link: 'leaf.htm' },
    { name: 'Short', level: 0, link: '' },
  ], { 'show line': 1 });
  env.site.page('narrow.html', pageHtml('<script src="narrow.js"></script>', { head: '<meta name="viewport" content="width=device-width">' }));
  const context = await env.browser.newContext({ viewport: { width: 320, height: 600 }, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  await page.goto(env.server.url + 'narrow.html');
  await page.evaluate(() => tree.expandAll());
  const m = await page.evaluate(() => ({ scroll: document.scrollingElement.scrollWidth, view: document.scrollingElement.clientWidth,
    rows: [...document.querySelectorAll('.sn-r')].map((r) => [r.getBoundingClientRect().right, r.getBoundingClientRect().height]) }));
  assert.ok(m.scroll <= m.view, `page ${m.scroll} px wide in a ${m.view} px view`);
  assert.ok(m.rows.every(([right]) => right <= m.view), JSON.stringify(m.rows));
  assert.ok(m.rows[0][1] > m.rows[2][1] && m.rows[1][1] > m.rows[2][1], `the long titles take more than one line: ${JSON.stringify(m.rows)}`);
  await context.close();
});

test('type-ahead: a space among the letters is a letter; any other key ends the search', async () => {
  env.site.menu('typing', [
    { name: 'Alpha one', level: 0, link: 'alpha.htm' },
    { name: 'Alpha two', level: 0, link: 'ship.htm' },
    { name: 'Beta', level: 0, link: 'about.htm' },
    { name: 'Tango', level: 0, link: 'zeta.htm' },
  ], { target: '_self' });
  env.site.page('typing.html', pageHtml('<script src="typing.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  // The page's clock stands still while the keys arrive, however slowly: letters count as typed in
  // a row until the test moves it on.
  await page.clock.install();
  await page.goto(env.server.url + 'typing.html');
  await page.clock.pauseAt(await page.evaluate(() => Date.now() + 1000));
  await page.locator('a[role=treeitem]:text-is("Beta")').focus();
  const focused = () => page.evaluate(() => document.activeElement.textContent);
  for (const k of ['a', 'l', 'p', 'h', 'a', ' ', 't']) await page.keyboard.press(k === ' ' ? 'Space' : k);
  assert.equal(await focused(), 'Alpha two', 'the space was part of "alpha t"');
  assert.match(page.url(), /typing\.html$/, 'and did not follow the link');
  // An arrow ends the search: the next letter starts a new one.
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('t');
  assert.equal(await focused(), 'Tango', 'a new search for "t", not "alpha tt"');
  await page.clock.fastForward(1000);
  await page.keyboard.press('b');
  assert.equal(await focused(), 'Beta', 'after a pause a new search starts');
  // Space outside a search acts on the item.
  await page.clock.fastForward(1000);
  await page.clock.resume();
  await page.keyboard.press('Space');
  await page.waitForURL(/about\.htm$/);
  await frames(page);
  assert.deepEqual(errors, []);
  await context.close();
});
