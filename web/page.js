// The page: drawings dropped or chosen, the window's settings, each
// drawing's log and picture, and the conversion of one drawing (its DXF
// downloaded) or of all (one ZIP with the run's report). The work is done
// by the worker (worker.js); this script only shows it and puts the
// worker's files into the download.
'use strict';

// The page's own words; the settings (the window's captions, defaults and
// the command line's options) come from the module's settings table.
const words = {
  loading: 'プログラムを読み込み中…',
  ready: '図面をドロップするか、選んでください。',
  converting: (done, total) => `変換中… ${done} / ${total}`,
  finished: (done, total, failed, partly) => `${done} / ${total} の図面を変換しました`
    + (failed ? `（失敗 ${failed}）` : '') + (partly ? `（最後まで読めなかった図面 ${partly}）` : ''),
  cancelled: (done, total) => `中止しました（${done} / ${total} を変換済み）`,
  saved: (name) => `${name} を保存しました`,
  archiveName: 'orvik-dxf.zip',
  pictureLeftOut: 'この図面は大きい（4 MB を超える）ため、絵は表示しません。変換はできます。',
  folderSkipped: (n) => `フォルダーの中の JW_CAD 図面でないファイル ${n} 個は読み込みませんでした`,
  alreadyListed: (n) => `すでに一覧にある図面 ${n} 個は加えませんでした`,
  noPicture: (why) => `絵を表示できません: ${why}`,
  drawings: '図面の一覧',
  log: 'ログ',
  picture: '図面の絵（ホイールか + と - で拡大・縮小、ドラッグか矢印キーで移動、0 で全体）',
  progress: '変換の進み具合',
};

const settingsKey = 'orvik.settings';
const lightKey = 'orvik.lightBackground';
const $ = (id) => document.getElementById(id);
// The page's files kept by the browser: it opens and converts without the
// network after one visit (not where the browser has no service workers,
// as for a page opened from a file).
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
let texts = null;
let settings = null;
let drawings = [];
let selected = null;
let nextId = 1;
// The conversion under way: its drawings, the counts, the archive being
// written and its report (null when there is none).
let run = null;

// --- settings -------------------------------------------------------------

// The settings' defaults, by name.
function defaults() {
  return Object.fromEntries(texts.settings.map((row) => [row.name, structuredClone(row.default)]));
}

function storedSettings() {
  try {
    const kept = JSON.parse(localStorage.getItem(settingsKey) || 'null');
    return kept ? { ...defaults(), ...kept } : defaults();
  } catch {
    return defaults();
  }
}

function keep(key, value) {
  try {
    localStorage.setItem(key, JSON.stringify(value));
  } catch {
    // storage refused (private browsing): the settings last for this visit
  }
}

function keepSettings() {
  keep(settingsKey, settings);
}

// The settings as the texts the module turns into orvik-cli's options.
function settingTexts() {
  return Object.fromEntries(Object.entries(settings).map(([name, value]) => [name, String(value)]));
}

function element(tag, properties = {}, children = []) {
  const e = Object.assign(document.createElement(tag), properties);
  for (const child of children) e.append(child);
  return e;
}

function group(caption, tip, children) {
  return element('fieldset', { title: tip || '' }, [element('legend', { textContent: caption }), ...children]);
}

function checkbox(key, caption) {
  const box = element('input', { type: 'checkbox', checked: settings[key], name: key });
  box.addEventListener('change', () => { settings[key] = box.checked; keepSettings(); });
  return element('label', {}, [box, caption]);
}

function radio(key, name, value, caption) {
  const button = element('input', { type: 'radio', name, checked: settings[key] === value });
  button.addEventListener('change', () => { if (button.checked) { settings[key] = value; keepSettings(); } });
  return element('label', {}, [button, caption]);
}

// A field is checked as the window checks it before its value is kept:
// the module answers (see the 'checked' message).
function field(key, caption, unit) {
  const input = element('input', { className: 'number', value: settings[key], name: key, inputMode: 'decimal' });
  input.addEventListener('change', () => ask({ type: 'check', name: key, text: input.value }));
  return element('label', {}, [caption + ' ', input, ' ' + unit]);
}

// The window's answer for a field: a usable value kept (a percentage past 99
// as 99); a refused one told, the field showing the window's reset value,
// which is kept; one that is no number at all told, the field as it was.
function fieldChecked(m) {
  const input = document.querySelector(`#settings input[name="${m.name}"]`);
  if (m.verdict !== 'error') settings[m.name] = m.text;
  if (m.verdict !== 'usable') $('status').textContent = m.message;
  if (input) input.value = settings[m.name];
  keepSettings();
}

