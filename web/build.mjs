// SPDX-License-Identifier: MIT
// Builds what is shipped from sylvanode-tree.js: the minified classic script sylvanode-tree.min.js
// with its source map, and the ES module sylvanode-tree.mjs; and from the filter add-on
// sylvanode-filter.js its minified build sylvanode-filter.min.js with its map. The outputs are committed, so that
// building the program needs no npm; a browser test fails when they are stale.
//   node web/build.mjs           writes them
//   node web/build.mjs --check   exits 1 when a committed file differs from a fresh build
// Needs terser, which the browser tests install (tests/web) or an `npm install` here.
import { readFile, writeFile } from 'node:fs/promises';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { dirname, join } from 'node:path';

export const webDir = dirname(fileURLToPath(import.meta.url));
export const outputs = ['sylvanode-tree.min.js', 'sylvanode-tree.min.js.map', 'sylvanode-tree.mjs',
  'sylvanode-filter.min.js', 'sylvanode-filter.min.js.map'];
const banner = '// SPDX-License-Identifier: MIT\n// (c) 2026 The Sylvanode authors';

function terser() {
  for (const from of [join(webDir, 'package.json'), join(webDir, '..', 'tests', 'web', 'package.json')]) {
    try {
      return createRequire(from)('terser');
    } catch { /* try the next place */ }
  }
  throw new Error('terser is not installed: run scripts/setup.sh (it installs the browser tests\' npm packages)');
}

// A source minified, with its map: ES2015 (the library needs newer browsers anyway), so that
// functions that do not use `this` become arrows.
function minify(name, source) {
  const min = name.replace(/\.js$/, '.min.js');
  return terser().minify({ [name]: source }, {
    ecma: 2015,
    compress: { passes: 2, unsafe_arrows: true },
    mangle: true,
    format: { comments: false, preamble: banner, ecma: 2015 },
    sourceMap: { filename: min, url: min + '.map', includeSources: true },
  });
}

// The shipped files, by name, built from the sources.
export async function build() {
  const source = await readFile(join(webDir, 'sylvanode-tree.js'), 'utf8');
  const min = await minify('sylvanode-tree.js', source);
  const filter = await minify('sylvanode-filter.js', await readFile(join(webDir, 'sylvanode-filter.js'), 'utf8'));
  // The module runs the same code (which also defines the global names generated scripts call)
  // and exports those names; without a document (a server importing it) they are undefined.
  const module = source + '\nvar sylvanodeGlobal = typeof window == "object" ? window : {};\n' +
    'export var Tree_treeView = sylvanodeGlobal.Tree_treeView, Tree_buildTree = sylvanodeGlobal.Tree_buildTree,\n' +
    '  Tree_readList = sylvanodeGlobal.Tree_readList;\n';
  return { 'sylvanode-tree.min.js': min.code + '\n', 'sylvanode-tree.min.js.map': min.map + '\n', 'sylvanode-tree.mjs': module,
    'sylvanode-filter.min.js': filter.code + '\n', 'sylvanode-filter.min.js.map': filter.map + '\n' };
}

// The names of committed files that differ from a fresh build.
export async function stale() {
  const fresh = await build();
  const out = [];
  for (const name of outputs) {
    const old = await readFile(join(webDir, name), 'utf8').catch(() => null);
    if (old !== fresh[name]) out.push(name);
  }
  return out;
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  if (process.argv.includes('--check')) {
    const names = await stale();
    if (names.length) {
      console.error(`stale: ${names.join(', ')}; run node web/build.mjs`);
      process.exit(1);
    }
  } else {
    const files = await build();
    for (const name of outputs) await writeFile(join(webDir, name), files[name]);
    console.log(`wrote ${outputs.join(', ')}`);
  }
}
