"""The credit line: a click opens the forum page once, and so does a double click."""

import os
import re
import stat
import time

from countdown_app import App, LINK_ADDRESS
from harness import expect, log, wait_for


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
