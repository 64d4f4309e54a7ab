#!/usr/bin/python3
"""Start-up, memory and idle CPU of Fokarium beside an empty Qt Widgets window.

Starts an X server of its own (Xvfb on a free display, openbox managing it) and, alternating the
two programs, starts each one warm-up + N times and measures:

  start      exec -> the empty window is viewable / the program's cover shows its red "10"
             (read back from the X server: the countdown's red pixels, not a flag of the program)
  rss        resident memory 1.5 s after exec (VmRSS), both programs
  cpu_cover  the program's CPU time from 1 s to 9 s after exec, while the cover animates
  cpu_after  the program's CPU time once the cover has gone (the hidden animation runs on)

and with --long the program's resident memory over an hour. Prints each figure's median and the
ratios to the empty window, and writes them all as JSON. It judges nothing: it fails only when a
figure cannot be measured (a window that never shows, a countdown that never appears).

Usage: bench/startup_bench.py [--runs 9] [--warmup 1] [--json FILE] [--long]
       [--program PATH --empty PATH | --build-dir DIR]
"""

import argparse
import atexit
import json
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom
from Xlib import display as xdisplay
from Xlib import error as xerror

SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
SCREEN = "1280x1024x24"

# The countdown label in the window's client area: 分组框1 lies at (1, 0), the label at (512, 16)
# in it, 40 x 40.
COUNTDOWN = (513, 16, 40, 40)

START_TIMEOUT = 60.0  # generous: the machine may be shared
POLL_INTERVAL = 0.002

_children = []


def wait_for(condition, timeout, what, interval=POLL_INTERVAL):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"gave up after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def sleep_until(moment):
    delay = moment - time.monotonic()
    if delay > 0:
        time.sleep(delay)


class Child:
    """A started process, leader of its own process group."""

    def __init__(self, args, env, **options):
        self.process = subprocess.Popen(args, env=env, start_new_session=True,
                                        stdin=subprocess.DEVNULL, **options)
        _children.append(self)

    @property
    def pid(self):
        return self.process.pid

    def stop(self):
        if self in _children:
            _children.remove(self)
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.process.pid, sig)
            except ProcessLookupError:
                pass
            try:
                self.process.wait(5.0)
                return
            except subprocess.TimeoutExpired:
                continue


@atexit.register
def _stop_children():
    for child in reversed(list(_children)):
        child.stop()


signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))


