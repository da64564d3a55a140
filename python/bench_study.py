"""The speed of a study through the module against the runner's for the same study.

Runs each alternately (best of a few rounds, so a busy moment on the machine counts
against neither) and prints both times and the module's speed as a share of the
runner's. Usage: PYTHONPATH=build/python /usr/bin/python3 python/bench_study.py [RUNNER]"""
import os
import subprocess
import sys
import tempfile
import time

import vadidazid

RUNNER = sys.argv[1] if len(sys.argv) > 1 else "build/cli/vadidazid-sim"
STUDY = {"sweep": {"call_percent": [5, 15, 30]}, "replications": 4, "steps": 2000,
         "warmup": "auto", "subscribers": 5000, "threads": 2}
ARGS = ["--sweep=call-percent=5,15,30", "--replications=4", "--steps=2000", "--warmup=auto",
        "--subscribers=5000", "--threads=2"]


def best(seconds, rounds=3):
    return min(seconds() for _ in range(rounds))


def module_time():
    start = time.perf_counter()
    vadidazid.study(**STUDY)
    return time.perf_counter() - start


def runner_time():
    with tempfile.TemporaryDirectory() as folder:
        start = time.perf_counter()
        subprocess.run([RUNNER, *ARGS, "--results", os.path.join(folder, "r.csv")], check=True)
        return time.perf_counter() - start


module, runner = best(module_time), best(runner_time)
print(f"module {module:.3f} s, runner {runner:.3f} s, speed {runner / module:.3f} x the runner's")
