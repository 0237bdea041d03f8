// SPDX-License-Identifier: MIT
// What a generated script expects of the library: the worked example, every option's visible
// effect, actions, classes, hints and status texts, and a GBK page.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, fixture, schemeVariant, rowsOf } from './lib/harness.mjs';

let env;
before(async () => { env = await setup(); });
after(async () => { await env.close(); });

const item = (page, text) => page.locator(`a[role=treeitem]:text-is("${text}")`);
const byText = (rows) => Object.fromEntries(rows.map((r) => [r.text, r]));

// Generates `script` from the options fixture with some [Config] keys changed and opens it in a
// page beside a frame named "content" (the scheme's default target).
async function optionsPage(config = {}, script = 'options.js') {
  env.site.generate(schemeVariant(env.site.dir, 'options.menu', config), script);
  env.site.page(`${script}.html`, pageHtml(`<script src="${script}"></script><iframe name="content" src="blank.htm" title="content"></iframe>`));
  const p = await openPage(env.browser);
  await p.page.goto(env.server.url + `${script}.html`);
  return p;
}

test('worked example: Help with About below it, opening on click, links in their frames', async () => {
  env.site.generate(fixture('worked.menu'), 'worked.js');
  env.site.page('worked.html', pageHtml('<script src="worked.js"></script><iframe name="main" src="blank.htm" title="main"></iframe>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'worked.html');

  let rows = await rowsOf(page);
  assert.deepEqual(rows.map((r) => [r.text, r.level, r.expanded, r.visible]), [['Help', '1', 'false', true]]);
  assert.equal(rows[0].href, 'help.htm');
  assert.equal(rows[0].target, '_blank', 'an empty item target means the default target');

  const popup = context.waitForEvent('page');
  await item(page, 'Help').click();
  const opened = await popup;
  await opened.waitForLoadState();
  assert.match(opened.url(), /help\.htm$/);
  rows = byText(await rowsOf(page));
  assert.equal(rows.Help.expanded, 'true');
  assert.equal(rows.Help.cls, 'Tree_FOLDER_3', 'the selected folder takes class 3');
  assert.deepEqual([rows.About.visible, rows.About.level, rows.About.target, rows.About.cls], [true, '2', 'main', 'Tree_FILE_1']);

  await item(page, 'About').click();
  await page.frameLocator('iframe[name=main]').locator('#page:text-is("about.htm")').waitFor();
  rows = byText(await rowsOf(page));
  assert.equal(rows.About.cls, 'Tree_FILE_3');
  assert.equal(rows.Help.cls, 'Tree_FOLDER_1', 'selection moved away from Help');

  await item(page, 'Help').click();
  rows = byText(await rowsOf(page));
  assert.equal(rows.Help.expanded, 'false');
  assert.equal(rows.About.visible, false, 'a second click closes the folder');
  assert.deepEqual(errors, []);
  await context.close();
});

test('icons: item icons, defaults of their kind, open and closed folders, useImage off', async () => {
  const { page, context, errors } = await optionsPage();
  await item(page, 'Tools').click();
  let rows = byText(await rowsOf(page));
  assert.deepEqual(rows.Docs.icons, ['lines/sn-plus.svg', 'img/doc-closed.svg']);
  assert.deepEqual(rows.Tools.icons, ['lines/sn-minus.svg', 'img/folder-open.svg'], 'open folder: default second icon');
  assert.deepEqual(rows.Run.icons, ['img/file.svg'], 'empty file icon: default file icon');
  await item(page, 'Docs').click();
  rows = byText(await rowsOf(page));
  assert.deepEqual(rows.Docs.icons, ['lines/sn-minus.svg', 'img/doc-open.svg']);
  assert.deepEqual(rows.Frames.icons, ['img/page.svg']);
  assert.deepEqual(rows.Deep.icons, ['lines/sn-plus.svg', 'img/folder-closed.svg']);
  // Every drawn image exists (icons and node-line images).
  const used = await page.$$eval('[role=tree] *', (es) => [...new Set(es.flatMap((e) => ['::before', '::after', ''].flatMap((p) => {
    const s = getComputedStyle(e, p || null);
    return [...`${s.content} ${s.backgroundImage}`.matchAll(/url\("([^"]*)"\)/g)].map((m) => m[1]);
  })))]);
  assert.ok(used.length >= 6, used.join(' '));
  assert.deepEqual(await page.evaluate((urls) => Promise.all(urls.map((u) => new Promise((ok) => {
    const i = new Image();
    i.onload = () => ok(i.naturalWidth > 0 ? '' : u);
    i.onerror = () => ok(u);
    i.src = u;
  }))).then((r) => r.filter(Boolean)), used), []);
  assert.deepEqual(errors, []);
  await context.close();

  const off = await optionsPage({ 'use image': 0, 'show line': 0 }, 'noimage.js');
  await item(off.page, 'Docs').click();
  assert.deepEqual((await rowsOf(off.page)).flatMap((r) => r.icons), [], 'no icons and no line images');
  await off.context.close();
});

test('lines between nodes from lineFolder, and the indent in points per level', async () => {
  const { page, context, errors } = await optionsPage();
  await item(page, 'Docs').click();
  await item(page, 'Deep').click();
  // The connector of a row, and the vertical lines that the groups around it draw beside their rows.
  // Indents are measured at the rows: the text cells move again when an icon that a click asked for arrives.
  const cells = await page.$$eval('[role=tree] a[role=treeitem]', (as) => Object.fromEntries(as.map((a) => {
    const groups = [];
    for (let g = a.closest('[role=group]'); g; g = g.parentElement.closest('[role=group]')) groups.push(getComputedStyle(g).backgroundImage);
    return [a.textContent, { indent: groups.join(' '), connector: getComputedStyle(a.closest('.sn-r')).backgroundImage,
      x: a.closest('.sn-r').getBoundingClientRect().left }];
  })));
  assert.match(cells.Docs.connector, /lines\/sn-line-t\.svg/, 'a root with a next sibling: T');
  assert.match(cells.Zeta.connector, /lines\/sn-line-l\.svg/, 'the last root: L');
  assert.match(cells.Deep.connector, /sn-line-l\.svg/);
  // Leaf: Docs continues below (I), Deep is the last child of Docs (blank).
  assert.equal((cells.Leaf.indent.match(/sn-line-i\.svg/g) || []).length, 1);
  assert.equal(cells.Docs.indent, '');
  const pt = 4 / 3;
  assert.ok(Math.abs(cells.Leaf.x - cells.Docs.x - 2 * 20 * pt) < 0.6, `two levels of 20pt: ${cells.Leaf.x - cells.Docs.x}`);
  assert.deepEqual(errors, []);
  await context.close();

  const flat = await optionsPage({ 'show line': 0, indent: 30 }, 'nolines.js');
  await item(flat.page, 'Docs').click();
  await item(flat.page, 'Deep').click();
  const info = await flat.page.$$eval('[role=tree] a[role=treeitem]', (as) => Object.fromEntries(as.map((a) => [a.textContent,
    { connector: getComputedStyle(a.closest('.sn-r')).backgroundImage, x: a.closest('.sn-r').getBoundingClientRect().left,
      bg: ((g) => (g ? getComputedStyle(g).backgroundImage : 'none'))(a.closest('[role=group]')) }])));
  assert.doesNotMatch(info.Leaf.connector, /sn-line/, 'indent, icon and text: no connector');
  assert.equal(info.Leaf.bg, 'none');
  assert.ok(Math.abs(info.Leaf.x - info.Docs.x - 2 * 30 * pt) < 0.6, `two levels of 30pt: ${info.Leaf.x - info.Docs.x}`);
  await flat.context.close();
});

test('hints: the item hint or its title as the tooltip, as text, only with useHint', async () => {
  const { page, context } = await optionsPage();
  await item(page, 'Docs').click();
  await item(page, 'Deep').click();
  let rows = byText(await rowsOf(page));
  assert.equal(rows.Docs.title, 'Documentation <b>bold</b>');
  assert.equal(rows.Leaf.title, 'Say "hi" & <i>x</i>');
  assert.equal(rows.Guide.title, 'Guide', 'an empty hint takes the title');
  assert.equal(await page.locator('[role=tree] b, [role=tree] i').count(), 0, 'texts are never parsed as markup');
  await context.close();

  const noTitle = await optionsPage({ useTitleAsHint: 0 }, 'hint2.js');
  await item(noTitle.page, 'Docs').click();
  rows = byText(await rowsOf(noTitle.page));
  assert.equal(rows.Docs.title, 'Documentation <b>bold</b>');
  assert.equal(rows.Guide.title, null);
  await noTitle.context.close();

  const off = await optionsPage({ 'show hint': 0 }, 'hint3.js');
  await item(off.page, 'Docs').click();
  rows = await rowsOf(off.page);
  assert.deepEqual(rows.map((r) => r.title), rows.map(() => null));
  await off.context.close();
});

test('status texts: window.status, data-status and the sylvanode-status event', async () => {
  const { page, context } = await optionsPage();
  await page.evaluate(() => {
    window.seen = [];
    document.addEventListener('sylvanode-status', (e) => window.seen.push([e.detail.text, e.detail.index]));
  });
  const status = () => page.evaluate(() => [window.status, document.querySelector('[role=tree]').getAttribute('data-status')]);
  await item(page, 'Docs').hover();
  assert.deepEqual(await status(), ['Docs status', 'Docs status']);
  await item(page, 'Docs').click();
  await item(page, 'Guide').hover();
  assert.deepEqual(await status(), ['Guide', 'Guide'], 'an empty status text takes the title');
  await page.mouse.move(600, 400);
  assert.deepEqual(await status(), ['', '']);
  assert.deepEqual(await page.evaluate(() => window.seen), [['Docs status', 0], ['Guide', 1], ['', -1]]);
  await context.close();

  const noTitle = await optionsPage({ useTitleAsStatus: 0 }, 'status2.js');
  await item(noTitle.page, 'Zeta').hover();
  assert.equal(await noTitle.page.evaluate(() => window.status), '');
  await item(noTitle.page, 'Docs').hover();
  assert.equal(await noTitle.page.evaluate(() => window.status), 'Docs status');
  await noTitle.context.close();

  const off = await optionsPage({ 'show status': 0 }, 'status3.js');
  await item(off.page, 'Docs').hover();
  assert.deepEqual(await off.page.evaluate(() => [window.status, document.querySelector('[role=tree]').hasAttribute('data-status')]), ['', false]);
  await off.context.close();
});

test('actions: links open in their target frame, a script item runs its script', async () => {
  const { page, context, errors } = await optionsPage();
  const frame = page.frameLocator('iframe[name=content]');
  await item(page, 'Docs').click();
  await frame.locator('#page:text-is("docs.htm")').waitFor();
  await item(page, 'Frames').click();
  await frame.locator('#page:text-is("frame.htm")').waitFor();
  await item(page, 'Guide').click();
  await frame.locator('#page:text-is("guide.htm")').waitFor();
  const rows = byText(await rowsOf(page));
  assert.deepEqual([rows.Guide.href, rows.Guide.target], ['guide.htm', 'content'], 'a real link: middle click and new tab work');
  assert.equal(rows.Docs.target, 'content');

  await item(page, 'Tools').click();
  assert.equal(byText(await rowsOf(page)).Tools.href, null, 'an item without a link has no href');
  await item(page, 'Run').click();
  assert.deepEqual(await page.evaluate(() => [window.runs, window.ranBy]), [1, 'Run']);
  assert.equal(page.url(), env.server.url + 'options.js.html', 'the page itself stayed');
  assert.deepEqual(errors, []);
  await context.close();
});

test('classes: 1 normal, 2 under the pointer, 3 selected; showSelect off keeps the selected item plain', async () => {
  const { page, context } = await optionsPage();
  const cls = async (t) => byText(await rowsOf(page))[t].cls;
  const bg = (t) => item(page, t).evaluate((a) => getComputedStyle(a).backgroundColor);
  assert.equal(await cls('Zeta'), 'Tree_FILE_1');
  assert.equal(await bg('Zeta'), 'rgb(240, 240, 240)', 'the generated style sheet reaches the text cell');
  await item(page, 'Zeta').hover();
  assert.equal(await cls('Zeta'), 'Tree_FILE_2');
  assert.equal(await bg('Zeta'), 'rgb(255, 255, 0)');
  await item(page, 'Tools').hover();
  assert.deepEqual([await cls('Zeta'), await cls('Tools')], ['Tree_FILE_1', 'Tree_FOLDER_2']);
  await item(page, 'Tools').click();
  await item(page, 'Run').click();
  await page.mouse.move(600, 400);
  assert.deepEqual([await cls('Run'), await cls('Tools')], ['Tree_FILE_3', 'Tree_FOLDER_1']);
  assert.equal(await bg('Run'), 'rgb(0, 255, 255)');
  await context.close();

  const plain = await optionsPage({ 'show select': 0 }, 'noselect.js');
  await item(plain.page, 'Tools').click();
  await item(plain.page, 'Run').click();
  await plain.page.mouse.move(600, 400);
  const rows = byText(await rowsOf(plain.page));
  assert.deepEqual([rows.Run.cls, rows.Tools.cls], ['Tree_FILE_1', 'Tree_FOLDER_1']);
  await plain.context.close();
});

test('a GBK page with Chinese titles, hints and status texts', async () => {
  env.site.generate(fixture('gbk.menu'), 'gbk.js');
  env.site.page('gbk.html', pageHtml('<script src="gbk.js"></script>', { charset: 'gbk' }));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'gbk.html');
  await item(page, '产品').click();
  const rows = byText(await rowsOf(page));
  assert.deepEqual(Object.keys(rows), ['产品', '运输', '关于我们', '地图']);
  assert.equal(rows['产品'].title, '全部产品');
  assert.equal(rows['运输'].title, '运输说明', 'the trail byte 0x5C of 运 stays part of the character');
  await item(page, '产品').hover();
  assert.equal(await page.evaluate(() => window.status), '浏览产品');

  // A page with a Chinese file name is found as "you are here" (its address is percent-encoded).
  env.site.page('地图.htm', pageHtml('<script src="gbk.js"></script>', { charset: 'gbk' }));
  const fresh = await openPage(env.browser);
  await fresh.page.goto(env.server.url + encodeURIComponent('地图') + '.htm');
  assert.equal(byText(await rowsOf(fresh.page))['地图'].cls, 'Tree_FILE_3');
  assert.deepEqual([...errors, ...fresh.errors], []);
  await fresh.context.close();
  await context.close();
});

test('inside a frameset the links open in the named frame', async () => {
  env.site.generate(fixture('options.menu'), 'framed.js');
  env.site.page('menu-frame.html', pageHtml('<script src="framed.js"></script>'));
  env.site.page('frameset.html', '<!doctype html><html><head><title>frames</title></head>' +
    '<frameset cols="200,*"><frame name="menu" src="menu-frame.html"><frame name="content" src="blank.htm"></frameset></html>');
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'frameset.html');
  const menu = page.frameLocator('frame[name=menu]');
  await menu.locator('a[role=treeitem]:text-is("Docs")').click();
  await menu.locator('a[role=treeitem]:text-is("Frames")').click();
  await page.frameLocator('frame[name=content]').locator('#page:text-is("frame.htm")').waitFor();
  assert.equal(page.frames().find((f) => f.name() === 'menu').url(), env.server.url + 'menu-frame.html', 'the menu frame stayed');
  assert.deepEqual(errors, []);
  await context.close();
});
