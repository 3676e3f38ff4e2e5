"""Input the program does not expect in its drop-down boxes, and the web link."""

import os
import re
import stat
import time

from countdown_app import App, LINK_ADDRESS, LISTS
from harness import Failure, expect, log, text_of, wait_for

# --- bad input ----------------------------------------------------------------------------

# Each case starts from the picks 1, 2, 3, so that the first tick always shows a change.
START_PICKS = (1, 2, 3)


def typed(app, name, text):
    """Real typing: into the box's edit field, its old text selected, then the keys."""
    left, top, right, bottom = app.rect(name)
    app.click_at(left + 10, (top + bottom) // 2)
    wait_for(lambda: app.probe.ask("main").get("focus") == name, 3, f"focus in {name}")
    app.keys("End", "shift+Home")
    app.type(text)


def set_text(app, name, text):
    """WM_SETTEXT to the box from outside, the text in GBK as the program's code page has."""
    app.probe.ask(f"settext {name} {text.encode('utf-8').hex()}", timeout=20)


def typed_into_open_list(app, name, text):
    """Typing while the list is open lets the list follow the text; Enter closes it."""
    left, top, right, bottom = app.rect(name)
    app.click_at(right - 8, (top + bottom) // 2)
    wait_for(lambda: app.control(name)["dropped"] == "1", 3, f"opened list of {name}")
    app.type(text)
    app.keys("Return")
    wait_for(lambda: app.control(name)["dropped"] == "0", 3, f"closed list of {name}")


LONG_TEXT = "1234567890" * 1000

# (what, box, how the text gets there, the text, index the selection must then be: None
# when the text matches no item, so the selection may only stay or be dropped)
BAD_INPUT = [
    ("letters typed", "组合框3", typed, "abc", None),
    ("'-5' typed", "组合框2", typed, "-5", None),
    ("'99999999999' typed", "组合框1", typed, "99999999999", None),
    ("full-width digits set", "组合框2", set_text, "１２", None),
    ("10,000 characters set", "组合框1", set_text, LONG_TEXT, None),
    ("the field emptied", "组合框3", set_text, "", None),
    ("'7' typed into the open list", "组合框3", typed_into_open_list, "7", 7),
]


def expected_digits(app):
    """What the first tick must show: the values of the selected items (none gives 0)."""
    values = []
    for name in LISTS:
        index = app.selection(name)
        values.append(int(app.item(name, index)) if index >= 0 else 0)
    total = values[0] * 3600 + values[1] * 60 + values[2]
    return values, (str(total // 3600), str(total % 3600 // 60), str(total % 60))


def bad_input(session):
    app = App(session)
    problems = []
    for what, name, enter, text, matched in BAD_INPUT:
        try:
            for box, index in zip(LISTS, START_PICKS):
                app.select(box, index)
            before = app.selection(name)
            enter(app, name, text)
            app.ping()
            shown = text_of(app.probe.ask(f"edit {name}", timeout=20)["text"])
            expect(shown == text, f"the edit field of {name} shows {shown[:40]!r} "
                                  f"({len(shown)} characters), not the input")
            after = app.selection(name)
            values, digits = expected_digits(app)
            log(f"{what}: {name} selection {before} -> {after}, picks {values}")
            if matched is None:
                expect(after in (before, -1),
                       f"text that matches no item moved the selection to {after}")
            else:
                expect(after == matched, f"the selection is {after}, not {matched}")
            app.start_count()
            app.wait_digits(digits, 2.5, "the first tick")
            app.ping()
            app.click("按钮2")
            app.wait_digits(("0", "0", "0"), 1.5, "结束")
        except Failure as failure:
            problems.append(f"{what}: {failure}")
    expect(app.running(), "the program has ended")
    app.ping()
    expect(not problems, "; ".join(problems))


# --- the web link -------------------------------------------------------------------------


def stand_in_opener(folder, log_path):
    """An xdg-open that records its arguments, one line per call, and opens nothing."""
    os.makedirs(folder)
    script = os.path.join(folder, "xdg-open")
    with open(script, "w") as out:
        out.write(f"#!/bin/sh\nprintf '%s\\n' \"$#:$*\" >> '{log_path}'\n")
    os.chmod(script, os.stat(script).st_mode | stat.S_IEXEC)


def opened(log_path):
    if not os.path.exists(log_path):
        return []
    with open(log_path) as recorded:
        return recorded.read().splitlines()


def web_link(session):
    env = session.private_prefix(("ShellExecuteA",))
    folder = os.path.join(session.temp, "bin")
    log_path = os.path.join(session.temp, "xdg-open.log")
    stand_in_opener(folder, log_path)
    trace = os.path.join(session.temp, "relay-link.txt")
    program_env = dict(env, WINEDEBUG="-all,+relay", PATH=folder + os.pathsep + env["PATH"])
    app = App(session, env=env, program_env=program_env, stderr_path=trace)

    left, top, right, bottom = app.rect("透明标签5")
    x, y = (left + right) // 2, (top + bottom) // 2
    hit = app.probe.ask(f"hit {x} {y}")["name"]
    expect(hit == "透明标签5", f"({x}, {y}) lies on {hit}, not on the link")

    clicked = time.monotonic()
    app.click_at(x, y)
    wait_for(lambda: opened(log_path), 15, "hand-off to xdg-open after one click")
    log(f"one click: xdg-open called {time.monotonic() - clicked:.2f} s later")
    time.sleep(2)
    calls = opened(log_path)
    expect(calls == [f"1:{LINK_ADDRESS}"], f"one click gave the opener {calls}, not once "
                                           f"{LINK_ADDRESS}")

    app.click_at(x, y, repeat=2)
    wait_for(lambda: len(opened(log_path)) >= 2, 15, "hand-off after the double click")
    time.sleep(3)
    calls = opened(log_path)
    expect(calls == [f"1:{LINK_ADDRESS}"] * 2,
           f"a click and then a double click gave the opener {calls}: the double click must "
           f"open the page once")
    expect(app.running(), "the program ended after the link was opened")
    app.ping()

    app.keys("Escape")
    expect(app.wait_exit(5, "Esc") == 0, "Esc after the link: exit code not 0")
    with open(trace, "rb") as relay:
        lines = relay.read().decode("utf-8", "replace").splitlines()
    shell = [line for line in lines if ":Call shell32.ShellExecuteA(" in line]
    log("relay: " + "\n  ".join(shell))
    wanted = re.compile(r'ShellExecuteA\(0+,[0-9a-f]+ "open",[0-9a-f]+ "' +
                        re.escape(LINK_ADDRESS) + r'",0+,0+,0*1\)')
    expect(len(shell) == 2, f"ShellExecuteA was called {len(shell)} times, not twice")
    for line in shell:
        expect(wanted.search(line), f"ShellExecuteA was not called with no owner, \"open\", "
                                    f"the address and SW_SHOWNORMAL: {line}")
