"""The running countdown.exe as a user meets it: started under Wine, watched through the
probe, driven with real X input (xdotool), looked at in screenshots."""

import subprocess
import time

from harness import Failure, expect, log, rect_of, text_of, wait_for

LINK_ADDRESS = "https://forum.quillmere.example/"
LISTS = ("组合框1", "组合框2", "组合框3")  # hours, minutes, seconds
DIGITS = ("透明标签1", "透明标签2", "透明标签3")


class App:
    def __init__(self, session, env=None, program_env=None, stderr_path=None):
        """env: the probe's (and by default the program's) environment; program_env: the
        program's own, for a relay trace or a stand-in on its PATH."""
        self.session = session
        self.env = env or session.env
        self.probe = session.start_probe(self.env)
        # The probe is up before the program starts, so that it sees the first moment the
        # window is visible.
        stale = self.probe.ask("main", timeout=30)
        expect(stale["hwnd"] == "0",
               "a countdown window of another run is still open in this Wine prefix")
        self.started = time.monotonic()
        self.process = session.start_program(program_env or self.env, stderr_path)
        self.first_visible = self.probe.ask("first-visible 20000", timeout=30)
        self.visible_after = time.monotonic() - self.started
        self.main = self.probe.ask("main")
        self.xid = int(self.main["xid"], 16)
        expect(self.xid != 0, "Wine gave the main window no X window")

    # --- looking --------------------------------------------------------------------

    def control(self, name):
        return self.probe.ask(f"get {name}")

    def caption(self, name):
        return text_of(self.control(name)["text"])

    def digits(self):
        """The three captions, read until two passes agree: a tick handled between the
        reads of one pass would give a mix of two displays."""
        last = None
        for _ in range(5):
            now = tuple(self.caption(name) for name in DIGITS)
            if now == last:
                break
            last = now
        return now

    def rect(self, name):
        return rect_of(self.control(name)["rect"])

    def window_rect(self):
        return rect_of(self.probe.ask("main")["rect"])

    def selection(self, name):
        return int(self.control(name)["cursel"])

    def item(self, name, index):
        return text_of(self.probe.ask(f"item {name} {index}")["text"])

    def ping(self):
        """The window answers a message within the probe's 2 s (no hang)."""
        answer = self.probe.ask("ping", timeout=10, allow_error=True)
        expect("err" not in answer,
               f"the window did not answer a message within 2 s ({answer.get('err')})")

    def pixels(self, left, top, width, height):
        """Screen pixels as rows of (r, g, b)."""
        raw = self.session.x_tool("import", "-window", "root", "-crop",
                                  f"{width}x{height}+{left}+{top}", "-depth", "8", "rgb:-")
        expect(len(raw) == width * height * 3,
               f"a screenshot of {width}x{height} gave {len(raw)} bytes")
        return [[tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                for y in range(height)]

    # --- acting -------------------------------------------------------------------------

    @staticmethod
    def move_to(x, y):
        """xdotool arguments that put the pointer at (x, y) and wait until it is there.
        `mousemove --sync` to the place the pointer already has waits forever: step one
        pixel aside first."""
        return ["mousemove", str(x + 1), str(y), "mousemove", "--sync", str(x), str(y)]

    def click_at(self, x, y, repeat=1, delay_ms=80):
        args = ["xdotool", *self.move_to(x, y), "click"]
        if repeat > 1:
            args += ["--repeat", str(repeat), "--delay", str(delay_ms)]
        self.session.x_tool(*args, "1")

    def click(self, name, dx=None, dy=None):
        """A click at the centre of the control, or at (dx, dy) inside it."""
        left, top, right, bottom = self.rect(name)
        x = left + (dx if dx is not None else (right - left) // 2)
        y = top + (dy if dy is not None else (bottom - top) // 2)
        self.click_at(x, y)

    def keys(self, *keys):
        """Keys need the X focus on the window: without a window manager a bare
        `xdotool key` is not delivered."""
        self.session.x_tool("xdotool", "windowfocus", "--sync", str(self.xid), "key",
                            "--delay", "40", *keys)

    def type(self, text, delay_ms=30):
        self.session.x_tool("xdotool", "windowfocus", "--sync", str(self.xid), "type",
                            "--delay", str(delay_ms), "--", text, timeout=60)

    def drag(self, x, y, dx, dy, steps=4):
        """Press at (x, y), move by (dx, dy) in steps, release: real X input."""
        args = ["xdotool", *self.move_to(x, y), "mousedown", "1", "sleep", "0.1"]
        for step in range(1, steps + 1):
            args += ["mousemove", "--sync", str(x + dx * step // steps),
                     str(y + dy * step // steps), "sleep", "0.05"]
        args += ["sleep", "0.15", "mouseup", "1"]
        self.session.x_tool(*args)

    def pick(self, name, index):
        """Picks item `index` with the mouse: the arrow of the box, then the item in the
        opened list. The selection must really change."""
        left, top, right, bottom = self.rect(name)
        self.click_at(right - 8, (top + bottom) // 2)
        wait_for(lambda: self.control(name)["dropped"] == "1", 5, f"opened list of {name}")
        item = rect_of(self.probe.ask(f"listitem {index}")["item"])
        self.click_at((item[0] + item[2]) // 2, (item[1] + item[3]) // 2)
        wait_for(lambda: self.control(name)["dropped"] == "0", 5, f"closed list of {name}")
        seen = self.selection(name)
        expect(seen == index, f"picking item {index} of {name} with the mouse left the "
                              f"selection at {seen}")

    def select(self, name, index):
        """Sets a selection from outside (set-up, not the behaviour under test)."""
        self.probe.ask(f"send {name} CB_SETCURSEL {index} 0")

    def set_check(self, name, checked):
        """Clicks the check box until it shows the wanted state (real input)."""
        if (self.control(name)["check"] == "1") != checked:
            self.click(name)
        wait_for(lambda: (self.control(name)["check"] == "1") == checked, 3,
                 f"{name} {'checked' if checked else 'unchecked'}")

    # --- the count ----------------------------------------------------------------------

    def start_count(self):
        """Clicks "开始" and returns the time of the click."""
        self.click("按钮1")
        return time.monotonic()

    def wait_digits(self, wanted, timeout, what):
        return wait_for(lambda: self.digits() == wanted, timeout, f"{what}: digits {wanted}",
                        interval=0.03)

    def watch_digits(self, seconds, last=None):
        """Every change of the three digit captions within `seconds`, with its time,
        counted from the display `last` (by default the one read first)."""
        changes = []
        last = last or self.digits()
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            now = self.digits()
            if now != last:
                changes.append((time.monotonic(), now))
                last = now
            time.sleep(0.03)
        return changes

    # --- the end ------------------------------------------------------------------------

    def wait_exit(self, timeout, what):
        """The exit code of the program's Wine process; fails if it is still running."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program was still running {timeout} s after {what}")

    def running(self):
        return self.process.poll() is None

    def close(self):
        """Ends a run that the case leaves open: WM_CLOSE, then the process group."""
        if self.running() and self.probe.alive():
            self.probe.ask("post MainWindow WM_CLOSE 0 0", allow_error=True)
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                log("the program did not end on WM_CLOSE; ending its process")
        self.session.end(self.process)
        if self.probe.alive():
            try:
                self.probe.process.stdin.write(b"quit\n")
                self.probe.process.stdin.flush()
            except OSError:
                pass
        self.session.end(self.probe.process)
