// End-to-end test: Debian's Chromium drives the command form of a headless Brannic Webserver on
// loopback, and every command's DMX frame is read from the pseudo-terminal the program writes to.
// Usage: node browser_test.mjs <program> <app folder>
import fs from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';

import { startConsole, freshFolder } from './console_program.mjs';
import { DmxTap } from './dmx_tap.mjs';
import { keypadChecks } from './keypad_checks.mjs';
import { openConnection, replyOf, request } from './raw_client.mjs';
import { showPhoneChecks } from './show_phone_checks.mjs';

const [program, appDir] = process.argv.slice(2);
const crlf = '\r\n';
const formPage = "<html><head><title>DMX command</title></head><body>" + crlf +
  'Type Brannic command & press Enter' + crlf +
  "<form action='dmx' method='get'><input name='cmd' type='text'></form>" + crlf +
  "<a href='help'>Help</a><BR>" + crlf;
const pageTail = '</body></html>';

let passed = 0;
let failed = 0;
function check(name, ok, detail = '') {
  if (ok) {
    passed += 1;
  } else {
    failed += 1;
    console.log(`FAIL ${name}${detail ? `: ${detail}` : ''}`);
  }
}

const percent = (level) => Math.round(level * 2.55);
const range = (from, to) => Array.from({ length: to - from + 1 }, (_, i) => from + i);

// Each command as typed, the channels it sets with their value, and the result line it shows.
const commands = [
  ['34@25', [[34], percent(25)], ' 34 @ 25'],
  ['1/5+8+11@75', [[...range(1, 5), 8, 11], 191], ' 1 2 3 4 5 8 11 @ 75'],
  ['504@D184', [[504], 184], ' 504 @ 184'],
  ['3/9@', [range(3, 9), 255], ' 3 4 5 6 7 8 9 @ 100'],
  ['1/5-2-4@6', [[1, 3, 5], 153], ' 1 3 5 @ 60'],
  ['1/7-4/6@3', [[1, 2, 3, 7], 77], ' 1 2 3 7 @ 30'],
  ['10+20@5', [[10, 20], 127], ' 10 20 @ 50'],
  ['@75', [[10, 20], 191], ' 10 20 @ 75'],
  ['100@05', [[100], percent(5)], ' 100 @ 5'],
  ['512@D255', [[512], 255], ' 512 @ 255'],
  ['200@F', [[200], 255], ' 200 @ 100'],
  ['1t3@d10', [[1, 2, 3], 10], ' 1 2 3 @ 10'],
  ['40p41a9', [[40, 41], 229], ' 40 41 @ 90'],
  ['70*15', [[70], percent(15)], ' 70 @ 15'],
  ['80@D5', [[80], 50], ' 80 @ 50'],
  ['90@99', [[90], percent(99)], ' 90 @ 99'],
  ['300/302-301@1', [[300, 302], 26], ' 300 302 @ 10'],
  ['1@150', [[1], 255], ' 1 @ 100'],
  ['6@30;5@50', [[6], 77, [5], 127], ' 5 @ 50'],
  ['34@0', [[34], 0], ' 34 @ 0'],
];

function applyExpected(levels, settings) {
  for (let i = 0; i < settings.length; i += 2) {
    for (const channel of settings[i]) levels[channel - 1] = settings[i + 1];
  }
}

function differences(actual, expected) {
  if (!actual) return 'no frame';
  const wrong = [];
  expected.forEach((level, i) => {
    if (actual[i] !== level) wrong.push(`channel ${i + 1} is ${actual[i]}, not ${level}`);
  });
  return wrong.slice(0, 5).join('; ');
}

const browserFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1',
];

