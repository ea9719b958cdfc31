"""One value at a time, as Python's validation libraries do it: is_valid, validate, compact."""

from __future__ import annotations

import threading
from typing import Any, Optional, Union

from quandor import _quandor
from quandor._enums import Error, IbanError
from quandor._objects import Banking, Creditcard, ValidationResult, _as_text


class Rejected(ValueError):
    """Base of the errors that ``validate`` raises: ``error`` says why, ``message`` in words."""

    def __init__(self, error: Union[Error, IbanError, int], message: Optional[str] = None) -> None:
        self.error = error
        self.message = message if message is not None else _quandor.error_text(int(error))
        super().__init__(self.message)


class InvalidAccount(Rejected):
    """A bank connection failed its check; ``error`` is the ``Error``, ``message`` its text."""


class WrongCheckDigit(InvalidAccount):
    """The account number fails its bank's check-digit method."""


class UnknownBank(InvalidAccount):
    """No bank of the bank code file has the bank code."""


class MalformedInput(InvalidAccount):
    """The bank code or account number is missing, too long or short, or holds other characters."""


class NoMethod(InvalidAccount):
    """The bank's check method is unknown to the chosen rules: the account cannot be checked."""


_KINDS = {
    Error.WRONG_CHECK_DIGIT: WrongCheckDigit,
    Error.BANK_NUMBER_UNKNOWN: UnknownBank,
    Error.TESTING_METHOD_UNKNOWN: NoMethod,
    Error.BANK_NUMBER_MISSING: MalformedInput,
    Error.ACCOUNT_NUMBER_MISSING: MalformedInput,
    Error.BANK_NUMBER_WRONG_DIGITS: MalformedInput,
    Error.ACCOUNT_NUMBER_WRONG_DIGITS: MalformedInput,
    Error.BANK_NUMBER_INCORRECT: MalformedInput,
    Error.ACCOUNT_NUMBER_INCORRECT: MalformedInput,
}


def invalid_account(error: Union[Error, int]) -> InvalidAccount:
    """The exception for a failed check: the subclass of its kind, else ``InvalidAccount``."""
    return _KINDS.get(error, InvalidAccount)(error)


_local = threading.local()


def _thread_object(kind: type, rules: Optional[int]) -> Any:
    """The calling thread's object of ``kind``, set to ``rules`` (None: the default)."""
    found = getattr(_local, kind.__name__, None)
    if found is None:
        found = kind()
        setattr(_local, kind.__name__, found)
    found.rules = _quandor.default_rules() if rules is None else rules
    return found


def thread_banking(rules: Optional[int] = None) -> Banking:
    """A ``Banking`` object of the calling thread, set to ``rules`` (None: the default)."""
    return _thread_object(Banking, rules)


def thread_creditcard(rules: Optional[int] = None) -> Creditcard:
    """A ``Creditcard`` object of the calling thread, set to ``rules`` (None: the default)."""
    return _thread_object(Creditcard, rules)


def validate(bank_code: str, account: str, *, rules: Optional[int] = None) -> ValidationResult:
    """The verdict on a bank connection when it is valid; else raises ``InvalidAccount``.

    >>> validate("37050198", "532013000").bank_name
    'Sparkasse KölnBonn'
    >>> validate("37050198", "1234567890")
    Traceback (most recent call last):
    ...
    quandor.WrongCheckDigit: Kontonummer ist falsch

    The exception is of the kind of failure: ``WrongCheckDigit``,
    ``UnknownBank``, ``MalformedInput`` or ``NoMethod``; every one is an
    ``InvalidAccount`` and a ``ValueError`` with ``error`` and ``message``.
    ``rules`` (a ``Rules``) defaults to ``default_rules()``.
    """
    result = thread_banking(rules).validate(bank_code, account)
    if not result.valid:
        raise invalid_account(result.error)
    return result


def is_valid(bank_code: str, account: str, *, rules: Optional[int] = None) -> bool:
    """Whether the account number passes the check of the bank with the code.

    >>> is_valid("37050198", "532013000")
    True
    >>> is_valid("370 501 98", "1234567890")
    False
    """
    return thread_banking(rules).validate(bank_code, account).valid


_SEPARATORS = str.maketrans("", "", " /-")


def compact(number: str) -> str:
    """The number without the separators the checks allow (blanks, "/", "-") and surrounding space.

    >>> compact(" 532 013-000 ")
    '532013000'
    """
    return _as_text("number", number).strip().translate(_SEPARATORS)


for _class in (Rejected, InvalidAccount, WrongCheckDigit, UnknownBank, MalformedInput, NoMethod):
    _class.__module__ = "quandor"
del _class
