// SPDX-License-Identifier: MIT
// Benchmark of the tree-menu library in headless Chromium, against jsTree 3.3.17 (with jQuery) as
// the baseline, both on the same random forest in the same browser; medians of several runs.
//   ready      the menu built and laid out (ours: Tree_buildTree; jsTree: until its ready event, with its
//              data parsed in the page: faster here than in its web worker), the page itself laid out before
//   open all   every folder opened and laid out (ours: expandAll until every row is drawn; jsTree: open_all)
// and, for ours alone, a folder of 1,000 files opened until the next frame is painted, and a
// 100,000-item menu opened whole, with the longest task the browser reports. A lower bound of open
// all is given beside it: the same rows made in one task by a few lines of code that do nothing else.
// Ready and open all are given twice: in wall time, as a visitor waits, and in the main thread's CPU
// time from a Chromium trace, which other processes on a busy machine do not inflate.
// Usage: node bench/web/bench.mjs [--cli PATH] [--runs N]
// Needs tests/web's npm packages (playwright-core) and this directory's (jquery, jstree): npm ci here.
import { execFileSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdtempSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { describe, nestedData, randomForest, schemeText } from '../../tests/web/lib/forest.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const repo = join(here, '..', '..');
const arg = (name, fallback) => {
  const i = process.argv.indexOf(name);
  return i > 0 ? process.argv[i + 1] : fallback;
};
// Without --cli or SYLVANODE_CLI: the most recently built sylvanode-cli under build/.
const cli = arg('--cli', process.env.SYLVANODE_CLI || ['dev', 'release', 'web']
  .map((d) => join(repo, 'build', d, 'src/sylvanode-cli')).filter(existsSync)
  .sort((a, b) => statSync(b).mtimeMs - statSync(a).mtimeMs)[0]);
const runs = Number(arg('--runs', 7));
if (!cli || !existsSync(cli)) {
  console.error('sylvanode-cli not found: build it, or pass --cli PATH');
  process.exit(2);
}
const baseline = join(here, 'node_modules');
if (!existsSync(join(baseline, 'jstree/dist/jstree.min.js')) || !existsSync(join(baseline, 'jquery/dist/jquery.min.js'))) {
  console.error('jsTree and jQuery are missing: run `npm ci` in bench/web');
  process.exit(2);
}
const { serve, launch } = await import(createRequire(import.meta.url).resolve('../../tests/web/lib/harness.mjs'));

const dir = mkdtempSync(join(tmpdir(), 'sylvanode-bench-'));
copyFileSync(join(repo, 'web/sylvanode-tree.js'), join(dir, 'sylvanode-tree.js'));
for (const f of ['sn-line-i.svg', 'sn-line-t.svg', 'sn-line-l.svg', 'sn-plus.svg', 'sn-minus.svg']) copyFileSync(join(repo, 'web', f), join(dir, f));
for (const f of ['file.svg', 'closed.svg', 'open.svg']) {
  writeFileSync(join(dir, f), '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="#999"/></svg>');
}
copyFileSync(join(baseline, 'jquery/dist/jquery.min.js'), join(dir, 'jquery.min.js'));
copyFileSync(join(baseline, 'jstree/dist/jstree.min.js'), join(dir, 'jstree.min.js'));
copyFileSync(join(baseline, 'jstree/dist/themes/default/style.min.css'), join(dir, 'style.min.css'));
for (const f of ['32px.png', '40px.png', 'throbber.gif']) copyFileSync(join(baseline, 'jstree/dist/themes/default', f), join(dir, f));

// Long tasks are collected from the start of every page. inTask runs work in a task of the page's
// own (the browser reports long tasks only there) and waits for it, and for a promise it returns.
const observe = `<script>function inTask(f) { return new Promise(function (ok) { setTimeout(function () { ok(f()); }); }); }
window.tasks = []; new PerformanceObserver(function (l) { l.getEntries().forEach(function (e) {
  tasks.push([Math.round(e.startTime), Math.round(e.duration)]); }); }).observe({ type: 'longtask', buffered: true });</script>`;

function oursPage(name, items) {
  writeFileSync(join(dir, `${name}.menu`), schemeText(items), 'latin1');
  execFileSync(cli, ['generate', join(dir, `${name}.menu`), '-o', join(dir, `${name}.js`)]);
  writeFileSync(join(dir, `${name}.html`), `<!doctype html><html lang="en"><head><meta charset="gbk"><title>bench</title>${observe}
<script src="sylvanode-tree.js"></script>
<script>var realBuild = Tree_buildTree; Tree_buildTree = function (a, t) {
  performance.mark('ready0'); var t0 = window.buildAt = performance.now(); realBuild(a, t); window.buildMs = performance.now() - t0;
  window.benchTree = t;
  // Laid out once the generated script has returned, as the browser would: a layout forced with the
  // generated script on the stack makes DevTools record it as the initiator of image requests, a
  // cost that only the automation pays.
  queueMicrotask(function () { document.body.offsetHeight; window.readyMs = performance.now() - t0; performance.mark('ready1'); }); };</script>
</head><body><script>document.body.offsetHeight;</script><script src="${name}.js"></script></body></html>`);
  return `${name}.html`;
}

function jstreePage(name, items) {
  writeFileSync(join(dir, `${name}-data.js`), `var forest = ${JSON.stringify(nestedData(items))};`);
  writeFileSync(join(dir, `${name}-jstree.html`), `<!doctype html><html lang="en"><head><meta charset="utf-8"><title>bench</title>${observe}
<link rel="stylesheet" href="style.min.css"><script src="jquery.min.js"></script><script src="jstree.min.js"></script>
</head><body><div id="tree"></div><script src="${name}-data.js"></script>
<script>document.body.offsetHeight; performance.mark('ready0'); var t0 = performance.now();
$('#tree').on('ready.jstree', function () { document.body.offsetHeight; window.readyMs = performance.now() - t0; performance.mark('ready1'); })
  .jstree({ core: { data: forest, animation: 0, worker: false } });</script></body></html>`);
  return `${name}-jstree.html`;
}

const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
const ms = (x) => `${x.toFixed(1)} ms`.padStart(10);

const browser = await launch();
const server = await serve(dir);
// With `trace`, the result gets `cpu`: the page's main-thread CPU time in ms between the marks
// <name>0 and <name>1 for each name.
async function withPage(file, work, trace = []) {
  const page = await browser.newPage();
  const failures = [];
  page.on('pageerror', (e) => failures.push(e.message));
  try {
    if (trace.length) await browser.startTracing(page, { categories: ['toplevel', 'blink.user_timing'] });
    await page.goto(server.url + file);
    const result = await work(page);
    if (failures.length) throw new Error(`${file}: ${failures.join('; ')}`);
    if (trace.length) {
      const events = JSON.parse((await browser.stopTracing()).toString()).traceEvents;
      result.cpu = Object.fromEntries(trace.map((name) => [name, cpuBetween(events, `${name}0`, `${name}1`)]));
    }
    return result;
  } finally {
    await page.close();
  }
}

// The thread time of the renderer main thread's top-level tasks between two marks; a task that a
// mark cuts counts in proportion to its part between them.
function cpuBetween(events, from, to) {
  const mark = (name) => events.find((e) => e.name === name && e.ph !== 'M');
  const a = mark(from), b = mark(to);
  if (!a || !b) throw new Error(`marks ${from} and ${to} not traced`);
  const main = events.find((e) => e.ph === 'M' && e.name === 'thread_name' && e.pid === a.pid && e.args.name === 'CrRendererMain');
  let end = -Infinity, cpu = 0;
  const tasks = events.filter((e) => e.pid === a.pid && e.tid === main.tid && e.ph === 'X' && e.name === 'ThreadControllerImpl::RunTask');
  for (const t of tasks.sort((x, y) => x.ts - y.ts)) {
    if (t.ts < end) continue; // nested
    end = t.ts + t.dur;
    const part = Math.min(b.ts, end) - Math.max(a.ts, t.ts);
    if (part > 0 && t.dur > 0) cpu += (t.tdur ?? t.dur) * part / t.dur;
  }
  return cpu / 1000;
}

try {
  const forest = randomForest(10000);
  console.log(`Random forest: ${describe(forest)}; median of ${runs} runs in ${browser.version()}`);
  const ours = oursPage('forest', forest), theirs = jstreePage('forest', forest);
  const m = {};
  for (const who of ['ours', 'jstree']) m[who] = { ready: [], open: [], readyCpu: [], openCpu: [] };
  for (let r = 0; r < runs; r++) {
    const a = await withPage(ours, (page) => page.evaluate(async () => {
      performance.mark('open0');
      const t0 = performance.now();
      await inTask(() => benchTree.expandAll());
      document.body.offsetHeight;
      const open = performance.now() - t0;
      performance.mark('open1');
      return { ready: readyMs, open, rows: document.querySelectorAll('[role=treeitem]').length };
    }), ['ready', 'open']);
    const b = await withPage(theirs, async (page) => {
      await page.waitForFunction(() => window.readyMs !== undefined);
      return page.evaluate(async () => {
        performance.mark('open0');
        const t0 = performance.now();
        await inTask(() => { $('#tree').jstree(true).open_all(); document.body.offsetHeight; });
        const open = performance.now() - t0;
        performance.mark('open1');
        return { ready: readyMs, open, rows: document.querySelectorAll('.jstree-anchor').length };
      });
    }, ['ready', 'open']);
    for (const [who, x] of [['ours', a], ['jstree', b]]) {
      if (x.rows !== forest.length) throw new Error(`${who}: ${x.rows} rows shown of ${forest.length}`);
      m[who].ready.push(x.ready);
      m[who].open.push(x.open);
      m[who].readyCpu.push(x.cpu.ready);
      m[who].openCpu.push(x.cpu.open);
    }
  }
  console.log(`${''.padEnd(14)}${'sylvanode'.padStart(10)}${'jsTree'.padStart(10)}   ratio   target`);
  for (const [what, key, target] of [['ready', 'ready', 0.15], ['  CPU', 'readyCpu', 0.15], ['open all', 'open', 0.1], ['  CPU', 'openCpu', 0.1]]) {
    const a = median(m.ours[key]), b = median(m.jstree[key]);
    console.log(`${what.padEnd(14)}${ms(a)}${ms(b)}   ${(a / b).toFixed(3)}   <= ${target}${a / b <= target ? '' : '  MISSED'}`);
  }

  // A lower bound for any menu that gives every open item a row of its own: the same rows (elements,
  // attributes, classes, the library's style sheet, blocks that the browser lays out when near the
  // view) made straight from the node array in one task, with nothing else a menu does: no state,
  // no slices, no node lines beside the rows.
  const floor = [], floorCpu = [];
  for (let r = 0; r < runs; r++) {
    const x = await withPage(ours, (page) => page.evaluate(() => new Promise((ok) => setTimeout(() => {
      performance.mark('floor0');
      const t0 = performance.now(), a = tree_node, D = document, T = benchTree, tpl = {}, up = [{ c: [], d: -1 }], items = [];
      for (let i = 0; i < a.length;) {
        const f = a[i];
        if (f === 1) { up.pop(); i++; continue; }
        if (f !== 0 && f !== 2) break;
        const p = up[up.length - 1], it = { i, d: p.d + 1, p, j: p.c.length, c: f ? null : [] };
        p.c.push(it);
        items.push(it);
        if (!f) up.push(it);
        i += f ? 9 : 11;
      }
      const box = T.element.parentNode.insertBefore(D.createElement('div'), T.element.nextSibling);
      box.className = T.element.className;
      let block;
      items.forEach((it, x) => {
        const n = it.p.c.length, last = it.j === n - 1, kind = it.c ? 1 : 0, key = kind + (last ? 'l' : '') + it.d + ',' + n,
          g = a[it.i] ? it.i : it.i + 1;
        let t = tpl[key];
        if (!t) {
          t = tpl[key] = D.createElement('div');
          t.className = 'sn-r' + (kind ? ' sn-d sn-o' : '') + (last ? ' sn-l' : '');
          t.setAttribute('role', 'none');
          const td = t.appendChild(D.createElement('td'));
          td.setAttribute('role', 'none');
          td.className = kind ? T.folderClass1 : T.fileClass1;
          const e = td.appendChild(D.createElement('a'));
          e.setAttribute('role', 'treeitem');
          e.tabIndex = -1;
          e.setAttribute('aria-level', it.d + 1);
          e.setAttribute('aria-setsize', n);
          e.setAttribute('aria-selected', false);
          if (kind) e.setAttribute('aria-expanded', true);
          e.target = T.target;
          e.style.marginInlineStart = it.d * T.Indent + 'pt';
        }
        if (x % 64 === 0) {
          block = box.appendChild(D.createElement('div'));
          block.className = 'sn-b';
          block.style.containIntrinsicBlockSize = 64 * 20 + 'px';
        }
        const r = t.cloneNode(true), e = r.firstChild.firstChild;
        r.sn = it;
        e.textContent = a[it.i + 1];
        if (a[g + 7]) e.href = a[g + 7];
        e.setAttribute('aria-posinset', it.j + 1);
        e.title = a[it.i + 2] || a[it.i + 1];
        block.appendChild(r);
      });
      D.body.offsetHeight;
      performance.mark('floor1');
      ok({ ms: performance.now() - t0, rows: box.querySelectorAll('[role=treeitem]').length });
    }))), ['floor']);
    if (x.rows !== forest.length) throw new Error(`lower bound: ${x.rows} rows made of ${forest.length}`);
    floor.push(x.ms);
    floorCpu.push(x.cpu.floor);
  }
  console.log(`Lower bound of open all, every row made at once: ${median(floor).toFixed(1)} ms (${(median(floor) / median(m.jstree.open)).toFixed(3)}), ` +
    `CPU ${median(floorCpu).toFixed(1)} ms (${(median(floorCpu) / median(m.jstree.openCpu)).toFixed(3)})`);

  const big = oursPage('big', randomForest(3000, { bigFolder: 1000 }));
  const paint = [];
  for (let r = 0; r < runs; r++) {
    paint.push(await withPage(big, (page) => page.evaluate(() => new Promise((done) => {
      const a = document.querySelector('[role=treeitem]');
      a.focus();
      const t0 = performance.now();
      a.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowRight', bubbles: true }));
      requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0)));
    }))));
  }
  console.log(`A folder of 1,000 files opened and painted: ${median(paint).toFixed(1)} ms (target < 100)`);

  const huge = randomForest(100000);
  const file = oursPage('huge', huge);
  const h = await withPage(file, async (page) => page.evaluate(async () => {
    const t0 = performance.now();
    await inTask(() => benchTree.expandAll());
    document.body.offsetHeight;
    const open = performance.now() - t0;
    await new Promise((ok) => requestAnimationFrame(() => setTimeout(ok, 100)));
    const longest = tasks.reduce((a, b) => (b[1] > a[1] ? b : a), [0, 0]);
    return { build: buildMs, open, total: performance.now(), longest: longest[1], tasks: tasks.length,
      withBuild: longest[0] <= buildAt && buildAt <= longest[0] + longest[1],
      elements: document.getElementsByTagName('*').length, rows: document.querySelectorAll('[role=treeitem]').length };
  }));
  console.log(`${describe(huge)}: built in ${h.build.toFixed(0)} ms, all opened in ${h.open.toFixed(0)} ms ` +
    `(${h.rows.toLocaleString('en')} rows, ${h.elements.toLocaleString('en')} elements); ` +
    `longest task ${h.longest} ms${h.withBuild ? ' (the one that runs the generated script and Tree_buildTree)' : ''} ` +
    `of ${h.tasks} long tasks (target <= 200)`);
} finally {
  await browser.close();
  await server.close();
  if (process.env.KEEP) console.log(dir);
  else rmSync(dir, { recursive: true, force: true });
}
