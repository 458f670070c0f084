#!/usr/bin/env python3
"""Plays the DMX interface on a pseudo-terminal: prints the device path on the first line, then
every chunk the program writes to it as one line of hex, until stdin closes."""
import os
import pty
import select
import sys
import tty

master, device = pty.openpty()
tty.setraw(device)
print(os.ttyname(device), flush=True)
while True:
    ready, _, _ = select.select([master, sys.stdin], [], [])
    if sys.stdin in ready and not sys.stdin.buffer.read1(4096):
        break
    if master in ready:
        print(os.read(master, 65536).hex(), flush=True)
