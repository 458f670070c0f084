// The DMX interface side of a pseudo-terminal, as seen by the browser test: the frames the program
// sends.
import { spawn } from 'node:child_process';
import path from 'node:path';
import readline from 'node:readline';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const frameLength = 518;
const frameHead = Buffer.from([0x7e, 0x06, 0x01, 0x02, 0x00]);

export class DmxTap {
  constructor() {
    this.helper = spawn('python3', [path.join(here, 'pty_tap.py')], { stdio: ['pipe', 'pipe', 'inherit'] });
    this.received = Buffer.alloc(0);
    this.waiters = [];
    const lines = readline.createInterface({ input: this.helper.stdout });
    this.device = new Promise((resolve) => {
      let first = true;
      lines.on('line', (line) => {
        if (first) {
          first = false;
          resolve(line.trim());
          return;
        }
        this.received = Buffer.concat([this.received, Buffer.from(line.trim(), 'hex')]);
        for (const wake of this.waiters.splice(0)) wake();
      });
    });
  }

  // Forgets what has arrived so far.
  clear() {
    this.received = Buffer.alloc(0);
  }

  // The levels of channels 1 to 512 from the next complete DMX frame, or null when none comes in
  // time. Bytes before the frame (other packets) are skipped.
  async nextFrame(timeoutMs = 3000) {
    const deadline = Date.now() + timeoutMs;
    for (;;) {
      const start = this.received.indexOf(frameHead);
      if (start >= 0 && this.received.length >= start + frameLength) {
        const frame = this.received.subarray(start, start + frameLength);
        this.received = this.received.subarray(start + frameLength);
        if (frame[frameLength - 1] !== 0xe7) return null;
        return Array.from(frame.subarray(5, frameLength - 1));
      }
      const left = deadline - Date.now();
      if (left <= 0) return null;
      await new Promise((resolve) => {
        const timer = setTimeout(resolve, left);
        this.waiters.push(() => {
          clearTimeout(timer);
          resolve();
        });
      });
    }
  }

  close() {
    this.helper.stdin.end();
  }
}
