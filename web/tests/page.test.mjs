// The 万年历 page in a real browser: headless Chromium, driven by
// puppeteer-core, loads it from a static server on 127.0.0.1 and is held
// to the calendar — February 2026's 春节 and its days off and make-up days,
// a day's facts equal to the command's texts, the uncertain new moon of
// September 2057 — with nothing on the console.  Screenshots at a phone's
// width and a desktop's are left for a person to look at.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import { after, before, test } from 'node:test';
import { fileURLToPath } from 'node:url';

const site = process.env.MOONFOLD_WEB_SITE;
const native = process.env.MOONFOLD_NATIVE_BUILD;
const shots = process.env.MOONFOLD_WEB_SCREENSHOTS;
const browserPath = process.env.MOONFOLD_CHROMIUM ?? '/usr/bin/chromium';
if (!site || !native || !shots) {
  throw new Error('MOONFOLD_WEB_SITE, MOONFOLD_NATIVE_BUILD and MOONFOLD_WEB_SCREENSHOTS name the page, the native build and where screenshots go');
}
// puppeteer-core comes with the project's other npm tools.
const tools = fileURLToPath(new URL('../../tools/package.json', import.meta.url));
const puppeteer = createRequire(tools)('puppeteer-core');

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.json': 'application/json', '.md': 'text/plain; charset=utf-8' };

let server;
let origin;
let browser;
const problems = [];

