"""The bank code file that answers, its edition, and a warning when that is out of date."""

import dataclasses
import datetime
import warnings
from typing import Optional

from quandor import _quandor


class StaleDataWarning(UserWarning):
    """The bank code file's edition is past its last day: banks new since then
    are unknown and deleted ones still found. ``quandor-check convert --help``
    tells how to place the current edition."""


_STATES = ("current", "expired", "unknown")


@dataclasses.dataclass(frozen=True)
class DataEdition:
    """The bank code file that checks answer from now, and its edition.

    ``state`` is "current", "expired" (past its last day, or 100 days old
    where no last day is named) or "unknown" (no edition recorded for the
    file). ``next_valid_from`` is the first day of a next edition waiting
    beside it, which answers from that day on.
    """

    path: str
    found: bool
    bank_count: int
    valid_from: Optional[datetime.date]
    valid_until: Optional[datetime.date]
    state: str
    next_valid_from: Optional[datetime.date]
    text: str = dataclasses.field(repr=False)

    def __str__(self) -> str:
        return f"{self.text} ({self.state}), {self.bank_count} banks in {self.path}"


def _date(parts: Optional[tuple[int, int, int]]) -> Optional[datetime.date]:
    return datetime.date(*parts) if parts is not None else None


def data_edition() -> DataEdition:
    """The bank code file that the calling thread's checks answer from, and its edition.

    >>> str(quandor.data_edition())   # doctest: +SKIP
    'edition 2026-06-08 to 2026-09-06 (expired), 3506 banks in /usr/lib/blz.txt'
    """
    (path, found, count, valid_from, valid_until, state, next_from, text,
     _) = _quandor.data_info()
    return DataEdition(path, found, count, _date(valid_from), _date(valid_until), _STATES[state],
                       _date(next_from), text)


_warned = False


def warn_if_stale() -> None:
    """Warns once a process, with a ``StaleDataWarning``, when the edition is out of date."""
    global _warned
    if _warned:
        return
    _warned = True
    stale = _quandor.data_info()[-1]
    if stale:
        warnings.warn(f"{stale}; convert the current edition (quandor-check convert --help)",
                      StaleDataWarning, stacklevel=3)
