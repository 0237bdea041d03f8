// SPDX-License-Identifier: MIT
// The page that `sylvanode-cli preview` writes opens straight from disk, with the author's icons
// from the work directory and node-line images even when the site has none.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { copyFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cli, launch, makeSite, openPage, schemeVariant } from './lib/harness.mjs';

let site, browser;
before(async () => {
  site = makeSite();
  rmSync(join(site.dir, 'lines'), { recursive: true });  // a site without node-line images
  browser = await launch();
});
after(async () => {
  await browser.close();
  site.remove();
});

test('preview page: menu, icons from the work directory, line images beside the page', async () => {
  const scheme = schemeVariant(site.dir, 'options.menu', { workDir: site.dir + '/' });
  const out = join(site.dir, 'preview out');
  assert.equal(cli('preview', scheme, '-o', out, '--suffix', 'p1'), join(out, 'index.html') + '\n');
  const { page, context, errors } = await openPage(browser);
  await page.goto(pathToFileURL(join(out, 'index.html')).href);
  await page.locator('a[role=treeitem]:text-is("Docs")').click();
  const images = await page.$$eval('[role=tree] .sn-r', (rows) => Promise.all(rows.flatMap((r) =>
    [...getComputedStyle(r).backgroundImage.matchAll(/url\("([^"]*)"\)/g)]
      .map((m) => new Promise((ok) => {
        const i = new Image();
        i.onload = () => ok([m[1].replace(/.*\//, ''), i.naturalWidth > 0]);
        i.onerror = () => ok([m[1], false]);
        i.src = m[1];
      })))));
  assert.deepEqual(images.filter(([, ok]) => !ok), [], 'every image was found');
  assert.ok(images.some(([n]) => n === 'doc-open.svg') && images.some(([n]) => n === 'sn-minus.svg'), JSON.stringify(images));
  const line = await page.locator('a[role=treeitem]:text-is("Guide")').evaluate((a) => getComputedStyle(a.closest('.sn-r')).backgroundImage);
  assert.match(line, /preview%20out\/sn-line-t\.svg/);
  assert.equal(await page.evaluate(() => document.characterSet), 'GBK');
  assert.equal(await page.locator('a[role=treeitem]:text-is("Guide")').evaluate((a) => a.href), pathToFileURL(join(site.dir, 'guide.htm')).href,
    'links resolve against the work directory');
  assert.deepEqual(errors, []);
  await context.close();
});

test('preview of a scheme with a Chinese file name: its title, one heading, no accessibility violations', async () => {
  const scheme = join(site.dir, '产品 菜单.menu');
  copyFileSync(schemeVariant(site.dir, 'options.menu', { workDir: site.dir + '/' }), scheme);
  const out = join(site.dir, 'preview zh');
  cli('preview', scheme, '-o', out);
  const { page, context, errors } = await openPage(browser);
  await page.goto(pathToFileURL(join(out, 'index.html')).href);
  assert.equal(await page.title(), '产品 菜单.menu');
  assert.deepEqual(await page.$$eval('h1', (hs) => hs.map((h) => h.textContent)), ['产品 菜单.menu']);
  await page.addScriptTag({ path: createRequire(import.meta.url).resolve('axe-core/axe.min.js') });
  await page.locator('a[role=treeitem]:text-is("Docs")').evaluate((a) => a.closest('.sn-r').click());
  const result = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
  assert.deepEqual(result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`), []);
  assert.deepEqual(errors, []);
  await context.close();
});
