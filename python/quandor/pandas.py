"""pandas helper: the verdicts of validate_many as columns of a data frame."""

from __future__ import annotations

from typing import Any, Iterable, Optional

from quandor._enums import Strictness
from quandor._many import BASE_COLUMNS, EXTRA_COLUMNS, validate_many

#: Names of the columns that ``validate_frame`` always appends, in order.
RESULT_COLUMNS = BASE_COLUMNS


def validate_frame(df: Any, blz: str = "BLZ", account: str = "Konto", *,
                   strictness: int = Strictness.NORMAL, rules: Optional[int] = None,
                   prefix: str = "", columns: Iterable[str] = (), error_as: str = "code") -> Any:
    """A copy of ``df`` with the columns valid, error, method and bank_name appended.

    >>> import pandas
    >>> frame = pandas.DataFrame({"BLZ": [37050198, None], "Konto": ["532013000", "1"]})
    >>> validate_frame(frame, columns=["bic"], error_as="name")[["bic", "valid", "error"]]
               bic  valid                error
    0  COLSDE33XXX   True             NO_ERROR
    1               False  BANK_NUMBER_MISSING

    ``blz`` and ``account`` name the columns of the bank code and the account
    number, of any type ``validate_many`` takes; ``columns`` adds any of
    bank_city, bic and message; ``prefix`` goes before the new columns'
    names. ``error`` holds the int32 codes of ``Error``, or with
    ``error_as="name"`` a Categorical of their names. A column that is missing raises KeyError.
    Works on every partition of a Dask data frame:
    ``ddf.map_partitions(validate_frame)``.
    """
    verdicts = validate_many(df[blz], df[account], strictness=strictness, rules=rules,
                             columns=columns, error_as=error_as)
    result = df.copy(deep=False)
    for name, values in verdicts._asdict().items():
        result[prefix + name] = values
    return result


__all__ = ["EXTRA_COLUMNS", "RESULT_COLUMNS", "validate_frame"]
