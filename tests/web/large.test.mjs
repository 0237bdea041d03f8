// SPDX-License-Identifier: MIT
// Large menus: rows drawn in blocks and slices always show exactly the open items, in order;
// everything opened is found by find-in-page and printed.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { setup, openPage, pageHtml } from './lib/harness.mjs';
import { randomForest } from './lib/forest.mjs';

let env;
before(async () => { env = await setup(); });
after(async () => { await env.close(); });

// The rows a menu shows, in order: [title, level, expanded].
const shownRows = (page) => page.$$eval('[role=tree] a[role=treeitem]', (as) => as.filter((a) => !a.closest('[hidden]'))
  .map((a) => [a.textContent, +a.getAttribute('aria-level'), a.getAttribute('aria-expanded')]));

test('random openings, closings and reloads: the rows shown are always the open items in order', async () => {
  for (const seed of [21, 22]) {
    const items = randomForest(1500, { seed }).map((it) => ({ ...it, link: '' }));
    const folder = items.map((it, i) => !!items[i + 1] && items[i + 1].level > it.level);
    const open = items.map(() => false);
    const expected = () => {
      const out = [];
      let hideBelow = Infinity;
      items.forEach((it, i) => {
        if (it.level > hideBelow) return;
        hideBelow = Infinity;
        out.push([it.name, it.level + 1, folder[i] ? `${open[i]}` : null]);
        if (folder[i] && !open[i]) hideBelow = it.level;
      });
      return out;
    };
    env.site.menu(`ops${seed}`, items, { 'show line': 1 });
    env.site.page(`ops${seed}.html`, pageHtml(`<script src="ops${seed}.js"></script>`));
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + `ops${seed}.html`);
    let rnd = seed;
    const next = (n) => (rnd = (rnd * 1103515245 + 12345) % 2147483648) % n;
    for (let step = 0; step < 24; step++) {
      const op = next(10);
      if (op === 0) {
        const all = next(2) === 0;
        await page.evaluate((o) => tree.expandAll(o), all);
        folder.forEach((f, i) => { open[i] = f && all; });
      } else if (op === 2) {
        // The open folders are remembered, those inside closed ones too.
        await page.reload();
      } else {
        // A click on the row of a shown folder, beside its text, opens or closes it.
        const shown = expected().map((r) => items.findIndex((it) => it.name === r[0])).filter((i) => folder[i]);
        if (!shown.length) continue;
        const i = shown[next(shown.length)];
        await page.locator(`a[role=treeitem]:text-is("${items[i].name}")`).evaluate((a) => a.closest('.sn-r').click());
        open[i] = !open[i];
      }
      await page.evaluate(() => new Promise((ok) => setTimeout(ok, 0)));
      // Rows still queued are drawn within a few tasks; the open state shows at once.
      await page.waitForFunction((n) => document.querySelectorAll('[role=tree] a[role=treeitem]:not([hidden] *)').length >= n,
        expected().length);
      assert.deepEqual(await shownRows(page), expected(), `seed ${seed}, step ${step}`);
    }
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test('a menu opened whole: find-in-page finds the items far down, and printing prints every item', async () => {
  const items = randomForest(3000, { seed: 31 });
  env.site.menu('whole', items);
  env.site.page('whole.html', pageHtml('<script src="whole.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'whole.html');
  await page.evaluate(() => tree.expandAll());
  for (const i of [1500, 2999]) {
    assert.ok(await page.evaluate((t) => window.find(t), items[i].name), `find ${items[i].name}`);
    assert.equal(await page.evaluate(() => getSelection().anchorNode.parentElement.getAttribute('role')), 'treeitem');
  }
  // Printing right after opening: what is still queued is drawn first.
  await page.reload();
  await page.evaluate(() => { tree.expandAll(); });
  const pdf = join(env.site.dir, 'whole.pdf');
  writeFileSync(pdf, await page.pdf());
  const text = execFileSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8', maxBuffer: 1 << 26 });
  const missing = items.filter((it) => !text.includes(it.name)).map((it) => it.name);
  assert.deepEqual(missing.slice(0, 5), [], `${missing.length} items not printed`);
  assert.deepEqual(errors, []);
  await context.close();
});

test('open all while the top level is still being drawn: the new rows among the drawn ones come first, then rows only below', async () => {
  // 3,000 top-level folders of one file each: more than the first slice after building draws. Rows
  // drawn above others move every row below them: once rows are drawn below the top-level rows
  // that were there, none may be drawn above.
  const items = Array.from({ length: 3000 }, (_, i) => [{ name: `Top ${i}`, level: 0, link: '' }, { name: `File ${i}`, level: 1, link: '' }]).flat();
  env.site.menu('order', items);
  env.site.page('order.html', pageHtml(`<script>
var rows = [], drawnBefore, realBuild = Tree_buildTree;
new MutationObserver(function (l) { l.forEach(function (m) { m.addedNodes.forEach(function (e) { if (e.classList && e.classList.contains('sn-r')) rows.push(e); }); }); })
  .observe(document.body, { childList: true, subtree: true });
Tree_buildTree = function (a, t) { realBuild(a, t); drawnBefore = document.querySelectorAll('.sn-r').length; t.expandAll(); };
</script><script src="order.js"></script>`));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'order.html');
  await page.waitForFunction((n) => document.querySelectorAll('[role=treeitem]').length === n, items.length);
  const result = await page.evaluate(() => {
    const below = rows.findIndex((r) => r.textContent === `Top ${drawnBefore}`);
    const above = rows.findIndex((r, k) => k > below && !(rows[k - 1].compareDocumentPosition(r) & Node.DOCUMENT_POSITION_FOLLOWING));
    return { drawnBefore, drawn: rows.length, below, above: above < 0 ? null : rows[above].textContent };
  });
  assert.ok(result.drawnBefore < 3000 && result.drawn === items.length, JSON.stringify(result));
  assert.equal(result.above, null, JSON.stringify(result));
  assert.deepEqual(errors, []);
  await context.close();
});

test('the largest menu written as a call and the smallest written as an array literal both load', async () => {
  // 9 array elements a file, and the closing 5: 29,998 and 30,007 elements.
  for (const count of [3333, 3334]) {
    const items = Array.from({ length: count }, (_, i) => ({ name: `File ${i}`, level: 0, link: '' }));
    env.site.menu(`limit${count}`, items);
    env.site.page(`limit${count}.html`, pageHtml(`<script src="limit${count}.js"></script>`));
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + `limit${count}.html`);
    const form = await page.evaluate((url) => fetch(url).then((r) => r.text()).then((t) => t.slice(0, 24)), `limit${count}.js`);
    assert.equal(form, count === 3333 ? 'var tree_node=new Array(' : 'var tree_node=[2,"File 0');
    await page.waitForFunction((n) => document.querySelectorAll('[role=treeitem]').length === n, count);
    assert.deepEqual(errors, []);
    await context.close();
  }
});
