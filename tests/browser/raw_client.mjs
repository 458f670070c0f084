// Plain TCP clients on loopback: whole requests, and connections that hold back their head.
import net from 'node:net';

export function openConnection(port) {
  return new Promise((resolve, reject) => {
    const socket = net.connect({ host: '127.0.0.1', port });
    socket.once('connect', () => resolve(socket));
    socket.once('error', reject);
  });
}

// Everything the server sends until it closes the connection.
export function replyOf(socket) {
  return new Promise((resolve) => {
    const chunks = [];
    socket.on('data', (chunk) => chunks.push(chunk));
    socket.on('error', () => {});
    socket.on('close', () => resolve(Buffer.concat(chunks).toString('latin1')));
  });
}

// Sends the bytes on a new connection and returns the reply and how long it took to arrive.
export async function request(port, bytes) {
  const started = performance.now();
  const socket = await openConnection(port);
  const reply = replyOf(socket);
  socket.write(bytes);
  const text = await reply;
  return { text, ms: performance.now() - started };
}
