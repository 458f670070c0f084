// The keypad page on a phone: taps on the keys, the frame they send, the reply, and the live grid.
import fs from 'node:fs';
import path from 'node:path';

import { startConsole } from './console_program.mjs';
import { request } from './raw_client.mjs';

const keypadDir = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../share/keypad');
const keypadFile = fs.readFileSync(path.join(keypadDir, 'DMXform.htm'), 'latin1');
const keypadPage = keypadFile.slice(0, keypadFile.toLowerCase().indexOf('</body>'));
const pageTail = '</body></html>';
const phone = { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true };

async function tapKeys(page, labels) {
  for (const label of labels) await page.tap(`#keys button:text-is("${label}")`);
}

// Off: taps make the command, Enter sends it, and /levels is only the form page.
async function withoutLive(browser, server, tap, check) {
  const page = await (await browser.newContext(phone)).newPage();
  await page.goto(server.base + '/');
  tap.clear();
  await tapKeys(page, ['1', 'THRU', '5', 'AT', '7']);
  check('keypad builds the command', (await page.inputValue('#cmd')) === '1/5@7', await page.inputValue('#cmd'));
  const [response] = await Promise.all([page.waitForNavigation(), tapKeys(page, ['ENTER'])]);
  const body = await response.text();
  check('keypad reply', body.startsWith(keypadPage + '<B>') && body.endsWith(` 1 2 3 4 5 @ 70<BR>${pageTail}`),
    JSON.stringify(body.slice(keypadPage.length)));
  const frame = await tap.nextFrame();
  check('keypad frame', frame !== null && frame.slice(0, 6).join() === '179,179,179,179,179,0', String(frame?.slice(0, 6)));
  const levels = await request(server.port, 'GET /levels HTTP/1.0\r\n\r\n');
  check('without live, /levels is the form page', levels.text === `HTTP/1.0 200 OK\r\n\r\n${keypadPage}${pageTail}`);
  check('without live, no grid', await page.isHidden('#live'));
}

// On: /levels is JSON, and a command from another client reaches the phone's grid at once.
async function liveGrid(browser, server, check) {
  const context = await browser.newContext(phone);
  const page = await context.newPage();
  await page.goto(server.base + '/');
  await page.waitForSelector('#live.streaming');
  // Timed in the page, by the wall clock both sides share: when the last cell changes.
  await page.evaluate(() => {
    const last = document.querySelector('[data-channel="302"]');
    new MutationObserver(() => {
      if (last.dataset.level === '77') window.shownAt = Date.now();
    }).observe(last, { attributes: true });
  });
  const sentAt = Date.now();
  await request(server.port, 'GET /dmx?cmd=300%2B302%40D77 HTTP/1.0\r\n\r\n');
  await page.waitForFunction(() => window.shownAt, null, { timeout: 2000 });
  const ms = (await page.evaluate(() => window.shownAt)) - sentAt;
  check('other client\'s command on the grid within 200 ms', ms < 200, `${ms} ms`);
  const levels = await request(server.port, 'GET /levels HTTP/1.0\r\n\r\n');
  const head = 'HTTP/1.0 200 OK\r\nContent-Type: application/json\r\nCache-Control: no-store\r\n\r\n';
  const json = levels.text.startsWith(head) ? JSON.parse(levels.text.slice(head.length)) : null;
  check('live /levels', json?.levels.length === 512 && json.levels[301] === 77 && json.selection.join() === '300,302',
    levels.text.slice(0, 200));
  await page.goto(server.base + '/dmx?cmd=1%2F5%2B8%2B11%4075');
  await page.waitForSelector('#live.streaming');
  await page.screenshot({ path: path.join(server.buildDir, 'keypad-portrait.png'), fullPage: true });
  await page.setViewportSize({ width: 640, height: 360 });
  await page.screenshot({ path: path.join(server.buildDir, 'keypad-landscape.png'), fullPage: true });
  await context.close();
}

export async function keypadChecks({ browser, program, serialDevice, tap, check, buildDir }) {
  const plain = await startConsole({ program, appDir: keypadDir, serialDevice });
  try {
    await withoutLive(browser, plain, tap, check);
  } finally {
    await plain.stop();
  }
  const live = await startConsole({ program, appDir: keypadDir, serialDevice, options: ['--live'] });
  try {
    await liveGrid(browser, { ...live, buildDir }, check);
  } finally {
    await live.stop();
  }
}
