// SPDX-License-Identifier: MIT
// Shared pieces of the browser tests: the CLI, throw-away sites, a static server and Chromium.
import { createServer } from 'node:http';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, mkdirSync, readFileSync, writeFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, extname, join, normalize, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { schemeText } from './forest.mjs';

export const testsDir = dirname(dirname(fileURLToPath(import.meta.url)));
export const fixturesDir = join(testsDir, 'fixtures');
export const webDir = join(testsDir, '..', '..', 'web');

export function cliPath() {
  const p = process.env.SYLVANODE_CLI;
  if (!p) throw new Error('SYLVANODE_CLI is not set: run the tests through CTest or set it to the built sylvanode-cli');
  return p;
}

// Runs sylvanode-cli; returns stdout (throws with stderr on a non-zero exit).
export function cli(...args) {
  return execFileSync(cliPath(), args, { encoding: 'latin1', stdio: ['ignore', 'pipe', 'pipe'] });
}

export function fixture(name) {
  return join(fixturesDir, name);
}

// A scheme fixture with some [Config] keys replaced, written to `dir`; returns its path.
export function schemeVariant(dir, name, config) {
  let text = readFileSync(fixture(name), 'latin1');
  for (const [key, value] of Object.entries(config)) {
    const re = new RegExp(`^${key}=.*$`, 'm');
    if (!re.test(text)) throw new Error(`no key ${key} in ${name}`);
    text = text.replace(re, `${key}=${value}\r`); // `.` took the CR of the line
  }
  const out = join(dir, `${Object.keys(config).length ? 'variant-' : ''}${name}`);
  writeFileSync(out, text, 'latin1');
  return out;
}

// A throw-away site directory with the library (copied by the CLI) and small icons.
export function makeSite() {
  const dir = mkdtempSync(join(tmpdir(), 'sylvanode-web-'));
  cli('library', dir);
  cli('library', join(dir, 'lines'));
  mkdirSync(join(dir, 'img'));
  const colours = { 'doc-closed': '#a33', 'doc-open': '#3a3', page: '#33a', file: '#999', 'folder-closed': '#c90', 'folder-open': '#fc0' };
  for (const [name, fill] of Object.entries(colours)) {
    writeFileSync(join(dir, 'img', `${name}.svg`),
      `<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="${fill}"/></svg>`);
  }
  for (const page of ['help.htm', 'about.htm', 'docs.htm', 'guide.htm', 'frame.htm', 'leaf.htm', 'alpha.htm', 'zeta.htm', 'ship.htm', 'blank.htm']) {
    writeFileSync(join(dir, page), `<!doctype html><title>${page}</title><p id="page">${page}</p>`);
  }
  return {
    dir,
    // Generates `script` from a scheme with the CLI.
    generate(scheme, script, suffix) {
      cli('generate', scheme, '-o', join(dir, script), ...(suffix ? ['--suffix', suffix] : []));
    },
    // Generates `name`.js from menu items (see forest.mjs), with the site's icons and line images.
    menu(name, items, config = {}) {
      writeFileSync(join(dir, `${name}.menu`), schemeText(items, { fileIcon: 'img/file.svg', folderIcon1: 'img/folder-closed.svg',
        folderIcon2: 'img/folder-open.svg', lineFolder: 'lines/', ...config }), 'latin1');
      this.generate(join(dir, `${name}.menu`), `${name}.js`);
    },
    page(name, html) {
      mkdirSync(dirname(join(dir, name)), { recursive: true });
      writeFileSync(join(dir, name), html, 'latin1');
    },
    remove() {
      rmSync(dir, { recursive: true, force: true });
    },
  };
}

// A page that includes the library and, where it stands, the given scripts.
export function pageHtml(body, { charset = 'utf-8', head = '' } = {}) {
  return `<!doctype html><html lang="en"><head><meta charset="${charset}"><title>menu</title>` +
    `<script src="sylvanode-tree.min.js"></script>${head}</head><body>${body}</body></html>`;
}

