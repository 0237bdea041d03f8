// SPDX-License-Identifier: MIT
// Benchmark of the tree-menu library as shipped (sylvanode-tree.min.js) in headless Chromium, against
// jsTree 3.3.17 (with jQuery) as the baseline and wunderbaum 0.14.1 as a second reference, all on the
// same random forest in the same browser; medians of several runs.
//   ready      the menu built and laid out (ours: Tree_buildTree; jsTree: until its ready event, with its
//              data parsed in the page: faster here than in its web worker; wunderbaum: until its ready
//              promise), the page itself laid out before
//   open all   every folder opened and laid out (ours: expandAll until every row exists; jsTree: open_all;
//              wunderbaum: expandAll, which draws only the rows in view)
// and, for ours alone, a folder of 1,000 files opened until the next frame is painted, and a
// 100,000-item menu opened whole, with the longest task the browser reports. Last, the filter
// add-on at 10,000 and 100,000 items until the rows of the matches are shown, with the longest task,
// against jsTree's search with show_only_matches on the same forest. Lower bounds of open
// all are given beside it: the same rows and groups as ours, and one <a> per row, each made in one
// task by a few lines of code that do nothing else. For wunderbaum it also gives how many rows
// exist after open all, and whether find-in-page finds the last item: the price of drawing only
// what is in view.
// Ready and open all are given twice: in wall time, as a visitor waits, and in the main thread's CPU
// time from a Chromium trace, which other processes on a busy machine do not inflate.
// With --before FILE (another build of the library, e.g. from an earlier commit) that one is measured
// too, in the same browser and interleaved run by run, for a before/after comparison.
// jsTree's search at 100,000 items takes minutes a run: --jstree-100k-runs N runs it N times (0: not
// at all; default: as many as the rest), so that it can be run once, alone, on a quiet machine.
// --filter-100k-only measures only the filter at 100,000 items, ours and jsTree's.
// Usage: node bench/web/bench.mjs [--cli PATH] [--runs N] [--before FILE] [--jstree-100k-runs N] [--filter-100k-only]
// Needs tests/web's npm packages (playwright-core) and this directory's (jquery, jstree, wunderbaum):
// npm ci here.
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
const before = arg('--before', '');
const jstreeHugeRuns = Number(arg('--jstree-100k-runs', runs));
const filterOnly = process.argv.includes('--filter-100k-only');
if (!cli || !existsSync(cli)) {
  console.error('sylvanode-cli not found: build it, or pass --cli PATH');
  process.exit(2);
}
const baseline = join(here, 'node_modules');
if (!['jstree/dist/jstree.min.js', 'jquery/dist/jquery.min.js', 'wunderbaum/dist/wunderbaum.umd.min.js'].every((f) => existsSync(join(baseline, f)))) {
  console.error('jsTree, jQuery or wunderbaum is missing: run `npm ci` in bench/web');
  process.exit(2);
}
const { serve, launch } = await import(createRequire(import.meta.url).resolve('../../tests/web/lib/harness.mjs'));

const dir = mkdtempSync(join(tmpdir(), 'sylvanode-bench-'));
copyFileSync(join(repo, 'web/sylvanode-tree.min.js'), join(dir, 'sylvanode-tree.min.js'));
if (before) copyFileSync(before, join(dir, 'before.js'));
copyFileSync(join(repo, 'web/sylvanode-filter.min.js'), join(dir, 'sylvanode-filter.min.js'));
for (const f of ['sn-line-i.svg', 'sn-line-t.svg', 'sn-line-l.svg', 'sn-plus.svg', 'sn-minus.svg']) copyFileSync(join(repo, 'web', f), join(dir, f));
for (const f of ['file.svg', 'closed.svg', 'open.svg']) {
  writeFileSync(join(dir, f), '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="#999"/></svg>');
}
copyFileSync(join(baseline, 'jquery/dist/jquery.min.js'), join(dir, 'jquery.min.js'));
copyFileSync(join(baseline, 'jstree/dist/jstree.min.js'), join(dir, 'jstree.min.js'));
copyFileSync(join(baseline, 'jstree/dist/themes/default/style.min.css'), join(dir, 'style.min.css'));
for (const f of ['32px.png', '40px.png', 'throbber.gif']) copyFileSync(join(baseline, 'jstree/dist/themes/default', f), join(dir, f));
copyFileSync(join(baseline, 'wunderbaum/dist/wunderbaum.umd.min.js'), join(dir, 'wunderbaum.umd.min.js'));
copyFileSync(join(baseline, 'wunderbaum/dist/wunderbaum.css'), join(dir, 'wunderbaum.css'));

