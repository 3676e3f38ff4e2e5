"""End-to-end tests of countdown.exe under Wine, one case per run:

    python3 e2e.py --program countdown.exe --probe e2e_probe.exe --scripts scripts CASE

Uses the caller's DISPLAY (or an Xvfb of its own) and WINEPREFIX (or the build tree's).
Exit code 0 when the case passed, 1 when it failed, with the reason printed."""

import argparse
import sys
import time
import traceback

sys.dont_write_bytecode = True  # nothing of the tests lands in the source tree

import cases_bad_input  # noqa: E402
import cases_display  # noqa: E402
import cases_ending  # noqa: E402
import cases_exe  # noqa: E402
import cases_soak  # noqa: E402
import cases_web_link  # noqa: E402
from harness import Failure, Session, log  # noqa: E402

CASES = {
    "startup": cases_display.startup,
    "open_list": cases_display.open_list,
    "count": cases_display.count_down,
    "stop": cases_display.stop,
    "drag": cases_display.drag,
    "endings": cases_ending.endings,
    "power_off": cases_ending.power_off,
    "bad_input_table": cases_bad_input.bad_input_table,
    "web_link": cases_web_link.web_link,
    "soak": cases_soak.soak,
    "exe_imports": cases_exe.exe_imports,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--scripts", required=True)
    parser.add_argument("case", choices=sorted(CASES))
    args = parser.parse_args()

    started = time.monotonic()
    session = Session(args.program, args.probe, args.scripts)
    outcome = 1
    try:
        CASES[args.case](session)
        outcome = 0
    except Failure as failure:
        log(f"FAIL {args.case}: {failure}")
    except Exception:  # a fault of the harness itself: show where
        log(f"FAIL {args.case}: the harness stopped:\n{traceback.format_exc()}")
    finally:
        try:
            session.close()
        except Failure as failure:
            log(f"while cleaning up: {failure}")
    if outcome == 0:
        log(f"PASS {args.case} in {time.monotonic() - started:.1f} s")
    return outcome


if __name__ == "__main__":
    sys.exit(main())