function penColors(row) {
  return settings[row.name].map((color, i) => {
    const choice = element('select', { name: `pen${i + 1}` },
      [1, 2, 3, 4, 5, 6, 7].map((n) => element('option', { value: n, textContent: n, selected: n === color })));
    choice.addEventListener('change', () => { settings[row.name][i] = Number(choice.value); keepSettings(); });
    return element('label', {}, [`${row.caption}${i + 1} `, choice]);
  });
}

// A setting's controls, by its kind in the settings table.
function controls(row) {
  if (row.kind === 'switch') return [checkbox(row.name, row.caption)];
  if (row.kind === 'field') return [field(row.name, row.caption, row.unit)];
  if (row.kind === 'pens') return penColors(row);
  return row.choices.map((choice) => {
    const label = radio(row.name, row.name, choice.value, choice.caption);
    label.title = choice.tip;
    return label;
  });
}

// The settings table's rows, each group in a fieldset, in the window's order.
function buildSettings() {
  const c = texts.captions;
  const form = $('settings');
  const groups = [];
  for (const row of texts.settings) {
    if (groups.length === 0 || groups.at(-1).caption !== row.group) {
      groups.push({ caption: row.group, element: group(row.group, row.groupTip, []) });
    }
    groups.at(-1).element.append(...controls(row));
  }
  form.replaceChildren(...groups.map((g) => g.element));
  const scale = element('select', { id: 'scale', disabled: true, ariaLabel: c.scaleGroup });
  scale.addEventListener('change', () => { if (selected) selected.scale = scale.value; });
  form.prepend(group(c.scaleGroup, c.scaleTip, [scale]));
  showScales();
  const reset = element('button', { type: 'button', textContent: c.defaults, title: c.defaultsTip });
  reset.addEventListener('click', () => {
    const kept = texts.settings.filter((row) => row.keptByInitialise).map((row) => [row.name, settings[row.name]]);
    settings = { ...defaults(), ...Object.fromEntries(kept) };
    keepSettings();
    buildSettings();
  });
  form.append(reset);
}

// --- drawings -------------------------------------------------------------

function isDrawingName(name) {
  return /\.jw[cw]$/i.test(name);
}

// The same file twice (the same folder, name, size and time) is listed once.
function addDrawings(found) {
  const key = (file, folder) => JSON.stringify([folder, file.name, file.size, file.lastModified]);
  const listed = new Set(drawings.map((d) => key(d.file, d.folder)));
  let again = 0;
  for (const { file, folder } of found) {
    if (listed.has(key(file, folder))) { again++; continue; }
    listed.add(key(file, folder));
    drawings.push({ id: nextId++, file, folder, name: file.name, mark: '', reason: '' });
  }
  showDrawings();
  if (!selected && drawings.length > 0) select(drawings[0]);
  setButtons();
  return again;
}

// The list is one stop of the keyboard: the arrow keys, Home and End choose
// a drawing in it.
function showDrawings() {
  const list = $('drawings');
  list.replaceChildren(...drawings.map((d) => {
    const item = element('li', {
      id: `drawing-${d.id}`, role: 'option', ariaSelected: String(d === selected),
      className: d === selected ? 'selected' : '', title: d.folder ? `${d.folder}/${d.name}` : d.name,
    }, [d.mark + (d.folder ? `${d.folder}/` : '') + d.name]);
    if (d.reason) item.append(element('span', { className: 'reason', textContent: d.reason }));
    item.addEventListener('click', () => select(d));
    return item;
  }));
  if (selected) list.setAttribute('aria-activedescendant', `drawing-${selected.id}`);
  else list.removeAttribute('aria-activedescendant');
  const shown = selected && $(`drawing-${selected.id}`);
  if (shown) shown.scrollIntoView({ block: 'nearest' });
}

function chooseByKey(event) {
  if (drawings.length === 0) return;
  const at = drawings.indexOf(selected);
  const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: drawings.length - 1 }[event.key];
  if (to === undefined) return;
  event.preventDefault();
  select(drawings[Math.max(0, Math.min(drawings.length - 1, to))]);
}

// A drawing as the worker takes it: its bytes, and its time (the DXF's
// creation date is the drawing's, as on the command line).
async function payload(d) {
  return {
    id: d.id, name: d.name, folder: d.folder, modified: d.file.lastModified, scale: d.scale,
    bytes: await d.file.arrayBuffer(),
  };
}

