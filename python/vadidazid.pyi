# Type stubs of the vadidazid module: one run and studies of the call traffic simulator.
from typing import Callable, Mapping, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt

Number = Union[int, float, str]

class Run:
    step: npt.NDArray[np.int64]
    running: npt.NDArray[np.int64]
    new: npt.NDArray[np.int64]
    blocked: npt.NDArray[np.int64]
    full_cell_offers: npt.NDArray[np.int64]
    dropped: npt.NDArray[np.int64]
    handovers: npt.NDArray[np.int64]
    ended: npt.NDArray[np.int64]
    call_steps: npt.NDArray[np.int64]
    load_percent: npt.NDArray[np.float64]
    dropped_percent: npt.NDArray[np.float64]
    log: str
    log_bytes: bytes
    cells: dict[str, np.ndarray]
    chart: dict[str, list[float]]

class Study:
    @property
    def rows(self) -> dict[str, np.ndarray]: ...
    def to_pandas(self) -> "pandas.DataFrame": ...  # noqa: F821
    def summary(self) -> dict[str, np.ndarray]: ...

def run(
    *,
    grid_side: int = 10,
    subscribers: int = 1000,
    channels: int = 10,
    call_percent: int = 15,
    mean: Number = 5,
    deviation: Number = 0.01,
    seed: int = 12345,
    steps: Optional[int] = None,
    step_limit: int = 100,
) -> Run: ...
def study(
    sweep: Optional[Mapping[str, Union[str, Sequence[Number]]]] = None,
    replications: int = 4,
    steps: Optional[int] = 300,
    warmup: Union[int, str, None] = "auto",
    threads: Optional[int] = None,
    progress: Optional[Callable[[int, int], object]] = None,
    **base: Number,
) -> Study: ...
def erlang_b(channels: int, erlangs: float) -> float: ...
def engset(channels: int, sources: float, beta: float) -> float: ...

class Dimensioning:
    outcome: str
    answer: Optional[int]
    beyond: Optional[int]
    runs: int
    report: str
    study: Study

def dimension(
    parameter: str,
    target: str,
    max_replications: int = 64,
    steps: Optional[int] = 300,
    warmup: Union[int, str, None] = "auto",
    threads: Optional[int] = None,
    progress: Optional[Callable[[int, int], object]] = None,
    **base: Number,
) -> Dimensioning: ...
