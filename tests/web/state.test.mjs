// SPDX-License-Identifier: MIT
// What the menu remembers across page loads, "you are here", and pages without storage.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { setup, openPage, pageHtml, fixture, rowsOf } from './lib/harness.mjs';

let env;
const body = '<script src="st.js"></script><iframe name="content" src="blank.htm" title="content"></iframe>';
before(async () => {
  env = await setup();
  env.site.generate(fixture('options.menu'), 'st.js');
  env.site.page('st.html', pageHtml(body));
});
after(async () => { await env.close(); });

const rows = async (page) => Object.fromEntries((await rowsOf(page)).map((r) => [r.text, r]));
const click = (page, text) => page.locator(`a[role=treeitem]:text-is("${text}")`).click();

test('open folders and the selected item are kept across a reload', async () => {
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'st.html');
  for (const t of ['Docs', 'Deep', 'Tools', 'Run']) await click(page, t);
  await page.reload();
  let r = await rows(page);
  assert.deepEqual([r.Docs.expanded, r.Deep.expanded, r.Tools.expanded, r.Leaf.visible], ['true', 'true', 'true', true]);
  assert.equal(r.Run.cls, 'Tree_FILE_3');
  assert.equal(r.Run.tabindex, '0', 'the tab stop is on the selected item');

  await click(page, 'Docs');
  await page.reload();
  r = await rows(page);
  assert.deepEqual([r.Docs.expanded, r.Tools.expanded, r.Leaf?.visible ?? false], ['false', 'true', false]);
  await click(page, 'Docs');
  assert.equal((await rows(page)).Deep.expanded, 'true', 'a folder inside a closed one keeps its state');

  // Garbage under the menu's key is ignored, and so is what older versions kept under the suffix alone.
  const key = await page.evaluate(() => Object.keys(sessionStorage).find((k) => /^sylvanode:tree:\w+$/.test(k)));
  for (const [k, value] of [[key, '{not json'], [key, 'null'], [key, '{"o":"x","s":"y"}'], ['sylvanode:tree', '{"n":9,"o":[0,5],"s":6}']]) {
    await page.evaluate(([k, v]) => { sessionStorage.clear(); sessionStorage.setItem(k, v); }, [k, value]);
    await page.reload();
    r = await rows(page);
    assert.deepEqual([r.Docs.expanded, r.Tools.expanded, Object.keys(r).length], ['false', 'false', 3], `${k}=${value}`);
  }
  assert.deepEqual(errors, []);
  await context.close();
});

test('another menu of the same size and suffix does not take over the state of the first', async () => {
  // Same size, same levels, other titles: another site's menu, or the next version of this one.
  const text = readFileSync(fixture('options.menu'), 'latin1').replace(/^0=Docs\r/m, '0=Manuals\r').replace(/^5=Tools\r/m, '5=Utilities\r');
  writeFileSync(join(env.site.dir, 'other.menu'), text, 'latin1');
  env.site.generate(join(env.site.dir, 'other.menu'), 'other.js');
  env.site.page('other.html', pageHtml(body.replace('st.js', 'other.js')));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'st.html');
  for (const t of ['Docs', 'Tools', 'Run']) await click(page, t);
  await page.goto(env.server.url + 'other.html');
  let r = await rows(page);
  assert.deepEqual([r.Manuals.expanded, r.Utilities.expanded, Object.keys(r).length], ['false', 'false', 3]);
  await click(page, 'Manuals');
  await page.goto(env.server.url + 'st.html');
  r = await rows(page);
  assert.deepEqual([r.Docs.expanded, r.Tools.expanded, r.Run.cls], ['true', 'true', 'Tree_FILE_3'], 'each menu keeps its own');
  assert.deepEqual(errors, []);
  await context.close();
});

test('the item whose link is the current page is selected and its branch opened', async () => {
  env.site.page('leaf.htm', pageHtml(body));
  const { page, context, errors } = await openPage(env.browser);
  for (const suffix of ['leaf.htm', 'leaf.htm#part']) {
    await page.goto(env.server.url + suffix);
    const r = await rows(page);
    assert.deepEqual([r.Docs.expanded, r.Deep.expanded, r.Tools.expanded], ['true', 'true', 'false'], suffix);
    assert.deepEqual([r.Leaf.visible, r.Leaf.cls, r.Leaf.tabindex], [true, 'Tree_FILE_3', '0'], suffix);
  }
  assert.deepEqual(errors, []);
  await context.close();
});

test('without storage (a sandboxed frame) the menu still works', async () => {
  env.site.page('sandbox.html', pageHtml('<iframe sandbox="allow-scripts" src="st.html" title="menu"></iframe>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'sandbox.html');
  const frame = page.frameLocator('iframe[title=menu]');
  assert.equal(await frame.locator('a[role=treeitem]').count(), 3);
  await frame.locator('a[role=treeitem]:text-is("Tools")').click();
  await frame.locator('a[role=treeitem]:text-is("Run")').click();
  assert.equal(await frame.locator('a[role=treeitem]:text-is("Run")').evaluate((a) => a.className.replace("sn-a ", "")), 'Tree_FILE_3');
  assert.equal(await frame.locator('a[role=treeitem]:text-is("Run")').evaluate(() => {
    try { return typeof sessionStorage.length; } catch (e) { return e.name; }
  }), 'SecurityError', 'storage really is unavailable there');
  assert.deepEqual(errors, []);
  await context.close();
});