// The chosen drawing's reference scales, its proposed one (or the one the
// user picked) selected; none to choose before a drawing is read.
function showScales() {
  const choice = $('scale');
  const d = selected;
  const items = d && d.scales ? d.scales.items : [];
  choice.replaceChildren(...items.map((item) => element('option', { value: item, textContent: item })));
  choice.disabled = items.length === 0;
  if (items.length > 0) choice.value = d.scale || items[d.scales.selected];
}

async function select(d) {
  selected = d;
  showDrawings();
  showScales();
  $('log').textContent = d.log || '';
  $('picture-note').textContent = '';
  const item = await payload(d);
  item.settings = settingTexts();
  item.lightBackground = $('light-background').checked;
  ask({ type: 'open', item }, [item.bytes]);
}

// Files from a drop: folders walked through, only the JW_CAD drawings in
// them taken; files dropped one by one are all taken (what is no drawing is
// listed with its reason).
async function droppedFiles(items) {
  const found = [];
  let skipped = 0;
  const walk = async (entry, folder) => {
    if (entry.isFile) {
      const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
      if (folder === null || isDrawingName(file.name)) found.push({ file, folder: folder || '' });
      else skipped++;
      return;
    }
    const reader = entry.createReader();
    const path = folder ? `${folder}/${entry.name}` : entry.name;
    for (;;) {
      const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
      if (batch.length === 0) break;
      for (const child of batch) await walk(child, path);
    }
  };
  const entries = [...items].map((i) => i.webkitGetAsEntry && i.webkitGetAsEntry()).filter(Boolean);
  for (const entry of entries) await walk(entry, null);
  if (entries.length === 0) {
    // A browser that gives no entries: the files dropped, without folders.
    for (const item of items) {
      const file = item.kind === 'file' && item.getAsFile();
      if (file) found.push({ file, folder: '' });
    }
  }
  return { found: byPath(found), skipped };
}

function byPath(found) {
  return found.sort((a, b) => (a.folder + '/' + a.file.name).localeCompare(b.folder + '/' + b.file.name));
}

function chosenFiles(files, fromFolder) {
  let skipped = 0;
  const found = [];
  for (const file of files) {
    const path = file.webkitRelativePath || '';
    if (fromFolder && !isDrawingName(file.name)) { skipped++; continue; }
    found.push({ file, folder: path.includes('/') ? path.slice(0, path.lastIndexOf('/')) : '' });
  }
  return { found: fromFolder ? byPath(found) : found, skipped };
}

function take({ found, skipped }) {
  const again = addDrawings(found);
  const said = [skipped && words.folderSkipped(skipped), again && words.alreadyListed(again)].filter(Boolean);
  if (said.length) $('status').textContent = said.join('。');
}

// --- converting -----------------------------------------------------------

function setButtons() {
  $('save').disabled = run !== null || !selected;
  $('save-all').disabled = run !== null || drawings.length === 0;
  $('cancel').disabled = run === null;
}

async function convert(list, asArchive) {
  renewIfIdle();
  run = { total: list.length, done: 0, failed: 0, partly: 0, zip: asArchive ? new ZipStream() : null, report: '' };
  setButtons();
  for (const d of list) { d.mark = ''; d.reason = ''; }
  showDrawings();
  $('progress').hidden = list.length < 2;
  $('progress').max = list.length;
  $('progress').value = 0;
  $('status').textContent = words.converting(0, list.length);
  const items = [];
  for (const d of list) items.push(await payload(d));
  worker.postMessage({ type: 'convert', items, settings: settingTexts(), asArchive }, items.map((i) => i.bytes));
}

// A file saved from its blob's address.
function download(url, name) {
  const link = element('a', { href: url, download: name });
  document.body.append(link);
  link.click();
  link.remove();
}

