// A ZIP archive of stored (uncompressed) files, made in the page: DXF files
// compress well, but every unzip tool reads stored ones, and the archive is
// written in one pass without a compression library. Names are UTF-8
// (general-purpose flag bit 11).
'use strict';

const crcTable = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

// The CRC-32 of `bytes`, or of the bytes before them (whose CRC-32 is
// `before`) and then them.
function crc32(bytes, before = 0) {
  let crc = (before ^ 0xffffffff) >>> 0;
  for (let i = 0; i < bytes.length; i++) crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
  return (crc ^ 0xffffffff) >>> 0;
}

// The DOS date and time fields of `date`.
function dosTime(date) {
  return {
    time: (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1),
    day: ((date.getFullYear() - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate(),
  };
}

// The largest size, offset and count the classic records hold; past them a
// field holds its all-ones value and the number goes in a ZIP64 record
// (APPNOTE 4.3.14-4.3.15, 4.5.3), so an archive past 4 GiB or 65,535 files
// stays whole.
const classicLimits = { size: 0xffffffff, count: 0xffff };

function setUint64(view, at, value) {
  view.setUint32(at, value % 0x100000000, true);
  view.setUint32(at + 4, Math.floor(value / 0x100000000), true);
}

// The ZIP64 extra field (header 0x0001) holding `values` (8 bytes each).
function zip64Extra(values) {
  const extra = new DataView(new ArrayBuffer(4 + 8 * values.length));
  extra.setUint16(0, 0x0001, true);
  extra.setUint16(2, 8 * values.length, true);
  values.forEach((v, i) => setUint64(extra, 4 + 8 * i, v));
  return extra;
}

function localHeader(name, size, crc, time, day, large) {
  const extra = large ? zip64Extra([size, size]) : new DataView(new ArrayBuffer(0));
  const local = new DataView(new ArrayBuffer(30));
  local.setUint32(0, 0x04034b50, true);
  local.setUint16(4, large ? 45 : 20, true);
  local.setUint16(6, 0x0800, true);
  local.setUint16(8, 0, true);
  local.setUint16(10, time, true);
  local.setUint16(12, day, true);
  local.setUint32(14, crc, true);
  local.setUint32(18, large ? 0xffffffff : size, true);
  local.setUint32(22, large ? 0xffffffff : size, true);
  local.setUint16(26, name.length, true);
  local.setUint16(28, extra.byteLength, true);
  return [local, name, extra];
}

function centralEntry(name, size, crc, time, day, offset, limits) {
  const largeSize = size >= limits.size, largeOffset = offset >= limits.size;
  const values = [...(largeSize ? [size, size] : []), ...(largeOffset ? [offset] : [])];
  const extra = values.length ? zip64Extra(values) : new DataView(new ArrayBuffer(0));
  const entry = new DataView(new ArrayBuffer(46));
  entry.setUint32(0, 0x02014b50, true);
  entry.setUint16(4, values.length ? 45 : 20, true);
  entry.setUint16(6, values.length ? 45 : 20, true);
  entry.setUint16(8, 0x0800, true);
  entry.setUint16(12, time, true);
  entry.setUint16(14, day, true);
  entry.setUint32(16, crc, true);
  entry.setUint32(20, largeSize ? 0xffffffff : size, true);
  entry.setUint32(24, largeSize ? 0xffffffff : size, true);
  entry.setUint16(28, name.length, true);
  entry.setUint16(30, extra.byteLength, true);
  entry.setUint32(42, largeOffset ? 0xffffffff : offset, true);
  return [entry, name, extra];
}

// The end records: the ZIP64 end record and its locator when a number is
// past the classic fields, then the classic end record.
function endRecords(count, centralSize, centralOffset, limits) {
  const large = count >= limits.count || centralSize >= limits.size || centralOffset >= limits.size;
  const records = [];
  if (large) {
    const end64 = new DataView(new ArrayBuffer(56));
    end64.setUint32(0, 0x06064b50, true);
    setUint64(end64, 4, 44);
    end64.setUint16(12, 45, true);
    end64.setUint16(14, 45, true);
    setUint64(end64, 24, count);
    setUint64(end64, 32, count);
    setUint64(end64, 40, centralSize);
    setUint64(end64, 48, centralOffset);
    const locator = new DataView(new ArrayBuffer(20));
    locator.setUint32(0, 0x07064b50, true);
    setUint64(locator, 8, centralOffset + centralSize);
    locator.setUint32(16, 1, true);
    records.push(end64, locator);
  }
  const end = new DataView(new ArrayBuffer(22));
  end.setUint32(0, 0x06054b50, true);
  end.setUint16(8, large ? 0xffff : count, true);
  end.setUint16(10, large ? 0xffff : count, true);
  end.setUint32(12, large ? 0xffffffff : centralSize, true);
  end.setUint32(16, large ? 0xffffffff : centralOffset, true);
  records.push(end);
  return records;
}

// An archive written entry by entry: each entry goes into a Blob as it comes
// (the browser keeps large blobs on disk, not in the page's memory), only
// the central directory's records are held until the end. `limits` stand
// in for the classic fields' (tests make small archives that need ZIP64
// records with them).
class ZipStream {
  constructor(date = new Date(), limits = classicLimits) {
    Object.assign(this, dosTime(date));
    this.limits = limits;
    this.entries = [];
    this.central = [];
    this.offset = 0;
  }

  // data: a Uint8Array or a Blob; crc: its CRC-32, when already known.
  add(name, data, crc = crc32(data)) {
    const encoded = new TextEncoder().encode(name);
    const size = data instanceof Blob ? data.size : data.byteLength;
    const local = localHeader(encoded, size, crc, this.time, this.day, size >= this.limits.size);
    this.entries.push(new Blob([...local, data]));
    this.central.push(...centralEntry(encoded, size, crc, this.time, this.day, this.offset, this.limits));
    this.offset += local.reduce((sum, part) => sum + part.byteLength, 0) + size;
  }

  // The whole archive.
  finish() {
    const centralSize = this.central.reduce((sum, part) => sum + part.byteLength, 0);
    const count = this.entries.length;
    return new Blob([...this.entries, ...this.central, ...endRecords(count, centralSize, this.offset, this.limits)],
      { type: 'application/zip' });
  }
}
