"""validate_many: whole columns of bank connections in one call."""

from __future__ import annotations

from typing import Any, Iterable, Optional

from quandor import _quandor
from quandor._edition import warn_if_stale
from quandor._enums import Error, Strictness
from quandor._objects import _require_int, _rules_or_default

#: The columns that ``validate_many`` always gives, in order.
BASE_COLUMNS = ("valid", "error", "method", "bank_name")
#: The columns it gives besides when ``columns=`` names them.
EXTRA_COLUMNS = ("bank_city", "bic", "message")


class ValidationColumns(tuple):
    """The verdicts of ``validate_many``, one NumPy array per column, row by row.

    A tuple ``(valid, error, method, bank_name)`` followed by the columns
    asked for with ``columns=``, in the order asked; each is also an
    attribute (``columns.bic``) and an item by name (``columns["bic"]``).

    - ``valid``: bool
    - ``error``: int32, the values of ``quandor.Error``; with
      ``error_as="name"`` a pandas Categorical of their names
    - ``method``: str, the bank's check method as the Bundesbank names it, "" when none
    - ``bank_name``, ``bank_city``, ``bic``: str, "" when the bank is unknown
    - ``message``: str, the text of the error
    """

    _fields: tuple[str, ...]

    def __new__(cls, columns: dict[str, Any]) -> "ValidationColumns":
        self = super().__new__(cls, columns.values())
        self._fields = tuple(columns)
        return self

    def __getitem__(self, key: Any) -> Any:
        if isinstance(key, str):
            try:
                key = self._fields.index(key)
            except ValueError:
                raise KeyError(key) from None
        return super().__getitem__(key)

    def __getattr__(self, name: str) -> Any:
        if name.startswith("_") or name not in self._fields:
            raise AttributeError(f"no column {name!r}; the columns are {', '.join(self._fields)}")
        return self[name]

    def _asdict(self) -> dict[str, Any]:
        """The columns by name, in order (for ``pandas.DataFrame``)."""
        return dict(zip(self._fields, self))

    def __repr__(self) -> str:
        return f"ValidationColumns({', '.join(f'{n}={c!r}' for n, c in zip(self._fields, self))})"


def _as_column(values: Any, name: str) -> Any:
    """A sequence the native module reads fast: lists of Python objects.

    pandas and NumPy values are turned into plain lists, missing values
    (NaN, None, pandas.NA) into None; anything else is passed on as it is.
    """
    if isinstance(values, (str, bytes)):
        raise TypeError(f"{name} must be a sequence of texts, not a single text")
    to_numpy = getattr(values, "to_numpy", None)
    if to_numpy is not None and hasattr(values, "isna"):  # pandas Series or Index
        # The native module knows NaN, None and pandas.NA: a column of plain
        # objects or numbers is handed over as it is, which spares a pass.
        if getattr(values.dtype, "kind", "") in "Oiuf" and not hasattr(values.dtype, "na_value"):
            return to_numpy().tolist()
        return to_numpy(dtype=object, na_value=None).tolist()
    tolist = getattr(values, "tolist", None)
    if tolist is not None and hasattr(values, "ndim"):  # NumPy array
        if values.ndim != 1:
            raise TypeError(f"{name} must be one-dimensional, not of {values.ndim} dimensions")
        return tolist()
    return values


def _per_code(error: Any, of_code: Any, dtype: Any) -> Any:
    """``of_code(code)`` for every element of the int32 error column, looked up in a table."""
    import numpy

    if not len(error):
        return numpy.empty(0, dtype=dtype)
    low = int(error.min())
    table = numpy.array([of_code(code) for code in range(low, int(error.max()) + 1)], dtype=dtype)
    return table[error - low]


def _messages(error: Any) -> Any:
    return _per_code(error, _quandor.error_text, object)


def error_names(error: Any) -> Any:
    """The int32 error column as a pandas Categorical of ``Error`` names (no member: NaN)."""
    import pandas

    members = list(Error)
    position = {int(member): i for i, member in enumerate(members)}
    codes = _per_code(error, lambda code: position.get(code, -1), "int16")
    return pandas.Categorical.from_codes(codes, categories=[member.name for member in members])


def validate_many(blzs: Any, accounts: Any, *, strictness: int = Strictness.NORMAL,
                  rules: Optional[int] = None, columns: Iterable[str] = (),
                  error_as: str = "code") -> ValidationColumns:
    """Checks ``accounts[i]`` at the bank ``blzs[i]`` for every ``i``.

    >>> verdicts = validate_many(["37050198", 37050198.0, None], [532013000, "1", "1"],
    ...                          columns=["bic"])
    >>> verdicts.valid.tolist(), verdicts.error.tolist(), verdicts.bic.tolist()
    ([True, False, False], [1, 2, 3], ['COLSDE33XXX', 'COLSDE33XXX', ''])

    ``blzs`` and ``accounts`` are equally long sequences: lists, tuples,
    NumPy arrays or pandas Series of str, object, int, ``Int64`` or float.
    None, NaN and ``pandas.NA`` are missing values (the row gets the error
    of a missing bank code or account number); a whole float counts as its
    digits. Anything else raises TypeError naming the row; unequal lengths
    raise ValueError. ``columns`` adds any of ``bank_city``, ``bic`` and
    ``message``; ``error_as="name"`` gives the error column as a pandas
    Categorical of the ``Error`` names. ``rules`` defaults to
    ``default_rules()``.

    The checks run in C++ without the interpreter lock, so other Python
    threads go on meanwhile, and all of them from the bank code file as it
    was when the call began. A missing bank code file gives every row
    ``Error.BANK_NUMBER_FILE_MISSING``.
    """
    _require_int("strictness", strictness)
    warn_if_stale()
    # Out of 32 bits means as little as any other unknown value.
    strictness = strictness if -2**31 <= strictness < 2**31 else -1
    wanted = [columns] if isinstance(columns, str) else list(columns)
    unknown = [name for name in wanted if name not in EXTRA_COLUMNS]
    if unknown:
        raise ValueError(f"no column {unknown[0]!r}; columns= takes {', '.join(EXTRA_COLUMNS)}")
    if error_as not in ("code", "name"):
        raise ValueError(f"error_as takes 'code' or 'name', not {error_as!r}")
    valid, error, method, bank_name, bank_city, bic = _quandor.validate_many(
        _as_column(blzs, "blzs"), _as_column(accounts, "accounts"), int(strictness),
        int(_rules_or_default(rules)), "bank_city" in wanted, "bic" in wanted)
    found = {"valid": valid, "error": error, "method": method, "bank_name": bank_name,
             "bank_city": bank_city, "bic": bic}
    if "message" in wanted:
        found["message"] = _messages(error)
    if error_as == "name":
        found["error"] = error_names(error)
    return ValidationColumns({name: found[name] for name in (*BASE_COLUMNS, *wanted)})


ValidationColumns.__module__ = "quandor"
