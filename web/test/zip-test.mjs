// The page's ZIP writer (web/zip.js) read back by two other readers,
// Python's zipfile and Info-ZIP's unzip (which tests them): classic archives, and archives
// whose sizes, offsets and counts pass the fields' limits (made small here,
// as an archive past 4 GiB or 65,535 files would pass them) with ZIP64 records,
// and one real archive past 4 GiB (an entry of 4.5 GiB read from a sparse
// file, never held in memory).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { Readable } from 'node:stream';
import { pipeline } from 'node:stream/promises';
import vm from 'node:vm';

const here = path.dirname(new URL(import.meta.url).pathname);
const context = vm.createContext({ TextEncoder, Blob, Uint8Array, Uint32Array, DataView, ArrayBuffer, Date, Math });
vm.runInContext(fs.readFileSync(path.join(here, '..', 'zip.js'), 'utf8'), context);
// A class declared by a script is no property of its global object: named here.
vm.runInContext('this.ZipStream = ZipStream;', context);

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'zip-test-'));
const files = [
  { name: 'plan.dxf', bytes: new TextEncoder().encode('  0\r\nSECTION\r\n'.repeat(50)) },
  { name: '図面/平面図.dxf', bytes: new Uint8Array(300).map((_, i) => i % 251) },
  { name: 'empty.dxf', bytes: new Uint8Array(0) },
];
const cases = [
  { label: 'classic', limits: undefined, zip64: false },
  { label: 'sizes and offsets past the limit', limits: { size: 200, count: 0xffff }, zip64: true },
  { label: 'more files than the limit', limits: { size: 0xffffffff, count: 2 }, zip64: true },
];

// zipfile lists each file whole, checksum tested; unzip tests the archive
// (Debian's unzip would not name UTF-8 files right: it only tests them).
function readBack(file) {
  execFileSync('unzip', ['-tqq', file]);
  return execFileSync('python3', ['-c', `
import hashlib, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
for i in z.infolist(): print(i.filename, i.file_size, z.getinfo(i.filename).CRC)`, file]).toString().trim().split('\n');
}

// The CRC-32 by another hand (Python's zlib).
const crc = (bytes) => Number.parseInt(execFileSync('python3', ['-c',
  'import sys, zlib; print(zlib.crc32(sys.stdin.buffer.read()))'], { input: bytes }).toString(), 10);

async function write(zip, file) {
  const blob = zip.finish();
  await pipeline(blob.chunks ? Readable.from(blob.chunks()) : Readable.fromWeb(blob.stream()), fs.createWriteStream(file));
  // Whether its end has a ZIP64 end record.
  const tail = Buffer.alloc(Math.min(200, fs.statSync(file).size));
  const fd = fs.openSync(file, 'r');
  fs.readSync(fd, tail, 0, tail.length, fs.statSync(file).size - tail.length);
  fs.closeSync(fd);
  return tail.includes(Buffer.from([0x50, 0x4b, 0x06, 0x06]));
}

for (const c of cases) {
  const zip = new context.ZipStream(new Date(2026, 11, 8, 12, 0, 0), c.limits);
  for (const f of files) zip.add(f.name, f.bytes);
  const file = path.join(work, `${c.label}.zip`);
  assert.equal(await write(zip, file), c.zip64, `${c.label}: ZIP64 end record`);
  assert.deepEqual(readBack(file), files.map((f) => `${f.name} ${f.bytes.length} ${crc(f.bytes)}`), c.label);
}

// Past 4 GiB: a stand-in for the browser's Blob that holds no bytes of its
// own, its parts read as a stream when the archive is written (Node's own
// blobs stop at 4 GiB), and an entry of 4.5 GiB of zeros.
class StreamedBlob {
  constructor(parts = []) {
    this.parts = parts;
    this.size = parts.reduce((sum, part) => sum + (part instanceof StreamedBlob ? part.size : part.byteLength), 0);
  }

  async* chunks() {
    for (const part of this.parts) {
      if (part instanceof StreamedBlob) yield* part.chunks();
      else yield new Uint8Array(part.buffer, part.byteOffset, part.byteLength);
    }
  }
}

class Zeros extends StreamedBlob {
  constructor(size) {
    super();
    this.size = size;
  }

  async* chunks() {
    const chunk = new Uint8Array(1 << 26);
    for (let left = this.size; left > 0; left -= chunk.length) yield chunk.subarray(0, Math.min(left, chunk.length));
  }
}

const streamed = vm.createContext({ TextEncoder, Blob: StreamedBlob, Uint8Array, Uint32Array, DataView, ArrayBuffer, Date, Math });
vm.runInContext(fs.readFileSync(path.join(here, '..', 'zip.js'), 'utf8'), streamed);
vm.runInContext('this.ZipStream = ZipStream;', streamed);
const largeSize = 4.5 * 1024 ** 3;
const largeCrc = Number.parseInt(execFileSync('python3', ['-c', `
import sys, zlib
crc, chunk = 0, bytes(1 << 26)
for _ in range(int(sys.argv[1]) >> 26): crc = zlib.crc32(chunk, crc)
print(crc)`, String(largeSize)]).toString(), 10);
const zip = new streamed.ZipStream(new Date(2026, 11, 8, 12, 0, 0));
zip.add('図面/large.dxf', new Zeros(largeSize), largeCrc);
zip.add('report.jsonl', files[0].bytes);
const largeZip = path.join(work, 'large.zip');
assert.ok(await write(zip, largeZip), 'past 4 GiB: ZIP64 end record');
assert.deepEqual(readBack(largeZip),
  [`図面/large.dxf ${largeSize} ${largeCrc}`, `report.jsonl ${files[0].bytes.length} ${crc(files[0].bytes)}`]);
fs.rmSync(work, { recursive: true });
console.log(`zip-test: ${cases.length} archives and one of ${largeSize} bytes read back whole by zipfile and unzip`);
