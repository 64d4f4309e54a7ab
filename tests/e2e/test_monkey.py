"""A seeded monkey: random real input to the real program in a real X server.

Pointer moves, clicks and double-clicks, drags, right clicks, wheel turns and keys go through
XTEST to random points of the window's client area (never the title bar, and never Esc, which
would close the window). When the agreement question is open, the monkey answers it by keys:
mostly "否" (Tab, space) or Esc, now and then "是" (Return), after which the program must end with
status 0 and is started again.

The run fails on any other end of the program, on a hang (the program does not answer a
_NET_WM_PING within 5 s after an event: its event loop has stopped), on a sanitizer report, and
when a program's resident memory grows by more than 1 MB from its 500th event to its last. At the
end the program must still work: a new batch fills the grid and Esc ends it with status 0.

Usage: test_monkey.py PROGRAM [--events N]   (or FOKARIUM_MONKEY_EVENTS; seed: FOKARIUM_MONKEY_SEED)
"""

import collections
import os
import random
import re
import sys
import time

import harness
from harness import QUESTION_NAME, SCREEN_TIMEOUT, ProgramTestCase, wait_for

EVENTS = int(os.environ.get("FOKARIUM_MONKEY_EVENTS", "2000"))
SEED = int(os.environ.get("FOKARIUM_MONKEY_SEED", "20261211"))
HANG_BOUND = 5.0
RSS_FROM_EVENT = 500
RSS_GROWTH_LIMIT_KB = 1024
SANITIZER_REPORT = re.compile(r"(Address|Leak|UndefinedBehavior|Thread)Sanitizer|runtime error:")
KEYS = ([chr(c) for c in range(ord("a"), ord("z") + 1)] + [str(d) for d in range(10)]
        + ["Tab", "space", "Return", "Left", "Right", "Up", "Down"])


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise ValueError("no VmRSS")


def measures_memory(binary):
    """Whether the program's resident memory is its own. Under AddressSanitizer it is not: the
    quarantine of freed blocks (256 MB) and the stack traces of new allocation sites grow as the
    monkey reaches new code (seen: 2 MB over 1,500 events even with no quarantine). There the
    leak check at the program's end, which fails its exit status, stands in for this bound."""
    with open(binary, "rb") as program:
        return b"__asan_init" not in program.read()


class Life:
    """One run of the program, from its start to its end."""

    def __init__(self, program):
        self.program = program
        self.events = 0
        self.rss_at_mark = None
        self.rss_last = None

    def count_event(self):
        self.events += 1
        self.rss_last = resident_kb(self.program.pid)
        if self.events == RSS_FROM_EVENT:
            self.rss_at_mark = self.rss_last


