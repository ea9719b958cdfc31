"""pandas helper: the verdicts of validate_many as columns of a data frame."""

from __future__ import annotations

from typing import Any, Optional

from quandor._enums import Strictness
from quandor._many import validate_many

#: Names of the columns that ``validate_frame`` appends, in order.
RESULT_COLUMNS = ("valid", "error", "method", "bank_name")


def validate_frame(df: Any, blz: str = "BLZ", account: str = "Konto", *,
                   strictness: int = Strictness.NORMAL, rules: Optional[int] = None,
                   prefix: str = "") -> Any:
    """A copy of ``df`` with the columns valid, error, method and bank_name appended.

    ``blz`` and ``account`` name the columns of the bank code and the account
    number; ``prefix`` goes before the new columns' names. A column that is
    missing raises KeyError. Works on every partition of a Dask data frame:
    ``ddf.map_partitions(validate_frame)``.
    """
    columns = validate_many(df[blz], df[account], strictness=strictness, rules=rules)
    result = df.copy(deep=False)
    for name, values in zip(RESULT_COLUMNS, columns):
        result[prefix + name] = values
    return result


__all__ = ["RESULT_COLUMNS", "validate_frame"]
