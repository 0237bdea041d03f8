// SPDX-License-Identifier: MIT
// Size of the tree-menu library as shipped: the committed sylvanode-tree.min.js and the filter
// add-on sylvanode-filter.min.js, gzip -9. Prints the figures; `node size.mjs --check` exits
// non-zero above the budgets (7 KB, the add-on 2 KB).
import { readFile } from 'node:fs/promises';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';

export const shippedPath = fileURLToPath(new URL('../../web/sylvanode-tree.min.js', import.meta.url));
export const sourcePath = fileURLToPath(new URL('../../web/sylvanode-tree.js', import.meta.url));
export const filterPath = fileURLToPath(new URL('../../web/sylvanode-filter.min.js', import.meta.url));
export const budget = 7 * 1024, filterBudget = 2 * 1024;

export async function measure() {
  const shipped = await readFile(shippedPath);
  return { source: (await readFile(sourcePath)).length, minified: shipped.length, gzipped: gzipSync(shipped, { level: 9 }).length,
    filterGzipped: gzipSync(await readFile(filterPath), { level: 9 }).length };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const m = await measure();
  console.log(`sylvanode-tree.min.js: ${m.minified} bytes (source ${m.source}), ${m.gzipped} gzipped (budget ${budget}); ` +
    `sylvanode-filter.min.js: ${m.filterGzipped} gzipped (budget ${filterBudget})`);
  if (process.argv.includes('--check') && (m.gzipped > budget || m.filterGzipped > filterBudget)) process.exit(1);
}
