"""validate_many: whole columns of bank connections in one call."""

from __future__ import annotations

from typing import Any, NamedTuple, Optional

from quandor import _quandor
from quandor._edition import warn_if_stale
from quandor._enums import Rules, Strictness


class ValidationColumns(NamedTuple):
    """The verdicts of ``validate_many``, one NumPy array per column, row by row."""

    valid: Any  #: bool
    error: Any  #: int32, the values of ``quandor.Error``
    method: Any  #: object (str): the bank's check method as the Bundesbank names it, "" when none
    bank_name: Any  #: object (str): "" when the bank is unknown


def _as_column(values: Any, name: str) -> Any:
    """A sequence the native module reads fast: lists of Python objects.

    pandas and NumPy values are turned into plain lists, missing values
    (NaN, None, pandas.NA) into None; anything else is passed on as it is.
    """
    if isinstance(values, (str, bytes)):
        raise TypeError(f"{name} must be a sequence of texts, not a single text")
    to_numpy = getattr(values, "to_numpy", None)
    if to_numpy is not None and hasattr(values, "isna"):  # pandas Series or Index
        return to_numpy(dtype=object, na_value=None).tolist()
    tolist = getattr(values, "tolist", None)
    if tolist is not None and hasattr(values, "ndim"):  # NumPy array
        if values.ndim != 1:
            raise TypeError(f"{name} must be one-dimensional, not of {values.ndim} dimensions")
        return tolist()
    return values


def validate_many(blzs: Any, accounts: Any, *, strictness: int = Strictness.NORMAL,
                  rules: Optional[int] = None) -> ValidationColumns:
    """Checks ``accounts[i]`` at the bank ``blzs[i]`` for every ``i``.

    ``blzs`` and ``accounts`` are equally long sequences: lists, tuples, NumPy
    arrays or pandas Series of str (also bytes, or int for a column read as
    numbers; None and NaN count as missing). The checks run in C++ without
    the interpreter lock, so other Python threads go on meanwhile, and all
    of them from the bank code file as it was when the call began.

    A missing bank code file gives every row ``Error.BANK_NUMBER_FILE_MISSING``.
    Raises TypeError for an element of another type and ValueError when the
    lengths differ.
    """
    if isinstance(strictness, bool) or not isinstance(strictness, int):
        raise TypeError(f"strictness must be int, not {type(strictness).__name__}")
    warn_if_stale()
    if rules is None:
        rules = _quandor.default_rules()
    elif isinstance(rules, bool) or not isinstance(rules, int):
        raise TypeError(f"rules must be int, not {type(rules).__name__}")
    # Out of 32 bits means as little as any other unknown value.
    strictness = strictness if -2**31 <= strictness < 2**31 else -1
    rules = rules if -2**31 <= rules < 2**31 else Rules.ORIGINAL
    return ValidationColumns(*_quandor.validate_many(
        _as_column(blzs, "blzs"), _as_column(accounts, "accounts"), int(strictness), int(rules)))
