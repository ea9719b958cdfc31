"""IBANs: checking any known country's, building German ones.

>>> from quandor import iban
>>> iban.make("37050198", "532013000")
'DE71370501980532013000'
>>> iban.check("DE71 3705 0198 0532 0130 00").valid
True
"""

from __future__ import annotations

import dataclasses
import threading
from typing import Optional

from quandor import _quandor
from quandor._enums import Error, IbanError, as_error
from quandor._objects import Banking, _require_text


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


_local = threading.local()


def _thread_banking() -> Banking:
    banking = getattr(_local, "banking", None)
    if banking is None:
        banking = _local.banking = Banking()
    return banking


def check(iban: str, banking: Optional[Banking] = None, *, lang: str = "de") -> IbanCheck:
    """Checks an IBAN (blanks and lower case allowed), and a German one's bank connection.

    The bank connection is checked with ``banking`` (its strictness and rules
    apply; it is left as after ``Banking.validate``), else with a default
    ``Banking`` object of the calling thread. ``message`` is in ``lang``:
    ``"de"`` (German) or ``"en"`` (English).
    """
    _require_text("iban", iban)
    if banking is not None and not isinstance(banking, Banking):
        raise TypeError(f"banking must be quandor.Banking, not {type(banking).__name__}")
    iban_error, electronic, blz, account, account_error, valid = _quandor.validate_iban(
        iban, banking if banking is not None else _thread_banking())
    verdict = IbanError(iban_error)
    checked = as_error(account_error)
    if verdict != IbanError.OK or checked == Error.NO_VALIDATION:
        message = verdict.text(lang)
    else:
        message = _quandor.error_text(account_error, lang)
    return IbanCheck(valid, verdict, message, electronic, blz, account, checked)


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
    built, error = _quandor.make_iban(blz, account,
                                      banking if banking is not None else _thread_banking(),
                                      bool(force))
    if not built:
        raise IbanMakeError(Error(error))
    return built


def format(iban: str) -> str:  # noqa: A001 - the paper form's name in the IBAN standard
    """The paper form: electronic form in groups of four ("DE71 3705 0198 0532 0130 00")."""
    _require_text("iban", iban)
    return _quandor.format_iban(iban)


__all__ = ["IbanCheck", "IbanMakeError", "check", "format", "make"]
