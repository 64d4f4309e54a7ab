"""What the desktop tests share: a private X server (Xvfb, optionally with openbox), the program
started on it, waiting with a generous bound, and screenshots."""

import os
import subprocess
import time

PROGRAM = os.environ.get("FOKARIUM_PROGRAM", "")

# Generous: the machine is shared and may be slow; a fault still shows as a failure, not a hang.
WAIT_SECONDS = 30.0


def wait_for(predicate, timeout=WAIT_SECONDS, what="the condition"):
    """Polls predicate until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.1)


def stop(process, grace=5.0):
    """Ends a process we started: terminate, then kill if it does not go."""
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class XSession:
    """Xvfb on a display number of its own choosing, and openbox on it when asked."""

    def __init__(self, width=1280, height=1024, window_manager=True):
        self.processes = []
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.close()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"):
            self.env.pop(name, None)
        if window_manager:
            self.start(["openbox", "--sm-disable"])
            wait_for(self.window_manager_running, what="openbox")

    def start(self, command, extra_env=None, **options):
        env = dict(self.env, **(extra_env or {}))
        options.setdefault("stdout", subprocess.DEVNULL)
        options.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=env, **options)
        self.processes.append(process)
        return process

    def run(self, command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=WAIT_SECONDS, check=True).stdout

    def window_manager_running(self):
        result = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                capture_output=True, text=True)
        return "window id" in result.stdout

    def program_window(self):
        """The program's top-level window id, once it is mapped."""
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Fokarium"],
                                env=self.env, capture_output=True, text=True)
        ids = result.stdout.split()
        return ids[0] if ids else None

    def client_geometry(self, window):
        """(x, y, width, height) of a window's client area on the screen, in device pixels."""
        info = self.run(["xwininfo", "-id", window])
        values = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def screenshot(self, folder):
        """The whole screen as a PIL image in RGB."""
        from PIL import Image
        path = os.path.join(folder, f"screen-{time.monotonic_ns()}.png")
        self.run(["import", "-window", "root", path])
        with Image.open(path) as image:
            return image.convert("RGB")

    def close(self):
        for process in reversed(self.processes):
            stop(process)
        self.processes.clear()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()



def main():
    """Runs the module's tests; exits with 77, which CTest reads as skipped, when every test was
    skipped because something this machine lacks."""
    import sys
    import unittest
    program = unittest.main(verbosity=2, exit=False)
    result = program.result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.testsRun and len(result.skipped) == result.testsRun:
        sys.exit(77)
    sys.exit(0)
