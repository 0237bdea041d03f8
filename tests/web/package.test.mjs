// SPDX-License-Identifier: MIT
// What is shipped is what is built and measured: the committed minified library and its source
// map are fresh builds of the source and within the size budget; sylvanode-cli library copies
// exactly them; the npm package holds what its exports name, and both its builds load.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { setup, openPage, cli, webDir, testsDir } from './lib/harness.mjs';
import { measure, budget, filterBudget } from './size.mjs';
import { stale } from '../../web/build.mjs';

const require = createRequire(import.meta.url);
let env;
before(async () => { env = await setup(); });
after(async () => { await env.close(); });

test(`the shipped library is a fresh build of the source, within ${budget} bytes gzipped (the filter add-on ${filterBudget}), mapped back to the source`, async () => {
  assert.deepEqual(await stale(), [], 'run node web/build.mjs and commit what it writes');
  const m = await measure();
  assert.ok(m.gzipped <= budget, `${m.gzipped} bytes gzipped`);
  assert.ok(m.filterGzipped <= filterBudget, `the filter add-on: ${m.filterGzipped} bytes gzipped`);
  assert.ok(m.minified < m.source / 2, `minified: ${m.minified} of ${m.source} bytes`);

  // A place in the minified code leads back to the same name in the source.
  const { TraceMap, originalPositionFor } = require('@jridgewell/trace-mapping');
  const min = readFileSync(join(webDir, 'sylvanode-tree.min.js'), 'utf8');
  const source = readFileSync(join(webDir, 'sylvanode-tree.js'), 'utf8');
  const map = new TraceMap(readFileSync(join(webDir, 'sylvanode-tree.min.js.map'), 'utf8'));
  assert.match(min, /\n\/\/# sourceMappingURL=sylvanode-tree\.min\.js\.map\n$/);
  const lines = min.split('\n');
  const line = lines.findIndex((l) => l.includes('Tree_readList'));
  const at = originalPositionFor(map, { line: line + 1, column: lines[line].indexOf('Tree_readList') });
  assert.equal(at.source, 'sylvanode-tree.js');
  assert.ok(source.split('\n')[at.line - 1].slice(at.column).startsWith('Tree_readList'), JSON.stringify(at));
});

test('sylvanode-cli library copies the shipped files, byte for byte', () => {
  const dir = join(env.site.dir, 'fresh-library');
  cli('library', dir);
  const names = readdirSync(dir).sort();
  assert.deepEqual(names, ['sn-line-i.svg', 'sn-line-l.svg', 'sn-line-t.svg', 'sn-minus.svg', 'sn-plus.svg',
    'sylvanode-filter.min.js', 'sylvanode-filter.min.js.map', 'sylvanode-tree.js', 'sylvanode-tree.min.js',
    'sylvanode-tree.min.js.map']);
  for (const name of names) assert.ok(readFileSync(join(dir, name)).equals(readFileSync(join(webDir, name))), name);
});

test('npm pack: the package holds what its exports name, at the program\'s version, and loads in Node', () => {
  const pkg = JSON.parse(readFileSync(join(webDir, 'package.json'), 'utf8'));
  const version = /project\(sylvanode VERSION ([\d.]+)/.exec(readFileSync(join(testsDir, '..', '..', 'CMakeLists.txt'), 'utf8'))[1];
  assert.equal(pkg.version, version, 'the package has the program\'s version');
  assert.equal(pkg.license, 'MIT');

  const out = mkdtempSync(join(tmpdir(), 'sylvanode-pack-'));
  try {
    const [{ filename }] = JSON.parse(execFileSync('npm', ['pack', '--json', '--pack-destination', out],
      { cwd: webDir, encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] }));
    const inside = execFileSync('tar', ['-tzf', join(out, filename)], { encoding: 'utf8' }).trim().split('\n')
      .map((f) => f.replace(/^package\//, '')).sort();
    const targets = new Set();
    const walk = (v) => (typeof v === 'string' ? targets.add(v.replace(/^\.\//, '')) : Object.values(v).forEach(walk));
    walk(pkg.exports);
    [pkg.main, pkg.module, pkg.types].forEach(walk);
    for (const t of targets) assert.ok(inside.includes(t), `${t} is in the tarball`);
    assert.deepEqual(inside.filter((f) => !targets.has(f) && !['README.md', 'sylvanode-tree.js', 'sylvanode-filter.js'].includes(f)), [],
      'nothing else but the readme and the sources');

    // Installed in a project: both conditions resolve and load without a document (a server
    // rendering the page imports it): the module exports its names, undefined there.
    const project = join(out, 'project');
    mkdirSync(join(project, 'node_modules', 'sylvanode-tree'), { recursive: true });
    execFileSync('tar', ['-xzf', join(out, filename), '-C', join(project, 'node_modules', 'sylvanode-tree'), '--strip-components=1']);
    writeFileSync(join(project, 'check.mjs'), `import * as m from 'sylvanode-tree';
      import { createRequire } from 'node:module';
      const r = createRequire(import.meta.url);
      console.log(JSON.stringify([Object.keys(m).sort(), typeof m.Tree_buildTree, r.resolve('sylvanode-tree').split('/').pop(),
        typeof r('sylvanode-tree'), r.resolve('sylvanode-tree/sn-plus.svg').split('/').pop()]));`);
    assert.deepEqual(JSON.parse(execFileSync(process.execPath, [join(project, 'check.mjs')], { encoding: 'utf8' })),
      [['Tree_buildTree', 'Tree_readList', 'Tree_treeView'], 'undefined', 'sylvanode-tree.min.js', 'object', 'sn-plus.svg']);
  } finally {
    rmSync(out, { recursive: true, force: true });
  }
});

test('the ES module builds a menu in a page, in the element a bundled app gives it', async () => {
  for (const f of ['sylvanode-tree.mjs']) writeFileSync(join(env.site.dir, f), readFileSync(join(webDir, f)));
  env.site.page('module.html', `<!doctype html><html lang="en"><head><meta charset="utf-8"><title>module</title></head><body>
    <nav data-sylvanode="tree" aria-label="Site"></nav>
    <script type="module">
      import { Tree_treeView, Tree_buildTree } from './sylvanode-tree.mjs';
      const tree = new Tree_treeView();
      tree.showLine = true;
      tree.lineFolder = 'lines/';
      Tree_buildTree([0, 'Docs', '', '', '', '', 3, '', '', '', -1, 2, 'Guide', '', '', '', 3, '', 'guide.htm', '', 1, 2, 'Help', '', '', '', 3, '', 'help.htm', '', 5], tree);
      window.built = tree;
    </script></body></html>`);
  const { page, context, errors } = await openPage(env.browser);
  await page.goto(env.server.url + 'module.html');
  await page.waitForFunction(() => window.built);
  await page.locator('a[role=treeitem]:text-is("Docs")').click();
  assert.deepEqual(await page.$$eval('nav [role=treeitem]', (as) => as.map((a) => a.textContent)), ['Docs', 'Guide', 'Help']);
  assert.equal(await page.evaluate(() => typeof window.Tree_buildTree), 'function', 'generated scripts still find the global names');
  assert.deepEqual(errors, []);
  await context.close();
});
