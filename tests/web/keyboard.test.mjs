// SPDX-License-Identifier: MIT
// The WAI-ARIA tree pattern: roles and states, one tab stop with roving focus, and the keys.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, fixture, rowsOf } from './lib/harness.mjs';

let env;
before(async () => {
  env = await setup();
  env.site.generate(fixture('options.menu'), 'kb.js');
  env.site.page('kb.html', pageHtml('<button id="first">first</button><script src="kb.js"></script>' +
    '<button id="last">last</button><iframe name="content" src="blank.htm" title="content"></iframe>'));
});
after(async () => { await env.close(); });

// `clock`: the page runs on a clock the test can stop and move on (for the type-ahead's time window).
async function kbPage({ clock = false } = {}) {
  const p = await openPage(env.browser);
  if (clock) await p.page.clock.install();
  await p.page.goto(env.server.url + 'kb.html');
  p.focused = () => p.page.evaluate(() => document.activeElement.textContent);
  p.press = async (...keys) => { for (const k of keys) await p.page.keyboard.press(k); return p.focused(); };
  p.rows = async () => Object.fromEntries((await rowsOf(p.page)).map((r) => [r.text, r]));
  return p;
}

test('roles, levels, set sizes and positions; one tab stop', async () => {
  const p = await kbPage();
  assert.equal(await p.page.locator('[role=tree] [role=group]').count(), 0, 'closed folders render nothing yet');
  await p.page.focus('#first');
  assert.equal(await p.press('Tab'), 'Docs', 'the tree is entered at its first item');
  assert.equal(await p.press('Tab'), 'last', 'one tab stop for the whole tree');
  assert.equal(await p.press('Shift+Tab'), 'Docs');
  await p.press('ArrowRight');
  const rows = await p.rows();
  assert.deepEqual(['Docs', 'Guide', 'Deep', 'Tools'].map((t) => [rows[t].level, rows[t].setsize, rows[t].posinset]),
    [['1', '3', '1'], ['2', '3', '1'], ['2', '3', '3'], ['1', '3', '2']]);
  assert.deepEqual([rows.Docs.expanded, rows.Deep.expanded, rows.Guide.expanded], ['true', 'false', null]);
  const owned = await p.page.locator('a[role=treeitem]:text-is("Docs")').evaluate((a) => {
    const g = document.getElementById(a.getAttribute('aria-owns'));
    return [g.getAttribute('role'), [...g.querySelectorAll(':scope > .sn-r a')].map((x) => x.textContent)];
  });
  assert.deepEqual(owned, ['group', ['Guide', 'Frames', 'Deep']]);
  assert.deepEqual(p.errors, []);
  await p.context.close();
});

test('arrows, Home and End move among shown items; Right and Left open, close and climb', async () => {
  const p = await kbPage();
  await p.page.locator('a[role=treeitem]:text-is("Docs")').focus();
  assert.equal(await p.press('ArrowDown'), 'Tools');
  assert.equal(await p.press('ArrowDown'), 'Zeta');
  assert.equal(await p.press('ArrowDown'), 'Zeta', 'the last item stays');
  assert.equal(await p.press('Home'), 'Docs');
  assert.equal(await p.press('ArrowUp'), 'Docs');
  assert.equal(await p.press('ArrowRight'), 'Docs', 'Right opens a closed folder');
  assert.equal((await p.rows()).Docs.expanded, 'true');
  assert.equal(await p.press('ArrowRight'), 'Guide', 'Right on an open folder goes to its first child');
  assert.equal(await p.press('ArrowRight'), 'Guide', 'Right on a file does nothing');
  assert.equal(await p.press('ArrowDown', 'ArrowDown', 'ArrowRight', 'ArrowRight'), 'Leaf');
  assert.equal(await p.press('ArrowDown'), 'Tools');
  assert.equal(await p.press('ArrowUp'), 'Leaf', 'Up goes to the last shown item of the previous branch');
  assert.equal(await p.press('ArrowLeft'), 'Deep', 'Left on a file goes to its parent');
  assert.equal(await p.press('ArrowLeft'), 'Deep', 'Left on an open folder closes it');
  assert.equal((await p.rows()).Leaf.visible, false);
  assert.equal(await p.press('ArrowLeft'), 'Docs');
  assert.equal(await p.press('End'), 'Zeta');
  const stops = await p.page.$$eval('[role=tree] [tabindex="0"]', (e) => e.map((x) => x.textContent));
  assert.deepEqual(stops, ['Zeta'], 'the tab stop follows the focus');
  await p.context.close();
});

test('* opens all siblings, type-ahead finds items by their first letters, Enter and Space act', async () => {
  const p = await kbPage({ clock: true });
  await p.page.locator('a[role=treeitem]:text-is("Tools")').focus();
  await p.press('*');
  let rows = await p.rows();
  assert.deepEqual([rows.Docs.expanded, rows.Tools.expanded, rows.Deep.expanded], ['true', 'true', 'false']);
  assert.equal(await p.focused(), 'Tools');
  // Letters typed within 700 ms extend the search. The clock stands still while the keys arrive, however
  // slowly, and a pause moves it on by 800 ms.
  await p.page.clock.pauseAt(await p.page.evaluate(() => Date.now() + 1000));
  const pause = () => p.page.clock.fastForward(800);
  assert.equal(await p.press('a'), 'Alpha');
  await pause();
  assert.equal(await p.press('d'), 'Docs', 'the search wraps around');
  assert.equal(await p.press('d'), 'Deep', 'the same letter again: the next match');
  assert.equal(await p.press('d'), 'Docs');
  await pause();
  assert.equal(await p.press('d'), 'Deep');
  assert.equal(await p.press('o'), 'Docs', 'letters typed in a row extend the search');
  await pause();
  assert.equal(await p.press('g'), 'Guide');
  assert.equal(await p.press('u'), 'Guide');
  assert.equal(await p.press('q'), 'Guide', 'no match: the focus stays');
  await p.page.clock.resume();

  await p.press('Enter');
  await p.page.frameLocator('iframe[name=content]').locator('#page:text-is("guide.htm")').waitFor();
  rows = await p.rows();
  assert.equal(rows.Guide.cls, 'Tree_FILE_3', 'Enter selects');
  await p.page.locator('a[role=treeitem]:text-is("Run")').focus();
  await p.press(' ');
  await p.press('Enter');
  assert.equal(await p.page.evaluate(() => window.runs), 2, 'Space and Enter run a script item once each');
  await p.page.locator('a[role=treeitem]:text-is("Deep")').focus();
  await p.press(' ');
  assert.equal((await p.rows()).Deep.expanded, 'true', 'Space on a folder opens it');
  assert.deepEqual(p.errors, []);
  await p.context.close();
});

test('closing a folder with the mouse moves the tab stop out of it', async () => {
  const p = await kbPage();
  await p.page.locator('a[role=treeitem]:text-is("Docs")').focus();
  assert.equal(await p.press('ArrowRight', 'ArrowRight', 'ArrowDown'), 'Frames');
  // The box in front of Docs only opens and closes; it takes no focus itself.
  await p.page.locator('a[role=treeitem]:text-is("Docs")').evaluate((a) => a.closest('.sn-r').click());
  assert.equal((await p.rows()).Frames.visible, false);
  assert.deepEqual(await p.page.$$eval('[role=tree] [tabindex="0"]', (e) => e.map((x) => x.textContent)), ['Docs']);
  assert.equal(await p.focused(), 'Docs', 'the focus went with it');
  await p.page.focus('#first');
  assert.equal(await p.press('Tab'), 'Docs');
  await p.context.close();
});
