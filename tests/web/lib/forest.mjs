// SPDX-License-Identifier: MIT
// Random menus for the browser tests and the benchmark: a seeded generator of menu items in
// pre-order (title, level, link, hint, status), written as a scheme file for sylvanode-cli and,
// for the benchmark's baseline widget, as nested node data.
const words = ['Alpha', 'Bravo', 'Cedar', 'Delta', 'Ember', 'Fjord', 'Garnet', 'Harbor', 'Indigo', 'Juniper', 'Kestrel',
  'Lumen', 'Meadow', 'Nectar', 'Orchid', 'Pebble', 'Quartz', 'Raven', 'Sierra', 'Tundra', 'Umber', 'Violet', 'Willow', 'Zephyr'];

function generator(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), 1 | a);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// `count` items; about a quarter are folders, up to 8 levels deep, a few dozen top-level items.
// `bigFolder` adds, as the first top-level item, a folder with that many files.
export function randomForest(count, { seed = 12, bigFolder = 0 } = {}) {
  const rnd = generator(seed);
  const pick = () => words[Math.floor(rnd() * words.length)];
  const items = [];
  const add = (level) => {
    const i = items.length;
    items.push({
      name: `${pick()} ${pick()} ${i}`, level,
      link: rnd() < 0.85 ? `page${i}.htm` : '',
      hint: rnd() < 0.3 ? `About ${pick()}` : '',
      status: rnd() < 0.3 ? `Status ${i}` : '',
    });
  };
  if (bigFolder) {
    add(0);
    for (let i = 0; i < bigFolder; i++) add(1);
  }
  let level = 0;
  while (items.length < count) {
    if (items.length) {
      const r = rnd();
      if (r < 0.25 && level < 7) level++;
      else if (r >= 0.8 && rnd() < (level > 1 ? 1 : 0.02)) level = level > 1 ? 1 + Math.floor(rnd() * (level - 1)) : 0;
    }
    add(level);
  }
  return items;
}

export function describe(items) {
  let roots = 0, folders = 0, depth = 0;
  items.forEach((it, i) => {
    if (!it.level) roots++;
    if (items[i + 1] && items[i + 1].level > it.level) folders++;
    depth = Math.max(depth, it.level + 1);
  });
  return `${items.length.toLocaleString('en')} items, ${roots} top-level, ${folders} folders, ${depth} levels`;
}

// The scheme file (ASCII texts, CR LF) that sylvanode-cli generates the menu script from;
// `config` replaces [Config] values.
export function schemeText(items, config = {}) {
  const settings = { workDir: '/srv/site/', fileIcon: 'file.svg', folderIcon1: 'closed.svg', folderIcon2: 'open.svg', indent: 13,
    target: '_self', lineFolder: './', 'use image': 1, useTitleAsHint: 1, useTitleAsStatus: 1, 'show hint': 1, 'show status': 1,
    'show select': 1, 'show line': 1, ...config };
  const lines = ['[Config]', `count=${items.length}`, ...Object.entries(settings).map(([k, v]) => `${k}=${v}`)];
  const section = (name, value, only = () => true) => {
    lines.push(`[${name}]`);
    items.forEach((it, i) => { if (only(it, i)) lines.push(`${i}=${value(it)}`); });
  };
  const folder = (it, i) => !!items[i + 1] && items[i + 1].level > it.level;
  section('MenuName', (it) => it.name);
  section('MenuLevel', (it) => it.level);
  section('Hint', (it) => it.hint);
  section('Content Type', () => 0);
  section('Link', (it) => it.link);
  section('Target', () => '');
  section('Script', () => '', () => false);
  section('Icon1', () => '');
  section('Icon2', () => '', folder);
  lines.push('[padding]', '0=0', '1=0', '2=2', '3=5', '4=0', '5=0', '6=2', '7=5', '[height]', '0=0', '1=0');
  for (const [name, v] of [['useborder', 0], ['border color', ''], ['border width', 1], ['font name', ''], ['font size', -1],
    ['font style', -1], ['underline', 0], ['text color', ''], ['background color', '']]) {
    lines.push(`[${name}]`, ...[0, 1, 2, 3, 4, 5].map((k) => `${k}=${v}`));
  }
  section('Status', (it) => it.status, (it) => !!it.status);
  return lines.join('\r\n') + '\r\n';
}

// The same items as nested node data: { text, a_attr, children }.
export function nestedData(items) {
  const top = [], stack = [{ children: top }];
  for (const it of items) {
    const node = { text: it.name, children: [] };
    if (it.link) node.a_attr = { href: it.link };
    if (it.hint) node.a_attr = { ...node.a_attr, title: it.hint };
    stack.length = it.level + 1;
    stack[it.level].children.push(node);
    stack.push(node);
  }
  return top;
}
