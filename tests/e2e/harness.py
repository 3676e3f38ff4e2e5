"""Processes of an end-to-end case: the X display, Wine runs of countdown.exe and of the
probe, private Wine prefixes, and the rule that every wait has a deadline and everything a
case started is ended by its PID when the case is over."""

import os
import queue
import shutil
import signal
import subprocess
import tempfile
import threading
import time


class Failure(Exception):
    """A check failed; the message says what was expected and what was seen."""


def expect(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, timeout, what, interval=0.05):
    """Polls until predicate() gives a true value and returns it; fails after timeout s."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"no {what} within {timeout:.1f} s")
        time.sleep(interval)


def log(message):
    print(message, flush=True)


class Session:
    """Everything one case runs. Ends all of it in close(), also after a failure."""

    def __init__(self, program, probe_exe, scripts):
        self.program = os.path.abspath(program)
        self.probe_exe = os.path.abspath(probe_exe)
        self.scripts = os.path.abspath(scripts)
        root = os.path.dirname(self.scripts)
        self.env = dict(os.environ)
        # The same default as scripts/wine-env.sh: the prefix of the build tree.
        self.env.setdefault("WINEPREFIX", os.path.join(root, "build", "wine-prefix"))
        self.temp = tempfile.mkdtemp(prefix="countdown-e2e-")
        self.processes = []
        self.private_prefixes = []
        self.xvfb = None
        # Our probe lives beside the program: wine-run.sh must not wait for the prefix's
        # wineserver to go idle when the program ends. If the caller keeps no wineserver
        # alive, close() waits for ours to finish instead.
        self.server_kept = bool(self.env.get("COUNTDOWN_WINESERVER_KEPT"))
        self.env["COUNTDOWN_WINESERVER_KEPT"] = "1"
        if not self.env.get("DISPLAY"):
            self._start_xvfb()

    # --- processes -------------------------------------------------------------------

    def spawn(self, command, env=None, **streams):
        """Starts a process in a process group of its own, so that close() can end it and
        everything it started (by its PID, which is the group's id)."""
        streams.setdefault("stdin", subprocess.DEVNULL)
        streams.setdefault("stdout", subprocess.DEVNULL)
        streams.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=env or self.env, start_new_session=True, **streams)
        self.processes.append(process)
        return process

    def end(self, process):
        if process.poll() is not None:
            return
        for sig, grace in ((signal.SIGTERM, 3), (signal.SIGKILL, 5)):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                return
            try:
                process.wait(grace)
                return
            except subprocess.TimeoutExpired:
                pass

    def wine_command(self, *args):
        """`wine args` in the environment of scripts/wine-env.sh."""
        env_script = os.path.join(self.scripts, "wine-env.sh")
        return ["bash", "-c", 'source "$0" && exec wine "$@"', env_script, *args]

    def run_wine_tool(self, env, *args, timeout=60):
        """Runs a Wine tool (wine reg, wineserver) to its end, with a deadline."""
        env_script = os.path.join(self.scripts, "wine-env.sh")
        command = ["bash", "-c", 'source "$0" && exec "$@"', env_script, *args]
        try:
            return subprocess.run(command, env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  timeout=timeout).returncode
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(args)} did not finish within {timeout} s")

    def start_program(self, env=None, stderr_path=None):
        """countdown.exe through scripts/wine-run.sh; the process's exit code is the
        program's."""
        stderr = open(stderr_path, "wb") if stderr_path else subprocess.DEVNULL
        try:
            return self.spawn([os.path.join(self.scripts, "wine-run.sh"), self.program],
                              env=env, stderr=stderr)
        finally:
            if stderr_path:
                stderr.close()

    def start_probe(self, env=None):
        return Probe(self, env or self.env)

    # --- display -----------------------------------------------------------------------

    def _start_xvfb(self):
        """An Xvfb of 1024x768 on a free display, as scripts/xvfb.sh starts one."""
        for number in range(91, 200):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(
                    f"/tmp/.X11-unix/X{number}"):
                continue
            server = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, start_new_session=True)
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and server.poll() is None:
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    self.xvfb = server
                    self.env["DISPLAY"] = f":{number}"
                    log(f"started Xvfb on :{number} (pid {server.pid})")
                    return
                time.sleep(0.05)
            if server.poll() is None:
                server.kill()
            server.wait()
        raise Failure("no free X display for Xvfb")

    def x_tool(self, *args, timeout=10):
        """Runs an X client (xdotool, import) against the display; returns its stdout."""
        try:
            result = subprocess.run(list(args), env=self.env, stdin=subprocess.DEVNULL,
                                    capture_output=True, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"{' '.join(args)} did not finish within {timeout} s")
        expect(result.returncode == 0,
               f"{' '.join(args)} failed ({result.returncode}): "
               f"{result.stderr.decode(errors='replace').strip()}")
        return result.stdout

    # --- prefixes ----------------------------------------------------------------------

    def private_prefix(self, relay_include=None):
        """A copy of the build's prefix for this case alone: what happens in it (a
        shut-down ends every process of a prefix) touches nothing else. With
        relay_include, Wine's relay trace is limited to those calls there."""
        source = self.env["WINEPREFIX"]
        expect(os.path.isdir(source), f"the build's Wine prefix {source} does not exist")
        copy = os.path.join(self.temp, f"prefix{len(self.private_prefixes)}")
        started = time.monotonic()
        subprocess.run(["cp", "-a", source, copy], check=True, timeout=120)
        self.private_prefixes.append(copy)
        env = dict(self.env)
        env["WINEPREFIX"] = copy
        # A wineserver that stays for the whole case saves a start for every Wine run;
        # close() ends it.
        self.run_wine_tool(env, "wineserver", "-p", timeout=20)
        if relay_include:
            rc = self.run_wine_tool(env, "wine", "reg", "add", r"HKCU\Software\Wine\Debug",
                                    "/v", "RelayInclude", "/t", "REG_SZ", "/d",
                                    ";".join(relay_include), "/f")
            expect(rc == 0, f"wine reg add RelayInclude failed in {copy} ({rc})")
        log(f"private prefix {copy} ready in {time.monotonic() - started:.1f} s")
        return env

    # --- the end -----------------------------------------------------------------------

    def close(self):
        for process in reversed(self.processes):
            self.end(process)
        for prefix in self.private_prefixes:
            env = dict(self.env)
            env["WINEPREFIX"] = prefix
            self.run_wine_tool(env, "wineserver", "-k", timeout=20)
        if not self.server_kept:
            self.run_wine_tool(self.env, "wineserver", "-w", timeout=30)
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        shutil.rmtree(self.temp, ignore_errors=True)


