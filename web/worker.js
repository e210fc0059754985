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

// A file the command wrote, taken out of the file system: its blob and its CRC-32.
function takeFile(path) {
  const node = orvik.FS.lookupPath(path).node;
  let file;
  if (node.parts) {
    file = { blob: new Blob([...node.parts, node.part.subarray(0, node.partUsed)]), crc: node.crc };
  } else {
    const bytes = node.contents ? node.contents.subarray(0, node.usedBytes) : new Uint8Array(0);
    file = { blob: new Blob([bytes]), crc: reckonCrc ? crc32(bytes) : 0 };
  }
  orvik.FS.unlink(path);
  return file;
}

function outputs(id) {
  const folder = `/out/${id}`;
  return orvik.FS.readdir(folder)
    .filter((name) => name !== '.' && name !== '..')
    .map((name) => ({ name, ...takeFile(`${folder}/${name}`) }));
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
    type: 'opened', id: item.id, log, svg: svg && svg.blob, scales,
    pictureLeftOut: size > largestPictured,
    // Why there is no picture: the last line the command said of the drawing.
    pictureFailed: svg || size > largestPictured ? '' : inUserNames(picture.err, item).trim().split('\n').at(-1),
  };
  postMessage(message);
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
// "plan.dxf" is "plan (2).dxf"). Into an archive: its blob and CRC-32, for
// the page's archive. Downloaded: the blob's address only, so that the page
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
    const { blob, crc } = file;
    if (asArchive) return { name: file.name, entry, size: blob.size, blob, crc };
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
  reckonCrc = asArchive;
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
  // What this worker holds until it ends: the module's memory, which never
  // shrinks, and the blobs of the files whose addresses it gave out.
  reckonCrc = false;
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

// The files the commands write (in /out) go to the browser's blob store
// as they are written, in parts of 8 MB, their CRC-32 reckoned on the way
// when they go into an archive:
// the worker never holds a DXF of hundreds of megabytes whole, and the
// download is made of the parts. Such a file is written from its start to
// its end (as the writers do); reading it back, writing elsewhere in it or
// cutting it is refused.
const streamedPart = 8 * 1024 * 1024;
const ioError = 29;  // EIO
let reckonCrc = false;

function streamOutputs(FS, memfs) {
  const ops = memfs.ops_table.file.stream;
  const { read, write } = ops;
  ops.write = (stream, buffer, offset, length, position, canOwn) => {
    const node = stream.node;
    if (!node.parts && !(node.usedBytes === 0 && position === 0 && FS.getPath(node).startsWith('/out/'))) {
      return write(stream, buffer, offset, length, position, canOwn);
    }
    if (!node.parts) Object.assign(node, { parts: [], part: new Uint8Array(streamedPart), partUsed: 0, crc: 0 });
    if (position !== node.usedBytes) throw new FS.ErrnoError(ioError);
    const bytes = buffer.subarray(offset, offset + length);
    if (reckonCrc) node.crc = crc32(bytes, node.crc);
    for (let at = 0; at < length;) {
      const taken = Math.min(length - at, streamedPart - node.partUsed);
      node.part.set(bytes.subarray(at, at + taken), node.partUsed);
      node.partUsed += taken;
      at += taken;
      if (node.partUsed === streamedPart) {
        node.parts.push(new Blob([node.part]));
        node.partUsed = 0;
      }
    }
    node.usedBytes += length;
    node.timestamp = Date.now();
    return length;
  };
  ops.read = (stream, ...rest) => {
    if (stream.node.parts) throw new FS.ErrnoError(ioError);
    return read(stream, ...rest);
  };
  const resize = memfs.resizeFileStorage;
  memfs.resizeFileStorage = (node, size) => {
    if (node.parts && size !== node.usedBytes) throw new FS.ErrnoError(ioError);
    resize(node, size);
  };
}

createOrvik().then((module) => {
  orvik = module;
  streamOutputs(orvik.FS, orvik.FS.filesystems.MEMFS);
  orvik.FS.mkdirTree('/in');
  orvik.FS.mkdirTree('/out');
  postMessage({ type: 'ready', texts: JSON.parse(orvik.UTF8ToString(orvik._orvik_page_texts())) });
  for (const message of waiting) answer(message);
  waiting = null;
});
