// SPDX-License-Identifier: MIT
// The life cycle in a single-page app: a menu built and destroyed again and again in one page
// leaves nothing behind (listeners, style sheets, DOM nodes held in memory), and what destroy()
// takes away comes back with the next build.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, fixture } from './lib/harness.mjs';
import { randomForest } from './lib/forest.mjs';

let env;
before(async () => {
  env = await setup();
  env.site.generate(fixture('options.menu'), 'spa.js');
  env.site.menu('spabig', randomForest(400, { seed: 5 }).map((it) => ({ ...it, link: '' })), { 'show line': 1 });
  // A page that mounts and unmounts the menu as a framework would: a host element and the
  // generated script added after the page has loaded, then tree.destroy() and both removed.
  env.site.page('spa.html', pageHtml(`<main id="app"></main><script>
    window.mount = (src, host) => new Promise((ok, fail) => {
      const el = document.createElement('nav');
      el.setAttribute('data-sylvanode', 'tree');
      el.setAttribute('aria-label', 'Site');
      document.getElementById('app').appendChild(el);
      const s = document.createElement('script');
      s.src = src;
      s.onload = () => ok(s);
      s.onerror = fail;
      el.appendChild(s);
    });
    window.unmount = () => { tree.destroy(); document.getElementById('app').replaceChildren(); };
  </script>`));
});
after(async () => { await env.close(); });

// What a page holds on to: listeners on window and document, style sheets, and the DOM nodes that
// are in memory but not in the document, counted in a heap snapshot after a garbage collection.
async function residue(page) {
  const cdp = await page.context().newCDPSession(page);
  const listeners = async (expr) => {
    const { result } = await cdp.send('Runtime.evaluate', { expression: expr });
    return (await cdp.send('DOMDebugger.getEventListeners', { objectId: result.objectId })).listeners.length;
  };
  await cdp.send('HeapProfiler.enable');
  await cdp.send('HeapProfiler.collectGarbage');
  const chunks = [];
  cdp.on('HeapProfiler.addHeapSnapshotChunk', (e) => chunks.push(e.chunk));
  await cdp.send('HeapProfiler.takeHeapSnapshot', { reportProgress: false });
  const { snapshot: { meta }, nodes } = JSON.parse(chunks.join(''));
  const width = meta.node_fields.length, at = meta.node_fields.indexOf('detachedness');
  let detached = 0;
  for (let i = at; i < nodes.length; i += width) if (nodes[i] === 2) detached++;
  const out = {
    windowListeners: await listeners('window'),
    documentListeners: await listeners('document'),
    sheets: await page.evaluate(() => document.adoptedStyleSheets.length + document.styleSheets.length),
    detached,
  };
  await cdp.detach();
  return out;
}

test('50 build and destroy cycles in one page: listeners, style sheets and detached nodes do not grow', async () => {
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'spa.html');
  const empty = await residue(page);
  let early;
  for (let cycle = 1; cycle <= 50; cycle++) {
    // Every kind of use: small and large menus, a click, everything opened (sometimes still under
    // way when the menu goes), a remembered state.
    await page.evaluate(async (cycle) => {
      await mount(cycle % 3 ? 'spa.js' : 'spabig.js');
      // The first row's box: a folder opens.
      document.querySelector('.sn-r').click();
      const opened = tree.expandAll();
      if (cycle % 2) await opened;
      unmount();
      await opened;
    }, cycle);
    if (cycle === 5) early = await residue(page);
  }
  const late = await residue(page);
  assert.deepEqual({ ...late, detached: 0 }, { ...empty, detached: 0 }, 'after destroy: no listener, no style sheet is left');
  assert.ok(late.detached <= early.detached, `detached nodes: ${early.detached} after 5 cycles, ${late.detached} after 50`);
  assert.ok(late.detached < 50, `detached nodes after 50 cycles: ${late.detached}`);
  assert.deepEqual(errors, []);
  await context.close();
});

test('destroy takes the menu, its timers and shared style sheets only when no other menu uses them', async () => {
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'spa.html');
  const state = await page.evaluate(async () => {
    const sheets = () => document.adoptedStyleSheets.length;
    const cell = () => {
      const a = [...document.querySelectorAll('a[role=treeitem]')].find((x) => x.textContent === 'Zeta');
      return a && getComputedStyle(a).backgroundColor;
    };
    const out = { none: sheets() };
    await mount('spa.js');
    const first = tree;
    out.one = sheets();
    // A second mount of the same menu (a second route): its generated style is shared, not added again.
    const host2 = document.createElement('div');
    document.body.appendChild(host2);
    host2.innerHTML = '<p>x</p>';
    const s = document.createElement('script');
    s.src = 'spa.js';
    await new Promise((ok) => { s.onload = ok; host2.appendChild(s); });
    const second = tree;
    out.two = sheets();
    first.destroy();
    out.afterFirst = [sheets(), cell(), document.querySelectorAll('[role=tree]').length];
    // A destroyed menu's pending work never runs: expandAll resolves at once and draws nothing.
    second.expandAll();
    second.destroy();
    second.destroy();
    out.afterBoth = [sheets(), document.querySelectorAll('[role=tree], [role=treeitem]').length, second.element];
    await new Promise((ok) => setTimeout(ok, 100));
    out.later = document.querySelectorAll('[role=treeitem]').length;
    await mount('spa.js');
    out.again = [sheets(), cell(), document.querySelectorAll('[role=treeitem]').length];
    return out;
  });
  assert.equal(state.one - state.none, 3, 'one menu: the generated rules, the shared rules, its own');
  assert.equal(state.two - state.one, 1, 'a second menu adds only its own rules');
  assert.deepEqual(state.afterFirst, [state.none + 3, 'rgb(240, 240, 240)', 1], 'the other menu keeps its style');
  assert.deepEqual(state.afterBoth, [state.none, 0, null]);
  assert.equal(state.later, 0);
  assert.deepEqual(state.again, [state.none + 3, 'rgb(240, 240, 240)', 9], 'building again works, with every folder open as it was left');
  assert.deepEqual(errors, []);
  await context.close();
});
