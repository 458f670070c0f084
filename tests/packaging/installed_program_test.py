#!/usr/bin/env python3
"""The program as the package installs it, run as the service runs it: headless, from an unpacked
package root (its plug-in found in the installed place), a pseudo-terminal as the DMX interface,
and a notify socket that plays systemd. Usage: installed_program_test.py ROOT"""
import os
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

WATCHDOG_USEC = 400_000  # the program should feed every 200 ms


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def read_until(fd, done, seconds=5):
    """Bytes from fd until done(bytes) holds or the time is up."""
    data, deadline = b"", time.monotonic() + seconds
    while not done(data) and (left := deadline - time.monotonic()) > 0:
        if select.select([fd], [], [], left)[0]:
            data += os.read(fd, 4096) or b""
    return data


class Program:
    """The installed program, headless on a free port, with device as its DMX interface."""

    def __init__(self, root, device, launcher=()):
        self.work = tempfile.mkdtemp()
        # Read all the time, as systemd does: a full socket would block the program's sd_notify.
        self.notify = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        self.notify.bind(os.path.join(self.work, "notify"))
        self.messages = []  # (arrival time, message)
        threading.Thread(target=self.read_messages, daemon=True).start()
        self.port = free_port()
        environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        environment.update(NOTIFY_SOCKET=os.path.join(self.work, "notify"),
                           WATCHDOG_USEC=str(WATCHDOG_USEC))
        self.process = subprocess.Popen(
            [*launcher, os.path.join(root, "usr/bin/brannic-webserver"), "--headless",
             "--port", str(self.port), "--prefs-dir", self.work, "--serial-port", device],
            env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.output = b""

    def read_messages(self):
        while True:
            self.messages.append((time.monotonic(), self.notify.recv(4096).decode()))

    def wait_for_ready(self, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.process.poll() is None:
            if any(m == "READY=1" for _, m in self.messages):
                return True
            time.sleep(0.02)
        return False

    def wait_for_output(self, text, seconds):
        self.output += read_until(self.process.stdout.fileno(),
                                  lambda data: text.encode() in self.output + data, seconds)
        return text.encode() in self.output

    def fail(self, message):
        self.process.kill()
        self.output += self.process.communicate()[0]
        sys.exit(f"FAIL: {message}\n--- program output:\n{self.output.decode(errors='replace')}")

    def stop(self):
        self.process.terminate()
        self.output += self.process.communicate(timeout=5)[0]
        if self.process.returncode != 0:
            self.fail(f"exit status {self.process.returncode} after SIGTERM")
        shutil.rmtree(self.work)


def command_and_watchdog(root):
    interface, device = os.openpty()
    program = Program(root, os.ttyname(device))
    if not program.wait_for_ready():
        program.fail("no READY=1 within 10 s")
    with socket.create_connection(("127.0.0.1", program.port), timeout=3) as client:
        client.sendall(b"GET /dmx?cmd=1/5%4075 HTTP/1.0\r\n\r\n")
        reply = client.recv(65536)
    if not reply.startswith(b"HTTP/1.0 200 OK"):
        program.fail(f"reply {reply[:60]!r}")
    frame = read_until(interface, lambda data: len(data) >= 518)
    if len(frame) != 518 or frame[4 + 1] != 191 or frame[4 + 5] != 191 or frame[4 + 6] != 0:
        program.fail(f"DMX frame {frame[:12].hex()}...")
    start = time.monotonic()
    time.sleep(2)
    feeds = sum(1 for t, m in program.messages if m == "WATCHDOG=1" and t >= start)
    if feeds < 4:  # a busy machine may delay some
        program.fail(f"{feeds} watchdog messages in 2 s while idle, expected about 10")
    program.stop()
    print(f"installed program: READY, command answered, {feeds} watchdog feeds in 2 s, clean exit")


def started_before_the_network(root):
    """In a network namespace of its own, the program starts with no network at all and shows the
    address of an interface that comes up later."""
    if subprocess.run(["unshare", "-n", "true"], capture_output=True).returncode != 0:
        print("SKIP: no network namespace here (needs root), start without network not tried")
        return
    program = Program(root, "/dev/null", launcher=["unshare", "-n"])
    if not program.wait_for_ready():
        program.fail("no READY=1 without network")
    script = ("ip link add v0 type veth peer name v1 && ip addr add 10.99.0.1/24 dev v0 && "
              "ip link set v1 up && ip link set v0 up")
    if subprocess.run(["nsenter", "-t", str(program.process.pid), "-n", "sh", "-c", script]).returncode:
        program.stop()
        print("SKIP: no virtual interface can be made here, an address that comes later not tried")
        return
    line = f"Open http://10.99.0.1:{program.port}/ in a browser"
    if not program.wait_for_output(line, 8):
        program.fail(f"no line \"{line}\" within 8 s of the address")
    program.stop()
    print("installed program: READY without network, new address shown")


if __name__ == "__main__":
    command_and_watchdog(sys.argv[1])
    started_before_the_network(sys.argv[1])
