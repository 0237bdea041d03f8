// SPDX-License-Identifier: MIT
// Where menus appear and how they coexist: suffixed menus side by side, scripts run while the
// page is parsed and after it has loaded.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, fixture, rowsOf } from './lib/harness.mjs';

let env;
before(async () => {
  env = await setup();
  env.site.generate(fixture('worked.menu'), 'm1.js', 'm1');
  env.site.generate(fixture('options.menu'), 'm2.js', 'm2');
  env.site.generate(fixture('options.menu'), 'plain.js');
});
after(async () => { await env.close(); });

const item = (page, scope, text) => page.locator(`${scope} a[role=treeitem]:text-is("${text}")`);
// How many of the page's style sheets, in the page or constructed, have a rule for the selector.
const sheetsWith = (selector) => [...document.styleSheets, ...document.adoptedStyleSheets]
  .filter((s) => [...s.cssRules].some((r) => r.selectorText?.toLowerCase() === selector.toLowerCase())).length;

test('two menus with different suffixes live on one page independently', async () => {
  env.site.page('two.html', pageHtml('<nav id="left"><script src="m1.js"></script></nav><nav id="right"><script src="m2.js"></script></nav>' +
    '<iframe name="main" src="blank.htm" title="main"></iframe><iframe name="content" src="blank.htm" title="content"></iframe>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'two.html');
  assert.deepEqual(await page.$$eval('[role=tree]', (ts) => ts.map((t) => [t.parentElement.id, t.dataset.menu])),
    [['left', 'treem1'], ['right', 'treem2']]);

  await item(page, '#left', 'Help').click();
  await item(page, '#right', 'Tools').click();
  await item(page, '#right', 'Run').click();
  const left = await rowsOf(page, '#left [role=tree]');
  const right = await rowsOf(page, '#right [role=tree]');
  assert.deepEqual(left.map((r) => [r.text, r.cls]), [['Help', 'Tree_FOLDER_3m1'], ['About', 'Tree_FILE_1m1']], 'each menu has its own selection');
  assert.deepEqual(right.map((r) => [r.text, r.cls]), [['Docs', 'Tree_FOLDER_1m2'], ['Tools', 'Tree_FOLDER_1m2'],
    ['Run', 'Tree_FILE_3m2'], ['Alpha', 'Tree_FILE_1m2'], ['Zeta', 'Tree_FILE_1m2']]);
  assert.equal(await item(page, '#right', 'Zeta').evaluate((a) => getComputedStyle(a).backgroundColor),
    'rgb(240, 240, 240)', 'the second menu keeps its own style sheet');
  // Keyboard focus in one menu moves only within it.
  await item(page, '#left', 'Help').focus();
  await page.keyboard.press('End');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'About');
  const saved = await page.evaluate(() => Object.keys(sessionStorage).sort());
  assert.deepEqual(saved.map((k) => k.replace(/:\w+$/, ':*')), ['sylvanode:treem1:*', 'sylvanode:treem2:*']);
  assert.deepEqual(errors.filter((e) => !/help\.htm/.test(e)), []);
  await context.close();
});

test('while the page is parsed the menu appears where the script stands', async () => {
  env.site.page('inline.html', pageHtml('<p id="before">before</p><script src="plain.js"></script><p id="after">after</p>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'inline.html');
  const order = await page.evaluate(() => [...document.body.children].map((e) => e.id || e.getAttribute('role') || e.tagName));
  assert.deepEqual(order.filter((x) => x !== 'SCRIPT' && x !== 'STYLE'), ['before', 'tree', 'after']);
  assert.equal(await page.locator('[role=tree]').evaluate((t) => t.previousElementSibling.getAttribute('src')), 'plain.js');
  assert.deepEqual(errors, []);
  await context.close();
});

test('a script in <head> puts the menu into <body>', async () => {
  env.site.page('head.html', pageHtml('<p id="content">content</p>', { head: '<script src="plain.js"></script>' }));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'head.html');
  assert.equal(await page.locator('body > [role=tree]').count(), 1);
  assert.equal((await rowsOf(page)).length, 3);
  assert.deepEqual(errors, []);
  await context.close();
});

test('after load: the page survives the style sheet writes and the menu goes where the script is put', async () => {
  env.site.page('late.html', pageHtml('<p id="keep">keep me</p><div id="slot"></div><div data-sylvanode="treem1"></div>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'late.html');
  await page.evaluate(() => new Promise((ok) => {
    const add = (parent, src) => new Promise((done) => {
      const s = document.createElement('script');
      s.src = src;
      s.onload = done;
      parent.appendChild(s);
    });
    add(document.getElementById('slot'), 'plain.js').then(() => add(document.head, 'm1.js')).then(ok);
  }));
  assert.equal(await page.locator('#keep').textContent(), 'keep me', 'document.write did not replace the page');
  assert.equal(await page.locator('#slot > [role=tree]').count(), 1, 'beside its script');
  assert.equal(await page.locator('[data-sylvanode=treem1] > [role=tree]').count(), 1, 'into the element named for it');
  assert.equal(await page.locator('a[role=treeitem]:text-is("Zeta")').evaluate((a) => getComputedStyle(a).backgroundColor),
    'rgb(240, 240, 240)', 'the written style sheet was added to the page');
  assert.equal(await page.evaluate(sheetsWith, '.sn-a.Tree_FILE_1m1'), 1);
  // Other writes after load still reach the browser's own document.write.
  await page.evaluate(() => { document.open(); document.write('<p id="fresh">fresh</p>'); document.close(); });
  assert.equal(await page.locator('#fresh').count(), 1);
  assert.deepEqual(errors, []);
  await context.close();
});

test('an async script: the style sheet is kept and the menu appears beside the script', async () => {
  env.site.page('async.html', pageHtml('<div id="slot"><script async src="m1.js"></script></div><p id="keep">keep me</p>'));
  const { page, context, errors } = await openPage(env.browser);
  const warnings = [];
  page.on('console', (m) => { if (m.type() === 'warning') warnings.push(m.text()); });
  await page.goto(env.server.url + 'async.html');
  await page.locator('#slot > [role=tree]').waitFor();
  assert.equal(await page.locator('#keep').textContent(), 'keep me');
  assert.equal(await page.evaluate(sheetsWith, '.sn-a.Tree_FILE_1m1'), 1);
  assert.deepEqual(warnings.filter((w) => /write/.test(w)), [], 'no ignored document.write');
  assert.deepEqual(errors, []);
  await context.close();
});
