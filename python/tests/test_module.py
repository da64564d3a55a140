"""The module's values against the runner's files for the same parameters, its errors and
its interruption. The runner is build/cli/vadidazid-sim, or $VADIDAZID_SIM."""
import csv
import io
import math
import os
import signal
import subprocess
import threading

import numpy as np
import pytest

import vadidazid

RUNNER = os.environ.get(
    "VADIDAZID_SIM",
    os.path.join(os.path.dirname(__file__), "..", "..", "build", "cli", "vadidazid-sim"))

# Python's names with the runner's options.
def runner_args(params):
    return [f"--{k.replace('_', '-')}={v}" for k, v in params.items()]


def runner_file(tmp_path, args, name="out.txt"):
    path = tmp_path / name
    subprocess.run([RUNNER, *args, f"{path}"], check=True, capture_output=True)
    return path.read_bytes()


def columns(text):
    rows = list(csv.reader(io.StringIO(text.decode())))
    return {name: [r[i] for r in rows[1:]] for i, name in enumerate(rows[0])}


def assert_same_values(arrays, fields):
    assert list(arrays) == list(fields)
    for name, texts in fields.items():
        expected = [math.nan if t == "" else float(t) for t in texts]
        np.testing.assert_array_equal(np.asarray(arrays[name], dtype=float), expected, err_msg=name)


RUNS = [
    {},
    {"steps": 40, "seed": 7, "call_percent": 40, "channels": 12},
    {"grid_side": 4, "subscribers": 300, "mean": 2.5, "deviation": 1, "step_limit": 30},
]


@pytest.mark.parametrize("params", RUNS)
def test_run_equals_the_runners_files(tmp_path, params):
    r = vadidazid.run(**params)
    args = runner_args(params)
    steps = columns(runner_file(tmp_path, args + ["--csv"]))
    assert_same_values({k: getattr(r, k) for k in steps}, steps)
    assert r.log_bytes == runner_file(tmp_path, args + ["--out"])
    assert r.log == r.log_bytes.decode("cp1250") and "\r\n" in r.log
    assert_same_values(r.cells, columns(runner_file(tmp_path, args + ["--cells"])))
    chart = subprocess.run([RUNNER, *args, "--chart"], check=True, capture_output=True).stdout
    values = [[float(v) for v in line.split("\t")] for line in chart.decode().splitlines()]
    assert [list(s) for s in r.chart.values()] == [list(c) for c in zip(*values)]
    assert list(r.chart)[1] == "Nowe rozmowy"


STUDIES = [
    ({"sweep": {"call_percent": [5, 10, 15]}, "replications": 2, "steps": 60, "threads": 1},
     ["--sweep=call-percent=5,10,15", "--replications=2", "--steps=60", "--warmup=auto"]),
    ({"sweep": {"call_percent": [5, 10, 15]}, "replications": 2, "steps": 60, "threads": 3},
     ["--sweep=call-percent=5,10,15", "--replications=2", "--steps=60", "--warmup=auto"]),
    ({"sweep": {"deviation": "0.1:0.5:0.2", "channels": [10, 14]}, "replications": 1, "steps": 30,
      "warmup": 5, "subscribers": 200, "grid_side": 4, "threads": 2},
     ["--sweep=deviation=0.1:0.5:0.2", "--sweep=channels=10,14", "--steps=30", "--warmup=5",
      "--subscribers=200", "--grid-side=4"]),
]


@pytest.mark.parametrize("kwargs,args", STUDIES)
def test_study_rows_equal_the_runners_results(tmp_path, kwargs, args):
    s = vadidazid.study(**kwargs)
    assert_same_values(s.rows, columns(runner_file(tmp_path, args + ["--results"])))
    assert s.summary()["runs"].sum() == len(s.rows["seed"])


def test_dimension_equals_the_runners_search(tmp_path):
    d = vadidazid.dimension("channels", "call_congestion<=0.05", max_replications=8, steps=100,
                            subscribers=300, grid_side=4, threads=2)
    args = ["--dimension=channels", "--target=call_congestion<=0.05", "--max-replications=8",
            "--steps=100", "--warmup=auto", "--subscribers=300", "--grid-side=4"]
    path = tmp_path / "rows.csv"
    report = subprocess.run([RUNNER, *args, "--results", str(path)], check=True,
                            capture_output=True).stdout.decode()
    assert d.report == report and d.runs == len(d.study.rows["seed"])
    assert_same_values(d.study.rows, columns(path.read_bytes()))


def test_theory():
    assert vadidazid.erlang_b(10, 5) == pytest.approx(0.018384570336648, rel=1e-13)
    # Many sources each offering little approach Poisson traffic.
    assert vadidazid.engset(10, 1e7, 5e-7) == pytest.approx(vadidazid.erlang_b(10, 5), rel=1e-5)


@pytest.mark.parametrize("call,message", [
    (lambda: vadidazid.run(grid_side=0), "grid_side: 0 is outside"),
    (lambda: vadidazid.run(mean="x"), "mean: 'x' is not a valid floating point value"),
    (lambda: vadidazid.run(steps=-1), "steps: -1 is outside"),
    (lambda: vadidazid.run(mean=-100, deviation=1), ""),
    (lambda: vadidazid.study(steps=10, warmup=10), "warmup: 10 is not below"),
    (lambda: vadidazid.study(sweep={"colour": [1]}), "colour"),
    (lambda: vadidazid.study(replications=0), "replications: 0 is outside"),
    (lambda: vadidazid.erlang_b(-1, 5), "channels"),
    (lambda: vadidazid.engset(5, 10, float("nan")), "beta"),
])
def test_bad_input_raises_value_error(call, message):
    with pytest.raises(ValueError, match=message):
        call()


def test_progress_and_interruption():
    seen = []
    vadidazid.study(replications=2, steps=20, progress=lambda done, runs: seen.append((done, runs)))
    assert seen[-1] == (2, 2)
    # Ctrl+C a moment into a long study: it stops and the interpreter goes on.
    threading.Timer(0.5, signal.raise_signal, [signal.SIGINT]).start()
    with pytest.raises(KeyboardInterrupt):
        vadidazid.study(replications=1000, steps=100000, subscribers=20000, threads=2)
    assert len(vadidazid.study(replications=1, steps=5).rows["seed"]) == 1