// Long tasks are collected from the start of every page. inTask runs work in a task of the page's
// own (the browser reports long tasks only there) and waits for it, and for a promise it returns.
// openAll() opens every folder of the menu and resolves, once every row exists and is laid out,
// with the time that took (between the marks open0 and open1).
const observe = `<script>function inTask(f) { return new Promise(function (ok) { setTimeout(function () { ok(f()); }); }); }
function openAll() { performance.mark('open0'); var t0 = performance.now();
  return inTask(function () { return benchTree.expandAll(); }).then(function () {
    document.body.offsetHeight; var ms = performance.now() - t0; performance.mark('open1'); return ms; }); }
window.tasks = []; new PerformanceObserver(function (l) { l.getEntries().forEach(function (e) {
  tasks.push([Math.round(e.startTime), Math.round(e.duration)]); }); }).observe({ type: 'longtask', buffered: true });</script>`;

function oursPage(name, items, library = 'sylvanode-tree.min.js', page = name, addOn = '') {
  writeFileSync(join(dir, `${name}.menu`), schemeText(items), 'latin1');
  execFileSync(cli, ['generate', join(dir, `${name}.menu`), '-o', join(dir, `${name}.js`)]);
  writeFileSync(join(dir, `${page}.html`), `<!doctype html><html lang="en"><head><meta charset="gbk"><title>bench</title>${observe}
<script src="${library}"></script>${addOn}
<script>var realBuild = Tree_buildTree; Tree_buildTree = function (a, t) {
  performance.mark('ready0'); var t0 = window.buildAt = performance.now(); realBuild(a, t); window.buildMs = performance.now() - t0;
  window.benchTree = t;
  // Laid out once the generated script has returned, as the browser would: a layout forced with the
  // generated script on the stack makes DevTools record it as the initiator of image requests, a
  // cost that only the automation pays.
  queueMicrotask(function () { document.body.offsetHeight; window.readyMs = performance.now() - t0; performance.mark('ready1'); }); };</script>
</head><body><script>document.body.offsetHeight;</script><script src="${name}.js"></script></body></html>`);
  return `${page}.html`;
}

function jstreePage(name, items, page = `${name}-jstree`, extra = '') {
  writeFileSync(join(dir, `${name}-data.js`), `var forest = ${JSON.stringify(nestedData(items))};`);
  writeFileSync(join(dir, `${page}.html`), `<!doctype html><html lang="en"><head><meta charset="utf-8"><title>bench</title>${observe}
<link rel="stylesheet" href="style.min.css"><script src="jquery.min.js"></script><script src="jstree.min.js"></script>
</head><body><div id="tree"></div><script src="${name}-data.js"></script>
<script>document.body.offsetHeight; performance.mark('ready0'); var t0 = performance.now();
$('#tree').on('ready.jstree', function () { document.body.offsetHeight; window.readyMs = performance.now() - t0; performance.mark('ready1'); })
  .jstree({ core: { data: forest, animation: 0, worker: false }${extra} });</script></body></html>`);
  return `${page}.html`;
}

function wunderbaumPage(name, items) {
  const data = (list) => list.map((n) => (n.children.length ? { title: n.text, children: data(n.children) } : { title: n.text }));
  writeFileSync(join(dir, `${name}-wb-data.js`), `var forest = ${JSON.stringify(data(nestedData(items)))};`);
  writeFileSync(join(dir, `${name}-wb.html`), `<!doctype html><html lang="en"><head><meta charset="utf-8"><title>bench</title>${observe}
<link rel="stylesheet" href="wunderbaum.css"><script src="wunderbaum.umd.min.js"></script>
</head><body><div id="tree" style="height:100vh"></div><script src="${name}-wb-data.js"></script>
<script>document.body.offsetHeight; performance.mark('ready0'); var t0 = performance.now();
window.wb = new mar10.Wunderbaum({ element: '#tree', source: forest });
wb.ready.then(function () { wb.update('any', { immediate: true }); document.body.offsetHeight; window.readyMs = performance.now() - t0; performance.mark('ready1'); });
</script></body></html>`);
  return `${name}-wb.html`;
}

