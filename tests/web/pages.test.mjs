// SPDX-License-Identifier: MIT
// Every page and hand: right-to-left pages, touch screens, javascript: links, strict content
// security policies and UTF-8 pages.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { setup, openPage, pageHtml, fixture, cli } from './lib/harness.mjs';

let env;
before(async () => {
  env = await setup();
  env.site.generate(fixture('options.menu'), 'opt.js');
});
after(async () => { await env.close(); });

const item = (page, text) => page.locator(`a[role=treeitem]:text-is("${text}")`);
const frameDoc = (page) => page.frameLocator('iframe[name=content]').locator('#page');
const menuPage = (name, attrs = '', head = '') =>
  env.site.page(name, `<!doctype html><html lang="en"${attrs}><head><meta charset="utf-8"><title>menu</title>${head}` +
    '<script src="sylvanode-tree.min.js"></script></head><body><script src="opt.js"></script>' +
    '<iframe name="content" src="blank.htm" title="content"></iframe></body></html>');

test('right-to-left: node lines and indents mirror, and the arrow keys swap', async () => {
  menuPage('rtl.html', ' dir="rtl"');
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'rtl.html');
  await item(page, 'Docs').focus();
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Guide', 'Left opens and enters on a right-to-left page');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowLeft');
  await page.keyboard.press('ArrowLeft');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Leaf');
  await page.keyboard.press('ArrowRight');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Deep', 'Right goes to the parent');
  const at = await page.$$eval('a[role=treeitem]', (as) => Object.fromEntries(as.map((a) => {
    const row = a.closest('.sn-r'), line = getComputedStyle(row, '::after'), group = a.closest('[role=group]');
    return [a.textContent, { right: a.getBoundingClientRect().right, rowRight: row.getBoundingClientRect().right,
      line: [line.right, line.transform], group: group && getComputedStyle(group).backgroundPosition }];
  })));
  const pt = 4 / 3;
  assert.ok(Math.abs(at.Docs.right - at.Leaf.right - 2 * 20 * pt) < 0.6, `text cells step left by the indent: ${at.Docs.right - at.Leaf.right}`);
  assert.deepEqual(at.Leaf.line, ['0px', 'matrix(-1, 0, 0, 1, 0, 0)'], 'the connector sits at the right, mirrored');
  assert.equal(at.Guide.group, '100% 0px', 'the line of Docs runs down the right side');
  assert.ok(at.Docs.right < at.Docs.rowRight, 'connector and icon right of the text');
  assert.deepEqual(errors, []);
  await context.close();
});

test('touch screens: rows at least 24 px high, the whole row a target; desktop rows keep their height', async () => {
  menuPage('touch.html');
  const desk = await openPage(env.browser);
  await desk.page.goto(env.server.url + 'touch.html');
  const heights = (page) => page.$$eval('.sn-r', (rs) => rs.map((r) => r.getBoundingClientRect().height));
  assert.ok((await heights(desk.page)).every((h) => h < 24), `desktop rows keep the scheme's height: ${await heights(desk.page)}`);
  await desk.context.close();

  const context = await env.browser.newContext({ hasTouch: true, viewport: { width: 500, height: 700 } });
  const page = await context.newPage();
  await page.goto(env.server.url + 'touch.html');
  assert.equal(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), true);
  const tapEnd = async (text) => {
    const r = await item(page, text).evaluate((a) => {
      const row = a.closest('.sn-r').getBoundingClientRect(), tree = a.closest('[role=tree]').getBoundingClientRect();
      return { x: row.right - 2, y: row.top + row.height / 2, end: row.right, treeEnd: tree.right };
    });
    assert.equal(r.end, r.treeEnd, `${text}: the row reaches the end of the menu`);
    await page.touchscreen.tap(r.x, r.y);
  };
  await tapEnd('Docs');
  await frameDoc(page).filter({ hasText: 'docs.htm' }).waitFor();
  assert.equal(await item(page, 'Docs').getAttribute('aria-expanded'), 'true', 'a folder opens and follows its link');
  assert.ok((await heights(page)).every((h) => h >= 24), `${await heights(page)}`);
  await tapEnd('Guide');
  await frameDoc(page).filter({ hasText: 'guide.htm' }).waitFor();
  assert.equal(await item(page, 'Guide').evaluate((a) => a.className.replace("sn-a ", "")), 'Tree_FILE_3');
  await context.close();
});

