#!/usr/bin/env python3
"""The program as the package installs it, run as the service runs it: headless, from an unpacked
package root (its plug-in found in the installed place), a pseudo-terminal as the DMX interface,
and a notify socket that plays systemd. Usage: installed_program_test.py ROOT"""
import os
import select
import socket
import subprocess
import sys
import tempfile
import time

WATCHDOG_USEC = 400_000  # the program should feed every 200 ms


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def datagrams(sock, seconds, until=None):
    """The notify messages that arrive within the given time, or up to the first that is until."""
    messages, deadline = [], time.monotonic() + seconds
    while until not in messages and (left := deadline - time.monotonic()) > 0:
        if select.select([sock], [], [], left)[0]:
            messages.append(sock.recv(4096).decode())
    return messages


def read_exactly(fd, count, seconds=5):
    data, deadline = b"", time.monotonic() + seconds
    while len(data) < count and (left := deadline - time.monotonic()) > 0:
        if select.select([fd], [], [], left)[0]:
            data += os.read(fd, count - len(data))
    return data


def fail(message, program):
    program.kill()
    sys.exit(f"FAIL: {message}\n--- program output:\n{program.communicate()[0]}")


def main(root):
    work = tempfile.mkdtemp()
    with open(os.path.join(work, "Tolvex.config"), "w") as config:  # serial port 0: the pty
        config.write("default.shw\n0\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n")
    interface, device = os.openpty()
    notify = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    notify.bind(os.path.join(work, "notify"))
    port = free_port()
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
    environment.update(NOTIFY_SOCKET=os.path.join(work, "notify"), WATCHDOG_USEC=str(WATCHDOG_USEC),
                       BRANNIC_SERIAL_PORTS=os.ttyname(device))
    program = subprocess.Popen(
        [os.path.join(root, "usr/bin/brannic-webserver"), "--headless", "--port", str(port),
         "--prefs-dir", work], env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
        text=True)

    if "READY=1" not in datagrams(notify, 10, until="READY=1"):
        fail("no READY=1 within 10 s", program)
    with socket.create_connection(("127.0.0.1", port), timeout=3) as client:  # up when READY came
        client.sendall(b"GET /dmx?cmd=1/5%4075 HTTP/1.0\r\n\r\n")
        reply = b""
        while chunk := client.recv(65536):
            reply += chunk
    if not reply.startswith(b"HTTP/1.0 200 OK"):
        fail(f"reply {reply[:60]!r}", program)
    frame = read_exactly(interface, 518)
    if len(frame) != 518 or frame[4 + 1] != 191 or frame[4 + 5] != 191 or frame[4 + 6] != 0:
        fail(f"DMX frame {frame[:12].hex()}...", program)

    feeds = datagrams(notify, 1.0).count("WATCHDOG=1")
    if feeds < 3:
        fail(f"{feeds} watchdog messages in 1 s while idle, expected about 5", program)

    program.terminate()
    output = program.communicate(timeout=5)[0]
    if program.returncode != 0 or "Open http://" not in output:
        sys.exit(f"FAIL: exit status {program.returncode}\n{output}")
    print(f"installed program: READY, command answered, {feeds} watchdog feeds in 1 s, clean exit")


if __name__ == "__main__":
    main(sys.argv[1])