before(async () => {
  server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    let file = join(site, path);
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const body = readFileSync(file);
      response.writeHead(200, { 'content-type': TYPES[extname(file)] ?? 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await puppeteer.launch({
    executablePath: browserPath,
    headless: true,
    userDataDir: mkdtempSync(join(tmpdir(), 'moonfold-chromium-')),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--lang=zh-CN'],
  });
  mkdirSync(shots, { recursive: true });
});

after(async () => {
  await browser?.close();
  server?.close();
});

async function open(hash, width = 1280) {
  const page = await browser.newPage();
  await page.setViewport({ width, height: width < 600 ? 1400 : 1000 });
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') problems.push(`${hash}: ${message.text()}`);
  });
  page.on('pageerror', (error) => problems.push(`${hash}: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`${hash}: ${request.url()} ${request.failure()?.errorText}`));
  await page.goto(`${origin}/index.html${hash}`, { waitUntil: 'load' });
  await page.waitForSelector('body[data-ready="true"]', { timeout: 20_000 });
  return page;
}

const cell = (page, date, part) => page.$eval(`td[data-date="${date}"] ${part}`, (node) => node.textContent).catch(() => null);

function days(first, lastDay) {
  const out = [];
  for (let d = first; d <= lastDay; ++d) out.push(`2026-02-${String(d).padStart(2, '0')}`);
  return out;
}

test('February 2026: 春节 on the 17th, 休 from the 15th to the 23rd, 班 on the 14th and 28th', async () => {
  const page = await open('#2026-02');
  assert.equal(await cell(page, '2026-02-17', '.lunar'), '春节');
  for (const day of days(15, 23)) assert.equal(await cell(page, day, '.mark.off'), '休', day);
  for (const day of ['2026-02-14', '2026-02-28']) assert.equal(await cell(page, day, '.mark.work'), '班', day);
  for (const day of [...days(1, 13), ...days(24, 27)]) assert.equal(await cell(page, day, '.mark'), null, day);
  assert.equal(await cell(page, '2026-02-04', '.lunar'), '立春');
  assert.equal(await page.$$eval('td[data-date^="2026-02-"].in-month', (nodes) => nodes.length), 28);
  // No cell or fact shows what a missing value prints as.
  assert.equal(await page.$eval('main', (node) => /null|undefined|NaN|\[object/.test(node.textContent)), false);
  await page.close();
});

test("a click on a day fills #facts with that day's facts, as the command gives them", async () => {
  const page = await open('#2026-02');
  for (const date of ['2026-02-04', '2026-02-17']) {
    await page.click(`td[data-date="${date}"]`);
    await page.waitForFunction((d) => document.querySelector('#facts h2')?.textContent.startsWith(d), {}, date);
    const shown = await page.$$eval('#facts [data-keyword]', (nodes) => nodes.map((n) => [n.dataset.keyword, n.textContent]));
    assert.ok(shown.length >= 20, `${date}: the panel shows ${shown.length} texts`);
    for (const [keyword, text] of shown) {
      const command = execFileSync(`${native}/moonfold`, ['--date', date, '--format', `{${keyword}}`], { encoding: 'utf8' }).replace(/\n$/, '');
      assert.equal(text, command, `${date} ${keyword}`);
    }
    const keywords = new Set(shown.map(([keyword]) => keyword));
    for (const keyword of ['DATE', 'LUNARDAY', 'PILLARS', 'DUTY', 'MANSION', 'CLASH', 'PENGZU', 'LUCKYHOURS']) {
      assert.ok(keywords.has(keyword), `${date}: the panel lacks ${keyword}`);
    }
  }
  assert.match(await page.$eval('#facts', (node) => node.textContent), /春节/);
  await page.close();
});

test('September 2057 marks the uncertain new moon', async () => {
  const page = await open('#2057-09');
  const dates = (selector) => page.$$eval(selector, (nodes) => nodes.map((n) => n.dataset.date));
  // The new moon of the 29th may fall a day either way: the lunar dates
  // of the 28th to the 30th with it, as the command's grid marks them.
  assert.deepEqual(await dates('td.uncertain-moon'), ['2057-09-29']);
  assert.equal(await cell(page, '2057-09-29', '.lunar'), '新月');
  assert.deepEqual(await dates('td.in-month.uncertain'), ['2057-09-28', '2057-09-29', '2057-09-30']);
  for (const day of ['2057-09-28', '2057-09-29', '2057-09-30']) assert.equal(await cell(page, day, '.uncertain-mark'), '?');
  const grid = execFileSync(`${native}/moonfold`, ['--month', '2057-09'], { encoding: 'utf8', env: { ...process.env, COLUMNS: '80' } });
  assert.deepEqual(grid.match(/\d+\?/g), ['28?', '29?', '30?']);
  await page.close();
});

test('traditional characters, and a month outside the range is brought within it', async () => {
  const page = await open('#2026-02');
  await page.click('#script');
  await page.waitForFunction(() => document.documentElement.lang === 'zh-Hant');
  assert.equal(await cell(page, '2026-02-17', '.lunar'), '春節');
  assert.equal(await page.$eval('h1', (node) => node.textContent), '萬年曆');
  await page.click('#script');
  await page.goto(`${origin}/index.html#1600-01`);
  await page.waitForFunction(() => document.querySelector('#year').value === '1645');
  assert.equal(await page.$eval('td[data-date="1645-01-27"]', (node) => node.className), 'outside');
  await page.close();
});

test('今天 shows today, also from another day of its own month', async () => {
  const now = new Date();
  const pad = (n) => String(n).padStart(2, '0');
  const month = `${now.getFullYear()}-${pad(now.getMonth() + 1)}`;
  const today = `${month}-${pad(now.getDate())}`;
  const other = `${month}-${now.getDate() === 1 ? '02' : '01'}`;
  const page = await open(`#${month}`);
  await page.click(`td[data-date="${other}"]`);
  await page.waitForFunction((d) => document.querySelector('#facts h2')?.textContent.startsWith(d), {}, other);
  await page.click('#today');
  await page.waitForFunction((d) => document.querySelector('#facts h2')?.textContent.startsWith(d), {}, today);
  assert.equal(await page.$eval('td.today', (node) => node.dataset.date), today);
  assert.equal(await page.$eval('td.selected', (node) => node.dataset.date), today);
  await page.close();
});

test('it reads at a phone’s width and a desktop’s (screenshots)', async () => {
  for (const width of [360, 1280]) {
    const page = await open('#2026-02-17', width);
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
    assert.ok(overflow <= 0, `at ${width} px the page is ${overflow} px wider than the window`);
    await page.screenshot({ path: join(shots, `month-${width}.png`), fullPage: true });
    await page.close();
  }
});

test('the console has no error', () => {
  assert.deepEqual(problems, []);
});
