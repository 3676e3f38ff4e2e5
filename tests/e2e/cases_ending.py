"""The ways the program ends, and the forced power-off at the end of a count."""

import os
import time

from countdown_app import App
from harness import Failure, expect, log, wait_for

# --- endings ------------------------------------------------------------------------------


def focus_of(app):
    main = app.probe.ask("main")
    return main.get("focus"), main.get("focusclass", "").lower()


def esc_window_focused(app):
    expect(focus_of(app)[0] == "MainWindow", f"the focus starts in {focus_of(app)}")
    app.keys("Escape")


def esc_in_list_edit(app):
    left, top, right, bottom = app.rect("组合框2")
    app.click_at(left + 10, (top + bottom) // 2)
    wait_for(lambda: focus_of(app) == ("组合框2", "edit"), 3, "focus in 组合框2's edit field")
    app.session.x_tool("xdotool", "windowfocus", "--sync", str(app.xid))
    expect(focus_of(app) == ("组合框2", "edit"),
           f"giving the window the X focus moved the focus to {focus_of(app)}")
    app.keys("Escape")


def esc_counting_power_off(app):
    app.set_check("选择框2", True)
    app.select("组合框3", 3)
    app.start_count()
    app.wait_digits(("0", "0", "3"), 2.5, "the first tick")
    app.keys("Escape")


def alt_f4(app):
    app.keys("alt+F4")


def wm_close(app):
    app.probe.ask("post MainWindow WM_CLOSE 0 0")


def exit_label(app):
    app.click("透明标签4")


def exit_label_beside_glyphs(app):
    # "退出" is drawn from the left edge; its right part is empty label area.
    left, top, right, bottom = app.rect("透明标签4")
    x, y = right - 3, bottom - 3
    hit = app.probe.ask(f"hit {x} {y}")["name"]
    expect(hit == "透明标签4", f"({x}, {y}) lies on {hit}, not on 透明标签4")
    app.click_at(x, y)


# (what, action, seconds the program may take to end after the action). Closing the window
# takes 2 s under Wine here: without a window manager its X11 driver waits that long for
# the hidden window's withdrawn state. The exit label ends the process at once.
ENDINGS = [
    ("Esc with the window focused", esc_window_focused, 5),
    ("Esc with the focus in 组合框2's edit field", esc_in_list_edit, 5),
    ("Esc during a count with 是否关机 checked", esc_counting_power_off, 5),
    ("Alt+F4", alt_f4, 5),
    ("WM_CLOSE posted from outside", wm_close, 5),
    ("a click on 退出", exit_label, 2),
    ("a click on 退出 beside its glyphs", exit_label_beside_glyphs, 2),
]


def endings(session):
    problems = []
    for what, action, limit in ENDINGS:
        app = App(session)
        try:
            action(app)
            acted = time.monotonic()
            code = app.wait_exit(limit, what)
            log(f"{what}: exit code {code} after {time.monotonic() - acted:.2f} s")
            expect(code == 0, f"exit code {code}, not 0")
            # A shut-down would have ended every process of the prefix, the probe too.
            time.sleep(0.3)
            expect(app.probe.alive(), "the probe ended with the program: a shut-down ran")
        except Failure as failure:
            problems.append(f"{what}: {failure}")
        finally:
            app.close()

    app = App(session)
    try:
        answer = app.probe.ask("send MainWindow WM_QUERYENDSESSION 0 0")["result"]
        log(f"WM_QUERYENDSESSION answered {answer}")
        expect(answer == "1", f"WM_QUERYENDSESSION was answered {answer}, not 1")
        time.sleep(0.5)
        expect(app.running(), "the program ended on WM_QUERYENDSESSION")
        app.ping()
    except Failure as failure:
        problems.append(f"WM_QUERYENDSESSION: {failure}")
    finally:
        app.close()
    expect(not problems, "; ".join(problems))


# --- power-off ----------------------------------------------------------------------------

PRIVILEGE_CALLS = ("OpenProcessToken", "LookupPrivilegeValueA", "AdjustTokenPrivileges")
SHUTDOWN_CALL = "ExitWindowsEx"
POWER_OFF_LINE = "ExitWindowsEx(0000000c,00000000)"


def relay_calls(path, names):
    """The relay trace's `Call` lines of the named functions, in order."""
    with open(path, "rb") as trace:
        lines = trace.read().decode("utf-8", "replace").splitlines()
    return [line for line in lines if ":Call " in line and any(
        f".{name}(" in line for name in names)]


def relay_returns(path, name):
    with open(path, "rb") as trace:
        lines = trace.read().decode("utf-8", "replace").splitlines()
    return [line for line in lines if ":Ret " in line and f".{name}(" in line]


class PowerOffRun:
    """One run of the program in the private prefix with its relay trace."""

    def __init__(self, session, env, name):
        self.trace = os.path.join(session.temp, f"relay-{name}.txt")
        relay_env = dict(env, WINEDEBUG="-all,+relay")
        self.app = App(session, env=env, program_env=relay_env, stderr_path=self.trace)

    def count(self, seconds, power_off):
        self.app.set_check("选择框2", power_off)
        self.app.select("组合框3", seconds)
        return self.app.start_count()

    def calls(self):
        return relay_calls(self.trace, PRIVILEGE_CALLS + (SHUTDOWN_CALL,))


def no_shut_down(run, what):
    calls = run.calls()
    expect(not calls, f"{what}: the program made shut-down calls: {calls}")


def power_off(session):
    env = session.private_prefix(PRIVILEGE_CALLS + (SHUTDOWN_CALL,))

    # Unchecked: the count ends, nothing is asked of the system, the program stays.
    run = PowerOffRun(session, env, "unchecked")
    run.count(1, False)
    run.app.wait_digits(("0", "0", "1"), 2.5, "the first tick")
    run.app.wait_digits(("0", "0", "0"), 2.5, "the finishing tick")
    time.sleep(2)
    expect(run.app.running(), "with 是否关机 unchecked the program ended after the count")
    run.app.ping()
    no_shut_down(run, "a finished count with 是否关机 unchecked")
    run.app.keys("Escape")
    expect(run.app.wait_exit(5, "Esc") == 0, "Esc after the count: exit code not 0")
    no_shut_down(run, "Esc after a finished count")
    run.app.close()

    # Checked, but the count is cut short: Esc and 退出 make no shut-down call.
    for what, end in (("Esc", lambda app: app.keys("Escape")),
                      ("退出", lambda app: app.click("透明标签4"))):
        run = PowerOffRun(session, env, what.encode().hex())
        run.count(3, True)
        run.app.wait_digits(("0", "0", "3"), 2.5, "the first tick")
        end(run.app)
        code = run.app.wait_exit(5, what)
        expect(code == 0, f"{what} during a count with 是否关机 checked: exit code {code}")
        no_shut_down(run, f"{what} during a count with 是否关机 checked")
        run.app.close()

    # Checked, and the count runs out: privilege, then a forced power-off, then exit 0.
    run = PowerOffRun(session, env, "checked")
    run.count(1, True)
    run.app.wait_digits(("0", "0", "1"), 2.5, "the first tick")
    code = run.app.wait_exit(5, "the finishing tick with 是否关机 checked")
    calls = run.calls()
    log("relay trace of the finishing tick:\n  " + "\n  ".join(calls))
    expect(code == 0, f"the program ended with exit code {code} after the power-off request")
    names = [next(n for n in PRIVILEGE_CALLS + (SHUTDOWN_CALL,) if f".{n}(" in line)
             for line in calls]
    expect(names == list(PRIVILEGE_CALLS) + [SHUTDOWN_CALL],
           f"the calls were {names}, not the privilege steps and then one {SHUTDOWN_CALL}")
    expect("00000028" in calls[0], f"OpenProcessToken did not ask for 0x28: {calls[0]}")
    expect('"SeShutdownPrivilege"' in calls[1],
           f"the privilege looked up was not SeShutdownPrivilege: {calls[1]}")
    expect(",00000000," in calls[2], f"AdjustTokenPrivileges disabled all privileges: {calls[2]}")
    expect(POWER_OFF_LINE in calls[-1], f"the shut-down call was {calls[-1]}, not "
                                        f"{POWER_OFF_LINE} (power-off and force)")
    returned = relay_returns(run.trace, SHUTDOWN_CALL)
    log(f"{SHUTDOWN_CALL} returned to the program: {returned or 'no (ended by the shut-down)'}")
    # Wine's answer to the request ends every process of the prefix: the probe too.
    wait_for(lambda: not run.app.probe.alive(), 10, "end of the prefix's other processes")
