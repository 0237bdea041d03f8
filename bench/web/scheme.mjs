// Writes scheme files of a given size for the benchmarks: `roots` folders, each holding
// `folders` sub-folders of `files` files, with hints, status texts and links.
export function benchScheme({ roots, folders, files }) {
  const items = [];
  for (let r = 0; r < roots; r++) {
    items.push({ name: `Section ${r}`, level: 0, link: '' });
    for (let f = 0; f < folders; f++) {
      items.push({ name: `Chapter ${r}.${f}`, level: 1, link: `c${r}-${f}.htm` });
      for (let i = 0; i < files; i++) {
        items.push({ name: `Page ${r}.${f}.${i}`, level: 2, link: `p${r}-${f}-${i}.htm`, hint: `Hint ${i}`, status: `Status ${i}` });
      }
    }
  }
  const lines = ['[Config]', `count=${items.length}`, 'workDir=/srv/site/', 'fileIcon=file.svg', 'folderIcon1=closed.svg',
    'folderIcon2=open.svg', 'indent=13', 'target=_blank', 'lineFolder=./', 'use image=1', 'useTitleAsHint=1',
    'useTitleAsStatus=1', 'show hint=1', 'show status=1', 'show select=1', 'show line=1'];
  const section = (name, value, only = () => true) => {
    lines.push(`[${name}]`);
    items.forEach((it, i) => { if (only(it)) lines.push(`${i}=${value(it)}`); });
  };
  section('MenuName', (it) => it.name);
  section('MenuLevel', (it) => it.level);
  section('Hint', (it) => it.hint || '');
  section('Content Type', () => 0);
  section('Link', (it) => it.link);
  section('Target', () => '');
  section('Script', () => '', () => false);
  section('Icon1', () => '');
  section('Icon2', () => '', (it) => it.level < 2);
  lines.push('[padding]', '0=0', '1=0', '2=2', '3=5', '4=0', '5=0', '6=2', '7=5', '[height]', '0=0', '1=0');
  for (const [name, v] of [['useborder', 0], ['border color', ''], ['border width', 1], ['font name', ''], ['font size', -1],
    ['font style', -1], ['underline', 0], ['text color', ''], ['background color', '']]) {
    lines.push(`[${name}]`, ...[0, 1, 2, 3, 4, 5].map((k) => `${k}=${v}`));
  }
  section('Status', (it) => it.status, (it) => !!it.status);
  return { count: items.length, text: lines.join('\r\n') + '\r\n' };
}
