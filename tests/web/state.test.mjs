// What the menu remembers across page loads, "you are here", and pages without storage.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
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

  // A menu of another size under the same name, or garbage, is ignored.
  for (const value of ['{"n":3,"o":[0],"s":1}', '{not json', 'null']) {
    await page.evaluate((v) => sessionStorage.setItem('sylvanode:tree', v), value);
    await page.reload();
    r = await rows(page);
    assert.deepEqual([r.Docs.expanded, r.Tools.expanded, Object.keys(r).length], ['false', 'false', 3], value);
  }
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
  assert.equal(await frame.locator('a[role=treeitem]:text-is("Run")').evaluate((a) => a.parentElement.className), 'Tree_FILE_3');
  assert.equal(await frame.locator('a[role=treeitem]:text-is("Run")').evaluate(() => {
    try { return typeof sessionStorage.length; } catch (e) { return e.name; }
  }), 'SecurityError', 'storage really is unavailable there');
  assert.deepEqual(errors, []);
  await context.close();
});
