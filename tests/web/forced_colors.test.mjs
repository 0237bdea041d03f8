// SPDX-License-Identifier: MIT
// Forced colours (Windows high contrast): the page's colours give way to the system's, so the
// selected item, the current page and the focus must show in system colours. Rows are compared
// pixel for pixel in each state with the same row in its plain state.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { setup, openPage, pageHtml, fixture, frames } from './lib/harness.mjs';

let env;
before(async () => {
  env = await setup();
  env.site.generate(fixture('options.menu'), 'fc.js');
  for (const page of ['fc.html', 'zeta.htm']) env.site.page(page, pageHtml('<script src="fc.js"></script><button id="away">away</button>' +
    '<iframe name="content" src="blank.htm" title="content"></iframe>'));
});
after(async () => { await env.close(); });

// A page in forced colours, every folder open, nothing focused; shot(text) is a screenshot of that row.
async function forced(address) {
  const p = await openPage(env.browser);
  await p.page.emulateMedia({ forcedColors: 'active' });
  await p.page.goto(env.server.url + address);
  await p.page.evaluate(() => tree.expandAll());
  p.away = () => p.page.focus('#away');
  p.shot = async (text) => {
    await frames(p.page);
    const box = await p.page.locator(`a[role=treeitem]:text-is("${text}")`).evaluate((a) => {
      const r = a.closest('.sn-r').getBoundingClientRect();
      return { x: r.left, y: r.top - 2, width: r.width, height: r.height + 4 };
    });
    return p.page.screenshot({ clip: box });
  };
  return p;
}

test('forced colours: the selected item, the current page and the focus differ from the plain row', async () => {
  const plain = await forced('fc.html');
  assert.equal(await plain.page.evaluate(() => matchMedia('(forced-colors: active)').matches), true);
  const before = { Guide: await plain.shot('Guide'), Zeta: await plain.shot('Zeta'), Run: await plain.shot('Run') };
  assert.ok(before.Run.equals(await plain.shot('Run')), 'the same row in the same state looks the same');

  // The current page (zeta.htm): Zeta is marked; select Guide instead and take the focus away.
  const here = await forced('zeta.htm');
  assert.equal(await here.page.getAttribute('a[aria-current=page]', 'href'), 'zeta.htm');
  await here.page.locator('a[role=treeitem]:text-is("Guide")').click();
  await here.away();
  assert.equal(await here.page.locator('a[role=treeitem]:text-is("Guide")').getAttribute('aria-selected'), 'true');
  assert.ok(before.Run.equals(await here.shot('Run')), 'a row in no special state looks as on the other page');
  assert.ok(!before.Guide.equals(await here.shot('Guide')), 'the selected item stands out');
  assert.ok(!before.Zeta.equals(await here.shot('Zeta')), 'the current page stands out');
  await here.page.locator('a[role=treeitem]:text-is("Run")').focus();
  assert.ok(!before.Run.equals(await here.shot('Run')), 'the focused item stands out');
  // The selected colour is the system's Highlight.
  const colours = await here.page.evaluate(() => {
    const probe = document.body.appendChild(document.createElement('i'));
    probe.style.cssText = 'background:Highlight;color:HighlightText';
    const a = [...document.querySelectorAll('a[role=treeitem]')].find((x) => x.textContent === 'Guide');
    return [getComputedStyle(a).backgroundColor, getComputedStyle(probe).backgroundColor, getComputedStyle(a).color, getComputedStyle(probe).color];
  });
  assert.deepEqual(colours.slice(0, 2), [colours[1], colours[1]]);
  assert.equal(colours[2], colours[3]);
  assert.deepEqual([...plain.errors, ...here.errors], []);
  await plain.context.close();
  await here.context.close();
});
