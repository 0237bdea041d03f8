// SPDX-License-Identifier: MIT
// Every string in a generated script holds exactly its text: texts and settings full of
// backslashes, quotes, escapes, "</script>" and GBK characters whose trail byte is "\" draw the
// menu unchanged and run nothing, whether the script is included by src or pasted inline, in
// GBK and in UTF-8. A UTF-8 script shows Chinese titles on a UTF-8 page, and in the preview.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, fixture, openPage, pageHtml, rowsOf, setup } from './lib/harness.mjs';

let env;
before(async () => { env = await setup(); });
after(async () => { await env.close(); });

const bytes = (text) => Buffer.from(text, 'latin1');
// The hostile part of every text: it ends in a backslash; 0x81 before a quote starts no character.
const hostile = Buffer.concat([
  bytes('\\|"|\'|\\u0041|C:\\web\\|</script><script>window.__ran=1</script>|"+(window.__ran=1)+"|'),
  bytes("');window.__ran=1;('|<!--|<img src=x onerror=window.__ran=1>|"),
  Buffer.from([0xD5, 0x5C, 0x22, 0xDF, 0x5C, 0x5C, 0x81, 0x5C, 0x27, 0x81, 0x22, 0x7C, 0xD6, 0xD0]),  // 誠"運\乗' ?" 中
  bytes('\\'),
]);
const value = (prefix) => Buffer.concat([bytes(prefix), hostile]);
const shown = (buffer) => new TextDecoder('gbk').decode(buffer);  // what a GBK page makes of the bytes

// A folder holding a script item; every text, every text setting and two font names are hostile.
function hostileScheme(path) {
  const lines = [];
  const add = (key, v) => lines.push(Buffer.concat([bytes(key + '='), Buffer.isBuffer(v) ? v : bytes(String(v))]));
  const section = (name, entries) => {
    lines.push(bytes(`[${name}]`));
    for (const [k, v] of entries) add(k, v);
  };
  section('Config', [['count', 2], ['workDir', '/srv/site/'], ['fileIcon', value('F')], ['folderIcon1', value('O')],
    ['folderIcon2', value('P')], ['indent', 13], ['target', value('T')], ['lineFolder', value('L')], ['use image', 0],
    ['useTitleAsHint', 1], ['useTitleAsStatus', 1], ['show hint', 1], ['show status', 1], ['show select', 1],
    ['show line', 0]]);
  section('MenuName', [[0, value('N')], [1, value('n')]]);
  section('MenuLevel', [[0, 0], [1, 1]]);
  section('Hint', [[0, value('H')], [1, value('h')]]);
  section('Content Type', [[0, 0], [1, 1]]);
  section('Link', [[0, value('K')]]);
  section('Target', [[0, value('G')]]);
  section('Script', [[1, value('s')]]);
  section('Icon1', [[0, value('I')], [1, value('i')]]);
  section('Icon2', [[0, value('J')]]);
  section('padding', [[0, 0], [1, 0], [2, 2], [3, 5], [4, 0], [5, 0], [6, 2], [7, 5]]);
  section('height', [[0, 14], [1, 12]]);
  section('font name', [0, 1, 2, 3, 4, 5].map((i) => [i, i % 3 === 0 ? value('Font</style>') : '']));
  section('Status', [[0, value('S')], [1, value('t')]]);
  writeFileSync(path, Buffer.concat(lines.flatMap((l) => [l, bytes('\r\n')])));
}

const expectedStrings = [
  // folder: title, hint, status, icon, open icon, script, link, target
  ...['N', 'H', 'S', 'I', 'J'].map((p) => shown(value(p))), '', shown(value('K')), shown(value('G')),
  // file: title, hint, status, icon, script, link, target
  ...['n', 'h', 't', 'i', 's'].map((p) => shown(value(p))), '', '',
];
const expectedOptions = {
  folderImg1: shown(value('O')), folderImg2: shown(value('P')), fileImg: shown(value('F')),
  target: shown(value('T')), lineFolder: shown(value('L')),
};

