"""The main window: caption, size and place, frame buttons, the first picture, and the ways out."""

import subprocess
import tempfile
import unittest
from collections import Counter

import harness
from harness import COUNTDOWN, COVER, SCREEN_HEIGHT, SCREEN_WIDTH, ProgramTestCase, Rect

OUTER_WIDTH, OUTER_HEIGHT = 582, 640


class WindowTest(ProgramTestCase):
    def test_caption_place_and_frame(self):
        program = self.start()
        session = program.session
        for name in ("WM_NAME", "_NET_WM_NAME"):
            self.assertEqual(session.property(program.window, name), f'"{harness.CAPTION}"', name)
        self.assertEqual(
            session.frame_rect(program.window),
            Rect((SCREEN_WIDTH - OUTER_WIDTH) // 2, (SCREEN_HEIGHT - OUTER_HEIGHT) // 2,
                 OUTER_WIDTH, OUTER_HEIGHT))
        actions = session.property(program.window, "_NET_WM_ALLOWED_ACTIONS")
        for allowed in ("_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE",
                        "_NET_WM_ACTION_MOVE"):
            self.assertIn(allowed, actions)
        for refused in ("_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                        "_NET_WM_ACTION_RESIZE"):
            self.assertNotIn(refused, actions)

    def test_first_picture_is_the_cover_counting_from_ten(self):
        program = self.start()
        screen = program.session.screenshot()
        red = harness.count_pixels(program.capture(COUNTDOWN, screen), harness.is_red)
        self.assertGreaterEqual(red, 40, "red countdown digits")
        # The first tick comes a second after start; the window is up well before that.
        self.assertEqual(harness.countdown_value(program, screen), 10)

    def test_cover_is_white(self):
        program = self.start()
        cover = program.capture(COVER.inset(4))
        colour, count = Counter(cover.getdata()).most_common(1)[0]
        self.assertEqual(colour, (255, 255, 255), "the cover's ground")
        self.assertGreater(count, cover.width * cover.height // 2)

    def test_escape_ends_with_status_0(self):
        program = self.start()
        program.session.key("Escape")
        self.assertExitsWith(program, 0)

    def test_close_button_ends_with_status_0(self):
        program = self.start()
        program.session.click(*program.session.close_button_point(program.window))
        self.assertExitsWith(program, 0)


class NoDisplayTest(unittest.TestCase):
    """Without any display the program says so in one line and ends with status 255."""

    def test_missing_display(self):
        with tempfile.TemporaryDirectory() as runtime_dir:
            missing = f":{harness.unused_display_number(first=500)}"
            for platform in (None, "xcb"):
                with self.subTest(QT_QPA_PLATFORM=platform):
                    env = {"PATH": "/usr/bin:/bin", "HOME": runtime_dir, "LANG": "C.UTF-8",
                           "DISPLAY": missing, "XDG_RUNTIME_DIR": runtime_dir}
                    if platform:
                        env["QT_QPA_PLATFORM"] = platform
                    result = subprocess.run([ProgramTestCase.binary], env=env,
                                            capture_output=True, timeout=60)
                    self.assertEqual(result.returncode, 255)
                    lines = result.stderr.decode("utf-8", "replace").splitlines()
                    self.assertEqual(len(lines), 1, lines)
                    self.assertTrue(lines[0].strip())


if __name__ == "__main__":
    harness.main()