class Probe:
    """One e2e_probe.exe under Wine: a command a line, one answer line each."""

    def __init__(self, session, env):
        self.process = session.spawn(session.wine_command(session.probe_exe), env=env,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stdout:
            self.lines.put(raw.decode("utf-8", "replace").rstrip("\r\n"))
        self.lines.put(None)

    def ask(self, command, timeout=10.0, allow_error=False):
        """Sends one command and parses "ok key=value ..." into a dict. An "err ..." answer
        fails the case unless allow_error, when it comes back as {"err": reason}."""
        try:
            self.process.stdin.write((command + "\n").encode("utf-8"))
            self.process.stdin.flush()
        except (BrokenPipeError, OSError):
            raise Failure(f"the probe has ended; it could not be asked {command!r}")
        deadline = time.monotonic() + timeout
        while True:
            remaining = deadline - time.monotonic()
            try:
                line = self.lines.get(timeout=max(remaining, 0.01))
            except queue.Empty:
                raise Failure(f"the probe gave no answer to {command!r} within {timeout} s")
            if line is None:
                raise Failure(f"the probe ended while asked {command!r}")
            if line.startswith("ok") or line.startswith("err"):
                break
        words = line.split()
        if words[0] == "err":
            if allow_error:
                return {"err": " ".join(words[1:])}
            raise Failure(f"the probe answered {command!r} with {line!r}")
        return dict(word.split("=", 1) for word in words[1:] if "=" in word)

    def alive(self):
        return self.process.poll() is None


def text_of(hex_text):
    """A text the probe sent as hex of its UTF-8 bytes; None when it did not answer."""
    if hex_text in ("timeout", "none"):
        return None
    return bytes.fromhex(hex_text).decode("utf-8", "replace")


def rect_of(value):
    left, top, right, bottom = (int(v) for v in value.split(","))
    return left, top, right, bottom
