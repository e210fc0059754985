// The page's worker: the WebAssembly module runs here, so that the page
// keeps answering while drawings are read and converted. Each drawing is
// written into the module's memory file system under a folder of its own,
// the command line's commands run on it, and what they wrote is read back
// and removed. Nothing is sent anywhere.
'use strict';
importScripts('orvik.js', 'zip.js');

let orvik = null;
let cancelled = false;

// Calls `use` with the text's UTF-8 bytes in the module's memory (where they
// start, how many), freed after.
function withText(text, use) {
  const bytes = new TextEncoder().encode(text);
  const at = orvik._malloc(bytes.length);
  orvik.HEAPU8.set(bytes, at);
  try {
    return use(at, bytes.length);
  } finally {
    orvik._free(at);
  }
}

// Runs an orvik-cli command; answers its exit code and what it printed.
function run(args) {
  const code = withText(args.map((a) => a + '\0').join(''), (at, size) => orvik._orvik_run(at, size));
  return { code, out: orvik.UTF8ToString(orvik._orvik_output()), err: orvik.UTF8ToString(orvik._orvik_errors()) };
}

// The command line's options for the settings' texts ({name: text}).
function optionsOf(settings) {
  const pairs = Object.entries(settings).flat().map((t) => t + '\0').join('');
  return withText(pairs, (at, size) => JSON.parse(orvik.UTF8ToString(orvik._orvik_options(at, size))));
}

// The window's check of a settings field's text.
function checkField(name, text) {
  return withText(name + '\0', (at) => withText(text + '\0', (textAt) =>
    JSON.parse(orvik.UTF8ToString(orvik._orvik_check_field(at, textAt)))));
}

// The name of an archive's entry for a file the user's folders name.
function entryName(name) {
  return withText(name + '\0', (at) => orvik.UTF8ToString(orvik._orvik_entry_name(at)));
}

// The drawing's name as the user has it: its folder and file name.
function shownName(item) {
  return item.folder ? `${item.folder}/${item.name}` : item.name;
}

// The command's words with the drawing's name where they name the module's
// folders: the user's, not the worker's.
function inUserNames(text, item) {
  const folder = item.folder ? `${item.folder}/` : '';
  return text.split(`/in/${item.id}/${item.name}`).join(shownName(item)).split(`/out/${item.id}/`).join(folder);
}

// The drawing's line of the run's report naming its entries: the
// drawing's as the archive would, the DXF's as it is in the archive.
function reportLineOf(line, item, output) {
  if (!line) return '';
  const record = JSON.parse(line);
  record.input = entryName(shownName(item));
  record.output = output;
  return `${JSON.stringify(record)}\n`;
}

// The reference scales the window would list for the drawing.
function scalesOf(path) {
  return withText(path + '\0', (at) => JSON.parse(orvik.UTF8ToString(orvik._orvik_scales(at))));
}

function removeTree(path) {
  const FS = orvik.FS;
  if (!FS.analyzePath(path).exists) return;
  for (const name of FS.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const child = `${path}/${name}`;
    if (FS.isDir(FS.stat(child).mode)) removeTree(child);
    else FS.unlink(child);
  }
  FS.rmdir(path);
}

// The drawing's own folders, its file written in the first.
function place(item) {
  const FS = orvik.FS;
  for (const folder of [`/in/${item.id}`, `/out/${item.id}`]) {
    removeTree(folder);
    FS.mkdirTree(folder);
  }
  const input = `/in/${item.id}/${item.name}`;
  FS.writeFile(input, new Uint8Array(item.bytes));
  FS.utime(input, item.modified, item.modified);
  return input;
}

function outputs(id) {
  const FS = orvik.FS;
  const folder = `/out/${id}`;
  return FS.readdir(folder)
    .filter((name) => name !== '.' && name !== '..')
    .map((name) => ({ name, bytes: FS.readFile(`${folder}/${name}`) }));
}

function forget(id) {
  removeTree(`/in/${id}`);
  removeTree(`/out/${id}`);
}

function baseName(name) {
  const dot = name.lastIndexOf('.');
  return dot > 0 ? name.slice(0, dot) : name;
}

