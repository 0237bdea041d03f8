// SPDX-License-Identifier: MIT
// `sylvanode-cli export --to jstree` as jsTree 3 loads it, as it is: every item at its level
// with its text, link, target, hint and icon.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { cliPath, fixture, launch, makeSite, openPage, testsDir } from './lib/harness.mjs';
import { randomForest, schemeText } from './lib/forest.mjs';

const modules = join(testsDir, 'node_modules');
let site, browser;
before(async () => {
  site = makeSite();
  browser = await launch();
  copyFileSync(join(modules, 'jquery', 'dist', 'jquery.min.js'), join(site.dir, 'jquery.min.js'));
  copyFileSync(join(modules, 'jstree', 'dist', 'jstree.min.js'), join(site.dir, 'jstree.min.js'));
  // The icon an imported item names: a 1x1 PNG.
  writeFileSync(join(site.dir, 'img', 'page.png'), Buffer.from(
    'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5ErkJggg==', 'base64'));
});
after(async () => {
  await browser.close();
  site.remove();
});

const run = (...args) => execFileSync(cliPath(), args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });

// What the scheme holds, as `tree --format json` says, in the shape jsTree shows it.
function expectedRows(scheme) {
  return JSON.parse(run('tree', scheme, '--format', 'json')).map((item) => ({
    level: item.level + 1,
    text: item.title,
    href: item.link || '#',
    target: item.target || null,
    hint: item.hint || null,
    icon: item.icon1 || null,
  }));
}

test('jsTree 3 loads the jstree export and shows every item', async () => {
  writeFileSync(join(site.dir, 'random.menu'), schemeText(randomForest(80, { seed: 7 })), 'latin1');
  run('import', join(testsDir, '..', 'fixtures', 'import', 'jstree-nested.json'), '-o', join(site.dir, 'widget.menu'), '-q');
  const schemes = [fixture('options.menu'), fixture('gbk.menu'), join(site.dir, 'random.menu'), join(site.dir, 'widget.menu')];
  const { page, context, errors } = await openPage(browser);
  for (const scheme of schemes) {
    const nodes = run('export', scheme, '--to', 'jstree');
    writeFileSync(join(site.dir, 'tree.html'),
      '<!doctype html><meta charset="utf-8"><title>jsTree</title><div id="tree"></div>' +
      '<script src="jquery.min.js"></script><script src="jstree.min.js"></script>' +
      `<script>const nodes = ${nodes.replaceAll('</', '<\\/')};\n` +
      "$('#tree').on('ready.jstree', () => { $('#tree').jstree('open_all'); window.shown = true; })" +
      '.jstree({ core: { data: nodes, animation: 0 } });</script>');
    await page.goto(pathToFileURL(join(site.dir, 'tree.html')).href);
    await page.waitForFunction(() => window.shown === true);
    const rows = await page.$$eval('#tree li.jstree-node', (items) => items.map((li) => {
      const a = li.querySelector(':scope > a.jstree-anchor');
      const icon = a.querySelector('i.jstree-themeicon-custom');
      return {
        level: Number(a.getAttribute('aria-level') ?? li.getAttribute('aria-level')),
        text: a.textContent,
        href: a.getAttribute('href'),
        target: a.getAttribute('target'),
        hint: li.getAttribute('title'),
        icon: icon ? icon.style.backgroundImage.replace(/^url\("(.*)"\)$/, '$1') : null,
      };
    }));
    assert.deepEqual(rows, expectedRows(scheme), scheme);
  }
  assert.deepEqual(errors, []);
  await context.close();
});
