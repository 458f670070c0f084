#!/usr/bin/env python3
"""Network DMX output on loopback: command-to-packet latency (p50/p99) for sACN and Art-Net, and
packets per second while a burst of commands arrives.

    bench/netdmx_bench.py [build/brannic-webserver] [--burst 10000] [--latency 300]

The program runs headless with both outputs sent to 127.0.0.1 only; commands go to it over HTTP."""
import argparse
import os
import select
import socket
import subprocess
import sys
import tempfile
import time

SACN, ARTNET = 5568, 6454
SLOT1 = {SACN: 126, ARTNET: 18}  # offset of channel 1 in each packet


def receiver(port):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 1 << 22)
    s.bind(("127.0.0.1", port))
    s.setblocking(False)
    return s


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def send_command(port, line):
    c = socket.create_connection(("127.0.0.1", port), timeout=5)
    c.sendall(f"GET /dmx?cmd={line} HTTP/1.1\r\nHost: bench\r\n\r\n".encode())
    return c


def finish(c):
    try:
        while c.recv(65536):
            pass
    finally:
        c.close()


def drain(sockets, into, timeout):
    ready, _, _ = select.select(sockets, [], [], timeout)
    now = time.perf_counter()
    for s in ready:
        while True:
            try:
                data = s.recv(2048)
            except BlockingIOError:
                break
            into.append((s.getsockname()[1], now, data))


def percentile(values, p):
    values = sorted(values)
    return values[min(len(values) - 1, int(len(values) * p / 100))]


def latency(http, sockets, count):
    result = {SACN: [], ARTNET: []}
    for i in range(count):
        level = 10 + i % 240  # one digit would mean tens
        drain(sockets, [], 0)
        time.sleep(0.03)  # past the rate cap, so the change may go out at once
        start = time.perf_counter()
        c = send_command(http, f"1@D{level}")
        waiting = {SACN, ARTNET}
        deadline = start + 2
        while waiting and time.perf_counter() < deadline:
            got = []
            drain(sockets, got, 0.05)
            for port, when, data in got:
                if port in waiting and len(data) > SLOT1[port] and data[SLOT1[port]] == level:
                    result[port].append((when - start) * 1000)
                    waiting.discard(port)
        finish(c)
    return result


def burst(http, sockets, count):
    got = []
    start = time.perf_counter()
    for i in range(count):
        level = 10 + i % 240
        finish(send_command(http, f"1@D{level}"))
        drain(sockets, got, 0)
    end = time.perf_counter()
    while time.perf_counter() < end + 0.3:
        drain(sockets, got, 0.05)
    return start, end, got, level


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", nargs="?", default="build/brannic-webserver")
    parser.add_argument("--burst", type=int, default=10000)
    parser.add_argument("--latency", type=int, default=300)
    args = parser.parse_args()
    sockets = [receiver(SACN), receiver(ARTNET)]
    http = free_port()
    with tempfile.TemporaryDirectory() as prefs:
        with open(os.path.join(prefs, "Tolvex.config"), "w") as f:
            f.write("default.shw\n-1\n80\nenableWAN=false\nrequireLogin=false\nstartMinimized=false\n\n\n")
        env = dict(os.environ, BRANNIC_SERIAL_PORTS="")
        # Its output goes to a file: a pipe nobody reads would fill and hold the program up.
        log = os.path.join(prefs, "output.txt")
        program = subprocess.Popen(
            [args.program, "--headless", "--port", str(http), "--prefs-dir", prefs, "--sacn", "1",
             "--sacn-to", "127.0.0.1", "--artnet", "0", "--artnet-to", "127.0.0.1"],
            env=env, stdout=open(log, "w"))
        for _ in range(100):
            if "in a browser" in open(log).read():
                break
            time.sleep(0.05)
        try:
            lat = latency(http, sockets, args.latency)
            for port, name in ((SACN, "sACN"), (ARTNET, "Art-Net")):
                values = lat[port]
                print(f"{name:8} command-to-packet latency over {len(values)} commands: "
                      f"p50 {percentile(values, 50):.2f} ms, p99 {percentile(values, 99):.2f} ms")
            start, end, got, last = burst(http, sockets, args.burst)
            seconds = end - start
            print(f"burst: {args.burst} commands in {seconds:.2f} s ({args.burst / seconds:.0f}/s)")
            for port, name in ((SACN, "sACN"), (ARTNET, "Art-Net")):
                times = [when for p, when, _ in got if p == port and start <= when <= end]
                busiest = max((sum(1 for u in times if t <= u < t + 1) for t in times), default=0)
                final = [data for p, _, data in got if p == port][-1][SLOT1[port]]
                print(f"{name:8} {len(times) / seconds:.1f} packets/s during the burst, "
                      f"busiest second {busiest}, last level {final} (sent {last})")
        finally:
            program.terminate()
            program.wait(5)


if __name__ == "__main__":
    sys.exit(main())