// The largest drawing whose picture is made: a browser holds an SVG picture
// of a million elements (about 30 MB of drawing, 150 MB of SVG) in several
// gigabytes, more than a tablet has.
const largestPictured = 4 * 1024 * 1024;

// What the drawing holds (info) and its picture (render, SVG).
function open(item) {
  const size = item.bytes.byteLength;
  const input = place(item);
  const info = run(['info', input]);
  const scales = scalesOf(input);
  const light = item.lightBackground ? ['--background', 'light'] : [];
  const picture = size <= largestPictured
    ? run(['render', ...optionsOf(item.settings), ...light, '-o', `/out/${item.id}/picture.svg`, input])
    : { code: 1, err: '' };
  const svg = picture.code === 0 ? outputs(item.id).find((f) => f.name === 'picture.svg') : null;
  forget(item.id);
  const message = {
    type: 'opened', id: item.id, log: inUserNames(info.out + info.err + picture.err, item), svg: svg && svg.bytes, scales,
    pictureLeftOut: size > largestPictured,
  };
  postMessage(message, svg ? [svg.bytes.buffer] : []);
}

// One drawing converted: its DXF and the images beside it, its log, its
// line of the run's report and whether it failed.
function convertOne(item, options) {
  const input = place(item);
  const report = `/in/${item.id}/report.jsonl`;
  const scale = item.scale ? ['--scale', item.scale] : [];
  const output = `/out/${item.id}/${baseName(item.name)}.dxf`;
  const result = run(['convert', '--force', ...options, ...scale, '--report', report, '-o', output, input]);
  const files = outputs(item.id);
  const reportLine = orvik.FS.analyzePath(report).exists ? orvik.FS.readFile(report, { encoding: 'utf8' }) : '';
  forget(item.id);
  return { files, log: inUserNames(result.out, item), problems: inUserNames(result.err, item), reportLine };
}

function pause() {
  return new Promise((resolve) => setTimeout(resolve, 0));
}

// Converts the drawings one after another; between two, a cancel is heard.
// One drawing: its files. Several: one ZIP with the run's report.
async function convert(items, settings, asArchive) {
  const options = optionsOf(settings);
  cancelled = false;
  const archived = [];
  const taken = new Set();
  let report = '';
  let done = 0;
  for (const item of items) {
    await pause();
    if (cancelled) break;
    const result = convertOne(item, options);
    const folder = item.folder ? `${item.folder}/` : '';
    let dxfEntry = '';
    for (const file of result.files) {
      const wanted = entryName(folder + file.name);
      let name = wanted;
      for (let n = 2; taken.has(name); n++) name = `${baseName(wanted)} (${n})${wanted.slice(baseName(wanted).length)}`;
      taken.add(name);
      archived.push({ name, bytes: file.bytes });
      if (file.name === `${baseName(item.name)}.dxf`) dxfEntry = name;
    }
    report += reportLineOf(result.reportLine, item, dxfEntry);
    done++;
    // The files handed over, not copied: a DXF may be hundreds of megabytes.
    const files = asArchive ? [] : result.files;
    postMessage({
      type: 'converted', id: item.id, log: result.log, problems: result.problems, record: result.reportLine,
      files,
      done,
      total: items.length,
    }, files.map((f) => f.bytes.buffer));
  }
  if (asArchive && archived.length + report.length > 0) {
    archived.push({ name: 'report.jsonl', bytes: new TextEncoder().encode(report) });
    postMessage({ type: 'archive', zip: makeZip(archived), cancelled, done, total: items.length });
  } else {
    postMessage({ type: 'finished', cancelled, done, total: items.length });
  }
}

onmessage = (event) => {
  const message = event.data;
  if (message.type === 'cancel') cancelled = true;
  else if (message.type === 'open') open(message.item);
  else if (message.type === 'check') postMessage({ type: 'checked', name: message.name, ...checkField(message.name, message.text) });
  else if (message.type === 'convert') convert(message.items, message.settings, message.asArchive);
};

createOrvik().then((module) => {
  orvik = module;
  orvik.FS.mkdirTree('/in');
  orvik.FS.mkdirTree('/out');
  postMessage({ type: 'ready', texts: JSON.parse(orvik.UTF8ToString(orvik._orvik_page_texts())) });
});