const median = (xs) => [...xs].sort((a, b) => a - b)[xs.length >> 1];
const ms = (x) => `${x.toFixed(1)} ms`.padStart(10);

const browser = await launch();
const server = await serve(dir);
// With `trace`, the result gets `cpu`: the page's main-thread CPU time in ms between the marks
// <name>0 and <name>1 for each name, and `frame`: the longest main-thread task there, in wall
// time, rendering included (the page's long-task entries leave out the frames' style, layout
// and paint).
// With `detail` as well, `inside`: what the longest of those tasks spent its time on (see inside()).
async function withPage(file, work, trace = [], detail = false) {
  const page = await browser.newPage();
  const failures = [];
  page.on('pageerror', (e) => failures.push(e.message));
  try {
    if (trace.length) {
      await browser.startTracing(page, { categories: ['toplevel', 'blink.user_timing', ...(detail ? ['devtools.timeline', 'disabled-by-default-v8.gc'] : [])] });
    }
    await page.goto(server.url + file);
    const result = await work(page);
    if (failures.length) throw new Error(`${file}: ${failures.join('; ')}`);
    if (trace.length) {
      const events = JSON.parse((await browser.stopTracing()).toString()).traceEvents;
      result.cpu = Object.fromEntries(trace.map((name) => [name, cpuBetween(events, `${name}0`, `${name}1`)]));
      result.frame = Object.fromEntries(trace.map((name) => [name, cpuBetween(events, `${name}0`, `${name}1`, true)]));
      if (detail) result.inside = inside(events, `${trace[0]}0`, `${trace[0]}1`);
    }
    return result;
  } finally {
    await page.close();
  }
}

// The thread time of the renderer main thread's top-level tasks between two marks; a task that a
// mark cuts counts in proportion to its part between them. With `longest`: the longest of those
// tasks in wall time.
function cpuBetween(events, from, to, longest = false) {
  const mark = (name) => events.find((e) => e.name === name && e.ph !== 'M');
  const a = mark(from), b = mark(to);
  if (!a || !b) throw new Error(`marks ${from} and ${to} not traced`);
  const main = events.find((e) => e.ph === 'M' && e.name === 'thread_name' && e.pid === a.pid && e.args.name === 'CrRendererMain');
  let end = -Infinity, cpu = 0, most = 0;
  const tasks = events.filter((e) => e.pid === a.pid && e.tid === main.tid && e.ph === 'X' && e.name === 'ThreadControllerImpl::RunTask');
  for (const t of tasks.sort((x, y) => x.ts - y.ts)) {
    if (t.ts < end) continue; // nested
    end = t.ts + t.dur;
    const part = Math.min(b.ts, end) - Math.max(a.ts, t.ts);
    if (part > 0 && t.dur > 0) cpu += (t.tdur ?? t.dur) * part / t.dur;
    if (part > 0) most = Math.max(most, t.dur);
  }
  return (longest ? most : cpu) / 1000;
}

