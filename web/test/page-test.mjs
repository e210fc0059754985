// The page in Debian's Chromium, headless, as a user works it: a drawing
// dropped and one chosen, their logs and pictures, one DXF saved, every
// drawing of a folder converted into one ZIP, a batch with a damaged
// drawing, a batch cancelled, a request elsewhere refused by the page's
// policy, a drawing converted offline after one visit, every action by
// keyboard, a phone's width, and an accessibility check (axe-core). The DXF
// files must be byte for byte the native orvik-cli's.
//
// node page-test.mjs URL WORK CLI [SCREENSHOT]
//   WORK/single    the sample drawing and a JWW drawing
//   WORK/all       every drawing the page must convert as Linux does
//   WORK/native    orvik-cli's DXF of each of them, with its defaults
//   WORK/info      orvik-cli's info of the sample
//   WORK/damaged   30 drawings, one of them cut short
//   WORK/cancel    30 larger drawings
//   WORK/large.jwc one of them
// CLI is the native orvik-cli, for a DXF at another reference scale.
import { chromium } from 'playwright-core';
import { createRequire } from 'node:module';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const [url, work, cli, screenshot] = process.argv.slice(2);
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const files = (folder) => fs.readdirSync(path.join(work, folder)).sort().map((n) => path.join(work, folder, n));
const baseName = (name) => name.replace(/\.[^.]*$/, '');

// The entries of a ZIP of stored files.
function unzip(bytes) {
  const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
  let end = bytes.length - 22;
  while (view.getUint32(end, true) !== 0x06054b50) end--;
  const count = view.getUint16(end + 10, true);
  let at = view.getUint32(end + 16, true);
  const entries = new Map();
  for (let i = 0; i < count; i++) {
    const size = view.getUint32(at + 20, true), nameLength = view.getUint16(at + 28, true);
    const offset = view.getUint32(at + 42, true);
    const name = new TextDecoder().decode(bytes.subarray(at + 46, at + 46 + nameLength));
    const dataAt = offset + 30 + view.getUint16(offset + 26, true) + view.getUint16(offset + 28, true);
    entries.set(name, bytes.subarray(dataAt, dataAt + size));
    at += 46 + nameLength + view.getUint16(at + 30, true) + view.getUint16(at + 32, true);
  }
  return entries;
}

// The same bytes, or where they part.
function assertSameBytes(actual, expectedFile, what) {
  const expected = new Uint8Array(fs.readFileSync(expectedFile));
  let at = 0;
  while (at < actual.length && at < expected.length && actual[at] === expected[at]) at++;
  if (at === actual.length && at === expected.length) return;
  const near = (bytes) => JSON.stringify(new TextDecoder().decode(bytes.subarray(Math.max(0, at - 40), at + 40)));
  assert.fail(`${what}: differs from byte ${at} on: ${near(actual)} where ${expectedFile} has ${near(expected)}`);
}

async function downloaded(page, click) {
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 300000 }), click()]);
  return { name: download.suggestedFilename(), bytes: new Uint8Array(fs.readFileSync(await download.path())) };
}

// Every request of the page's that the server answered 404 (the icon a
// browser asks for among them).
const missing = [];

