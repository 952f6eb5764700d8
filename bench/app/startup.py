"""Starts the program five times on a card, after a start not counted, and prints the median time to its listed window and
its resident memory then, with and without the browser engine preloaded."""
import os
import statistics
import subprocess
import sys
import time

RUNS = 5
SETTLED_S = 0.3
TIMEOUT_S = 30
TICK_S = os.sysconf("SC_CLK_TCK")


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def window_shown(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return bool(found.stdout.strip())


def start_once(program, card, preload):
    environment = dict(os.environ)
    if preload:
        environment["LD_PRELOAD"] = preload
    start = time.monotonic()
    process = subprocess.Popen([program, "--card", card], env=environment,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        shown = None
        last_change, ticks = start, 0
        while time.monotonic() - start < TIMEOUT_S:
            now = time.monotonic()
            used = cpu_ticks(process.pid)
            if used != ticks:
                ticks, last_change = used, now
            if shown is None and window_shown(process.pid):
                shown = now
            if shown is not None and now - max(shown, last_change) >= SETTLED_S:
                listed = max(shown, last_change)
                return (listed - start) * 1000, resident_kib(process.pid) / 1024
            time.sleep(0.01)
        raise SystemExit("the window did not show and settle within %d s" % TIMEOUT_S)
    finally:
        process.terminate()
        process.wait()


def median_start(program, card, preload):
    # The first start on a card makes what later starts find ready: a warm-up, as hyperfine's.
    try:
        start_once(program, card, preload)
    except SystemExit:
        pass
    runs = [start_once(program, card, preload) for _ in range(RUNS)]
    return statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs)


def main():
    program, card, engine = sys.argv[1:4]
    now_ms, now_mib = median_start(program, card, None)
    print(f"start to the listed window: {now_ms:.0f} ms, {now_mib:.0f} MiB resident")
    if engine:
        then_ms, then_mib = median_start(program, card, engine)
        print(f"with the browser engine loaded at start: {then_ms:.0f} ms, {then_mib:.0f} MiB")
    print(f"aim: under 300 ms and 100 MiB ({os.getloadavg()[0]:.2f} load)")
    print(f"ratio startup_vs_300ms {now_ms / 300:.2f}")
    print(f"ratio startup_rss_vs_100mib {now_mib / 100:.2f}")


main()
