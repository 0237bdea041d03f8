// SPDX-License-Identifier: MIT
// CTest entry point: checks the prerequisites, then runs every *.test.mjs with node's test runner.
import { existsSync, readdirSync } from 'node:fs';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { dirname, join } from 'node:path';

const here = dirname(fileURLToPath(import.meta.url));
const problems = [];
for (const m of ['playwright-core', 'axe-core', 'terser', 'jquery', 'jstree']) {
  if (!existsSync(join(here, 'node_modules', m, 'package.json'))) problems.push(`npm package ${m} is not installed in tests/web`);
}
if (!existsSync('/usr/bin/chromium')) problems.push('/usr/bin/chromium is missing (apt-get install chromium)');
if (!existsSync('/usr/bin/pdftotext')) problems.push('/usr/bin/pdftotext is missing (apt-get install poppler-utils)');
if (!process.env.SYLVANODE_CLI || !existsSync(process.env.SYLVANODE_CLI)) {
  problems.push('SYLVANODE_CLI must name the built sylvanode-cli (CTest sets it)');
}
if (problems.length) {
  console.error('web tests cannot run:\n  ' + problems.join('\n  ') + '\nRun scripts/setup.sh (it runs npm ci in tests/web).');
  process.exit(1);
}
const files = readdirSync(here).filter((f) => f.endsWith('.test.mjs')).sort();
const r = spawnSync(process.execPath, ['--test', '--test-concurrency=2', ...files], { cwd: here, stdio: 'inherit' });
process.exit(r.status ?? 1);
