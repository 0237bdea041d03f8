// SPDX-License-Identifier: MIT
// Size of the tree-menu library as shipped: the committed sylvanode-tree.min.js, gzip -9.
// Prints the figures; `node size.mjs --check` exits non-zero above the 7 KB budget.
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';

export const shippedPath = fileURLToPath(new URL('../../web/sylvanode-tree.min.js', import.meta.url));
export const sourcePath = fileURLToPath(new URL('../../web/sylvanode-tree.js', import.meta.url));
export const budget = 7 * 1024;

export async function measure() {
  const shipped = await readFile(shippedPath);
  return { source: (await readFile(sourcePath)).length, minified: shipped.length, gzipped: gzipSync(shipped, { level: 9 }).length };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const m = await measure();
  console.log(`sylvanode-tree.min.js: ${m.minified} bytes (source ${m.source}), ${m.gzipped} gzipped (budget ${budget})`);
  if (process.argv.includes('--check') && m.gzipped > budget) process.exit(1);
}