class MonkeyTest(ProgramTestCase):
    def setUp(self):
        self.session.client  # watches for new windows from before the first start
        self.rng = random.Random(SEED)
        self.log = collections.deque(maxlen=30)  # the last events, for a failure's message
        self.lives = []
        self.answers = collections.Counter()

    def fail_with_log(self, message):
        self.fail(f"{message}\nseed {SEED}, last events:\n" + "\n".join(self.log))

    def new_life(self):
        life = Life(self.start())
        self.lives.append(life)
        return life

    def end_life(self, life):
        """Checks what a finished (or finishing) program left: its stderr and its memory."""
        report = SANITIZER_REPORT.search(life.program.stderr())
        if report:
            self.fail_with_log(f"a sanitizer report:\n{life.program.stderr()[-4000:]}")
        if life.rss_at_mark is not None and measures_memory(self.binary):
            growth = life.rss_last - life.rss_at_mark
            self.assertLessEqual(growth, RSS_GROWTH_LIMIT_KB,
                                 f"resident memory grew from {life.rss_at_mark} kB at event "
                                 f"{RSS_FROM_EVENT} to {life.rss_last} kB at event {life.events}")

    # Random input ------------------------------------------------------------------------------

    def point(self, program):
        client = program.client
        return (client.left + self.rng.randrange(client.width),
                client.top + self.rng.randrange(client.height))

    def random_event(self, program):
        rng, client = self.rng, program.session.client
        kind = rng.choices(("move", "click", "double", "drag", "right", "wheel", "key"),
                           weights=(3, 3, 1, 1, 1, 1, 3))[0]
        if kind == "key":
            key = rng.choice(KEYS)
            # A key goes where the X focus is: only to the main window (with whatever popup of
            # the program has grabbed the keyboard), never to a question that has just opened.
            if client.focus() != program.window:
                self.log.append("key skipped: the main window has no focus")
                return
            self.log.append(f"key {key}")
            client.key(key)
            return
        x, y = self.point(program)
        self.log.append(f"{kind} at {x - program.client.left},{y - program.client.top}")
        if kind == "move":
            client.move(x, y)
        elif kind in ("click", "double", "right"):
            button = 3 if kind == "right" else 1
            steps = [("move", x, y)] + [("press", button), ("release", button)] * (
                2 if kind == "double" else 1)
            client.buttons(*steps)
        elif kind == "drag":
            to_x, to_y = self.point(program)
            path = [("move", x + (to_x - x) * i // 5, y + (to_y - y) * i // 5)
                    for i in range(1, 6)]
            client.buttons(("move", x, y), ("press", 1), *path, ("release", 1))
        else:
            button = rng.choice((4, 5))
            client.buttons(("move", x, y), *[("press", button), ("release", button)]
                           * rng.randint(1, 3))

    # The question ------------------------------------------------------------------------------

    def open_question(self, program):
        found = program.session.client.new_windows_named(QUESTION_NAME)
        return found[0] if found else None

    def answer(self, life, question):
        """Answers by keys; returns whether the answer was "是" (the program has then ended)."""
        program = life.program
        client = program.session.client
        # Keys reach the question once it has the X focus and the program has taken it in
        # (answered pings sent after the focus moved).
        try:
            wait_for(lambda: client.focus() == question, SCREEN_TIMEOUT, "the question's focus")
        except TimeoutError as error:
            self.fail_with_log(str(error))
        self.check_alive(life)
        roll = self.rng.random()
        keys = ["Return"] if roll < 0.25 else ["Escape"] if roll < 0.6 else ["Tab", "space"]
        self.log.append(f"answer {'+'.join(keys)}")
        self.answers["+".join(keys)] += 1
        client.key(*keys)
        if keys == ["Return"]:
            try:
                status = program.wait_exit()
            except TimeoutError:
                self.fail_with_log("the program runs on after the answer 是")
            if status != 0:
                self.fail_with_log(f"the answer 是 ended the program with status {status}")
            return True
        try:
            wait_for(lambda: not self.open_question(program), SCREEN_TIMEOUT,
                     "the question to close")
        except TimeoutError as error:
            self.fail_with_log(f"{error}; the program runs: {program.running()}")
        return False

    def check_alive(self, life):
        program = life.program
        # Two pings: the first may be answered before the program has handled the event.
        if all(program.answers(HANG_BOUND) for _ in range(2)):
            return
        if not program.running():
            self.fail_with_log(f"the program ended with status {program.wait_exit()}:\n"
                               f"{program.stderr()[-4000:]}")
        self.fail_with_log(f"the program did not answer for {HANG_BOUND:.0f} s")

    # The run -----------------------------------------------------------------------------------

    def still_works(self, life):
        """Closes what the monkey left open, then a batch must fill the grid and Esc end it."""
        program = life.program
        session = program.session
        question = self.open_question(program)
        if question:
            session.client.key("Escape")
            self.wait(lambda: not self.open_question(program), SCREEN_TIMEOUT,
                      "the question to close")
        # A popup (the size list, a context menu) has the keyboard: Esc closes only it.
        main = program.window
        while [w for w in session.find_windows(classname="fokarium") if w != main]:
            session.client.key("Escape")
            self.wait(lambda: not [w for w in session.find_windows(classname="fokarium")
                                   if w != main], SCREEN_TIMEOUT, "the popup to close")
        if harness.cover_shown(program):
            harness.enter(program)
        # A click in the first cell (the top-left one at every size) takes the focus off the size
        # selector, whose field then shows its item plainly; the read polls past any repaint.
        program.click_on(harness.cell_rect(6, 1))
        shown = self.wait(lambda: (lambda text: text if text in harness.SIZE_ITEMS else None)(
            harness.size_shown(program)), SCREEN_TIMEOUT, "the size selector's item on screen")
        harness.press_batch_button(program, int(shown[0]))
        session.client.key("Escape")
        self.assertExitsWith(program, 0)
        self.end_life(life)

    def test_random_real_input_from_a_fixed_seed(self):
        began = time.monotonic()
        life = self.new_life()
        for number in range(1, EVENTS + 1):
            question = self.open_question(life.program)
            if question:
                life.count_event()
                if self.answer(life, question):
                    self.end_life(life)
                    life = self.new_life()
                    continue
            else:
                self.random_event(life.program)
                life.count_event()
            self.check_alive(life)
        self.still_works(life)
        print(f"\nmonkey: {EVENTS} events from seed {SEED} in {time.monotonic() - began:.0f} s, "
              f"{len(self.lives) - 1} restarts after 是; answers {dict(self.answers)}",
              file=sys.stderr)
        if not measures_memory(self.binary):
            print("  (an AddressSanitizer build: its memory is not bounded here)", file=sys.stderr)
        for index, done in enumerate(self.lives, 1):
            print(f"  program {index}: {done.events} events, resident memory "
                  f"{done.rss_at_mark} kB at event {RSS_FROM_EVENT}, {done.rss_last} kB at "
                  f"its last", file=sys.stderr)


if __name__ == "__main__":
    if "--events" in sys.argv:
        at = sys.argv.index("--events")
        EVENTS = int(sys.argv[at + 1])
        del sys.argv[at:at + 2]
    harness.main()
