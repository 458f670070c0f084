// Starts Brannic Webserver headless on a free loopback port with its own settings folder.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

export function freshFolder(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer();
    probe.once('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

function accepts(port) {
  return new Promise((resolve) => {
    const socket = net.connect({ host: '127.0.0.1', port });
    socket.once('connect', () => {
      socket.destroy();
      resolve(true);
    });
    socket.once('error', () => resolve(false));
  });
}

// The eight lines of the settings file: serial port 0 is the only port the program is given.
function settings(port, login) {
  const lines = ['default.shw', '0', String(port), 'enableWAN=false',
    `requireLogin=${login ? 'true' : 'false'}`, 'startMinimized=false',
    login ? login.username : '', login ? login.password : ''];
  return lines.map((line) => line + '\n').join('');
}

export async function startConsole({ program, appDir, serialDevice, login, options = [] }) {
  const port = await freePort();
  const prefsDir = freshFolder('brannic-prefs-');
  fs.writeFileSync(path.join(prefsDir, 'Tolvex.config'), settings(port, login));
  const child = spawn(program, ['--headless', '--port', String(port), '--prefs-dir', prefsDir,
    '--app-dir', appDir, ...options], {
    env: { ...process.env, BRANNIC_SERIAL_PORTS: serialDevice },
    stdio: ['ignore', 'ignore', 'inherit'],
  });
  const exited = new Promise((resolve) => child.once('exit', resolve));
  const deadline = Date.now() + 10000;
  while (!(await accepts(port))) {
    if (child.exitCode !== null || Date.now() > deadline) {
      child.kill();
      throw new Error(`the program did not start listening on port ${port}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  return {
    base: `http://127.0.0.1:${port}`,
    port,
    async stop() {
      child.kill('SIGTERM');
      await exited;
      fs.rmSync(prefsDir, { recursive: true, force: true });
    },
  };
}
