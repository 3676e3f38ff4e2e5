"""The longest count there is, its ticks posted as fast as the program takes them: every
display along the way, and what the process holds, from the first thousand ticks on.

COUNTDOWN_SOAK_TICKS sets how many counting ticks run from 23:59:59 (3000 unless set);
"full" runs all 86,399 of them and the finishing tick."""

import os
import time

from countdown_app import App, LISTS
from harness import Failure, expect, log

LONGEST = 23 * 3600 + 59 * 60 + 59  # 86399: the count that 23, 59, 59 picks give
BASELINE_TICKS = 1000  # what the process holds once every path of a tick has run
CHUNK = 1000  # ticks per probe command, a usage sample after each
# What the end may hold above the baseline: GDI objects none, handles two, memory 1 MiB.
ALLOWANCE = {"gdi": 0, "handles": 2, "workingset": 1 << 20, "anon": 1 << 20}


def soak_length():
    """Counting ticks to run and whether the finishing tick follows."""
    value = os.environ.get("COUNTDOWN_SOAK_TICKS", "3000").strip()
    if value == "full":
        return LONGEST, True
    try:
        ticks = int(value)
    except ValueError:
        ticks = 0
    if not BASELINE_TICKS <= ticks <= LONGEST:
        raise Failure(f"COUNTDOWN_SOAK_TICKS is {value!r}: 'full' or a number of ticks from "
                      f"{BASELINE_TICKS} to {LONGEST}")
    return ticks, False


def anon_bytes(process):
    """Anonymous resident memory of the program's Linux process (the private bytes: Wine
    answers 0 for another process's PrivateUsage). It is the one process of the run's
    process group that Wine runs countdown.exe in."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as stat:
                group = int(stat.read().rsplit(")", 1)[1].split()[2])
            with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                first = cmdline.read().split(b"\0")[0]
            if group != process.pid or not first.lower().endswith(b"countdown.exe"):
                continue
            with open(f"/proc/{pid}/status") as status:
                for line in status:
                    if line.startswith("RssAnon:"):
                        return int(line.split()[1]) * 1024
        except (OSError, ValueError, IndexError):
            continue
    raise Failure("the Linux process of countdown.exe was not found")


def usage(app):
    answer = app.probe.ask("usage")
    sample = {key: int(answer[key]) for key in ("gdi", "handles", "workingset")}
    sample["anon"] = anon_bytes(app.process)
    sample["kinds"] = ", ".join(f"{key} {answer[key]}" for key in (
        "fonts", "brushes", "bitmaps", "dcs", "regions"))
    return sample


def describe(sample):
    return (f"GDI {sample['gdi']} ({sample['kinds']}), handles {sample['handles']}, "
            f"working set {sample['workingset'] / 1048576:.2f} MiB, "
            f"anonymous {sample['anon'] / 1048576:.2f} MiB")


def post_ticks(app, first, count):
    """`count` ticks from the one that finds `first` left; the probe checks each display
    (hours, minutes, seconds) before it posts the next. Returns the time they took."""
    answer = app.probe.ask(f"ticks {first} {count}", timeout=30 + count * 0.1, allow_error=True)
    if "err" in answer:
        raise Failure(f"ticks from {first}: {answer['err']} (tick=N counts from 0, the one "
                      f"that finds {first} left)")
    return int(answer["ms"]) / 1000


def soak(session):
    ticks, full = soak_length()
    # A count that runs out ends every process of its prefix if a bug asks for the
    # power-off: the full form runs in a prefix of its own.
    app = App(session, env=session.private_prefix() if full else None)
    for name, index in zip(LISTS, (23, 59, 59)):
        app.select(name, index)
    # Start takes the count from the lists; Stop halts the timer and keeps the count, so
    # that every tick from here on is one the probe posts and counts.
    app.probe.ask("send 按钮1 BM_CLICK 0 0")
    app.probe.ask("send 按钮2 BM_CLICK 0 0")
    expect(app.digits() == ("0", "0", "0"), f"结束 left {app.digits()} on display")

    samples = []
    done, spent = 0, 0.0
    while done < ticks:
        count = min(CHUNK - done % CHUNK, ticks - done)
        seconds = post_ticks(app, LONGEST - done, count)
        done += count
        spent += seconds
        sample = usage(app)
        samples.append((done, sample))
        log(f"after {done} ticks ({seconds / count * 1000:.1f} ms a tick, display "
            f"{':'.join(app.digits())}): {describe(sample)}")
        app.ping()
    log(f"{done} counting ticks took {spent:.1f} s under Wine, "
        f"{spent / done * 1000:.2f} ms a tick")
    shown = app.digits()
    left = LONGEST - done + 1  # the count the last tick found
    wanted = (str(left // 3600), str(left % 3600 // 60), str(left % 60))
    expect(shown == wanted, f"after {done} ticks the display is {shown}, not {wanted}")

    baseline = next(sample for count, sample in samples if count >= BASELINE_TICKS)
    end = samples[-1][1]
    grown = [f"{key} {baseline[key]} -> {end[key]} (allowed +{allowed})"
             for key, allowed in ALLOWANCE.items() if end[key] > baseline[key] + allowed]
    expect(not grown, f"the process grew from {BASELINE_TICKS} to {done} ticks: "
                      + "; ".join(grown))

    if full:
        finish(app)
    app.close()


def finish(app):
    """The finishing tick after all counting ticks, and that the program, its box
    unchecked, goes on running and counting."""
    expect(app.control("选择框2")["check"] == "0", "是否关机 is checked")
    post_ticks(app, 0, 1)
    time.sleep(2)
    expect(app.running(), "the program ended after the finishing tick with 是否关机 unchecked")
    expect(app.digits() == ("0", "0", "0"), f"after the finish the display is {app.digits()}")
    app.ping()

    # A real count of one second, finished by the program's own timer: that finishing
    # tick stops the timer, so checking 是否关机 afterwards brings no further tick and no
    # power-off.
    for name, index in zip(LISTS, (0, 0, 1)):
        app.select(name, index)
    app.start_count()
    app.wait_digits(("0", "0", "1"), 2.5, "the first tick of a count after the soak")
    app.wait_digits(("0", "0", "0"), 2.5, "the finishing tick of a count after the soak")
    app.set_check("选择框2", True)
    time.sleep(2.5)
    expect(app.running() and app.probe.alive(),
           "a tick came after the finishing tick: the checked 是否关机 ended the program")
    app.set_check("选择框2", False)
    app.ping()
    log("finishing tick: 0:0:0 and the program runs on; a count finished by the timer "
        "afterwards brought no tick with 是否关机 checked")
