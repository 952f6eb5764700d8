"""Plays the first recording of a card in the program's window: starts the program, double-clicks
the list's first row, lets it play for the given seconds and prints the CPU seconds the program
used and its peak resident memory in KiB."""
import os
import subprocess
import sys
import time

# The window's first list row, in the window's own pixels (app/MainWindowLayout's list, 21-pixel
# rows).
FIRST_ROW = (800, 136)
TIMEOUT_S = 30


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout.split()


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def peak_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def main():
    program, card, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
    process = subprocess.Popen([program, "--card", card], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        deadline = time.monotonic() + TIMEOUT_S
        windows = []
        while not windows and time.monotonic() < deadline:
            time.sleep(0.1)
            windows = xdotool("search", "--onlyvisible", "--pid", str(process.pid))
        if not windows:
            raise SystemExit("the program's window did not show")
        # The list is made just after the window shows.
        time.sleep(1)
        x, y = FIRST_ROW
        xdotool("mousemove", "--window", windows[0], str(x), str(y), "click", "--repeat", "2",
                "--delay", "80", "1")
        time.sleep(seconds)
        print(f"{cpu_seconds(process.pid):.2f} {peak_kib(process.pid)}")
    finally:
        process.terminate()
        process.wait()


main()
