// The page's conversion of one drawing timed in Debian's Chromium, headless:
// from the click on 変換･保存 to the DXF's download (reading, converting,
// and handing the file over), best of three.
// node bench/wasm-page-bench.mjs URL [DRAWING]
// Without a drawing: the page opened and left idle for two seconds.
import { chromium } from '../web/test/node_modules/playwright-core/index.mjs';

const [url, drawing] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector('#settings fieldset');
  if (drawing) await convertThrice(page);
  else await page.waitForTimeout(2000);
} finally {
  await browser.close();
}

async function convertThrice(page) {
  await page.setInputFiles('#choose-files', drawing);
  await page.waitForFunction(() => document.getElementById('log').textContent.length > 0, null, { timeout: 600000 });
  const times = [];
  for (let run = 0; run < 3; run++) {
    const started = Date.now();
    const [download] = await Promise.all([page.waitForEvent('download', { timeout: 600000 }), page.click('#save')]);
    await download.path();
    times.push((Date.now() - started) / 1000);
    await page.waitForFunction(() => !document.getElementById('save').disabled);
  }
  console.log(`browser: best ${Math.min(...times).toFixed(2)} s of ${times.map((t) => t.toFixed(2)).join(', ')}`);
}
