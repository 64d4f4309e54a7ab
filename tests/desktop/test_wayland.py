"""The program on Wayland through Qt's Wayland platform, under Weston. Weston's headless backend
has no seat, so no key can reach a client there: the headless run checks that the program starts
and shows its window under its application id; a second run, under Weston's X11 backend inside
Xvfb, presses Esc through the X server and checks that the program ends with status 0."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

APP_ID = os.environ.get("FOKARIUM_APP_ID", "io.github.fokarium.Fokarium")
# At the start the white cover fills the window's client area, 573 x 616 less what the window's
# decoration takes where the platform puts it inside the window.
COVER_PIXELS = 573 * 616 * 8 // 10


def white_pixels(image):
    return sum(count for count, colour in image.getcolors(maxcolors=1 << 24)
               if min(colour) >= 250)


class Compositor:
    """Weston on a socket of its own in a private runtime folder."""

    def __init__(self, backend, env, folder):
        if not shutil.which("weston"):
            raise unittest.SkipTest("weston is not installed")
        runtime = os.path.join(folder, "runtime")
        os.mkdir(runtime, 0o700)
        self.socket = os.path.join(runtime, "wayland-fokarium")
        self.env = dict(env, XDG_RUNTIME_DIR=runtime)
        self.log = open(os.path.join(folder, f"weston-{backend}.log"), "w")
        self.process = subprocess.Popen(
            ["weston", f"--backend={backend}-backend.so", "--use-pixman", "--no-config",
             "--debug", "--socket=wayland-fokarium", "--width=1024", "--height=768"],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        try:
            ds.wait_for(lambda: os.path.exists(self.socket) or self.process.poll() is not None,
                        what=f"weston's {backend} backend")
        except AssertionError:
            self.close()
            raise unittest.SkipTest(f"weston's {backend} backend does not start here")
        if self.process.poll() is not None:
            self.close()
            raise unittest.SkipTest(f"weston's {backend} backend does not work here")
        self.client_env = dict(self.env, WAYLAND_DISPLAY="wayland-fokarium",
                               QT_QPA_PLATFORM="wayland")
        self.client_env.pop("QT_SCALE_FACTOR", None)

    def screenshot(self, folder):
        """The compositor's output, through weston's own screenshooter (allowed by --debug)."""
        from PIL import Image
        before = set(os.listdir(folder))
        subprocess.run(["weston-screenshooter"], env=self.client_env, cwd=folder, check=True,
                       timeout=ds.WAIT_SECONDS, capture_output=True)
        (name,) = set(os.listdir(folder)) - before
        with Image.open(os.path.join(folder, name)) as image:
            return image.convert("RGB")

    def close(self):
        ds.stop(self.process)
        self.log.close()


class Wayland(unittest.TestCase):
    def setUp(self):
        scratch = tempfile.TemporaryDirectory(prefix="fokarium-wayland-")
        self.addCleanup(scratch.cleanup)
        self.folder = scratch.name
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

    def start_program(self, compositor, **options):
        program = subprocess.Popen([ds.PROGRAM], env=compositor.client_env, **options)
        self.addCleanup(ds.stop, program)
        return program

    def test_starts_and_shows_its_window_under_the_headless_backend(self):
        compositor = Compositor("headless", self.env, self.folder)
        self.addCleanup(compositor.close)
        shots = os.path.join(self.folder, "shots")
        os.mkdir(shots)
        self.assertLess(white_pixels(compositor.screenshot(shots)), COVER_PIXELS // 2)
        protocol_log = os.path.join(self.folder, "client.log")
        with open(protocol_log, "w") as log:
            compositor.client_env["WAYLAND_DEBUG"] = "client"
            program = self.start_program(compositor, stdout=log, stderr=log)
        ds.wait_for(lambda: white_pixels(compositor.screenshot(shots)) >= COVER_PIXELS,
                    what="the window with its white cover on the compositor's output")
        self.assertIsNone(program.poll(), "the program runs on")
        with open(protocol_log, errors="replace") as log:
            messages = log.read()
        self.assertIn(f'set_app_id("{APP_ID}")', messages)
        self.assertIn("xdg_toplevel", messages)

    def test_ends_on_esc_with_status_0(self):
        with ds.XSession(window_manager=False) as session:
            compositor = Compositor("x11", dict(self.env, DISPLAY=session.display),
                                    self.folder)
            self.addCleanup(compositor.close)
            compositor.client_env.pop("DISPLAY")  # the program must not fall back to X11
            program = self.start_program(compositor, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
            ds.wait_for(lambda: white_pixels(session.screenshot(self.folder)) >= COVER_PIXELS,
                        what="the window inside weston's window")
            # The pointer inside weston's window gives it the X keyboard focus; weston gives
            # the program's new window its own.
            session.run(["xdotool", "mousemove", "512", "384"])
            session.run(["xdotool", "key", "Escape"])
            self.assertEqual(program.wait(ds.WAIT_SECONDS), 0)


if __name__ == "__main__":
    ds.main()
