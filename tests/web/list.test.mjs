// SPDX-License-Identifier: MIT
// A menu whose items come from a list in the page: the list serves pages without JavaScript, and
// Tree_readList turns it into the node array that Tree_buildTree draws in its place.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { setup, openPage, pageHtml, fixture, rowsOf } from './lib/harness.mjs';

let env;
const list = `<nav data-sylvanode="treem3" aria-label="Site"><h2>Menu</h2>
<ul>
  <li><a href="help.htm" title="Get help" data-status="Help status" data-icon1="img/doc-closed.svg" data-icon2="img/doc-open.svg">Help</a>
    <ul>
      <li><a href="about.htm" target="content">About
        us</a></li>
      <li><button type="button" data-script="window.ran = (window.ran || 0) + 1" title="Runs">Run</button></li>
      <li><span data-status="none"> Plain </span><ul></ul></li>
    </ul>
  </li>
  <li><span>Alone</span></li>
</ul></nav>`;
// What the generated script would carry for the same menu.
const nodes = [
  0, 'Help', 'Get help', 'Help status', 'img/doc-closed.svg', 'img/doc-open.svg', 3, '', 'help.htm', '', -1,
  2, 'About us', '', '', '', 3, '', 'about.htm', 'content',
  2, 'Run', 'Runs', '', '', 4, 'window.ran = (window.ran || 0) + 1', '', '',
  0, 'Plain', '', 'none', '', '', 3, '', '', '', -1, 1,
  1,
  2, 'Alone', '', '', '', 3, '', '', '',
  5,
];

before(async () => {
  env = await setup();
  // The generated script with the node array read from the page.
  env.site.generate(fixture('options.menu'), 'gen.js', 'm3');
  const lines = readFileSync(join(env.site.dir, 'gen.js'), 'latin1').split('\r\n');
  lines[0] = 'var tree_nodem3=Tree_readList("treem3");';
  writeFileSync(join(env.site.dir, 'list.js'), lines.join('\r\n'), 'latin1');
});
after(async () => { await env.close(); });

test('the list reads as the node array and the menu takes its place; without JavaScript the list stays', async () => {
  env.site.page('list.html', pageHtml(`${list}<script src="list.js"></script><iframe name="content" src="blank.htm" title="content"></iframe>`));
  const plain = await env.browser.newContext({ javaScriptEnabled: false });
  const p0 = await plain.newPage();
  await p0.goto(env.server.url + 'list.html');
  assert.deepEqual(await p0.$$eval('nav a', (as) => as.map((a) => a.getAttribute('href'))), ['help.htm', 'about.htm']);
  await plain.close();

  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'list.html');
  assert.deepEqual(await page.evaluate(() => [...Tree_readList('treem3')]), [5], 'the list is gone from the page');
  assert.deepEqual(await page.evaluate(() => [...tree_nodem3]), nodes);
  assert.deepEqual(await page.$$eval('nav > *', (es) => es.map((e) => e.getAttribute('role') || e.tagName)), ['H2', 'tree']);
  await page.locator('a[role=treeitem]:text-is("Help")').evaluate((a) => a.closest('.sn-r').click());
  const rows = Object.fromEntries((await rowsOf(page)).map((r) => [r.text, r]));
  assert.deepEqual(Object.keys(rows), ['Help', 'About us', 'Run', 'Plain', 'Alone']);
  assert.deepEqual([rows.Help.title, rows.Help.icons, rows.Help.href], ['Get help', ['lines/sn-minus.svg', 'img/doc-open.svg'], 'help.htm']);
  assert.deepEqual([rows['About us'].href, rows['About us'].target], ['about.htm', 'content']);
  assert.deepEqual([rows.Plain.expanded, rows.Plain.href, rows.Alone.level], ['false', null, '1']);
  await page.locator('a[role=treeitem]:text-is("Run")').click();
  assert.equal(await page.evaluate(() => window.ran), 1);
  await page.locator('a[role=treeitem]:text-is("Help")').hover();
  assert.equal(await page.evaluate(() => window.status), 'Help status');
  assert.deepEqual(errors, []);
  await context.close();
});

test('a script in <head> reads the list once the page has been parsed', async () => {
  env.site.page('list-head.html', pageHtml(list, { head: '<script src="list.js"></script>' }));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'list-head.html');
  assert.deepEqual((await rowsOf(page)).map((r) => r.text), ['Help', 'Alone']);
  assert.equal(await page.locator('nav ul').count(), 0);
  assert.equal(await page.locator('nav > [role=tree]').count(), 1);
  assert.deepEqual(errors, []);
  await context.close();
});
