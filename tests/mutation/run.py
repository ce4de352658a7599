#!/usr/bin/env python3
"""Brings back, one at a time, faults this program once had or was shown to have,
and checks that some test notices each one.

Each change replaces one exact text in one source file (it must occur exactly
once, so a change that no longer applies is reported rather than skipped), the
build is brought up to date, and the named tests run: the fast layers first, a
journey only where nothing faster can see the fault. The source is restored
after every change, also when the run is interrupted.

    python3 tests/mutation/run.py [BUILD_DIR] [NAME ...]
"""
import os
import subprocess
import sys
import time

from changes import CHANGES, FAST

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def run(cmd, cwd, log):
    with open(log, "a") as out:
        return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT).returncode


def main():
    args = sys.argv[1:]
    build = os.path.abspath(args.pop(0)) if args and os.sep in args[0] else os.path.join(ROOT, "build", "mutation")
    wanted = set(args)
    log = os.path.join(build, "mutation.log")
    os.makedirs(build, exist_ok=True)
    open(log, "w").close()
    if run(["cmake", "-S", ROOT, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug"], ROOT, log) != 0:
        sys.exit("configure failed: see " + log)
    if run(["cmake", "--build", build], ROOT, log) != 0:
        sys.exit("the unchanged program does not build: see " + log)

    started = time.monotonic()
    missed, broken = [], []
    changes = [c for c in CHANGES if not wanted or c["name"] in wanted]
    layer = os.environ.get("MUTATION_LAYER")  # e.g. "gui": which fast changes that layer alone catches
    if layer:
        changes = [dict(c, tests=["-L", layer]) for c in changes if c["tests"] is FAST]
    for change in changes:
        path = os.path.join(ROOT, change["file"])
        original = open(path, encoding="utf-8").read()
        if original.count(change["old"]) != 1:
            broken.append(change["name"])
            print(f"?? {change['name']}: the text to change is not in {change['file']} exactly once")
            continue
        t0 = time.monotonic()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(change["old"], change["new"]))
            if run(["cmake", "--build", build], ROOT, log) != 0:
                verdict = "caught (does not build)"
            else:
                rc = run(["ctest", "-j2", "--output-on-failure", *change["tests"]], build, log)
                verdict = "caught" if rc != 0 else "MISSED"
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        if verdict == "MISSED":
            missed.append(change["name"])
        print(f"{verdict:>8}  {change['name']}  [{' '.join(change['tests'])}]  {time.monotonic() - t0:.0f} s", flush=True)
    run(["cmake", "--build", build], ROOT, log)
    total = len(changes)
    print(f"{total - len(missed) - len(broken)} of {total} changes caught in {time.monotonic() - started:.0f} s"
          + (f"; missed: {', '.join(missed)}" if missed else "")
          + (f"; not applicable: {', '.join(broken)}" if broken else ""))
    sys.exit(1 if missed or broken else 0)


if __name__ == "__main__":
    main()