test('a javascript: link runs in the page like a script item, with the text decoded', async () => {
  const items = [
    { name: 'Count', level: 0, link: 'javascript:window.runs=(window.runs||0)+1;window.by=this.textContent' },
    { name: 'Spaces', level: 0, link: 'JavaScript:window.said=%22a%20b%22' },
  ];
  env.site.menu('jslink', items, { target: '_blank', fileIcon: '', folderIcon1: '', folderIcon2: '' });
  env.site.page('jslink.html', pageHtml('<script src="jslink.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'jslink.html');
  assert.equal(await item(page, 'Count').getAttribute('href'), null, 'no link that "open in new tab" would follow');
  await item(page, 'Count').click();
  await item(page, 'Spaces').click();
  await page.keyboard.press('Enter');
  assert.deepEqual(await page.evaluate(() => [window.runs, window.by, window.said]), [1, 'Count', 'a b']);
  assert.equal(context.pages().length, 1, 'no empty tab');
  assert.deepEqual(errors, []);
  await context.close();
});

test('a strict content security policy: the styles still apply, a forbidden script reports once', async () => {
  menuPage('csp.html', '', `<meta http-equiv="Content-Security-Policy" content="default-src 'self'">`);
  const { page, context, errors } = await openPage(env.browser);
  await page.addInitScript(() => {
    window.violations = [];
    document.addEventListener('securitypolicyviolation', (e) => window.violations.push(e.effectiveDirective));
  });
  await page.goto(env.server.url + 'csp.html');
  await item(page, 'Docs').click();
  const look = await page.evaluate(() => {
    const zeta = [...document.querySelectorAll('a[role=treeitem]')].find((a) => a.textContent === 'Zeta');
    const guide = [...document.querySelectorAll('a[role=treeitem]')].find((a) => a.textContent === 'Guide');
    return { cell: getComputedStyle(zeta).backgroundColor, line: getComputedStyle(zeta.closest('.sn-r')).backgroundImage,
      indent: guide.getBoundingClientRect().left - zeta.getBoundingClientRect().left };
  });
  assert.equal(look.cell, 'rgb(240, 240, 240)', 'the generated TD styles');
  assert.match(look.line, /sn-line-l\.svg/, 'the node lines');
  assert.ok(Math.abs(look.indent - 20 * 4 / 3) < 0.6, `the indent: ${look.indent}`);
  assert.deepEqual(await page.evaluate(() => window.violations), [], 'no style was refused');
  const messages = [];
  const ours = (m) => /sylvanode/i.test(m.text());
  page.on('console', (m) => { if (ours(m)) messages.push(m.text()); });
  const first = page.waitForEvent('console', ours);
  await item(page, 'Tools').click();
  await item(page, 'Run').click();
  await first;
  // Then until the page is idle (after a frame: an idle period follows one): messages logged before
  // arrive before this call returns.
  await page.evaluate(() => new Promise((ok) => requestAnimationFrame(() => requestIdleCallback(() => ok()))));
  assert.equal(messages.length, 1, messages.join('\n'));
  assert.match(messages[0], /"Run".*cannot run/);
  assert.deepEqual(await page.evaluate(() => [window.runs, window.violations]), [undefined, ['script-src']]);
  assert.deepEqual(errors.filter((e) => !/Content Security Policy|sylvanode/.test(e)), [], 'nothing thrown');
  await context.close();
});

test('Chinese titles on a UTF-8 page: a GBK script named so by its script element, or a UTF-8 script', async () => {
  env.site.generate(fixture('gbk.menu'), 'gbk.js');
  cli('generate', fixture('gbk.menu'), '-o', join(env.site.dir, 'utf8.js'), '--charset', 'utf-8');
  for (const script of ['<script charset="gbk" src="gbk.js"></script>', '<script src="utf8.js"></script>']) {
    env.site.page('utf8.html', pageHtml(script));
    const { page, context, errors } = await openPage(env.browser);
    await page.goto(env.server.url + 'utf8.html');
    assert.equal(await page.evaluate(() => document.characterSet), 'UTF-8');
    await item(page, '产品').click();
    assert.deepEqual(await page.$$eval('a[role=treeitem]', (as) => as.map((a) => [a.textContent, a.title])),
      [['产品', '全部产品'], ['运输', '运输说明'], ['关于我们', '关于我们'], ['地图', '地图']], script);
    assert.deepEqual(errors, []);
    await context.close();
  }
});
