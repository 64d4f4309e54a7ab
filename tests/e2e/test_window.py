"""The main window: caption, size and place, frame buttons, the first picture, and the ways out."""

import subprocess
import tempfile
import time
import unittest
from collections import Counter

import harness
from harness import (COUNTDOWN, COVER, OUTER_HEIGHT, OUTER_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH,
                     SCREEN_TIMEOUT, ProgramTestCase, Rect)


class WindowTest(ProgramTestCase):
    def test_caption_place_and_frame(self):
        program = self.start()
        session = program.session
        for name in ("WM_NAME", "_NET_WM_NAME"):
            self.assertEqual(session.property(program.window, name), f'"{harness.CAPTION}"', name)
        centred = Rect((SCREEN_WIDTH - OUTER_WIDTH) // 2, (SCREEN_HEIGHT - OUTER_HEIGHT) // 2,
                       OUTER_WIDTH, OUTER_HEIGHT)
        seen = []

        def placed():
            seen.append(session.frame_rect(program.window))
            return seen[-1] == centred

        try:
            harness.wait_for(placed, SCREEN_TIMEOUT, "the centred window")
        except TimeoutError:
            self.fail(f"the window stays at {seen[-1]}, not at {centred}")
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
        read_by = time.monotonic() - program.started
        red = harness.count_pixels(program.capture(COUNTDOWN, screen), harness.is_red)
        self.assertGreaterEqual(red, 40, "red countdown digits")
        first = harness.countdown_value(program, screen)
        # The count starts at 10 when the window is built, after the start, and goes down by one
        # a second: whenever the first look came, it shows no more than 10 and no less than
        # what is left of ten by then (with room for a timer that fires up to 10 % early).
        self.assertIsNotNone(first, "a number on the cover")
        self.assertLessEqual(first, 10)
        self.assertGreaterEqual(first, 10 - int(read_by * 1.1), f"read {read_by:.1f} s in")

        def next_number():
            screen = program.session.screenshot()
            if not harness.cover_shown(program, screen):
                return "gone"  # the count has reached 0 since (a slow machine reads slowly)
            value = harness.countdown_value(program, screen)
            return value if value not in (None, first) else None

        following = self.wait(next_number, harness.START_TIMEOUT, "the countdown's next number")
        if following != "gone":
            self.assertLess(following, first, "the countdown goes down")

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
                    extra = {"XDG_RUNTIME_DIR": runtime_dir}
                    if platform:
                        extra["QT_QPA_PLATFORM"] = platform
                    env = harness.clean_environment(runtime_dir, missing, extra=extra)
                    result = subprocess.run([ProgramTestCase.binary], env=env,
                                            capture_output=True, timeout=60)
                    self.assertEqual(result.returncode, 255)
                    lines = result.stderr.decode("utf-8", "replace").splitlines()
                    self.assertEqual(len(lines), 1, lines)
                    self.assertTrue(lines[0].strip())


if __name__ == "__main__":
    harness.main()
