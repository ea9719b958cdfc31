"""Check digits of German bank connections, IBANs and credit card numbers.

>>> import quandor
>>> quandor.is_valid("37050198", "532013000")
True
>>> quandor.validate("37050198", "532013000").bic
'COLSDE33XXX'
>>> quandor.compact("532 013 000")
'532013000'
>>> quandor.validate_many(["37050198"], ["532013000"]).valid
array([ True])

Modules: ``quandor.iban`` (check and build IBANs), ``quandor.card`` (credit
card numbers), ``quandor.pandas`` (``validate_frame`` for data frames, also
Dask's partitions). Unless told otherwise, the package checks by today's
rules (``default_rules()``).
"""

from quandor import _quandor
from quandor._edition import DataEdition, StaleDataWarning, data_edition
from quandor._enums import CardCompany, Error, IbanError, Rules, SearchField, Strictness
from quandor._many import ValidationColumns, validate_many
from quandor._objects import (Bank, Banking, CardResult, Creditcard, MalformedRecordError,
                              ValidationResult, default_rules)
from quandor._single import (InvalidAccount, MalformedInput, NoMethod, UnknownBank,
                             WrongCheckDigit, compact, is_valid, validate)
from quandor import card, iban  # noqa: E402  (need the names above)


def method_code(method: int) -> str:
    """The Bundesbank's code of a method number as the bank code file holds it.

    >>> method_code(6), method_code(118)
    ('06', 'B8')
    """
    if isinstance(method, bool) or not isinstance(method, int):
        raise TypeError(f"method must be int, not {type(method).__name__}")
    return _quandor.method_code(method) if -2**31 <= method < 2**31 else str(method)


def data_path() -> str:
    """The directory in which the bank code file blz.txt is looked for, ending in "/"."""
    return _quandor.data_path()


def pin_data_dir() -> str:
    """Settles the bank code file's directory for the rest of the process and returns it.

    Sets QUANDOR_DATA_DIR to ``data_path()`` unless it is set already, as
    quandor-check does at its start: every check then answers from that one
    file and is spared a look at the settings file, which makes bulk checks
    (``validate_many``) markedly faster. Call it before starting threads.
    """
    import os

    if not os.environ.get("QUANDOR_DATA_DIR"):
        os.environ["QUANDOR_DATA_DIR"] = data_path()
    return os.environ["QUANDOR_DATA_DIR"]


class pinned_bank_file:  # noqa: N801 - used as a function: ``with pinned_bank_file():``
    """Answers the calling thread's checks from the bank code file as it is now.

    Inside the ``with`` block, lookups, checks and searches of this thread
    use the data path, settings and bank code file as they were on entry,
    without looking at the files again: much faster for many single checks,
    and consistent, but a change of the file is seen only after the block.
    Blocks nest. ``validate_many`` pins the file for its own call anyway.
    """

    def __enter__(self) -> None:
        _quandor.pin_bank_file()

    def __exit__(self, *exc_info: object) -> None:
        _quandor.unpin_bank_file()


__version__ = _quandor.version()

__all__ = ["Bank", "Banking", "CardCompany", "CardResult", "Creditcard", "DataEdition", "Error",
           "IbanError", "InvalidAccount", "MalformedInput", "MalformedRecordError", "NoMethod",
           "Rules", "SearchField", "StaleDataWarning", "Strictness", "UnknownBank",
           "ValidationColumns", "ValidationResult", "WrongCheckDigit", "card", "compact",
           "data_edition", "data_path", "default_rules", "iban", "is_valid", "method_code",
           "pin_data_dir", "pinned_bank_file", "validate", "validate_many"]
