"""What the user sees and does in the window: the first look, a count, Stop, dragging."""

import time

from countdown_app import App, DIGITS, LISTS
from harness import Failure, expect, log, rect_of, text_of, wait_for

ZEROS = ("0", "0", "0")
BAND = (22, 22, 22)  # the flat charcoal of the background picture's upper part


def near(colour, wanted, tolerance=3):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def band_spot(app, left, top):
    """An empty spot of the dark top band, between the two check boxes and above the lists;
    the probe confirms that it is the window's own background."""
    x, y = left + 110, top + 46
    hit = app.probe.ask(f"hit {x} {y}")["name"]
    expect(hit == "MainWindow", f"the spot ({x}, {y}) lies on {hit}, not on the background")
    return x, y


def startup(session):
    app = App(session)
    first = app.first_visible
    log(f"window first visible {app.visible_after:.2f} s after the start: {first}")
    counts = tuple(int(n) for n in first["counts"].split(","))
    expect(counts == (24, 60, 60),
           f"at the first visible moment the lists held {counts} items, not (24, 60, 60)")
    selections = tuple(int(n) for n in first["cursels"].split(","))
    expect(selections == (0, 0, 0),
           f"at the first visible moment the selections were {selections}, not (0, 0, 0)")

    main = app.main
    expect(rect_of(main["rect"]) == (287, 270, 737, 498),
           f"the window lies at {main['rect']}, not centred at 287,270 (450 x 228) on 1024x768")
    expect(main["visible"] == "1", "the window is not visible")
    expect(main["foreground"] == "1", "the window is not the foreground window")
    expect(main["active"] == "1", "the window is not the active window of its thread")

    expect(app.digits() == ZEROS, f"the digit labels show {app.digits()}, not {ZEROS}")
    for name, last in zip(LISTS, ("23", "59", "59")):
        shown = text_of(app.probe.ask(f"edit {name}")["text"])
        expect(shown == "0", f"{name} shows {shown!r}, not '0'")
        items = (app.item(name, 0), app.item(name, int(last)))
        expect(items == ("0", last), f"{name} runs from {items[0]!r} to {items[1]!r}")

    # On screen: the charcoal band at the centred place, nothing of the window outside it.
    shot = app.pixels(286, 269, 452, 230)
    inside = shot[1 + 46][1 + 110]
    expect(near(inside, BAND), f"the screen shows {inside} at the window's band, not {BAND}")
    for x, y in ((0, 0), (451, 229), (0, 229), (451, 0)):
        expect(not near(shot[y][x], BAND),
               f"the band colour shows outside the window at ({286 + x}, {269 + y})")