// Where the longest main-thread task between two marks spent its wall time (the part of it between
// the marks), in ms by kind of work: the page's script, the browser's style, layout, pre-paint and
// paint, garbage collection (which may fall inside any of the others, so the kinds can add up to
// more than the task), and the time the thread was not running (waiting on another process).
function inside(events, from, to) {
  const a = events.find((e) => e.name === from && e.ph !== 'M'), b = events.find((e) => e.name === to && e.ph !== 'M');
  const main = events.find((e) => e.ph === 'M' && e.name === 'thread_name' && e.pid === a.pid && e.args.name === 'CrRendererMain');
  const mine = events.filter((e) => e.pid === a.pid && e.tid === main.tid && e.ph === 'X');
  const task = mine.filter((e) => e.name === 'ThreadControllerImpl::RunTask' && e.ts + e.dur > a.ts && e.ts < b.ts)
    .reduce((x, y) => (y.dur > x.dur ? y : x), { dur: 0, ts: 0 });
  const kinds = { script: /^(FunctionCall|TimerFire|EvaluateScript|RunMicrotasks)$/, style: /^UpdateLayoutTree$/, layout: /^Layout$/,
    'pre-paint': /^PrePaint$/, paint: /^(Paint|Layerize)$/, 'hit testing': /^HitTest$/, 'garbage collection': /^(V8\.GC|MinorGC|MajorGC|BlinkGC)/ };
  const start = Math.max(task.ts, a.ts), end = Math.min(task.ts + task.dur, b.ts);
  // The time covered by events whose names match, nested ones counted once.
  const covered = (re) => {
    let sum = 0, until = start;
    for (const e of mine.filter((e) => re.test(e.name) && e.ts + e.dur > start && e.ts < end).sort((x, y) => x.ts - y.ts)) {
      sum += Math.max(0, Math.min(e.ts + e.dur, end) - Math.max(e.ts, until));
      until = Math.max(until, Math.min(e.ts + e.dur, end));
    }
    return sum / 1000;
  };
  const out = { task: (end - start) / 1000 };
  for (const [kind, re] of Object.entries(kinds)) out[kind] = covered(re);
  // Script without the browser's work that it forced (a layout read) or that fell inside it.
  const others = new RegExp(Object.entries(kinds).filter(([k]) => k !== 'script').map(([, re]) => re.source).join('|'));
  out.script = covered(new RegExp(`${kinds.script.source}|${others.source}`)) - covered(others);
  out['not running'] = task.tdur === undefined ? 0 : (task.dur - task.tdur) * (end - start) / task.dur / 1000;
  return out;
}
const insideText = (x) => `${x.task.toFixed(0)} ms: ` +
  Object.entries(x).filter(([k, v]) => k !== 'task' && v >= 1).map(([k, v]) => `${k} ${v.toFixed(0)}`).join(', ');

