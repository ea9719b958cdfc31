"""IBANs: checking any known country's, building German ones.

>>> from quandor import iban
>>> iban.is_valid("DE71 3705 0198 0532 0130 00")
True
>>> iban.make("37050198", "532013000")
'DE71370501980532013000'
>>> iban.check("DE71 3705 0198 0532 0130 00").blz
'37050198'
"""

from __future__ import annotations

import dataclasses
from typing import Optional

from quandor import _quandor
from quandor._enums import Error, IbanError, as_error
from quandor._objects import Banking, _as_text, _require_text
from quandor._single import Rejected, invalid_account, thread_banking


class IbanMakeError(ValueError):
    """``make`` rejected its input; ``error`` says why (an ``Error``)."""

    def __init__(self, error: Error) -> None:
        super().__init__(error.message)
        self.error = error


@dataclasses.dataclass(frozen=True)
class IbanCheck:
    """Outcome of ``check``; true in a Boolean context when valid.

    ``valid``: right form and check digits, and for a German IBAN a bank
    connection that passed its bank's check or that cannot be checked for want
    of a method in the chosen rules (``account_error`` then says so).
    """

    valid: bool
    error: IbanError
    message: str  #: what failed first: the IBAN, else its bank connection
    iban: str  #: electronic form; "" when the input holds other characters than letters, digits, blanks
    blz: str  #: German IBAN: the embedded bank code, else ""
    account: str  #: German IBAN: the embedded account number (10 digits), else ""
    account_error: Error  #: the check of the bank connection; NO_VALIDATION when not checked

    def __bool__(self) -> bool:
        return self.valid


class InvalidIban(Rejected):
    """The IBAN's form or check digits are wrong; ``error`` is the ``IbanError``."""

    def __init__(self, error: IbanError) -> None:
        super().__init__(error, error.message)


def check(iban: str, banking: Optional[Banking] = None, *, lang: str = "de") -> IbanCheck:
    """Checks an IBAN (blanks and lower case allowed), and a German one's bank connection.

    The bank connection is checked with ``banking`` (its strictness and rules
    apply; it is left as after ``Banking.validate``), else with a ``Banking``
    object of the calling thread under ``default_rules()``. ``message`` is in
    ``lang``: ``"de"`` (German) or ``"en"`` (English).
    """
    _require_text("iban", iban)
    if banking is not None and not isinstance(banking, Banking):
        raise TypeError(f"banking must be quandor.Banking, not {type(banking).__name__}")
    iban_error, electronic, blz, account, account_error, valid = _quandor.validate_iban(
        iban, (banking if banking is not None else thread_banking())._native)
    verdict = IbanError(iban_error)
    checked = as_error(account_error)
    if verdict != IbanError.OK or checked == Error.NO_VALIDATION:
        message = verdict.text(lang)
    else:
        message = _quandor.error_text(account_error, lang)
    return IbanCheck(valid, verdict, message, electronic, blz, account, checked)


def is_valid(iban: str, *, rules: Optional[int] = None) -> bool:
    """Whether the IBAN is valid: form, check digits, and for a German one its bank connection.

    >>> is_valid("DE71370501980532013001")
    False
    """
    _require_text("iban", iban)
    return check(iban, thread_banking(rules)).valid


def validate(iban: str, *, rules: Optional[int] = None) -> str:
    """The IBAN in electronic form when it is valid; else raises a ``ValueError``.

    >>> validate("de71 3705 0198 0532 0130 00")
    'DE71370501980532013000'

    ``InvalidIban`` when the form or the check digits are wrong; for a German
    IBAN whose bank connection fails, the ``quandor.InvalidAccount`` of that
    failure (``WrongCheckDigit``, ``UnknownBank``, ...).
    """
    _require_text("iban", iban)
    result = check(iban, thread_banking(rules))
    if result.error != IbanError.OK:
        raise InvalidIban(result.error)
    if not result.valid:
        raise invalid_account(result.account_error)
    return result.iban


def compact(iban: str) -> str:
    """The electronic form: no blanks, upper case; nothing else is checked.

    >>> compact(" de71 3705 0198 0532 0130 00")
    'DE71370501980532013000'
    """
    return "".join(_as_text("iban", iban).split()).upper()


def make(blz: str, account: str, force: bool = False, banking: Optional[Banking] = None) -> str:
    """The German IBAN (electronic form) of a bank code and account number.

    Built only for a bank connection that ``banking`` (else a default
    ``Banking`` object of the calling thread) accepts: an unknown bank code or
    an account that fails its bank's check raises ``IbanMakeError``, as does a
    wrong digit count (eight for the bank code, one to ten for the account;
    blanks, "/" and "-" are dropped). A bank without a check method gets its
    IBAN. With ``force`` only the digits are checked.
    """
    _require_text("blz", blz)
    _require_text("account", account)
    if banking is not None and not isinstance(banking, Banking):
        raise TypeError(f"banking must be quandor.Banking, not {type(banking).__name__}")
    native = (banking if banking is not None else thread_banking())._native
    built, error = _quandor.make_iban(blz, account, native, bool(force))
    if not built:
        raise IbanMakeError(Error(error))
    return built


def format(iban: str) -> str:  # noqa: A001 - the paper form's name in the IBAN standard
    """The paper form: electronic form in groups of four.

    >>> format("de71370501980532013000")
    'DE71 3705 0198 0532 0130 00'
    """
    _require_text("iban", iban)
    return _quandor.format_iban(iban)


for _class in (IbanCheck, IbanMakeError, InvalidIban):
    _class.__module__ = __name__
del _class

__all__ = ["IbanCheck", "IbanMakeError", "InvalidIban", "check", "compact", "format", "is_valid",
           "make", "validate"]