async function launchBrowser() {
  const profile = freshFolder('brannic-chromium-');
  // Only the listed flags: the pipe is how the test talks to the browser.
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    ignoreDefaultArgs: true,
    args: [...browserFlags, `--user-data-dir=${profile}`, '--remote-debugging-pipe'],
  });
  return {
    browser,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

async function submit(page, command) {
  await page.fill('input[name=cmd]', command);
  const [response] = await Promise.all([
    page.waitForNavigation(),
    page.press('input[name=cmd]', 'Enter'),
  ]);
  return response;
}

async function commandsThroughTheForm(browser, server, tap) {
  const page = await (await browser.newContext()).newPage();
  const first = await page.goto(server.base + '/');
  check('form page status', first.status() === 200, String(first.status()));
  check('form page bytes', (await first.text()) === formPage + pageTail);
  const levels = new Array(512).fill(0);
  for (const [command, settings, result] of commands) {
    tap.clear();
    const response = await submit(page, command);
    const body = await response.text();
    const expectedEnd = `</B><HR>${result}<BR>${pageTail}`;
    check(`reply to ${command}`, body.startsWith(formPage + '<B>') && body.endsWith(expectedEnd),
      JSON.stringify(body.slice(formPage.length)));
    check(`query of ${command}`, response.url().includes('/dmx?cmd='), response.url());
    applyExpected(levels, settings);
    const frame = await tap.nextFrame();
    const wrong = frame ? differences(frame, levels) : 'no frame';
    check(`frame of ${command}`, wrong === '', wrong);
  }
  await page.click('a[href=help]');
  check('help page title', (await page.title()) === 'Brannic Help', await page.title());
  check('help page syntax', (await page.content()).includes('Command Syntax:'));
  return page;
}

// While the browser keeps its spare connection, and a raw client sits on half a head, another
// client's command is still answered at once.
async function idleClientsBlockNobody(server, tap) {
  const idle = await openConnection(server.port);
  const idleReply = replyOf(idle);
  idle.write('GET /dmx?cmd=7%4070 HTTP/1.1\r\nHost: 127.0.0.1\r\n');
  await new Promise((resolve) => setTimeout(resolve, 200));
  tap.clear();
  const other = await request(server.port, 'GET /dmx?cmd=8%4080 HTTP/1.0\r\n\r\n');
  check('second client answered within a second', other.ms < 1000, `${other.ms.toFixed(1)} ms`);
  check('second client gets its result', other.text.endsWith(` 8 @ 80<BR>${pageTail}`), other.text);
  const frame = await tap.nextFrame();
  check('second client frame', frame !== null && frame[7] === 204);
  idle.write('\r\n');
  check('idle client served once its head is whole', (await idleReply).endsWith(` 7 @ 70<BR>${pageTail}`));
}

// What a page gets for the address: its response, or null when the browser shows no page (Chromium
// ends a navigation whose credentials are refused, or whose error reply has no body, with an error).
async function visitGuarded(page, url) {
  try {
    return await page.goto(url);
  } catch (error) {
    if (/ERR_INVALID_AUTH_CREDENTIALS|ERR_HTTP_RESPONSE_CODE_FAILURE/.test(error.message)) return null;
    throw error;
  }
}

async function refusedWithoutPage(response) {
  return response === null || (response.status() === 401 && !(await response.text()).includes('<form'));
}

async function loginChecks(browser, server, login, tap) {
  const challenge = "HTTP/1.0 401 Unauthorised\r\nWWW-Authenticate: Basic realm='Tolvex'\r\n\r\n";
  for (const path of ['/', '/help', '/dmx?cmd=2%4050']) {
    const raw = await request(server.port, `GET ${path} HTTP/1.0\r\n\r\n`);
    check(`no credentials: challenge for ${path}`, raw.text === challenge, raw.text);
  }
  const stranger = await (await browser.newContext()).newPage();
  tap.clear();
  check('no credentials: no form page', await refusedWithoutPage(await visitGuarded(stranger, server.base + '/')));
  check('no credentials: command refused',
    await refusedWithoutPage(await visitGuarded(stranger, server.base + '/dmx?cmd=2%4050')));
  check('no credentials: nothing sent', (await tap.nextFrame(500)) === null);

  const wrongContext = await browser.newContext({ httpCredentials: { ...login, password: 'wrong' } });
  check('wrong password: no page',
    await refusedWithoutPage(await visitGuarded(await wrongContext.newPage(), server.base + '/')));

  const operator = await (await browser.newContext({ httpCredentials: login })).newPage();
  const welcome = await operator.goto(server.base + '/');
  check('credentials: form page', welcome.status() === 200 && (await welcome.text()) === formPage + pageTail);
  tap.clear();
  const response = await submit(operator, '2@50');
  check('credentials: command runs', (await response.text()).endsWith(` 2 @ 50<BR>${pageTail}`));
  const frame = await tap.nextFrame();
  check('credentials: frame sent', frame !== null && frame[1] === 127);
}

async function main() {
  const tap = new DmxTap();
  const serialDevice = await tap.device;
  const { browser, close } = await launchBrowser();
  try {
    const open = await startConsole({ program, appDir, serialDevice });
    try {
      await commandsThroughTheForm(browser, open, tap);
      await idleClientsBlockNobody(open, tap);
    } finally {
      await open.stop();
    }
    const login = { username: 'lighting', password: 'op:en sesame' };
    const guarded = await startConsole({ program, appDir, serialDevice, login });
    try {
      await loginChecks(browser, guarded, login, tap);
    } finally {
      await guarded.stop();
    }
    await keypadChecks({ browser, program, serialDevice, tap, check, buildDir: path.dirname(program) });
    await showPhoneChecks({ browser, program, serialDevice, check, buildDir: path.dirname(program) });
  } catch (error) {
    check('run', false, error.stack);
  } finally {
    await close();
    tap.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main();
