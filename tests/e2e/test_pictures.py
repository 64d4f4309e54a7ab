"""The pictures on a real X server: the fingerprint animates, also while the window is frozen after
a press on it; the window's icon property holds the number grid; the pointer over the fingerprint
is the yellow hand with its hot spot at the fingertip, the default arrow elsewhere.

Usage: test_pictures.py PROGRAM
"""

import sys
import time
import unittest

from Xlib import X
from Xlib import display as xdisplay

import harness
from harness import ENTER_PICTURE, Rect, XSession, cover_shown, is_red, is_white

PROGRAM = None


def distinct_frames(images):
    return len({image.tobytes() for image in images})


def is_yellow(pixel):
    r, g, b = pixel[:3]
    return r > 200 and g > 190 and b < 90


class PicturesTest(unittest.TestCase):
    def setUp(self):
        self.session = XSession().__enter__()
        self.addCleanup(self.session.close)
        self.program = self.session.start_program(PROGRAM)
        self.addCleanup(self.program.stop)
        self.program.wait_window()

    def test_fingerprint_animates_also_during_the_freeze_after_a_press(self):
        screens = []
        for _ in range(6):
            screens.append(self.program.capture(ENTER_PICTURE))
            time.sleep(0.2)
        self.assertGreaterEqual(distinct_frames(screens), 3, "the fingerprint's colouring moves")

        # Straight X requests are fast enough to look several times into the half-second freeze
        # that follows the press, also on a slow machine.
        connection = xdisplay.Display(self.session.display)
        self.addCleanup(connection.close)
        root = connection.screen().root
        area = self.program.rect_on_screen(ENTER_PICTURE)

        def grab():
            return root.get_image(area.left, area.top, area.width, area.height, X.ZPixmap, 0xFFFFFFFF).data

        self.session.press(*area.centre)
        pressed = time.monotonic()
        during = []
        while time.monotonic() - pressed < 0.4:
            during.append(grab())
            time.sleep(0.05)
        self.session.release()
        harness.wait_for(lambda: not cover_shown(self.program), harness.START_TIMEOUT,
                         "the cover to go after the press")
        self.assertGreaterEqual(len(set(during)), 2, "the fingerprint goes on during the freeze")

    def test_window_icon_holds_the_number_grid(self):
        connection = xdisplay.Display(self.session.display)
        self.addCleanup(connection.close)
        window = connection.create_resource_object("window", self.program.window)
        atom = connection.intern_atom("_NET_WM_ICON")
        icon = harness.wait_for(lambda: window.get_full_property(atom, X.AnyPropertyType),
                                harness.START_TIMEOUT, "_NET_WM_ICON")
        numbers = list(icon.value)
        width, height, pixels = numbers[0], numbers[1], numbers[2:]
        self.assertEqual((width, height), (32, 32))
        argb = pixels[:width * height]
        rgb = [((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in argb]
        self.assertGreater(sum(1 for p in rgb if is_red(p)), 40, "the grid's red lines")
        self.assertGreater(sum(1 for p in rgb if is_white(p) or min(p) > 240), 200, "the near-white cells")
        self.assertTrue(all(p >> 24 == 255 for p in argb), "fully opaque")

    def test_pointer_is_the_hand_over_the_fingerprint_only(self):
        connection = xdisplay.Display(self.session.display)
        self.addCleanup(connection.close)
        connection.xfixes_query_version()

        def pointer_at(rect):
            self.session.move(*self.program.rect_on_screen(rect).centre)
            time.sleep(0.3)
            return connection.xfixes_get_cursor_image(connection.screen().root)

        hand = harness.wait_for(
            lambda: (lambda c: c if (c.xhot, c.yhot) == (6, 0) else None)(pointer_at(ENTER_PICTURE)),
            harness.START_TIMEOUT, "the hand pointer")
        self.assertEqual((hand.width, hand.height), (32, 32))
        argb = list(hand.cursor_image)
        rgb = [((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in argb]
        self.assertGreater(sum(1 for p in rgb if is_yellow(p)), 60, "a yellow hand")
        elsewhere = pointer_at(Rect(40, 300, 10, 10))
        self.assertNotEqual((elsewhere.width, elsewhere.height, elsewhere.xhot, elsewhere.yhot),
                            (32, 32, 6, 0), "the default pointer over the rest of the cover")


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
