// SPDX-License-Identifier: MIT
// Size of the tree-menu library as served: minified with terser, then gzip -9.
// Prints the figures; `node size.mjs --check` exits non-zero above the 6 KB budget.
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';
import { minify } from 'terser';

export const libraryPath = fileURLToPath(new URL('../../web/sylvanode-tree.js', import.meta.url));
export const budget = 6 * 1024;

export async function measure() {
  const source = await readFile(libraryPath, 'utf8');
  const { code } = await minify(source, { compress: { passes: 2 }, mangle: true, format: { comments: false } });
  return { source: source.length, minified: code.length, gzipped: gzipSync(code, { level: 9 }).length };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const m = await measure();
  console.log(`sylvanode-tree.js: ${m.source} bytes, ${m.minified} minified, ${m.gzipped} minified+gzipped (budget ${budget})`);
  if (process.argv.includes('--check') && m.gzipped > budget) process.exit(1);
}
