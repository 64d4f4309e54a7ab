"""Measures on the real screen what a person sees: ink weight, a blinking caret, focus frames,
the pointer's image, and a few more places of the form.

Builds on harness.py: every function takes a Program or an XSession from there.
"""

import time

from PIL import Image, ImageChops, ImageDraw, ImageFont
from Xlib import display as xdisplay

import harness
from harness import LOGO_CLEAR_OF_SIGNATURE, SCREEN_TIMEOUT, SIGNATURE, luminance, wait_for

# The face the program draws every text in (AR PL UMing CN is face 0 of the collection).
FONT_FILE, FONT_INDEX = "/usr/share/fonts/truetype/arphic/uming.ttc", 0


def ink_mass(image):
    """How much ink an image holds: the sum of every pixel's darkness."""
    return sum(255 - luminance(pixel) for pixel in image.convert("RGB").getdata())


def normal_weight_text(text, pixel_size):
    """The text in black on white, drawn at normal weight in the program's face and size."""
    font = ImageFont.truetype(FONT_FILE, pixel_size, index=FONT_INDEX)
    left, top, right, bottom = font.getbbox(text)
    image = Image.new("RGB", (right - left + 8, bottom - top + 8), "white")
    ImageDraw.Draw(image).text((4 - left, 4 - top), text, font=font, fill="black")
    return image


def is_focus_blue(pixel):
    """The highlight colour that a focus frame or a selection is drawn in (a clear blue)."""
    red, green, blue = pixel
    return blue >= 150 and blue - red >= 80


def focus_blue_pixels(image):
    return harness.count_pixels(image, is_focus_blue)


def thin_tall_strip(box, min_height):
    """Whether a bounding box is a caret's: at most 3 px wide and at least min_height high."""
    return box is not None and box[2] - box[0] <= 3 and box[3] - box[1] >= min_height


def blinking_caret(program, rect, min_height=40, timeout=SCREEN_TIMEOUT):
    """Watches a rectangle until two screenshots differ by a caret-like strip only.

    Returns the strip's left edge in the rectangle (the caret appears and disappears there), or
    None when no such blinking was seen within the timeout.
    """
    first = program.capture(rect)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        box = ImageChops.difference(first, program.capture(rect)).getbbox()
        if thin_tall_strip(box, min_height):
            return box[0]
        if box is not None:
            first = program.capture(rect)  # something else changed: start again from now
    return None


def ink_box(image, keep=harness.is_ink):
    mask = Image.new("L", image.size, 0)
    mask.putdata([255 if keep(pixel) else 0 for pixel in image.getdata()])
    return mask.getbbox()


# The pointer --------------------------------------------------------------------------------------


class Pointer:
    """The image of the mouse pointer, read through XFixes."""

    def __init__(self, session):
        self.connection = xdisplay.Display(session.display)
        self.connection.xfixes_query_version()

    def close(self):
        self.connection.close()

    def image(self):
        return self.connection.xfixes_get_cursor_image(self.connection.screen().root)

    @staticmethod
    def shape(cursor):
        """(ink box, hot spot) of a cursor image; the ink is every pixel that is not transparent."""
        width = cursor.width
        opaque = [(i % width, i // width) for i, argb in enumerate(cursor.cursor_image)
                  if (argb >> 24) & 255 >= 128]
        xs, ys = [x for x, _ in opaque], [y for _, y in opaque]
        return (min(xs), min(ys), max(xs) + 1, max(ys) + 1), (cursor.xhot, cursor.yhot)

    @classmethod
    def is_text_pointer(cls, cursor):
        """An I-beam: narrow, tall, its hot spot in the middle of its stem."""
        (left, top, right, bottom), (x, y) = cls.shape(cursor)
        return (right - left <= 9 and bottom - top >= 12 and left <= x < right
                and top + (bottom - top) // 4 <= y <= bottom - (bottom - top) // 4)

    @classmethod
    def is_arrow(cls, cursor):
        """An arrow: its hot spot is the tip at the top-left corner of its ink."""
        (left, top, right, bottom), (x, y) = cls.shape(cursor)
        return abs(x - left) <= 2 and abs(y - top) <= 2 and bottom - top >= 10

    def move_over(self, program, point):
        """Moves the pointer to a point of the cover (or of 分组框1)."""
        program.session.move(*cover_point(program, point))


# Windows ------------------------------------------------------------------------------------------


def question_window(program, timeout=SCREEN_TIMEOUT):
    """The agreement question's window id, once it is on screen."""
    return wait_for(lambda: program.session.find_windows(harness.QUESTION_NAME), timeout,
                    "the question")[0]


def answer_no_by_escape(program, question):
    """Answers the question with Esc (the escape button is "否") and waits for the tick back."""
    session = program.session
    session.key("Escape")
    wait_for(lambda: question not in session.find_windows(harness.QUESTION_NAME),
             SCREEN_TIMEOUT, "the question to close")
    wait_for(lambda: harness.agreement_ticked(program), SCREEN_TIMEOUT, "the tick back")


def cover_point(program, point):
    """A point of the cover (or of 分组框1) in screen coordinates."""
    x, y = point
    return (program.client.left + harness.GROUP_BOX_ORIGIN[0] + x,
            program.client.top + harness.GROUP_BOX_ORIGIN[1] + y)


def logo_shown(program, screen=None):
    return harness.has_ink(program.capture(LOGO_CLEAR_OF_SIGNATURE, screen),
                           keep=lambda pixel: pixel != (255, 255, 255), at_least=200)


def signature_shown(program, screen=None):
    return harness.has_ink(program.capture(SIGNATURE, screen), keep=harness.is_dark,
                           at_least=100)


def logo_and_signature_hidden_on_the_cover(program):
    """Both hidden while the cover is still up (its going would hide them too)."""
    screen = program.session.screenshot()
    return (harness.cover_shown(program, screen) and not logo_shown(program, screen)
            and not signature_shown(program, screen))
