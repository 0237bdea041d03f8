// SPDX-License-Identifier: MIT
// A page holding the list that `sylvanode-cli export --to html` writes, with the script that
// `generate --from-list` writes: every link is there without JavaScript, and with it the library
// draws the same items as the menu.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, fixture, launch, makeSite, openPage, pageHtml } from './lib/harness.mjs';

let site, browser;
before(async () => {
  site = makeSite();
  browser = await launch();
});
after(async () => {
  await browser.close();
  site.remove();
});

test('exported <nav> list: plain links without JavaScript, the menu with it', async () => {
  const scheme = fixture('options.menu');
  const nav = cli('export', scheme, '--to', 'html', '--suffix', 'x1');
  cli('generate', scheme, '--suffix', 'x1', '--from-list', '-o', join(site.dir, 'list.js'));
  site.page('list.html', pageHtml(`${nav}<script src="list.js"></script>`, { charset: 'gbk' }));
  const url = pathToFileURL(join(site.dir, 'list.html')).href;

  const plain = await browser.newContext({ javaScriptEnabled: false });
  const noScript = await plain.newPage();
  await noScript.goto(url);
  const links = await noScript.$$eval('nav[data-sylvanode="treex1"] li > :first-child', (els) => els.map((e) => e.textContent));
  await plain.close();
  assert.deepEqual(links, ['Docs', 'Guide', 'Frames', 'Deep', 'Leaf', 'Tools', 'Run', 'Alpha', 'Zeta']);

  const { page, context, errors } = await openPage(browser);
  await page.goto(url);
  await page.locator('a[role=treeitem]:text-is("Docs")').click();
  const items = await page.$$eval('[role=treeitem]', (els) => els.map((e) => e.textContent.trim()));
  assert.ok(['Docs', 'Guide', 'Frames', 'Deep', 'Tools'].every((t) => items.includes(t)), JSON.stringify(items));
  assert.equal(await page.locator('a[role=treeitem]:text-is("Guide")').getAttribute('href'), 'guide.htm');
  assert.deepEqual(errors, []);
  await context.close();
});
