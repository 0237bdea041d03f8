// SPDX-License-Identifier: MIT
// What assistive technology receives: Chromium's accessibility tree, read through the DevTools
// protocol, for random menus; the current page and the tree's name; the focused item kept in view.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, rowsOf, accessibilityTree, frames } from './lib/harness.mjs';
import { randomForest } from './lib/forest.mjs';

let env;
before(async () => { env = await setup(); });
after(async () => { await env.close(); });

// Parent index, position and set size of every item of a forest.
function family(items) {
  const up = [], out = items.map(() => ({}));
  items.forEach((it, i) => {
    up.length = it.level;
    out[i].parent = it.level ? up[it.level - 1] : -1;
    out[i].folder = !!items[i + 1] && items[i + 1].level > it.level;
    up.push(i);
  });
  const count = new Map();
  out.forEach((f) => { f.pos = (count.get(f.parent) || 0) + 1; count.set(f.parent, f.pos); });
  out.forEach((f) => { f.size = count.get(f.parent); });
  return out;
}

test('every drawn item is a treeitem with name, level, position, expanded and selected state, and its hint', async () => {
  for (const seed of [3, 4, 5]) {
    // Links to parts of the page, so that clicking selects without leaving it.
    const items = randomForest(400, { seed }).map((it, i) => ({ ...it, link: it.link && `#part${i}` }));
    const fam = family(items);
    env.site.menu(`ax${seed}`, items);
    env.site.page(`ax${seed}.html`, pageHtml(`<nav aria-label="Site"><script src="ax${seed}.js"></script></nav>`));
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + `ax${seed}.html`);

    const check = async (shown, selected, when) => {
      const ax = await accessibilityTree(page);
      const treeitems = ax.filter((n) => n.role === 'treeitem');
      const byName = new Map(treeitems.map((n) => [n.name, n]));
      assert.equal(treeitems.length, shown.length, `${when}: treeitems`);
      assert.deepEqual(ax.filter((n) => n.role === 'tree').map((n) => n.name), ['Site'], 'the tree is named after its host');
      assert.deepEqual(ax.filter((n) => /table|row|cell/i.test(n.role)).map((n) => n.role), [], 'no layout table reaches the tree');
      for (const i of shown) {
        const it = items[i], n = byName.get(it.name), f = fam[i];
        assert.ok(n, `${when}: ${it.name} is a treeitem`);
        let up = n.parent;
        while (up && up.role !== 'treeitem' && up.role !== 'tree') up = up.parent;
        assert.deepEqual([n.level, n.expanded, n.selected, n.description, up.role === 'tree' ? -1 : up.name],
          [it.level + 1, f.folder ? when === 'opened' : undefined, i === selected, it.hint,
            f.parent < 0 ? -1 : items[f.parent].name], `${when}: ${it.name}`);
      }
      const rows = await rowsOf(page);
      assert.deepEqual(rows.map((r) => [r.posinset, r.setsize]), shown.map((i) => [`${fam[i].pos}`, `${fam[i].size}`]));
    };

    await check(items.flatMap((it, i) => (it.level ? [] : [i])), -1, 'closed');
    await page.evaluate(() => tree.expandAll());
    const pick = items.findLastIndex((it, i) => !fam[i].folder && it.link);
    await page.locator(`a[role=treeitem]:text-is("${items[pick].name}")`).click();
    await check(items.map((_, i) => i), pick, 'opened');
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test('the current page: its fragment, a folder and its index page; the tree named by its host', async () => {
  const items = [
    { name: 'Part one', level: 0, link: '/anchors.htm#one' },
    { name: 'Part two', level: 0, link: '/anchors.htm#two' },
    { name: 'Guides', level: 0, link: '/guide/index.html' },
    { name: 'Docs home', level: 1, link: '/docs/' },
    { name: 'Top', level: 1, link: '#top' },
  ];
  env.site.menu('here', items, { fileIcon: '', folderIcon1: '', folderIcon2: '', 'show line': 0 });
  const host = {
    nav: ['<nav aria-label="Chapters">', '</nav>', 'Chapters'],
    labelled: ['<h2 id="toc">Contents</h2><div aria-labelledby="toc">', '</div>', 'Contents'],
    plain: ['<div>', '</div>', 'Menu'],
    zh: ['<div>', '</div>', '菜单'],
  };
  const table = [
    ['anchors.htm#two', 'nav', 'Part two'],
    ['anchors.htm', 'labelled', 'Part one'],
    ['anchors.htm#three', 'plain', 'Part one'],
    ['docs/index.html', 'zh', 'Docs home'],
    ['docs/index.htm', 'nav', 'Docs home'],
    ['guide/', 'nav', 'Guides'],
    ['other.htm#top', 'nav', 'Top'],
    ['other.htm', 'nav', null],
  ];
  for (const [address, how, expected] of table) {
    const [open, close, name] = host[how];
    const file = address.replace(/#.*/, '').replace(/\/$/, '/index.html');
    env.site.page(file, `<!doctype html><html lang="${how === 'zh' ? 'zh-CN' : 'en'}"><head><meta charset="utf-8"><title>here</title>` +
      `<script src="/sylvanode-tree.min.js"></script></head><body>${open}<script src="/here.js"></script>${close}</body></html>`);
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + address);
    const current = await page.$$eval('[aria-current]', (as) => as.map((a) => [a.textContent, a.getAttribute('aria-current')]));
    assert.deepEqual(current, expected ? [[expected, 'page']] : [], address);
    const ax = await accessibilityTree(page);
    assert.deepEqual(ax.filter((n) => n.selected).map((n) => n.name), expected ? [expected] : [], `${address}: selected`);
    assert.equal(ax.find((n) => n.role === 'tree').name, name, `${address}: the tree's name`);
    assert.deepEqual(errors, []);
    await context.close();
  }
});

test('the focused item stays in view on a fully open 10,000-item menu, and paging keeps the scrollbar still', async () => {
  const items = randomForest(10000, { seed: 8 });
  env.site.menu('big', items);
  env.site.page('big.html', pageHtml('<script src="big.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'big.html');
  await page.evaluate(() => tree.expandAll());
  await page.locator('a[role=treeitem]').first().focus();
  const press = async (key) => {
    await page.keyboard.press(key);
    await frames(page, 3);
    const at = await page.evaluate(() => {
      const r = document.activeElement.getBoundingClientRect();
      return { text: document.activeElement.textContent, top: r.top, bottom: r.bottom, view: innerHeight,
        length: document.scrollingElement.scrollHeight };
    });
    assert.ok(at.top >= 0 && at.bottom <= at.view, `${key}: ${at.text} at ${at.top}..${at.bottom} of ${at.view}`);
    return at;
  };
  assert.equal((await press('End')).text, items.at(-1).name);
  assert.equal((await press('Home')).text, items[0].name);
  const seen = [];
  for (let i = 0; i < 6; i++) seen.push(await press('PageDown'));
  seen.push(await press('PageUp'));
  const index = seen.map((s) => items.findIndex((it) => it.name === s.text));
  assert.ok(index[0] > 10 && index.slice(1, 6).every((x, i) => x > index[i]) && index[6] < index[5], `paged to ${index}`);
  assert.ok(Math.max(...seen.map((s) => s.length)) - Math.min(...seen.map((s) => s.length)) <= 2,
    `page length ${seen.map((s) => s.length)}`);
  // Type-ahead far down: the next title that starts with the letter.
  const from = index[6];
  const target = items.findIndex((it, i) => i > from && it.name.startsWith('Z'));
  assert.equal((await press('z')).text, items[target].name);
  assert.deepEqual(errors, []);
  await context.close();
});

test('every open row reaches the accessibility tree, at 5,000 and 10,000 open items', async () => {
  for (const count of [5000, 10000]) {
    const items = randomForest(count, { seed: 9 });
    env.site.menu(`reach${count}`, items);
    env.site.page(`reach${count}.html`, pageHtml(`<script src="reach${count}.js"></script>`));
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + `reach${count}.html`);
    await page.evaluate(() => tree.expandAll());
    await frames(page);
    const names = new Set((await accessibilityTree(page)).filter((n) => n.role === 'treeitem').map((n) => n.name));
    const reached = items.filter((it) => names.has(it.name)).length;
    assert.ok(reached >= 0.99 * count, `${reached} of ${count} open rows in the accessibility tree`);
    assert.deepEqual(errors, []);
    await context.close();
  }
});