async function freshPage(browser, viewport = { width: 1280, height: 800 }) {
  const page = await browser.newPage({ viewport });
  page.on('pageerror', (error) => { throw error; });
  page.on('response', (response) => { if (response.status() === 404) missing.push(response.url()); });
  await page.goto(url);
  await page.waitForSelector('#settings fieldset');
  return page;
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  // A drawing dropped, another chosen: the log says what each holds, the
  // picture shows it, and the saved DXF is the command line's.
  let page = await freshPage(browser);
  const sample = files('single').find((f) => f.endsWith('.jwc')), jww = files('single').find((f) => f.endsWith('.jww'));
  await page.evaluate(async ({ name, bytes, lastModified }) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([new Uint8Array(bytes)], name, { lastModified }));
    document.getElementById('drop').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true }));
  }, { name: path.basename(sample), bytes: [...fs.readFileSync(sample)], lastModified: fs.statSync(sample).mtimeMs });
  await page.setInputFiles('#choose-files', jww);
  await page.waitForFunction(() => document.querySelectorAll('#drawings li').length === 2);
  const info = fs.readFileSync(path.join(work, 'info'), 'utf8').split('\n').filter((l) => l && !l.includes(path.basename(sample)));
  await page.waitForFunction((lines) => lines.every((l) => document.getElementById('log').textContent.includes(l)), info);
  await page.waitForFunction(() => document.getElementById('picture-image').naturalWidth > 0);
  await page.click('#drawing-tab');
  const fitted = await page.$eval('#picture-image', (i) => i.style.transform);
  await page.mouse.move(700, 400);
  await page.mouse.wheel(0, -300);
  assert.notEqual(await page.$eval('#picture-image', (i) => i.style.transform), fitted, 'the wheel zooms');
  await page.click('#fit');
  assert.equal(await page.$eval('#picture-image', (i) => i.style.transform), fitted, 'fit shows the whole drawing');
  await page.click(`#drawings li >> text=${path.basename(sample)}`);
  const single = await downloaded(page, () => page.click('#save'));
  assert.equal(single.name, `${baseName(path.basename(sample))}.dxf`);
  assertSameBytes(single.bytes, path.join(work, 'native', single.name), single.name);
  // A DXF of several of the worker's 8 MB parts, whole.
  const large = path.join(work, 'large.jwc');
  await page.setInputFiles('#choose-files', large);
  await page.click('#drawings li >> text=large.jwc');
  const largeDxf = await downloaded(page, () => page.click('#save'));
  execFileSync(cli, ['convert', '-o', path.join(work, 'large.dxf'), large]);
  assert.ok(largeDxf.bytes.length > 8 * 1024 * 1024, `${largeDxf.bytes.length} bytes`);
  assertSameBytes(largeDxf.bytes, path.join(work, 'large.dxf'), 'the large DXF');
  await page.click(`#drawings li >> text=${path.basename(sample)}`);
  // The window's reference scales, the busiest group's proposed; another chosen.
  const scales = await page.$$eval('#scale option', (options) => options.map((o) => o.value));
  assert.deepEqual(scales, ['100', '50']);
  assert.equal(await page.inputValue('#scale'), '100');
  await page.selectOption('#scale', '50');
  const atFifty = await downloaded(page, () => page.click('#save'));
  execFileSync(cli, ['convert', '--scale', '50', '-o', path.join(work, 'at-50.dxf'), sample]);
  assertSameBytes(atFifty.bytes, path.join(work, 'at-50.dxf'), 'the DXF at 1:50');
  // Settings changed on the page: the command line's file with the same options.
  await page.uncheck('input[name=roundCoordinates]');
  await page.getByLabel('円', { exact: true }).check();
  await page.getByLabel('r12', { exact: true }).check();
  await page.selectOption('select[name=pen1]', '1');
  const changed = await downloaded(page, () => page.click('#save'));
  execFileSync(cli, ['convert', '--scale', '50', '--no-round', '--points', 'circle', '--format', 'r12',
    '--pen-colors', '1,7,3,2,6,5', '-o', path.join(work, 'changed.dxf'), sample]);
  assertSameBytes(changed.bytes, path.join(work, 'changed.dxf'), 'the DXF of the changed settings');
  // Mistyped fields are checked as the window checks them before anything is
  // kept: refused with the window's message and its reset value, a percentage
  // past 99 taken as 99, a full-width number not taken at all.
  const typed = async (name, text, status) => {
    await page.fill(`input[name=${name}]`, text);
    await page.press(`input[name=${name}]`, 'Tab');
    await page.waitForFunction((s) => document.getElementById('status').textContent.includes(s), status);
  };
  const stored = () => page.evaluate(() => JSON.parse(localStorage.getItem('orvik.settings')));
  await typed('pointRadius', '1,5', '点の半径は0より大きい数値を入力してください');
  assert.equal(await page.inputValue('input[name=pointRadius]'), '0.5000');
  assert.equal((await stored()).pointRadius, '0.5000');
  await typed('halfWidthAspect', '７０', 'は有効な整数値ではありません');
  assert.equal((await stored()).halfWidthAspect, '70');
  await typed('textShrink', '0', '文字の縮小率は0より大きい数値を入力してください');
  assert.equal((await stored()).textShrink, '90');
  await page.fill('input[name=textShrink]', '150');
  await page.press('input[name=textShrink]', 'Tab');
  await page.waitForFunction(() => JSON.parse(localStorage.getItem('orvik.settings')).textShrink === '99');
  const checked = await downloaded(page, () => page.click('#save'));
  execFileSync(cli, ['convert', '--scale', '50', '--no-round', '--points', 'circle', '--format', 'r12',
    '--pen-colors', '1,7,3,2,6,5', '--text-reduction', '99', '-o', path.join(work, 'checked.dxf'), sample]);
  assertSameBytes(checked.bytes, path.join(work, 'checked.dxf'), 'the DXF after the checked fields');
  await page.close();

  // Every drawing at once: one ZIP, each DXF the command line's, the report
  // with a line for each drawing.
  page = await freshPage(browser);
  const all = files('all');
  await page.setInputFiles('#choose-files', all);
  const archive = await downloaded(page, () => page.click('#save-all'));
  // Another reader (Python's zipfile) finds every entry whole, checksums included.
  fs.writeFileSync(path.join(work, 'all.zip'), archive.bytes);
  execFileSync('python3', ['-c', 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)',
    path.join(work, 'all.zip')]);
  const zip = unzip(archive.bytes);
  for (const drawing of all) {
    const name = `${baseName(path.basename(drawing))}.dxf`;
    assert.ok(zip.has(name), `${name} in the ZIP`);
    assertSameBytes(zip.get(name), path.join(work, 'native', name), name);
  }
  const report = new TextDecoder().decode(zip.get('report.jsonl')).trim().split('\n').map((l) => JSON.parse(l));
  assert.equal(report.length, all.length);
  await page.close();

  // A damaged drawing among 30: what was read of it converted, as the
  // windows do, and listed with where its file ends; the counts are the
  // run's own, a later save and an empty file counted apart.
  page = await freshPage(browser);
  const batch = files('damaged');
  await page.setInputFiles('#choose-files', batch);
  await page.setInputFiles('#choose-files', batch.slice(0, 2));
  assert.match(await page.textContent('#status'), /すでに一覧にある図面 2 個/);
  const batchZip = unzip((await downloaded(page, () => page.click('#save-all'))).bytes);
  const batchReport = new TextDecoder().decode(batchZip.get('report.jsonl')).trim().split('\n').map((l) => JSON.parse(l));
  assert.equal(batchReport.length, 30);
  assert.deepEqual(batchReport.filter((r) => r.status !== 'converted').map((r) => r.status), ['partly-read']);
  assert.equal([...batchZip.keys()].filter((n) => n.endsWith('.dxf')).length, 30);
  const reasons = await page.$$eval('#drawings li .reason', (spans) => spans.map((s) => s.textContent));
  assert.equal(reasons.length, 1);
  assert.match(reasons[0], /ファイルが終わっています（\d+ バイト目から、ファイルの大きさ 3000 バイト）/);
  await page.waitForFunction(() => !document.getElementById('save-all').disabled);
  assert.equal(await page.textContent('#status'), '30 / 30 の図面を変換しました（最後まで読めなかった図面 1）');
  await page.click('#drawings li >> text=drawing-30.jwc');
  await page.click('#drawing-tab');
  await page.waitForFunction(() => document.getElementById('picture-image').naturalWidth > 0);
  await page.click('#drawings li >> text=drawing-01.jwc');
  await downloaded(page, () => page.click('#save'));
  await page.waitForFunction(() => !document.getElementById('save').disabled);
  assert.equal(await page.textContent('#status'), 'drawing-01.dxf を保存しました');
  await page.evaluate(() => take({ found: [{ file: new File([], 'empty.jwc'), folder: '' }], skipped: 0 }));
  await page.click('#drawings li >> text=empty.jwc');
  await page.waitForFunction(() => document.getElementById('picture-note').textContent.includes('空のファイルです'));
  await page.click('#save');
  await page.waitForFunction(() => !document.getElementById('save').disabled);
  assert.equal(await page.textContent('#status'), '0 / 1 の図面を変換しました（失敗 1）');
  assert.match(await page.textContent('#drawings li:last-child .reason'), /空のファイルです/);
  await page.close();

  // Names from a folder that would lead an extractor out of its folder or
  // show as another: the entries stay inside, the report names the same
  // entries, and the log the user's names, never the worker's folders.
  page = await freshPage(browser);
  await page.evaluate((bytes) => {
    const file = (name) => new File([new Uint8Array(bytes)], name);
    take({ found: [{ file: file('..\\..\\..\\..\\escape\\x.jwc'), folder: 'trav' },
      { file: file('plan\u202Efdp.jwc'), folder: 'trav/../..' }], skipped: 0 });
  }, [...fs.readFileSync(sample)]);
  const named = unzip((await downloaded(page, () => page.click('#save-all'))).bytes);
  assert.deepEqual([...named.keys()].sort(), ['report.jsonl', 'trav/escape/x.dxf', 'trav/plan_fdp.dxf']);
  const namedReport = new TextDecoder().decode(named.get('report.jsonl')).trim().split('\n').map((l) => JSON.parse(l));
  assert.deepEqual(namedReport.map((r) => [r.input, r.output]),
    [['trav/escape/x.jwc', 'trav/escape/x.dxf'], ['trav/plan_fdp.jwc', 'trav/plan_fdp.dxf']]);
  const namedLog = await page.textContent('#log');
  assert.ok(!namedLog.includes('/in/') && !namedLog.includes('/out/'), namedLog);
  assert.equal(namedLog.split('ORVIK').length, 2, 'the drawing\'s summary once');
  await page.close();

  // Cancelled after the first drawing: the run stops at once (the drawing
  // under way is not waited for), what was converted is kept.
  page = await freshPage(browser);
  await page.setInputFiles('#choose-files', files('cancel'));
  const [cancelled] = await Promise.all([
    page.waitForEvent('download', { timeout: 300000 }),
    (async () => {
      await page.click('#save-all');
      await page.waitForFunction(() => document.getElementById('progress').value >= 1);
      await page.click('#cancel');
    })(),
  ]);
  const kept = unzip(new Uint8Array(fs.readFileSync(await cancelled.path())));
  const keptDxf = [...kept.keys()].filter((n) => n.endsWith('.dxf')).length;
  assert.ok(keptDxf >= 1 && keptDxf < 30, `${keptDxf} of 30 converted before the cancel`);
  assert.match(await page.textContent('#status'), /中止/);
  assert.ok(!await page.isDisabled('#save-all'), 'a new run can start');
  await page.close();

  // Every action by keyboard: the chooser, the list, the save, the tabs and
  // the picture; the white background kept for the next visit.
  page = await freshPage(browser);
  // The browser is told to hand the chooser over before the key is pressed
  // (the evaluation after it waits for that).
  const choosing = page.waitForEvent('filechooser');
  await page.evaluate(() => 0);
  await page.focus('#choose-files-button');
  await page.keyboard.press('Enter');
  const chooser = await choosing;
  await chooser.setFiles(files('single'));
  await page.waitForFunction(() => document.querySelectorAll('#drawings li').length === 2);
  await page.focus('#drawings');
  await page.keyboard.press('End');
  assert.equal(await page.getAttribute('#drawings li:last-child', 'aria-selected'), 'true');
  await page.keyboard.press('Home');
  assert.equal(await page.getAttribute('#drawings li:first-child', 'aria-selected'), 'true');
  await page.focus('#save');
  const byKeyboard = await downloaded(page, () => page.keyboard.press('Enter'));
  assertSameBytes(byKeyboard.bytes, path.join(work, 'native', byKeyboard.name), 'the DXF saved by keyboard');
  await page.focus('#drawing-tab');
  await page.keyboard.press('Space');
  await page.waitForFunction(() => document.getElementById('picture-image').naturalWidth > 0);
  await page.focus('#picture');
  const keyFitted = await page.$eval('#picture-image', (i) => i.style.transform);
  await page.keyboard.press('+');
  assert.notEqual(await page.$eval('#picture-image', (i) => i.style.transform), keyFitted, '+ zooms');
  await page.keyboard.press('0');
  assert.equal(await page.$eval('#picture-image', (i) => i.style.transform), keyFitted, '0 fits');
  await page.focus('#light-background');
  await page.keyboard.press('Space');
  // The folder chooser's drawings in order, as a drop's.
  const sorted = await page.evaluate(() => chosenFiles([{ name: 'b.jwc', webkitRelativePath: 'f/b.jwc' },
    { name: 'a.jwc', webkitRelativePath: 'f/a.jwc' }, { name: 'c.txt', webkitRelativePath: 'f/c.txt' }], true));
  assert.deepEqual(sorted.found.map((f) => f.file.name), ['a.jwc', 'b.jwc']);
  // Named and reachable: no serious or critical finding of axe-core.
  await page.evaluate(axeSource);
  const findings = await page.evaluate(async () => (await axe.run()).violations
    .filter((v) => v.impact === 'serious' || v.impact === 'critical').map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
  assert.deepEqual(findings, [], 'axe-core');
  await page.reload();
  await page.waitForSelector('#settings fieldset');
  assert.ok(await page.isChecked('#light-background'), 'the white background kept');
  await page.close();

  // A phone's width: nothing wider than the screen, the settings under the
  // drawing, the drawing's tab pressable.
  page = await freshPage(browser, { width: 390, height: 844 });
  await page.setInputFiles('#choose-files', sample);
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 390), 'no sideways scrolling');
  const top = (id) => page.$eval(id, (e) => e.getBoundingClientRect().top);
  assert.ok(await top('#settings') > await top('#views'), 'the settings under the drawing');
  await page.click('#drawing-tab');
  await page.waitForFunction(() => document.getElementById('picture-image').naturalWidth > 0);
  assert.ok(await page.$eval('#picture', (e) => e.clientWidth >= 300), 'the picture as wide as the phone');
  await page.close();
  // Private by construction: the page's policy makes the browser refuse a
  // request to another address. Installable: the manifest names the icon
  // in the sizes browsers ask for. Offline after one visit: the service
  // worker keeps the page and its module, and a drawing converts as before.
  page = await freshPage(browser);
  const refused = await page.evaluate(() => new Promise((resolve) => {
    document.addEventListener('securitypolicyviolation', (e) => resolve(e.effectiveDirective), { once: true });
    fetch('http://192.0.2.1/drawing.jwc', { method: 'POST', body: 'x' }).catch(() => {});
  }));
  assert.equal(refused, 'connect-src', 'a request to another address is refused');
  const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
  assert.deepEqual(manifest.icons.map((i) => i.sizes), ['any', '192x192', '512x512']);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  await page.context().setOffline(true);
  await page.reload();
  await page.waitForSelector('#settings fieldset');
  await page.setInputFiles('#choose-files', sample);
  await page.click(`#drawings li >> text=${path.basename(sample)}`);
  const offline = await downloaded(page, () => page.click('#save'));
  assertSameBytes(offline.bytes, path.join(work, 'native', offline.name), 'the DXF made offline');
  if (screenshot) {
    await page.click('#drawing-tab');
    await page.waitForFunction(() => document.getElementById('picture-image').naturalWidth > 0);
    await page.click('#fit');
    await page.screenshot({ path: screenshot });
  }
  await page.context().setOffline(false);
  await page.close();
  assert.deepEqual(missing, [], 'requests the server had nothing for');
  console.log(`page: ${all.length} drawings' DXF identical to orvik-cli's; batch, damaged drawing and cancel as expected; `
    + 'another address refused by the policy; installable, and converting offline; every action by keyboard, '
    + 'nothing serious for axe-core, a phone\'s width usable; no request answered 404');
} finally {
  await browser.close();
}
