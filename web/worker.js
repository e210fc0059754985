// The page's worker: the WebAssembly module runs here, so that the page
// keeps answering while drawings are read and converted. Each drawing is
// written into the module's memory file system under a folder of its own,
// the command line's commands run on it, and what they wrote is read back
// and removed. Nothing is sent anywhere.
'use strict';
importScripts('orvik.js', 'zip.js');

let orvik = null;

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
  // The file system takes the drawing's bytes as they are, without a copy.
  const stream = FS.open(input, 'w');
  FS.write(stream, new Uint8Array(item.bytes), 0, item.bytes.byteLength, 0, true);
  FS.close(stream);
  FS.utime(input, item.modified, item.modified);
  return input;
}

// A file the command wrote, taken out of the file system without a copy
// (a DXF may be hundreds of megabytes): the memory file system keeps a
// file's bytes in an array of their own.
function takeFile(path) {
  const node = orvik.FS.lookupPath(path).node;
  const bytes = node.contents ? node.contents.subarray(0, node.usedBytes) : new Uint8Array(0);
  orvik.FS.unlink(path);
  return bytes;
}

function outputs(id) {
  const folder = `/out/${id}`;
  return orvik.FS.readdir(folder)
    .filter((name) => name !== '.' && name !== '..')
    .map((name) => ({ name, bytes: takeFile(`${folder}/${name}`) }));
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
    ? run(['render', ...optionsOf(item.settings), '--allow-partial', ...light, '-o', `/out/${item.id}/picture.svg`, input])
    : { code: 1, err: '' };
  const svg = outputs(item.id).find((f) => f.name === 'picture.svg') || null;
  forget(item.id);
  const log = inUserNames(info.out + info.err, item);
  const message = {
    type: 'opened', id: item.id, log, svg: svg && svg.bytes, scales,
    pictureLeftOut: size > largestPictured,
    // Why there is no picture: the last line the command said of the drawing.
    pictureFailed: svg || size > largestPictured ? '' : inUserNames(picture.err, item).trim().split('\n').at(-1),
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

// The archive's entry for each file, unique in the run (a second
// "plan.dxf" is "plan (2).dxf"), and its bytes as a blob: the browser keeps
// it (on disk when it is large), and the file's array is left to the
// collector at once. Into an archive: the blob and its CRC-32, for the
// page's archive. Downloaded: the blob's address only, so that the page
// holds no reference to it and the bytes go with this worker or the
// address, whichever ends first.
const addresses = [];
function entriesOf(files, item, taken, asArchive) {
  const folder = item.folder ? `${item.folder}/` : '';
  return files.map((file) => {
    const wanted = entryName(folder + file.name);
    let entry = wanted;
    for (let n = 2; taken.has(entry); n++) entry = `${baseName(wanted)} (${n})${wanted.slice(baseName(wanted).length)}`;
    taken.add(entry);
    const blob = new Blob([file.bytes]);
    if (asArchive) return { name: file.name, entry, size: blob.size, blob, crc: crc32(file.bytes) };
    const url = URL.createObjectURL(blob);
    addresses.push(url);
    return { name: file.name, entry, size: blob.size, url };
  });
}

// Converts the drawings one after another, each drawing's files handed to
// the page as soon as they are written (the page downloads them, or adds
// them to its archive). What was read of a drawing cut short is converted,
// as the windows do. Between two drawings the page's other requests are
// answered; the page stops a run by ending the worker.
async function convert(items, settings, asArchive) {
  // The last run's downloads have long begun.
  for (const url of addresses.splice(0)) URL.revokeObjectURL(url);
  const options = [...optionsOf(settings), '--allow-partial'];
  const taken = new Set();
  let written = 0;
  for (const [index, item] of items.entries()) {
    await pause();
    const result = convertOne(item, options);
    const files = entriesOf(result.files, item, taken, asArchive);
    const dxf = files.find((f) => f.name === `${baseName(item.name)}.dxf`);
    written += files.reduce((sum, f) => sum + f.size, 0);
    postMessage({
      type: 'converted', id: item.id, log: result.log, problems: result.problems, record: result.reportLine,
      reportLine: reportLineOf(result.reportLine, item, dxf ? dxf.entry : ''),
      files, done: index + 1, total: items.length,
    });
  }
  // What this worker may hold until its collector runs: the module's memory
  // and the arrays the files were written into.
  postMessage({ type: 'finished', total: items.length, heldBytes: orvik.HEAPU8.length + written });
}

// Requests that come before the module is ready wait for it.
let waiting = [];
function answer(message) {
  if (message.type === 'open') open(message.item);
  else if (message.type === 'check') postMessage({ type: 'checked', name: message.name, ...checkField(message.name, message.text) });
  else if (message.type === 'convert') convert(message.items, message.settings, message.asArchive);
}
onmessage = (event) => {
  if (waiting) waiting.push(event.data);
  else answer(event.data);
};

// The memory file system grows a file by an eighth at a time past 1 MB,
// each time into a new array: a DXF of hundreds of megabytes would leave
// gigabytes of old arrays for the collector. Doubling leaves less than the
// file's own size, and the pages of the last array not yet written to take
// no memory.
function growFilesByDoubling(memfs) {
  memfs.expandFileStorage = (node, wanted) => {
    const had = node.contents ? node.contents.length : 0;
    if (had >= wanted) return;
    const grown = new Uint8Array(Math.max(wanted, had * 2, 256));
    if (node.usedBytes > 0) grown.set(node.contents.subarray(0, node.usedBytes));
    node.contents = grown;
  };
}

createOrvik().then((module) => {
  orvik = module;
  growFilesByDoubling(orvik.FS.filesystems.MEMFS);
  orvik.FS.mkdirTree('/in');
  orvik.FS.mkdirTree('/out');
  postMessage({ type: 'ready', texts: JSON.parse(orvik.UTF8ToString(orvik._orvik_page_texts())) });
  for (const message of waiting) answer(message);
  waiting = null;
});
