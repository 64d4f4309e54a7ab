"""The pictures on a real X server: the fingerprint animates, also while the window is frozen after
a press on it; the window's icon property holds the number grid; the pointer over the fingerprint
is the yellow hand with its hot spot at the fingertip, the default arrow elsewhere.

Usage: test_pictures.py PROGRAM
"""

import time

from Xlib import X

import harness
from harness import (COUNTDOWN, ENTER_PICTURE, START_TIMEOUT, ProgramTestCase, Rect, is_red,
                     is_white)


def is_yellow(pixel):
    r, g, b = pixel[:3]
    return r > 200 and g > 190 and b < 90


def red_in(raw):
    """Whether raw 32-bit BGRx pixels from the server hold the countdown's red."""
    return any(raw[i + 2] >= 200 and raw[i + 1] <= 90 and raw[i] <= 90
               for i in range(0, len(raw), 4))


class PicturesTest(ProgramTestCase):
    def test_fingerprint_animates_also_during_the_freeze_after_a_press(self):
        program = self.start()
        # Straight X requests: fast enough to look many times into the half-second freeze that
        # follows a press, also on a slow machine, and to be done before the countdown ends.
        client = program.session.client
        fingerprint = program.rect_on_screen(ENTER_PICTURE)
        countdown = program.rect_on_screen(COUNTDOWN)
        frames = set()

        def three_frames():
            frames.add(client.grab(fingerprint))
            return len(frames) >= 3

        self.wait(three_frames, harness.SCREEN_TIMEOUT, "the fingerprint's colouring to move")

        # The press freezes the window for half a second, then the cover goes. A look counts
        # while the countdown, grabbed just after it, still shows: the cover was up.
        client.move(*fingerprint.centre)
        self.assertTrue(red_in(client.grab(countdown)), "the cover is up at the press")
        client.buttons(("press", 1))
        self.addCleanup(client.buttons, ("release", 1))
        during = []
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            frame = client.grab(fingerprint)
            if not red_in(client.grab(countdown)):
                break
            during.append(frame)
        self.assertFalse(red_in(client.grab(countdown)), "the cover went after the press")
        # Still stretches of the animation last at most 360 ms, less than the freeze.
        self.assertGreaterEqual(len(set(during)), 2, "the fingerprint goes on during the freeze")

    def test_window_icon_holds_the_number_grid(self):
        program = self.start()
        connection = program.session.client.display
        window = connection.create_resource_object("window", program.window)
        atom = connection.intern_atom("_NET_WM_ICON")
        icon = self.wait(lambda: window.get_full_property(atom, X.AnyPropertyType),
                         START_TIMEOUT, "_NET_WM_ICON")
        numbers = list(icon.value)
        width, height, pixels = numbers[0], numbers[1], numbers[2:]
        self.assertEqual((width, height), (32, 32))
        argb = pixels[:width * height]
        rgb = [((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in argb]
        self.assertGreater(sum(1 for p in rgb if is_red(p)), 40, "the grid's red lines")
        self.assertGreater(sum(1 for p in rgb if is_white(p) or min(p) > 240), 200,
                           "the near-white cells")
        self.assertTrue(all(p >> 24 == 255 for p in argb), "fully opaque")

    def test_pointer_is_the_hand_over_the_fingerprint_only(self):
        program = self.start()
        connection = program.session.client.display
        connection.xfixes_query_version()

        def pointer_at(rect):
            program.session.move(*program.rect_on_screen(rect).centre)
            return connection.xfixes_get_cursor_image(connection.screen().root)

        def is_hand(cursor):
            return (cursor.width, cursor.height, cursor.xhot, cursor.yhot) == (32, 32, 6, 0)

        cursor = self.wait(lambda: (lambda c: c if is_hand(c) else None)(
            pointer_at(ENTER_PICTURE)), START_TIMEOUT, "the hand pointer")
        argb = list(cursor.cursor_image)
        rgb = [((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in argb]
        self.assertGreater(sum(1 for p in rgb if is_yellow(p)), 60, "a yellow hand")
        self.wait(lambda: not is_hand(pointer_at(Rect(40, 300, 10, 10))), START_TIMEOUT,
                  "the default pointer over the rest of the cover")

if __name__ == "__main__":
    harness.main()
