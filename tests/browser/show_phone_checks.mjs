// Two phones on one show: taps record and run the cues, every phone follows within 200 ms, a GO
// from a page that is out of date is refused, and a stream dropped with the network comes back.
import fs from 'node:fs';
import path from 'node:path';

import { freshFolder, startConsole } from './console_program.mjs';
import { request } from './raw_client.mjs';

const keypadDir = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../share/keypad');
const phone = { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true };
const within = { timeout: 3000 };

async function openPhone(browser, server) {
  const context = await browser.newContext(phone);
  const page = await context.newPage();
  await page.goto(server.base + '/');
  await page.waitForSelector('#go:enabled', within);
  return page;
}

const text = (page, selector) => page.textContent(selector);
const cueNumbers = (page) => page.$$eval('#cues button', (rows) => rows.map((row) => row.dataset.cue).join());
const waitForText = (page, selector, pattern) => page.waitForFunction(
  ([selector, pattern]) => new RegExp(pattern).test(document.querySelector(selector).textContent),
  [selector, pattern], within);

async function sendLine(server, line) {
  await request(server.port, `GET /dmx?cmd=${encodeURIComponent(line)} HTTP/1.0\r\n\r\n`);
}

async function showOf(server) {
  const reply = await request(server.port, 'GET /levels HTTP/1.0\r\n\r\n');
  return JSON.parse(reply.text.slice(reply.text.indexOf('\r\n\r\n') + 4)).show;
}

// REC alone records the next cue; a number typed on the keypad before it names the cue.
async function recordByTaps(a, b, server, check) {
  await sendLine(server, '1/10@30');
  await a.tap('#tools .rec');
  await waitForText(a, '#message', '^cue 1 recorded');
  await sendLine(server, '1/10@80');
  await a.tap('#keys button:text-is("2")');
  await a.tap('#tools .rec');
  await waitForText(a, '#message', '^cue 2 recorded');
  await sendLine(server, '1/10@0');
  await a.tap('#tools .rec');
  await waitForText(a, '#message', '^cue 3 recorded');
  check('phone A lists the cues it recorded', (await cueNumbers(a)) === '1,2,3', await cueNumbers(a));
  await b.waitForFunction(() => document.querySelectorAll('#cues button').length === 3, null, within)
    .catch(() => {});
  check('phone B lists them too', (await cueNumbers(b)) === '1,2,3', await cueNumbers(b));
}

// Timed in the pages, by the clock both share: A's tap to B's cue line showing the cue.
async function goFollowed(a, b, check) {
  await b.evaluate(() => {
    const now = document.getElementById('now');
    new MutationObserver(() => {
      if (!window.shownAt && now.querySelector('b')?.textContent === '1') window.shownAt = Date.now();
    }).observe(now, { childList: true, subtree: true });
  });
  await a.evaluate(() => document.getElementById('go').addEventListener('click', () => {
    window.tappedAt = Date.now();
  }, { once: true }));
  await a.tap('#go');
  const shown = await b.waitForFunction(() => window.shownAt, null, within).then(() => true, () => false);
  const ms = shown ? (await b.evaluate(() => window.shownAt)) - (await a.evaluate(() => window.tappedAt)) : NaN;
  console.log(`show phones: A's GO on phone B after ${ms} ms`);
  check('GO on A shows cue 1 on B within 200 ms', ms < 200, `${ms} ms`);
}

// Another client goes on while B's GO is on its way: the show does not skip a cue, and B says so.
async function staleGoRefused(b, server, check) {
  const isGo = (url) => url.search.startsWith('?cmd=go');
  await b.route(isGo, async (route) => {
    await sendLine(server, 'go');
    await route.continue();
  });
  await b.tap('#go');
  await waitForText(b, '#message', 'moved on').catch(() => {});
  await b.unroute(isGo);
  check('stale GO from B refused', (await showOf(server)).cue === 2, JSON.stringify(await showOf(server)));
  check('B says the show moved on', (await text(b, '#message')) === 'The show has moved on: cue 2 is current',
    await text(b, '#message'));
  check('B shows the new cue', (await text(b, '#now b')) === '2', await text(b, '#now b'));
}

async function bandOn(page, pattern) {
  await waitForText(page, '#band', pattern).catch(() => {});
  return page.$eval('#band', (band) => `${band.textContent} ${getComputedStyle(band).backgroundColor}`);
}

