// The page's ZIP writer (web/zip.js) read back by two other readers,
// Python's zipfile and Info-ZIP's unzip (which tests them): classic archives, and archives
// whose sizes, offsets and counts pass the fields' limits (made small here,
// as an archive past 4 GiB or 65,535 files would pass them) with ZIP64 records.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vm from 'node:vm';

const here = path.dirname(new URL(import.meta.url).pathname);
const context = vm.createContext({ TextEncoder, Blob, Uint8Array, Uint32Array, DataView, ArrayBuffer, Date, Math });
vm.runInContext(fs.readFileSync(path.join(here, '..', 'zip.js'), 'utf8'), context);

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
for (const c of cases) {
  const blob = context.makeZip(files, new Date(2026, 11, 8, 12, 0, 0), c.limits);
  const bytes = new Uint8Array(await blob.arrayBuffer());
  const file = path.join(work, `${c.label}.zip`);
  fs.writeFileSync(file, bytes);
  const hasZip64End = Buffer.from(bytes).includes(Buffer.from([0x50, 0x4b, 0x06, 0x06]));
  assert.equal(hasZip64End, c.zip64, `${c.label}: ZIP64 end record`);
  // zipfile lists each file whole, checksum tested; unzip tests the archive
  // (Debian's unzip would not name UTF-8 files right: it only tests them).
  const read = execFileSync('python3', ['-c', `
import hashlib, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
for i in z.infolist(): print(i.filename, i.file_size, hashlib.sha256(z.read(i)).hexdigest())`, file]).toString();
  const expected = files.map((f) => `${f.name} ${f.bytes.length} ${createHash('sha256').update(f.bytes).digest('hex')}`);
  assert.deepEqual(read.trim().split('\n'), expected, `${c.label}: zipfile's reading`);
  execFileSync('unzip', ['-tqq', file]);
}
fs.rmSync(work, { recursive: true });
console.log(`zip-test: ${cases.length} archives read back whole by zipfile and unzip`);