const types = { '.html': 'text/html', '.htm': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript', '.svg': 'image/svg+xml', '.css': 'text/css' };

// A static file server on 127.0.0.1 and a random port.
export async function serve(root) {
  const server = createServer((req, res) => {
    const path = normalize(decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (path === '/favicon.ico') return res.writeHead(204).end();
    const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
    try {
      if (!file.startsWith(root + sep) || !statSync(file).isFile()) throw new Error('no file');
      res.writeHead(200, { 'content-type': types[extname(file)] || 'application/octet-stream', 'cache-control': 'no-store' });
      res.end(readFileSync(file));
    } catch {
      res.writeHead(404, { 'content-type': 'text/plain' });
      res.end('not found');
    }
  });
  await new Promise((ok) => server.listen(0, '127.0.0.1', ok));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((ok) => server.close(ok)) };
}

export async function launch() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// A page in a fresh context whose console errors and uncaught exceptions are collected.
export async function openPage(browser) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(`${m.text()} ${m.location().url}`); });
  page.on('pageerror', (e) => errors.push(e.message));
  context.on('page', (p) => p.on('pageerror', (e) => errors.push(e.message)));
  return { context, page, errors };
}

// Everything a test usually needs: a site, its server and a browser; close() cleans up.
export async function setup() {
  const site = makeSite();
  const server = await serve(site.dir);
  const browser = await launch();
  return {
    site, server, browser,
    async close() {
      await browser.close();
      await server.close();
      site.remove();
    },
  };
}

// Facts about the rows of a menu, read in the page. `icons` lists the images of the row, relative to
// the page: the open/close box (drawn with the node lines) and the item's icon, both backgrounds of
// the row.
export function rowsOf(page, selector = '[role=tree]') {
  return page.$$eval(`${selector} a[role=treeitem]`, (as) => as.map((a) => {
    const row = a.closest('.sn-r');
    const visible = !!(a.offsetWidth || a.offsetHeight);
    const dir = location.href.replace(/[^/]*$/, '');
    const urls = (text) => [...text.matchAll(/url\("([^"]*)"\)/g)].map((m) => m[1].replace(dir, ''));
    return {
      text: a.textContent, visible, cls: a.className.replace("sn-a ", ""), href: a.getAttribute('href'), target: a.getAttribute('target'),
      title: a.getAttribute('title'), expanded: a.getAttribute('aria-expanded'), level: a.getAttribute('aria-level'),
      setsize: a.getAttribute('aria-setsize'), posinset: a.getAttribute('aria-posinset'), tabindex: a.getAttribute('tabindex'),
      icons: urls(getComputedStyle(row).backgroundImage).filter((u) => !/sn-line-/.test(u)),
    };
  }));
}

// Chromium's accessibility tree, as assistive technology receives it, read through the DevTools
// protocol: the nodes that are not ignored, with role, name, description, properties (level,
// expanded, selected, ...) and `parent`, the nearest such node above.
export async function accessibilityTree(page) {
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await cdp.detach();
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const parentOf = new Map();
  for (const n of nodes) for (const c of n.childIds || []) parentOf.set(c, n.nodeId);
  const shown = new Map();
  for (const n of nodes) {
    if (n.ignored) continue;
    let p = parentOf.get(n.nodeId);
    while (p && byId.get(p).ignored) p = parentOf.get(p);
    shown.set(n.nodeId, { role: n.role?.value, name: n.name?.value ?? '', description: n.description?.value ?? '', parentId: p,
      ...Object.fromEntries((n.properties || []).map((x) => [x.name, x.value.value])) });
  }
  for (const v of shown.values()) v.parent = shown.get(v.parentId) || null;
  return [...shown.values()];
}

// Waits until the page has drawn `n` more frames.
export function frames(page, n = 2) {
  return page.evaluate((n) => new Promise((ok) => {
    const step = () => (n-- > 0 ? requestAnimationFrame(step) : ok());
    step();
  }), n);
}