async function masterAndBlackout(a, b, shots, check) {
  for (const level of [90, 80, 70, 60, 50]) {
    await a.tap('[data-step="-10"]');
    await waitForText(a, '#master', `^${level}%`);
  }
  for (const [name, page] of [['A', a], ['B', b]]) {
    const band = await bandOn(page, '50%');
    check(`master 50% in a red band on ${name}`, band === 'MASTER 50% rgb(192, 0, 0)', band);
  }
  await a.tap('#blackout');
  const band = await bandOn(b, 'BLACKOUT');
  check('blackout in the band on B', band.startsWith('BLACKOUT \u00b7 MASTER 50%'), band);
  await a.screenshot({ path: path.join(shots, 'phone-blackout.png') });
}

// The network goes: B says offline and holds GO back; back, it reads what changed meanwhile.
async function streamComesBack(b, server, check) {
  await b.context().setOffline(true);
  await waitForText(b, '#message', '^offline').catch(() => {});
  check('B offline, GO disabled', /^offline/.test(await text(b, '#message')) && (await b.isDisabled('#go')),
    await text(b, '#message'));
  await sendLine(server, 'bo off');
  await b.context().setOffline(false);
  const band = await bandOn(b, '^MASTER 50%');
  check('B back with what changed while away', band.startsWith('MASTER 50%') && (await b.isEnabled('#go')), band);
}

async function gotoByTap(a, check) {
  const asked = new Promise((resolve) => a.once('dialog', (dialog) => {
    resolve(dialog.message());
    dialog.accept();
  }));
  await a.tap('#cues [data-cue="1"]');
  check('tapping a cue asks first', (await asked) === 'Go to cue 1?');
  await waitForText(a, '#now b', '^1$').catch(() => {});
  check('then goes to it', (await text(a, '#now b')) === '1', await text(a, '#now b'));
}

async function withoutScript(browser, server, check) {
  const page = await (await browser.newContext({ ...phone, javaScriptEnabled: false })).newPage();
  await page.goto(server.base + '/');
  await page.fill('#cmd', 'gm 100');
  const [response] = await Promise.all([page.waitForNavigation(), page.press('#cmd', 'Enter')]);
  check('without script a typed show line runs', (await response.text()).endsWith('<HR>grand master 100%<BR></body></html>'));
}

export async function showPhoneChecks({ browser, program, serialDevice, check, buildDir }) {
  const shots = path.join(buildDir, 'screenshots');
  fs.mkdirSync(shots, { recursive: true });
  // A folder of its own: the show may keep its file beside the page.
  const appDir = freshFolder('brannic-show-app-');
  fs.copyFileSync(path.join(keypadDir, 'DMXform.htm'), path.join(appDir, 'DMXform.htm'));
  const server = await startConsole({ program, appDir, serialDevice, options: ['--show'] });
  const phones = [];
  try {
    const a = await openPhone(browser, server);
    const b = await openPhone(browser, server);
    phones.push(a, b);
    await recordByTaps(a, b, server, check);
    await sendLine(server, 'cue 2 label Storm, act 1');
    await goFollowed(a, b, check);
    await staleGoRefused(b, server, check);
    const go = await a.$eval('#go', (button) => button.getBoundingClientRect().toJSON());
    check('GO at the foot, 96 px or more', go.height >= 96 && go.bottom > 600, JSON.stringify(go));
    await a.screenshot({ path: path.join(shots, 'phone-portrait.png') });
    await a.tap('#go');
    await a.waitForFunction(() => document.querySelector('#progress div').style.width.replace('%', '') > 20,
      null, within).catch(() => {});
    await a.screenshot({ path: path.join(shots, 'phone-fade.png') });
    await masterAndBlackout(a, b, shots, check);
    await streamComesBack(b, server, check);
    await gotoByTap(a, check);
    await a.setViewportSize({ width: 640, height: 360 });
    const side = await a.$eval('#go', (button) => button.getBoundingClientRect().bottom);
    check('GO on screen in landscape', side <= 360, String(side));
    await a.screenshot({ path: path.join(shots, 'phone-landscape.png') });
    await withoutScript(browser, server, check);
  } finally {
    for (const page of phones) await page.context().close();
    await server.stop();
    fs.rmSync(appDir, { recursive: true, force: true });
  }
}