async function inPage(name, html) {
  writeFileSync(join(env.site.dir, name), html);
  const p = await openPage(env.browser);
  await p.page.goto(env.server.url + name);
  const facts = await p.page.evaluate(() => ({
    ran: window.__ran,
    strings: window.tree_node.filter((x) => typeof x === 'string'),
    options: Object.fromEntries(['folderImg1', 'folderImg2', 'fileImg', 'target', 'lineFolder'].map((k) => [k, window.tree[k]])),
    // The library adds the generated rules as a constructed style sheet.
    heights: [...document.styleSheets, ...document.adoptedStyleSheets].flatMap((s) => [...s.cssRules])
      .filter((r) => /^\.sn-a\.Tree_/.test(r.selectorText)).map((r) => `${r.selectorText} ${r.style.minHeight || r.style.height}`),
  }));
  const rows = await rowsOf(p.page);
  await p.context.close();
  return { ...facts, rows, errors: p.errors };
}

test('hostile texts reach the page unchanged and nothing runs, by src and inline, GBK and UTF-8', async () => {
  const scheme = join(env.site.dir, 'hostile.menu');
  hostileScheme(scheme);
  for (const charset of ['gbk', 'utf-8']) {
    const js = `hostile-${charset}.js`;
    cli('generate', scheme, '-o', join(env.site.dir, js), '--charset', charset);
    const script = readFileSync(join(env.site.dir, js));
    assert.equal(script.toString('latin1').split('\r\n').length, 31, 'thirty lines, each ending in CR LF');
    const head = bytes(`<!doctype html><html lang="zh-CN"><head><meta charset="${charset}"><title>menu</title>` +
      '<script src="sylvanode-tree.min.js"></script></head><body>');
    const pages = {
      [`src-${charset}.html`]: Buffer.concat([head, bytes(`<script src="${js}"></script></body></html>`)]),
      [`inline-${charset}.html`]: Buffer.concat([head, bytes('<script>'), script, bytes('</script><p id="after">after</p></body></html>')]),
    };
    for (const [name, html] of Object.entries(pages)) {
      const r = await inPage(name, html);
      assert.deepEqual(r.errors, [], name);
      assert.equal(r.ran, undefined, `${name}: nothing ran at load`);
      assert.deepEqual(r.strings, expectedStrings, name);
      assert.deepEqual(r.options, expectedOptions, name);
      assert.deepEqual(r.rows.map((row) => [row.text, row.title]), [[shown(value('N')), shown(value('H'))]], name);
      assert.deepEqual(r.heights, ['.sn-a.Tree_FOLDER_1 14pt', '.sn-a.Tree_FOLDER_2 14pt', '.sn-a.Tree_FOLDER_3 14pt',
        '.sn-a.Tree_FILE_1 12pt', '.sn-a.Tree_FILE_2 12pt', '.sn-a.Tree_FILE_3 12pt'], `${name}: all six rules survive the font names`);
    }
  }
});

// The GBK fixture with the scheme option charset=UTF-8.
function utf8Scheme(dir) {
  const text = readFileSync(fixture('gbk.menu'), 'latin1').replace('[Config]\r\n', '[Config]\r\ncharset=UTF-8\r\n');
  const path = join(dir, 'utf8.menu');
  writeFileSync(path, text, 'latin1');
  return path;
}

test('a UTF-8 script shows Chinese titles on a UTF-8 page, and in the preview', async () => {
  const scheme = utf8Scheme(env.site.dir);
  env.site.generate(scheme, 'utf8.js');
  env.site.page('utf8.html', pageHtml('<script src="utf8.js"></script>'));
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'utf8.html');
  assert.equal(await page.evaluate(() => document.characterSet), 'UTF-8');
  await page.locator('a[role=treeitem]:text-is("产品")').click();
  const rows = await rowsOf(page);
  assert.deepEqual(rows.map((r) => r.text), ['产品', '运输', '关于我们', '地图']);
  assert.equal(rows[0].title, '全部产品');
  assert.equal(rows[1].title, '运输说明', 'the trail byte 0x5C of 运 stays part of the character');
  assert.deepEqual(errors, []);
  await context.close();

  // The preview page is GBK; its script tag says that the script is UTF-8.
  const out = join(env.site.dir, 'utf8-preview');
  cli('preview', scheme, '-o', out);
  const preview = await openPage(env.browser);
  await preview.page.goto(pathToFileURL(join(out, 'index.html')).href);
  assert.equal(await preview.page.evaluate(() => document.characterSet), 'GBK');
  await preview.page.locator('a[role=treeitem]:text-is("产品")').click();
  assert.deepEqual((await rowsOf(preview.page)).map((r) => r.text), ['产品', '运输', '关于我们', '地图']);
  assert.deepEqual(preview.errors, []);
  await preview.context.close();
});
