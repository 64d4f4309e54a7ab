"""Reads the grid out of the running program through the accessibility tree (AT-SPI), as a screen
reader would. The session starts a bus of its own.

Usage: test_accessibility_tree.py PROGRAM (or $FOKARIUM_PROGRAM)"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import START_TIMEOUT, wait_for  # noqa: E402


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def showing(node):
    import pyatspi
    return node.getState().contains(pyatspi.STATE_SHOWING)


def press(node, action_name="Press"):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if action_name not in names:
        raise AssertionError(f"{node.name!r} offers no {action_name} action, only {names}")
    action.doAction(names.index(action_name))


class AccessibilityTree(unittest.TestCase):
    # One program for all tests, which run in name order along the user's road: the start
    # state, the countdown, then entering and a new batch.
    @classmethod
    def setUpClass(cls):
        cls.session = harness.XSession(window_manager=False, accessibility=True)
        cls.addClassCleanup(cls.session.close)
        # This process reads the tree: it joins the session's bus before pyatspi connects.
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            os.environ[name] = cls.session.environment()[name]
        import pyatspi
        cls.pyatspi = pyatspi
        cls.program = cls.session.start_program(
            harness.ProgramTestCase.binary,
            {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
        cls.app = wait_for(cls.find_application, START_TIMEOUT, "the program on the AT-SPI bus")
        cls.frame = wait_for(lambda: cls.app.childCount and cls.app.getChildAtIndex(0),
                             START_TIMEOUT, "the program's window in the tree")
        cls.first_count = wait_for(cls.countdown_number, START_TIMEOUT, "the countdown's name")

    @classmethod
    def countdown_number(cls):
        """The number in the countdown's name ("倒计时 9"), or None."""
        for node in descendants(cls.frame):
            if node.name.startswith("倒计时 ") and node.name[4:].isdigit():
                return int(node.name[4:])
        return None

    @classmethod
    def find_application(cls):
        desktop = cls.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "fokarium":
                return app
        return None

    def nodes(self):
        return list(descendants(self.frame))

    def node(self, name, role=None):
        found = [n for n in self.nodes()
                 if n.name == name and (role is None or n.getRoleName() == role)]
        self.assertEqual(len(found), 1, f"one node named {name!r} with role {role}")
        return found[0]

    def cells(self):
        return [n for n in self.nodes() if n.getRoleName() == "text"]

    def grid_read_out(self):
        """The shown cells' numbers, row by row, placed by the row and column each cell names."""
        grid = {}
        for cell in self.cells():
            if not showing(cell):
                continue
            place = cell.name.removeprefix("第").removesuffix("列").split("行第")
            row, column = (int(p) for p in place)
            grid[(row, column)] = cell.queryText().getText(0, -1)
        size = max(row for row, _ in grid) if grid else 0
        return [[grid.get((r, c), "") for c in range(1, size + 1)] for r in range(1, size + 1)]

    def test_a_every_control_is_named_in_its_role(self):
        expected = {
            ("注意力训练", "panel"), ("封面", "panel"), ("前言", "label"), ("签名 By: Varnholt", "label"),
            ("标志", "image"), ("点击进入", "push button"), ("已阅读并同意", "check box"),
            ("3x3", "combo box"), ("方格大小", "list"), ("换一批", "push button"),
            ("封面底板", "label"),
        }
        seen = {(n.name, n.getRoleName()) for n in self.nodes()}
        self.assertLessEqual(expected, seen)
        # Qt names a drop-down list by its current item; its description says what it picks.
        self.assertEqual(self.node("3x3", "combo box").description, "方格大小")
        preface = [n for n in self.nodes() if n.name.startswith("少儿成长；专注教育\n")]
        self.assertEqual([n.getRoleName() for n in preface], ["label"])
        countdown = [n for n in self.nodes() if n.name.startswith("倒计时")]
        self.assertEqual(len(countdown), 1)
        self.assertEqual(countdown[0].getRoleName(), "label")
        nameless = [n.getRoleName() for n in self.nodes() if not n.name]
        self.assertEqual(nameless, [], "nodes without a name")

    def test_b_only_the_grid_in_use_is_showing(self):
        cells = self.cells()
        self.assertEqual(len(cells), 36)
        shown = sorted(c.name for c in cells if showing(c))
        self.assertEqual(shown, sorted(f"第{r}行第{c}列" for r in (1, 2, 3) for c in (1, 2, 3)))
        self.assertTrue(showing(self.node("封面", "panel")))

    def test_c_the_countdown_tells_its_number(self):
        # The number first read out is whatever the count had reached by then; it goes down.
        self.assertLessEqual(self.first_count, 10)
        self.assertGreater(self.first_count, 0, "the count had ended before the tree was read")
        wait_for(lambda: (self.countdown_number() or self.first_count) < self.first_count,
                 START_TIMEOUT, f"the countdown to go down from {self.first_count}")

    def test_d_after_the_cover_a_new_batch_reads_out(self):
        press(self.node("点击进入", "push button"))
        cover = self.node("封面", "panel")
        wait_for(lambda: not showing(cover), START_TIMEOUT, "the cover to go")
        self.assertEqual(self.grid_read_out(), [[""] * 3] * 3)
        press(self.node("换一批", "push button"))
        wait_for(lambda: all(all(row) for row in self.grid_read_out()), START_TIMEOUT,
                 "the cells to be filled")
        self.assertEqual(self.grid_read_out(),
                         [["6", "9", "8"], ["5", "2", "4"], ["1", "3", "7"]])
        self.assertTrue(self.program.running(), "the program is still running")


if __name__ == "__main__":
    harness.main()