try {
  const forest = randomForest(10000), huge = randomForest(100000);
  if (!filterOnly) {
    console.log(`Random forest: ${describe(forest)}; median of ${runs} runs in ${browser.version()}`);
    const ours = oursPage('forest', forest), theirs = jstreePage('forest', forest), wb = wunderbaumPage('forest', forest);
    const m = {};
    const earlier = before && oursPage('forest', forest, 'before.js', 'forest-before');
    for (const who of ['ours', 'jstree', 'wunderbaum', 'before']) m[who] = { ready: [], open: [], readyCpu: [], openCpu: [], rows: [], found: [] };
    const last = forest.at(-1).name;
    const openOurs = (file) => withPage(file, (page) => page.evaluate(async (last) => {
      const open = await openAll();
      return { ready: readyMs, open, rows: document.querySelectorAll('[role=treeitem]').length, found: window.find(last) };
    }, last), ['ready', 'open']);
    for (let r = 0; r < runs; r++) {
      const a = await openOurs(ours);
      const d = earlier && await openOurs(earlier);
      const b = await withPage(theirs, async (page) => {
        await page.waitForFunction(() => window.readyMs !== undefined);
        return page.evaluate(async (last) => {
          performance.mark('open0');
          const t0 = performance.now();
          await inTask(() => { $('#tree').jstree(true).open_all(); document.body.offsetHeight; });
          const open = performance.now() - t0;
          performance.mark('open1');
          return { ready: readyMs, open, rows: document.querySelectorAll('.jstree-anchor').length, found: window.find(last) };
        }, last);
      }, ['ready', 'open']);
      const c = await withPage(wb, async (page) => {
        await page.waitForFunction(() => window.readyMs !== undefined);
        return page.evaluate(async (last) => {
          performance.mark('open0');
          const t0 = performance.now();
          await inTask(() => wb.expandAll(true));
          wb.update('any', { immediate: true });
          document.body.offsetHeight;
          const open = performance.now() - t0;
          performance.mark('open1');
          return { ready: readyMs, open, rows: document.querySelectorAll('.wb-row').length, found: window.find(last), count: wb.count(true) };
        }, last);
      }, ['ready', 'open']);
      if (c.count !== forest.length) throw new Error(`wunderbaum: ${c.count} nodes shown of ${forest.length}`);
      for (const [who, x] of [['ours', a], ['jstree', b], ['wunderbaum', c], ...(d ? [['before', d]] : [])]) {
        if (who !== 'wunderbaum' && x.rows !== forest.length) throw new Error(`${who}: ${x.rows} rows shown of ${forest.length}`);
        for (const k of ['ready', 'open', 'rows', 'found']) m[who][k].push(x[k]);
        m[who].readyCpu.push(x.cpu.ready);
        m[who].openCpu.push(x.cpu.open);
      }
    }

    // Lower bounds for any menu that gives every open item a row of its own, laid out: made straight
    // from the node array in one task, with nothing else a menu does (no state, no slices, no node
    // lines to work out), by a few lines that must not call the library they measure against:
    //   rows   the same rows and groups as ours (elements, attributes, classes, the library's style sheets)
    //   links  one <a> per row with its ARIA attributes
    const floor = { rows: [], rowsCpu: [], links: [], linksCpu: [] };
    for (let r = 0; r < runs; r++) {
      for (const kind of ['rows', 'links']) {
        const x = await withPage(ours, (page) => page.evaluate((kind) => new Promise((ok) => setTimeout(() => {
          performance.mark('floor0');
          const t0 = performance.now(), a = tree_node, D = document, T = benchTree, tpl = {}, up = [{ c: [], d: -1 }], items = [];
          for (let i = 0; i < a.length;) {
            const f = a[i];
            if (f === 1) { up.pop(); i++; continue; }
            if (f !== 0 && f !== 2) break;
            const p = up[up.length - 1], it = { i, x: items.length, d: p.d + 1, p, j: p.c.length, c: f ? null : [] };
            p.c.push(it);
            items.push(it);
            if (!f) up.push(it);
            i += f ? 9 : 11;
          }
          const box = T.element.parentNode.insertBefore(D.createElement('div'), T.element.nextSibling);
          box.className = T.element.className;
          box.setAttribute('role', 'tree');
          const q = T.element.className.replace(/.* /, '');
          items.forEach((it) => {
            const n = it.p.c.length, last = it.j === n - 1, g = a[it.i] ? it.i : it.i + 1, into = it.p.g || box;
            if (kind === 'links') {
              const e = D.createElement('a');
              e.setAttribute('role', 'treeitem');
              e.setAttribute('aria-level', it.d + 1);
              e.setAttribute('aria-setsize', n);
              e.setAttribute('aria-posinset', it.j + 1);
              if (it.c) e.setAttribute('aria-expanded', true);
              e.style.cssText = `display:block;padding-inline-start:${it.d * T.Indent}pt`;
              e.textContent = a[it.i + 1];
              if (a[g + 7]) e.href = a[g + 7];
              box.appendChild(e);
              return;
            }
            const mask = (it.c ? (it.c.length ? 7 : 5) : 0) | (last ? 8 : 0), key = mask + ',' + it.d;
            let t = tpl[key];
            if (!t) {
              t = tpl[key] = D.createElement('div');
              t.className = `sn-r ${q}r${mask}`;
              const e = t.appendChild(D.createElement('a'));
              e.className = `sn-a ${it.c ? T.folderClass1 : T.fileClass1}`;
              e.setAttribute('role', 'treeitem');
              e.tabIndex = -1;
              e.setAttribute('aria-level', it.d + 1);
              e.setAttribute('aria-selected', false);
              if (it.c) e.setAttribute('aria-expanded', true);
              e.target = T.target;
            }
            const r = t.cloneNode(true), e = r.firstChild;
            r.sn = it;
            e.textContent = a[it.i + 1];
            if (a[g + 7]) e.href = a[g + 7];
            e.setAttribute('aria-posinset', it.j + 1);
            e.setAttribute('aria-setsize', n);
            e.title = a[it.i + 2] || a[it.i + 1];
            into.appendChild(r);
            if (it.c) {
              const gr = it.g = into.appendChild(D.createElement('div'));
              gr.setAttribute('role', 'group');
              gr.className = `sn-g ${q}g` + (last ? '' : ` ${q}i`);
              gr.id = `floor-${it.x}`;
              e.setAttribute('aria-owns', gr.id);
            }
          });
          D.body.offsetHeight;
          performance.mark('floor1');
          ok({ ms: performance.now() - t0, rows: box.querySelectorAll('[role=treeitem]').length });
        })), kind), ['floor']);
        if (x.rows !== forest.length) throw new Error(`lower bound: ${x.rows} rows made of ${forest.length}`);
        floor[kind].push(x.ms);
        floor[`${kind}Cpu`].push(x.cpu.floor);
      }
    }

    const ratio = (a, b) => (a / b).toFixed(3);
    console.log(`${''.padEnd(14)}${'sylvanode'.padStart(10)}${'jsTree'.padStart(10)}${'wunderbaum'.padStart(11)}   ratio to jsTree   target`);
    for (const [what, key, target] of [['ready', 'ready', 0.1], ['  CPU', 'readyCpu', 0.1], ['open all', 'open', 0.15], ['  CPU', 'openCpu', 0.15]]) {
      const [a, b, c] = ['ours', 'jstree', 'wunderbaum'].map((w) => median(m[w][key]));
      console.log(`${what.padEnd(14)}${ms(a)}${ms(b)}${ms(c).padStart(11)}   ${ratio(a, b)} ${ratio(c, b).padStart(6)}    <= ${target}${a / b <= target ? '' : '  MISSED'}`);
    }
    if (before) {
      for (const [what, key] of [['ready', 'ready'], ['  CPU', 'readyCpu'], ['open all', 'open'], ['  CPU', 'openCpu']]) {
        const [a, d, b] = ['ours', 'before', 'jstree'].map((w) => median(m[w][key]));
        console.log(`${(what + ', before').padEnd(16)}${ms(d)}, now ${ms(a)}; ratio to jsTree before ${ratio(d, b)}, now ${ratio(a, b)}`);
      }
    }
    console.log(`Rows after open all: sylvanode ${median(m.ours.rows)}, jsTree ${median(m.jstree.rows)}, wunderbaum ${median(m.wunderbaum.rows)} ` +
      `(it draws the rows in view); find-in-page finds the last item: ${['ours', 'jstree', 'wunderbaum'].map((w) => m[w].found.every(Boolean) ? 'yes' : 'no').join(', ')}`);
    for (const [what, kind] of [['the same rows and groups', 'rows'], ['one <a> per row', 'links']]) {
      const f = median(floor[kind]), fc = median(floor[`${kind}Cpu`]);
      console.log(`Lower bound, ${what} made at once: ${f.toFixed(1)} ms (${ratio(f, median(m.jstree.open))} of jsTree), CPU ${fc.toFixed(1)} ms ` +
        `(${ratio(fc, median(m.jstree.openCpu))}); open all is ${ratio(median(m.ours.open), f)}x it, CPU ${ratio(median(m.ours.openCpu), fc)}x` +
        (kind === 'rows' ? ` (target <= 1.5${median(m.ours.open) / f <= 1.5 ? '' : '  MISSED'})` : ''));
    }

    // Where ready's time goes, from one more run of each with a detailed trace (which slows it).
    const readyInside = [];
    for (const [who, file] of [['sylvanode', ours], ['jsTree', theirs]]) {
      const x = await withPage(file, async (page) => {
        await page.waitForFunction(() => window.readyMs !== undefined);
        return {};
      }, ['ready'], true);
      readyInside.push(`${who} ${insideText(x.inside)}`);
    }
    console.log(`Ready, one more run each with a detailed trace, its longest task: ${readyInside.join('; ')}`);

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

    for (const [who, file] of [['', oursPage('huge', huge)], ...(before ? [['Before: ', oursPage('huge', huge, 'before.js', 'huge-before')]] : [])]) {
      const h = await withPage(file, async (page) => page.evaluate(async () => {
        const open = await openAll();
        await new Promise((ok) => requestAnimationFrame(() => setTimeout(ok, 100)));
        const longest = tasks.reduce((a, b) => (b[1] > a[1] ? b : a), [0, 0]);
        return { build: buildMs, open, total: performance.now(), longest: longest[1], tasks: tasks.length,
          withBuild: longest[0] <= buildAt && buildAt <= longest[0] + longest[1],
          elements: document.getElementsByTagName('*').length, rows: document.querySelectorAll('[role=treeitem]').length };
      }), ['open'], true);
      console.log(`${who}${describe(huge)}: built in ${h.build.toFixed(0)} ms, all opened in ${h.open.toFixed(0)} ms ` +
        `(${h.rows.toLocaleString('en')} rows, ${h.elements.toLocaleString('en')} elements); ` +
        `longest task ${h.longest} ms${h.withBuild ? ' (the one that runs the generated script and Tree_buildTree)' : ''} ` +
        `of ${h.tasks} long tasks (target <= 200); with rendering, the longest task while opening took ${h.frame.open.toFixed(0)} ms ` +
        `(${insideText(h.inside)})`);
    }

  }

  // The filter: ours until the rows of the matches it shows are there (the first 300, marked where
  // the title matches), jsTree's search with show_only_matches until its rows are laid out.
  const query = 'ember';
  for (const [label, items] of [['10,000', forest], ['100,000', huge]].slice(filterOnly ? 1 : 0)) {
    const name = label === '10,000' ? 'forest' : 'huge';
    const f = oursPage(name, items, 'sylvanode-tree.min.js', `${name}-filter`, '<script src="sylvanode-filter.min.js"></script>');
    const j = jstreePage(name, items, `${name}-search`, ', plugins: ["search"], search: { show_only_matches: true }');
    const matching = items.filter((it) => `${it.name}\n${it.hint}`.toLowerCase().includes(query));
    const marked = matching.slice(0, 300).filter((it) => it.name.toLowerCase().includes(query)).length;
    const r = { ours: [], oursTask: [], oursFrame: [], jstree: [], jstreeTask: [] };
    for (let k = 0; k < runs; k++) {
      const a = await withPage(f, (page) => page.evaluate(async ([query, marked]) => {
        await benchTree.ready;
        await new Promise((ok) => setTimeout(ok, 50));
        performance.mark('filter0');
        const from = performance.now();
        const n = await inTask(() => benchTree.filter(query));
        await new Promise(function wait(ok) {
          if (document.querySelectorAll('[role=treeitem]:has(mark)').length >= marked) ok();
          else requestAnimationFrame(() => wait(ok));
        });
        document.body.offsetHeight;
        const ms = performance.now() - from;
        performance.mark('filter1');
        // Long tasks are reported a little later.
        await new Promise((ok) => requestAnimationFrame(() => setTimeout(ok, 100)));
        return { n, ms, task: tasks.filter((t) => t[0] + t[1] >= from).reduce((m, t) => Math.max(m, t[1]), 0) };
      }, [query, marked]), ['filter']);
      if (a.n !== matching.length) throw new Error(`filter: ${a.n} matches, ${matching.length} expected`);
      const b = label === '100,000' && k >= jstreeHugeRuns ? { ms: NaN, task: NaN } : await withPage(j, async (page) => {
        await page.waitForFunction(() => window.readyMs !== undefined);
        return page.evaluate(async (query) => {
          await new Promise((ok) => setTimeout(ok, 50));
          const from = performance.now();
          await inTask(() => { $('#tree').jstree(true).search(query); document.body.offsetHeight; });
          const ms = performance.now() - from;
          await new Promise((ok) => requestAnimationFrame(() => setTimeout(ok, 100)));
          return { ms, task: tasks.filter((t) => t[0] + t[1] >= from).reduce((m, t) => Math.max(m, t[1]), 0) };
        }, query);
      });
      r.ours.push(a.ms);
      r.oursTask.push(a.task);
      r.oursFrame.push(a.frame.filter);
      if (!Number.isNaN(b.ms)) {
        r.jstree.push(b.ms);
        r.jstreeTask.push(b.task);
      }
    }
    const theirs = r.jstree.length ? `jsTree search ${median(r.jstree).toFixed(0)} ms, longest task ${median(r.jstreeTask)} ms ` +
      `(ratio ${(median(r.ours) / median(r.jstree)).toFixed(3)})` : 'jsTree search not run';
    console.log(`Filter "${query}" at ${label} items (${matching.length} matches): ${median(r.ours).toFixed(0)} ms until the rows are shown, ` +
      `longest task ${median(r.oursTask)} ms (target <= 200), with rendering ${median(r.oursFrame).toFixed(0)} ms; ${theirs}`);
  }
} finally {
  await browser.close();
  await server.close();
  if (process.env.KEEP) console.log(dir);
  else rmSync(dir, { recursive: true, force: true });
}
