// SPDX-License-Identifier: MIT
// The demo page: made by the CLI, free of accessibility violations.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { cli, fixture, launch, openPage, serve, webDir } from './lib/harness.mjs';

let server, browser;
before(async () => {
  server = await serve(webDir);
  browser = await launch();
});
after(async () => {
  await browser.close();
  await server.close();
});

test('demo.js is what sylvanode-cli generates from the demo scheme', () => {
  assert.equal(readFileSync(join(webDir, 'demo.js'), 'latin1'), cli('generate', fixture('demo.menu')));
});

test('axe-core finds no violations on the demo page, closed and opened', async () => {
  const { page, context, errors } = await openPage(browser);
  await page.goto(server.url + 'demo.html');
  const axePath = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
  await page.addScriptTag({ path: axePath });
  const check = async (when) => {
    const result = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
    assert.deepEqual(result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`), [], when);
  };
  await check('closed');
  await page.locator('a[role=treeitem]:text-is("Reference")').click();
  await page.locator('a[role=treeitem]:text-is("Node array")').click();
  await page.locator('a[role=treeitem]:text-is("Getting started")').hover();
  await check('opened, with a selection and the pointer on an item');
  assert.equal(await page.locator('#status').textContent(), 'Getting started');
  assert.deepEqual(errors, []);
  await context.close();
});