// The archive saved: the address is given up once the download has begun
// (which keeps the bytes it reads), so that the browser does not hold a
// copy of every archive made.
function downloadArchive(blob) {
  const url = URL.createObjectURL(blob);
  download(url, words.archiveName);
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// One drawing converted: its mark and reason in the list (by its line of
// the report and the module's table of statuses), its files downloaded or
// added to the archive.
function converted(m, d) {
  // The conversion's log says what the drawing holds again: it takes the read's place.
  d.log = [m.log, m.problems].filter(Boolean).join('\n');
  const record = m.record ? JSON.parse(m.record) : { status: 'failed', message: m.problems.trim() };
  const status = texts.statuses[record.status] || texts.statuses.failed;
  d.mark = status.sign;
  d.reason = record.status === 'converted' ? '' : record.message.split('\n')[0];
  showDrawings();
  if (d === selected) $('log').textContent = d.log;
  run.done = m.done;
  run.failed += status.failed ? 1 : 0;
  run.partly += record.status === 'partly-read' ? 1 : 0;
  run.report += m.reportLine;
  $('progress').value = m.done;
  $('status').textContent = words.converting(m.done, m.total);
  for (const file of m.files) {
    if (run.zip) run.zip.add(file.entry, file.blob, file.crc);
    else download(file.url, file.name);
  }
  const dxf = m.files.find((f) => f.name.endsWith('.dxf'));
  if (!run.zip && dxf) run.saved = dxf.name;
}

// The run's end, whole or cancelled: the archive of what was converted,
// with its report, downloaded; the status says how it went.
function finish(cancelled) {
  const { zip, report, done, total, failed, partly, saved } = run;
  if (zip && report) {
    zip.add('report.jsonl', new TextEncoder().encode(report));
    downloadArchive(zip.finish());
  }
  run = null;
  setButtons();
  $('progress').hidden = true;
  const made = done - failed;
  $('status').textContent = cancelled ? words.cancelled(made, total)
    : saved && total === 1 ? words.saved(saved) : words.finished(made, total, failed, partly);
}

// A cancel is at once: the worker is ended where it is (a drawing of
// millions of lines is not waited for) and a new one started.
function cancel() {
  if (!run) return;
  worker.terminate();
  startWorker();
  finish(true);
}

// --- the picture: fit, zoom with the wheel, pan by dragging ----------------

const view = { scale: 1, x: 0, y: 0 };

function place() {
  $('picture-image').style.transform = `translate(${view.x}px, ${view.y}px) scale(${view.scale})`;
}

function zoom(factor, px, py) {
  view.x = px - (px - view.x) * factor;
  view.y = py - (py - view.y) * factor;
  view.scale *= factor;
  place();
}

function fit() {
  const image = $('picture-image'), box = $('picture');
  if (!image.naturalWidth || !box.clientWidth) return;
  view.scale = Math.min(box.clientWidth / image.naturalWidth, box.clientHeight / image.naturalHeight);
  view.x = (box.clientWidth - image.naturalWidth * view.scale) / 2;
  view.y = (box.clientHeight - image.naturalHeight * view.scale) / 2;
  place();
}

function showTab(drawing) {
  $('log').hidden = drawing;
  $('picture').hidden = !drawing;
  $('log-tab').classList.toggle('selected', !drawing);
  $('drawing-tab').classList.toggle('selected', drawing);
  $('log-tab').setAttribute('aria-pressed', String(!drawing));
  $('drawing-tab').setAttribute('aria-pressed', String(drawing));
  if (drawing) fit();
}

function setUpPicture() {
  const box = $('picture');
  box.addEventListener('wheel', (event) => {
    event.preventDefault();
    const r = box.getBoundingClientRect();
    zoom(Math.exp(-event.deltaY / 500), event.clientX - r.left, event.clientY - r.top);
  }, { passive: false });
  // The same by keyboard: + and - zoom about the middle, the arrows move, 0 fits.
  box.addEventListener('keydown', (event) => {
    const step = 40;
    const moves = { ArrowLeft: [step, 0], ArrowRight: [-step, 0], ArrowUp: [0, step], ArrowDown: [0, -step] };
    if (event.key === '+' || event.key === '-') zoom(event.key === '+' ? 1.25 : 0.8, box.clientWidth / 2, box.clientHeight / 2);
    else if (moves[event.key]) { view.x += moves[event.key][0]; view.y += moves[event.key][1]; place(); }
    else if (event.key === '0') fit();
    else return;
    event.preventDefault();
  });
  let drag = null;
  box.addEventListener('pointerdown', (event) => {
    drag = { x: event.clientX - view.x, y: event.clientY - view.y };
    box.setPointerCapture(event.pointerId);
  });
  box.addEventListener('pointermove', (event) => {
    if (!drag) return;
    view.x = event.clientX - drag.x;
    view.y = event.clientY - drag.y;
    place();
  });
  box.addEventListener('pointerup', () => { drag = null; });
  box.addEventListener('dblclick', fit);
  $('picture-image').addEventListener('load', fit);
  window.addEventListener('resize', fit);
}

// --- the worker's answers ---------------------------------------------------

// The captions from the module, once: a worker started again after a
// cancel answers 'ready' too.
function ready(m) {
  if (texts) return;
  texts = m.texts;
  settings = storedSettings();
  const c = texts.captions;
  Object.assign($('save'), { textContent: c.save, title: c.saveTip });
  $('cancel').textContent = c.cancel;
  $('log-tab').textContent = c.log;
  $('drawing-tab').textContent = c.drawing;
  Object.assign($('fit'), { textContent: c.fit, title: c.fitTip });
  $('light').querySelector('span').textContent = c.lightBackground;
  buildSettings();
  $('status').textContent = words.ready;
  setButtons();
}

function opened(m, d) {
  d.log = m.log;
  d.scales = m.scales;
  if (d !== selected) return;
  showScales();
  $('log').textContent = m.log;
  const image = $('picture-image');
  if (image.src) URL.revokeObjectURL(image.src);
  image.src = m.svg ? URL.createObjectURL(new Blob([m.svg], { type: 'image/svg+xml' })) : '';
  $('picture-note').textContent = m.pictureLeftOut ? words.pictureLeftOut : m.pictureFailed ? words.noPicture(m.pictureFailed) : '';
}

function answered(event) {
  if (event.target !== worker) return;  // a worker ended by a cancel
  const m = event.data;
  const d = drawings.find((x) => x.id === m.id);
  if (m.type === 'opened' || m.type === 'checked') waiting--;
  if (m.type === 'ready') ready(m);
  else if (m.type === 'checked') fieldChecked(m);
  else if (m.type === 'opened' && d) opened(m, d);
  else if (m.type === 'converted' && d && run) converted(m, d);
  else if (m.type === 'finished' && run) {
    finish(false);
    // Ending the worker ends its blobs' addresses: once the downloads have
    // surely begun, or before the next request, whichever comes first.
    renew = m.heldBytes > largestHeld;
    if (renew) setTimeout(renewIfIdle, 10000);
  }
}

function renewIfIdle() {
  if (!renew || waiting > 0 || run) return;
  renew = false;
  worker.terminate();
  startWorker();
}

// The worker, the questions it has still to answer (a drawing's log and
// picture, a field's check), and whether it is to be started anew once it
// has answered them: after a large conversion its blobs' addresses keep the
// DXF in the browser and WebAssembly's memory never shrinks, while ending
// the worker gives all of it back at once.
const largestHeld = 256 * 1024 * 1024;
let worker = null;
let waiting = 0;
let renew = false;

function startWorker() {
  worker = new Worker('worker.js');
  worker.onmessage = answered;
  waiting = 0;
}

function ask(message, transfer = []) {
  renewIfIdle();
  waiting++;
  worker.postMessage(message, transfer);
}

// --- controls ---------------------------------------------------------------

$('status').textContent = words.loading;
startWorker();
$('choose-files-button').addEventListener('click', () => $('choose-files').click());
$('choose-folder-button').addEventListener('click', () => $('choose-folder').click());
$('choose-files').addEventListener('change', (e) => { take(chosenFiles(e.target.files, false)); e.target.value = ''; });
$('choose-folder').addEventListener('change', (e) => { take(chosenFiles(e.target.files, true)); e.target.value = ''; });
const drop = $('drop');
drop.addEventListener('dragover', (e) => { e.preventDefault(); drop.classList.add('over'); });
drop.addEventListener('dragleave', () => drop.classList.remove('over'));
drop.addEventListener('drop', async (e) => {
  e.preventDefault();
  drop.classList.remove('over');
  take(await droppedFiles(e.dataTransfer.items));
});
$('save').addEventListener('click', () => selected && convert([selected], false));
$('save-all').addEventListener('click', () => convert(drawings, true));
$('cancel').addEventListener('click', cancel);
$('drawings').addEventListener('keydown', chooseByKey);
for (const [id, label] of [['drawings', words.drawings], ['log', words.log], ['picture', words.picture], ['progress', words.progress]]) {
  $(id).setAttribute('aria-label', label);
}
$('log-tab').addEventListener('click', () => showTab(false));
$('drawing-tab').addEventListener('click', () => showTab(true));
$('fit').addEventListener('click', () => { showTab(true); fit(); });
function showBackground() {
  $('picture').classList.toggle('light', $('light-background').checked);
}
try {
  $('light-background').checked = JSON.parse(localStorage.getItem(lightKey) || 'false') === true;
} catch {
  // nothing kept: the dark background
}
showBackground();
$('light-background').addEventListener('change', () => {
  showBackground();
  keep(lightKey, $('light-background').checked);
  if (selected) select(selected);
});
setUpPicture();
setButtons();
