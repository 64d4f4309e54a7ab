"""The program on Wayland through Qt's Wayland platform, under Weston. Weston's headless backend
has no seat, so no key can reach a client there: the headless run checks that the program starts
and shows its window under its application id; a second run, under Weston's X11 backend inside
Xvfb, presses Esc through the X server and checks that the program ends with status 0."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import COVER, START_TIMEOUT, wait_for  # noqa: E402

APP_ID = os.environ.get("FOKARIUM_APP_ID", "io.github.fokarium.Fokarium")
# At the start the white cover fills the window's client area, less what the window's
# decoration takes where the platform puts it inside the window.
COVER_PIXELS = COVER.width * COVER.height * 8 // 10


def white_pixels(image):
    return sum(count for count, colour in image.getcolors(maxcolors=1 << 24)
               if min(colour) >= 250)


class Compositor:
    """Weston on a socket of its own in a private runtime folder, with the clean environment of
    the harness (and the X display it runs in, for the X11 backend)."""

    def __init__(self, backend, env, folder):
        harness.needs_commands("weston", "weston-screenshooter")
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        self.socket = os.path.join(runtime, "wayland-fokarium")
        self.env = dict(env, XDG_RUNTIME_DIR=runtime)
        self.log_path = os.path.join(folder, f"weston-{backend}.log")
        with open(self.log_path, "wb") as log:
            self.child = harness.Child(
                ["weston", f"--backend={backend}-backend.so", "--use-pixman", "--no-config",
                 "--debug", "--socket=wayland-fokarium", "--width=1024", "--height=768"],
                self.env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        try:
            wait_for(lambda: os.path.exists(self.socket) or not self.child.running(),
                     START_TIMEOUT, f"weston's {backend} backend")
        except TimeoutError:
            pass
        if not os.path.exists(self.socket) or not self.child.running():
            self.child.stop()
            with open(self.log_path, errors="replace") as log:
                tail = log.read().strip().splitlines()[-5:]
            harness.missing(f"a working weston {backend} backend; its log ends: {tail}")
        self.client_env = dict(self.env, WAYLAND_DISPLAY="wayland-fokarium",
                               QT_QPA_PLATFORM="wayland")

    def screenshot(self, folder):
        """The compositor's output, through weston's own screenshooter (allowed by --debug)."""
        from PIL import Image
        before = set(os.listdir(folder))
        subprocess.run(["weston-screenshooter"], env=self.client_env, cwd=folder, check=True,
                       timeout=START_TIMEOUT, capture_output=True)
        (name,) = set(os.listdir(folder)) - before
        with Image.open(os.path.join(folder, name)) as image:
            return image.convert("RGB")

    def close(self):
        self.child.stop()


class Wayland(unittest.TestCase):
    def setUp(self):
        scratch = tempfile.TemporaryDirectory(prefix="fokarium-wayland-")
        self.addCleanup(scratch.cleanup)
        self.folder = scratch.name

    def start_program(self, compositor, **options):
        program = harness.Child([harness.ProgramTestCase.binary], compositor.client_env,
                                stdin=subprocess.DEVNULL, **options)
        self.addCleanup(program.stop)
        return program

    def test_starts_and_shows_its_window_under_the_headless_backend(self):
        compositor = Compositor("headless", harness.clean_environment(self.folder), self.folder)
        self.addCleanup(compositor.close)
        shots = os.path.join(self.folder, "shots")
        os.mkdir(shots)
        self.assertLess(white_pixels(compositor.screenshot(shots)), COVER_PIXELS // 2)
        protocol_log = os.path.join(self.folder, "client.log")
        with open(protocol_log, "w") as log:
            compositor.client_env["WAYLAND_DEBUG"] = "client"
            program = self.start_program(compositor, stdout=log, stderr=log)
        wait_for(lambda: white_pixels(compositor.screenshot(shots)) >= COVER_PIXELS,
                 START_TIMEOUT, "the window with its white cover on the compositor's output")
        self.assertTrue(program.running(), "the program runs on")
        with open(protocol_log, errors="replace") as log:
            messages = log.read()
        self.assertIn(f'set_app_id("{APP_ID}")', messages)
        self.assertIn("xdg_toplevel", messages)

    def test_ends_on_esc_with_status_0(self):
        with harness.XSession(window_manager=False) as session:
            compositor = Compositor("x11", session.environment(), self.folder)
            self.addCleanup(compositor.close)
            compositor.client_env.pop("DISPLAY")  # the program must not fall back to X11
            program = self.start_program(compositor, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
            wait_for(lambda: white_pixels(session.screenshot()) >= COVER_PIXELS, START_TIMEOUT,
                     "the window inside weston's window")
            # The pointer inside weston's window gives it the X keyboard focus; weston gives
            # the program's new window its own.
            session.move(512, 384)
            session.key("Escape")
            self.assertEqual(program.wait_exit(START_TIMEOUT), 0)


if __name__ == "__main__":
    harness.main()