def open_list(session):
    """Each drop-down box opens its list below itself, at most 160 pixels tall."""
    app = App(session)
    problems = []
    for name in LISTS:
        box = app.rect(name)
        app.click_at(box[2] - 8, (box[1] + box[3]) // 2)
        wait_for(lambda: app.control(name)["dropped"] == "1", 3, f"opened list of {name}")
        shown = rect_of(app.probe.ask("listitem 0")["list"])
        log(f"{name} at {box} opened its list at {shown}")
        if shown[1] < box[3] - 1 or shown[3] - shown[1] > 160:
            problems.append(f"{name} (box {box[1]}..{box[3]}) opened a list from y {shown[1]} "
                            f"to {shown[3]}, {shown[3] - shown[1]} px tall")
        # Closed from outside: where a list covers its own box, the arrow is not reachable.
        app.probe.ask(f"send {name} CB_SHOWDROPDOWN 0 0")
        wait_for(lambda: app.control(name)["dropped"] == "0", 3, f"closed list of {name}")
    expect(not problems, "; ".join(problems) + ": the list must open below the box, at most "
                         "160 px tall")
    app.ping()


def count_down(session):
    app = App(session)
    app.pick("组合框3", 3)
    shown = text_of(app.probe.ask("edit 组合框3")["text"])
    expect(shown == "3", f"after picking 3 the seconds box shows {shown!r}")
    for name in LISTS[:2]:
        expect(app.selection(name) == 0, f"{name} no longer selects '0'")

    clicked = app.start_count()
    changes = []
    deadline = clicked + 7
    while time.monotonic() < deadline and (not changes or changes[-1][1] != ZEROS):
        # Each round counts from the last display seen, so that a change between two
        # rounds is not lost.
        changes += app.watch_digits(0.3, changes[-1][1] if changes else ZEROS)
    timeline = ", ".join(f"{t - clicked:.2f} s {'/'.join(d)}" for t, d in changes)
    log(f"after the click on 开始: {timeline}")
    wanted = [("0", "0", "3"), ("0", "0", "2"), ("0", "0", "1"), ZEROS]
    expect([d for _, d in changes] == wanted,
           f"the digits went {[d for _, d in changes]}, not {wanted}")
    first = changes[0][0] - clicked
    expect(0.6 <= first <= 1.8, f"the first tick came {first:.2f} s after the click, not ~1 s")
    for (earlier, _), (later, digits) in zip(changes, changes[1:]):
        gap = later - earlier
        expect(0.6 <= gap <= 1.5, f"{'/'.join(digits)} came {gap:.2f} s after the one before")

    quiet = app.watch_digits(2.0)
    expect(not quiet, f"the digits changed after the count had finished: {quiet}")
    app.ping()


def stop(session):
    app = App(session)
    # The keyboard route: into the edit field of the seconds box, Down three times.
    left, top, right, bottom = app.rect("组合框3")
    app.click_at(left + 10, (top + bottom) // 2)
    main = wait_for(lambda: (lambda m: m if m.get("focus") == "组合框3" else None)(
        app.probe.ask("main")), 3, "focus in the seconds box")
    expect(main.get("focusclass", "").lower() == "edit",
           f"the focus is in a {main.get('focusclass')} window, not the edit field")
    app.keys("Down", "Down", "Down")
    wait_for(lambda: app.selection("组合框3") == 3, 3, "selection 3 after Down x3")

    app.start_count()
    app.wait_digits(("0", "0", "3"), 2.5, "the first tick")
    app.click("按钮2")
    stopped = time.monotonic()
    app.wait_digits(ZEROS, 1.0, "结束")
    log(f"结束 cleared the digits within {time.monotonic() - stopped:.2f} s")
    later = app.watch_digits(2.5)
    expect(not later, f"after 结束 the digits still changed: {later}")
    expect(app.selection("组合框3") == 3, "结束 changed the seconds box's selection")
    app.ping()


def drag(session):
    app = App(session)
    left, top, right, bottom = app.window_rect()
    x, y = band_spot(app, left, top)
    app.drag(x, y, 40, 30)
    moved = (left + 40, top + 30, right + 40, bottom + 30)
    try:
        wait_for(lambda: app.window_rect() == moved, 3, "window move")
    except Failure:
        raise Failure(f"dragging the background by (+40, +30) left the window at "
                      f"{app.window_rect()}, not {moved}")
    shot = app.pixels(left, top, 450 + 40, 228 + 30)
    expect(near(shot[46 + 30][110 + 40], BAND), "the band is not drawn at the new place")
    expect(not near(shot[5][5], BAND), "the band is still drawn at the old top-left corner")

    # A press and drag on a digit label is the label's, not a move of the window.
    label = app.rect(DIGITS[0])
    lx, ly = (label[0] + label[2]) // 2, (label[1] + label[3]) // 2
    hit = app.probe.ask(f"hit {lx} {ly}")["name"]
    expect(hit == DIGITS[0], f"the spot ({lx}, {ly}) lies on {hit}, not on {DIGITS[0]}")
    app.drag(lx, ly, 40, 30)
    time.sleep(0.5)
    expect(app.window_rect() == moved,
           f"a drag on {DIGITS[0]} moved the window from {moved} to {app.window_rect()}")
    expect(app.digits() == ZEROS, f"the digits changed to {app.digits()}")
    app.ping()