class XServer:
    """Xvfb on the display it picks itself (-displayfd) with openbox as the window manager."""

    def __init__(self, home):
        self.home = home
        read_end, write_end = os.pipe()
        log = open(os.path.join(home, "xvfb.log"), "wb")
        self.server = Child(["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                             "-nolisten", "tcp", "-noreset"],
                            {"PATH": "/usr/bin:/bin"}, pass_fds=(write_end,), stdout=log,
                            stderr=log)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise RuntimeError(f"Xvfb did not start; see {log.name}")
        self.display = f":{number}"
        self.connection = wait_for(self._connect, START_TIMEOUT, "Xvfb", interval=0.05)
        self.root = self.connection.screen().root
        log = open(os.path.join(home, "openbox.log"), "wb")
        self.window_manager = Child(["openbox"], self.environment(), stdout=log, stderr=log)
        check = self.connection.intern_atom("_NET_SUPPORTING_WM_CHECK")
        wait_for(lambda: self.root.get_full_property(check, X.AnyPropertyType), START_TIMEOUT,
                 "openbox", interval=0.05)
        self.client_list = self.connection.intern_atom("_NET_CLIENT_LIST")
        self.wm_pid = self.connection.intern_atom("_NET_WM_PID")

    def _connect(self):
        try:
            return xdisplay.Display(self.display)
        except Exception:  # not accepting connections yet
            return None

    def environment(self):
        return {"PATH": "/usr/bin:/bin", "HOME": self.home, "DISPLAY": self.display,
                "LANG": "C.UTF-8"}

    def close(self):
        self.connection.close()
        self.window_manager.stop()
        self.server.stop()

    def managed_window_of(self, pid):
        """The client window that the window manager manages for the process, or None."""
        clients = self.root.get_full_property(self.client_list, Xatom.WINDOW)
        for window_id in clients.value if clients else ():
            window = self.connection.create_resource_object("window", window_id)
            try:
                owner = window.get_full_property(self.wm_pid, Xatom.CARDINAL)
            except xerror.XError:
                continue  # gone meanwhile
            if owner and owner.value[0] == pid:
                return window
        return None

    def viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def countdown_shown(self, window):
        """Whether the countdown area shows red digits: the "10" of a cover painted in time (a
        start slower than the first tick would show a "9")."""
        left, top, width, height = COUNTDOWN
        try:
            pixels = window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
        except xerror.XError:
            return False  # not viewable (yet)
        return sum(1 for offset in range(0, len(pixels) - 3, 4) if is_red(pixels, offset)) >= 20

    def countdown_gone(self, window):
        left, top, width, height = COUNTDOWN
        try:
            pixels = window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
        except xerror.XError:
            return False
        return not any(is_red(pixels, offset) for offset in range(0, len(pixels) - 3, 4))


def is_red(pixels, offset):
    """The pixel at offset of a 32-bit ZPixmap image (blue, green, red, unused)."""
    return pixels[offset + 2] >= 200 and pixels[offset + 1] <= 90 and pixels[offset] <= 90


def cpu_seconds(pid):
    """utime + stime of the whole process (all its threads), in seconds."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS  # fields 14 and 15 of stat


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError(f"no VmRSS for process {pid}")


class Bench:
    def __init__(self, server, home, args):
        self.server = server
        self.home = home
        self.args = args

    def start(self, binary):
        runtime = tempfile.mkdtemp(prefix="runtime-", dir=self.home)
        os.chmod(runtime, 0o700)
        env = dict(self.server.environment(), XDG_RUNTIME_DIR=runtime)
        started = time.monotonic()
        child = Child([binary], env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return child, started

    def window_of(self, child, started):
        window = wait_for(lambda: self.server.managed_window_of(child.pid), START_TIMEOUT,
                          "the window to be managed")
        wait_for(lambda: self.server.viewable(window), START_TIMEOUT, "the window to show")
        return window, time.monotonic() - started

    def run_empty(self):
        child, started = self.start(self.args.empty)
        try:
            _, viewable = self.window_of(child, started)
            sleep_until(started + 1.5)
            return {"start_ms": viewable * 1000, "rss_kb": resident_kb(child.pid)}
        finally:
            child.stop()

    def run_program(self):
        child, started = self.start(self.args.program)
        pid = child.pid
        try:
            window, viewable = self.window_of(child, started)
            wait_for(lambda: self.server.countdown_shown(window), START_TIMEOUT,
                     "the red countdown")
            painted = time.monotonic() - started
            # The CPU window opens 1 s after exec, or as soon as the cover is up if that is later.
            sleep_until(started + 1.0)
            cover_from, cover_cpu_from = time.monotonic(), cpu_seconds(pid)
            sleep_until(started + 1.5)
            rss = resident_kb(pid)
            sleep_until(started + 9.0)
            cover_to, cover_cpu_to = time.monotonic(), cpu_seconds(pid)
            wait_for(lambda: self.server.countdown_gone(window), START_TIMEOUT,
                     "the cover to go", interval=0.1)
            time.sleep(1.0)  # the last repaints of the grid
            after_from, after_cpu_from = time.monotonic(), cpu_seconds(pid)
            time.sleep(self.args.after_cover_seconds)
            after_to, after_cpu_to = time.monotonic(), cpu_seconds(pid)
            return {
                "viewable_ms": viewable * 1000,
                "start_ms": painted * 1000,
                "rss_kb": rss,
                "cpu_cover_percent":
                    100 * (cover_cpu_to - cover_cpu_from) / (cover_to - cover_from),
                "cpu_after_percent":
                    100 * (after_cpu_to - after_cpu_from) / (after_to - after_from),
            }
        finally:
            child.stop()

    def watch_memory(self, minutes):
        """The program's resident memory sampled every 30 s for `minutes`; growth is the last
        sample against the one a minute in, when the cover has gone."""
        child, started = self.start(self.args.program)
        try:
            self.window_of(child, started)
            samples = []
            moment = started + 30
            while moment <= started + minutes * 60 + 0.5:
                sleep_until(moment)
                samples.append({"seconds": round(moment - started), "rss_kb": resident_kb(child.pid)})
                moment += 30
            baseline = next((s["rss_kb"] for s in samples if s["seconds"] >= 60), samples[0]["rss_kb"])
            return {"minutes": minutes, "samples": samples,
                    "growth_kb": samples[-1]["rss_kb"] - baseline,
                    "peak_growth_kb": max(s["rss_kb"] for s in samples) - baseline}
        finally:
            child.stop()


def build(build_dir):
    """The two programs, built by the project's CMake in build_dir (configured if it is not)."""
    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        subprocess.run(["cmake", "-S", SOURCE_DIR, "-B", build_dir,
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo"], check=True)
    subprocess.run(["cmake", "--build", build_dir, "--target", "fokarium",
                    "fokarium_empty_window"], check=True)
    return (os.path.join(build_dir, "app", "fokarium"),
            os.path.join(build_dir, "bench", "fokarium_empty_window"))


def median(samples, key):
    return statistics.median(sample[key] for sample in samples)


def summarise(empty, program):
    medians = {
        "empty_start_ms": median(empty, "start_ms"),
        "empty_rss_kb": median(empty, "rss_kb"),
        "program_viewable_ms": median(program, "viewable_ms"),
        "program_start_ms": median(program, "start_ms"),
        "program_rss_kb": median(program, "rss_kb"),
        "program_cpu_cover_percent": median(program, "cpu_cover_percent"),
        "program_cpu_after_percent": median(program, "cpu_after_percent"),
    }
    ratios = {
        "start": medians["program_start_ms"] / medians["empty_start_ms"],
        "viewable": medians["program_viewable_ms"] / medians["empty_start_ms"],
        "rss": medians["program_rss_kb"] / medians["empty_rss_kb"],
        "rss_extra_mb": (medians["program_rss_kb"] - medians["empty_rss_kb"]) / 1024,
    }
    return medians, ratios


def print_table(medians, ratios, memory_watch):
    rows = [
        ("exec -> viewable (empty) / red \"10\" painted (program)",
         f"{medians['empty_start_ms']:.0f} ms", f"{medians['program_start_ms']:.0f} ms",
         f"{ratios['start']:.2f} x"),
        ("exec -> window viewable", f"{medians['empty_start_ms']:.0f} ms",
         f"{medians['program_viewable_ms']:.0f} ms", f"{ratios['viewable']:.2f} x"),
        ("resident memory 1.5 s after start", f"{medians['empty_rss_kb'] / 1024:.1f} MB",
         f"{medians['program_rss_kb'] / 1024:.1f} MB", f"+ {ratios['rss_extra_mb']:.1f} MB"),
        ("CPU while the cover animates (1 s to 9 s)", "",
         f"{medians['program_cpu_cover_percent']:.2f} % of a core", ""),
        ("CPU once the cover has gone", "",
         f"{medians['program_cpu_after_percent']:.2f} % of a core", ""),
    ]
    if memory_watch:
        rows.append((f"resident memory growth over {memory_watch['minutes']} min", "",
                     f"{memory_watch['growth_kb'] / 1024:+.2f} MB "
                     f"(peak {memory_watch['peak_growth_kb'] / 1024:+.2f} MB)", ""))
    widths = [max(len(row[i]) for row in rows) for i in range(4)]
    header = ("figure (median)", "empty window", "Fokarium", "ratio")
    widths = [max(w, len(h)) for w, h in zip(widths, header)]
    for row in (header,) + tuple(rows):
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=9, help="measured starts of each program")
    parser.add_argument("--warmup", type=int, default=1, help="starts of each left out first")
    parser.add_argument("--after-cover-seconds", type=float, default=20.0,
                        help="how long the CPU is watched once the cover has gone")
    parser.add_argument("--long", action="store_true",
                        help="also watch the program's resident memory for an hour")
    parser.add_argument("--long-minutes", type=float, default=60.0)
    parser.add_argument("--json", default="startup-bench.json", help="where the figures go")
    parser.add_argument("--program", help="the fokarium binary (else built in --build-dir)")
    parser.add_argument("--empty", help="the fokarium_empty_window binary")
    parser.add_argument("--build-dir", default=os.path.join(SOURCE_DIR, "build", "release"))
    args = parser.parse_args()
    if not args.program or not args.empty:
        args.program, args.empty = build(args.build_dir)

    home = tempfile.mkdtemp(prefix="fokarium-bench-")
    atexit.register(shutil.rmtree, home, True)
    server = XServer(home)
    atexit.register(server.close)
    bench = Bench(server, home, args)
    load_before = os.getloadavg()
    empty, program = [], []
    for round_number in range(args.warmup + args.runs):
        measured = round_number >= args.warmup
        empty_sample, program_sample = bench.run_empty(), bench.run_program()
        if measured:
            empty.append(empty_sample)
            program.append(program_sample)
        print(f"round {round_number + 1} of {args.warmup + args.runs}"
              f"{'' if measured else ' (warm-up)'}: empty window {empty_sample['start_ms']:.0f} ms,"
              f" Fokarium {program_sample['start_ms']:.0f} ms", file=sys.stderr)
    medians, ratios = summarise(empty, program)
    memory_watch = bench.watch_memory(args.long_minutes) if args.long else None

    print_table(medians, ratios, memory_watch)
    result = {
        "runs": args.runs, "warmup": args.warmup,
        "after_cover_seconds": args.after_cover_seconds,
        "cores": os.cpu_count(), "load_average_before": load_before,
        "load_average_after": os.getloadavg(),
        "medians": medians, "ratios": ratios,
        "samples": {"empty": empty, "program": program},
        "memory_watch": memory_watch,
    }
    with open(args.json, "w") as out:
        json.dump(result, out, indent=2)
    print(f"figures written to {args.json}")


if __name__ == "__main__":
    main()
