"""Banking and Creditcard with properties and result objects."""

from __future__ import annotations

import dataclasses
from typing import Optional, Union

from quandor import _quandor
from quandor._edition import warn_if_stale
from quandor._enums import CardCompany, Error, Rules, SearchField, Strictness, as_error

MalformedRecordError = _quandor.MalformedRecordError


def _require_text(name: str, value: object) -> None:
    if not isinstance(value, (str, bytes)):
        raise TypeError(f"{name} must be str, not {type(value).__name__}")


def _require_int(name: str, value: object) -> None:
    if isinstance(value, bool) or not isinstance(value, int):
        raise TypeError(f"{name} must be int, not {type(value).__name__}")


def _require_int32(name: str, value: object) -> None:
    _require_int(name, value)
    if not -2**31 <= value < 2**31:  # type: ignore[operator]
        raise ValueError(f"{name} must fit in 32 bits, not {value}")


def _enum_property(native: property, name: str, enum: type, doc: str) -> property:
    """A native int property read as ``enum`` where it names a member, written as an int32."""

    def fget(self: object) -> Union[int, object]:
        value = native.fget(self)
        return enum(value) if value in enum._value2member_map_ else value

    def fset(self: object, value: int) -> None:
        _require_int32(name, value)
        native.fset(self, value)

    return property(fget, fset, doc=doc)


@dataclasses.dataclass(frozen=True)
class ValidationResult:
    """Outcome of ``Banking.validate``; true in a Boolean context when valid."""

    valid: bool
    error: Error
    message: str
    method: str  #: the bank's check method as the Bundesbank names it ("06", "B8"); "" when none
    bank_number: str
    account_number: str
    bank_name: str
    bank_city: str
    bic: str
    postcode: str

    def __bool__(self) -> bool:
        return self.valid


@dataclasses.dataclass(frozen=True)
class Bank:
    """A bank of the bank code file."""

    blz: str
    name: str
    city: str
    short_name: str
    postcode: str
    bic: str


class Banking(_quandor.Banking):
    """Validates German bank connections and looks banks up in the bank code file.

    >>> banking = Banking()
    >>> banking.validate("37050198", "1234567890").valid
    False

    The bank code file ``blz.txt`` is found as by every host of the library:
    ``QUANDOR_DATA_DIR``, the settings file, or beside the library. When it is
    missing, ``last_error`` is ``Error.BANK_NUMBER_FILE_MISSING`` and every
    validation answers so. Properties describe the last operation:
    ``bank_name``, ``bank_city``, ``bank_short_name``, ``bank_bic``,
    ``bank_postcode``, ``bank_number``, ``account_number``, ``method``.
    """

    def __init__(self, strictness: int = Strictness.NORMAL, rules: Optional[int] = None) -> None:
        super().__init__()
        warn_if_stale()
        self.strictness = strictness
        if rules is not None:
            self.rules = rules

    strictness = _enum_property(
        _quandor.Banking.strictness, "strictness", Strictness,
        "How tolerant the input checks are (``Strictness``).")
    rules = _enum_property(
        _quandor.Banking.rules, "rules", Rules,
        "The check methods applied (``Rules``); from ``QUANDOR_RULES`` or the settings by default.")

    @property
    def last_error(self) -> Error:
        """Outcome of the last operation."""
        return as_error(_quandor.Banking.last_error.fget(self))

    @property
    def method(self) -> str:
        """Check method of the bank last validated, as the Bundesbank names it; "" when none."""
        return _quandor.method_code(_quandor.Banking.method.fget(self))

    def validate(self, blz: str, account: str) -> ValidationResult:
        """Checks the account number at the bank with the code ``blz``."""
        _require_text("blz", blz)
        _require_text("account", account)
        valid = _quandor.Banking.validate(self, blz, account)
        error = self.last_error
        return ValidationResult(
            valid=valid,
            error=error,
            message=_quandor.error_text(int(error)),
            method=self.method,
            bank_number=self.bank_number,
            account_number=self.account_number,
            bank_name=self.bank_name,
            bank_city=self.bank_city,
            bic=self.bank_bic,
            postcode=self.bank_postcode,
        )

    def bank(self, blz: str) -> Optional[Bank]:
        """The bank with the code ``blz``, or None (``last_error`` says why)."""
        _require_text("blz", blz)
        if not _quandor.Banking.search_bank(self, blz):
            return None
        return Bank(self.bank_number, self.bank_name, self.bank_city, self.bank_short_name,
                    self.bank_postcode, self.bank_bic)

    def search(self, text: str, fields: int = SearchField.ALL) -> list[Bank]:
        """The banks whose ``fields`` hold ``text``, sorted by name.

        An empty list when none does or the file is missing (``last_error``
        says which). Raises ``MalformedRecordError`` for a found record that
        lacks the name, city or short name.
        """
        _require_text("text", text)
        _require_int32("fields", fields)
        return [Bank(*fields_) for fields_ in _quandor.Banking.search(self, text, int(fields))]

    def __repr__(self) -> str:
        return f"<quandor.Banking last_error={self.last_error!r}>"


@dataclasses.dataclass(frozen=True)
class CardResult:
    """Outcome of ``Creditcard.validate``; true in a Boolean context when valid."""

    valid: bool
    error: Error
    message: str
    card_number: str

    def __bool__(self) -> bool:
        return self.valid


class Creditcard(_quandor.Creditcard):
    """Tests a card number against its company's prefix and length (and Luhn, under ``Rules.CURRENT``)."""

    def __init__(self, strictness: int = Strictness.LOW, rules: Optional[int] = None) -> None:
        super().__init__()
        self.strictness = strictness
        if rules is not None:
            self.rules = rules

    strictness = _enum_property(
        _quandor.Creditcard.strictness, "strictness", Strictness,
        "How tolerant the scan is of characters other than digits (``Strictness``).")
    rules = _enum_property(
        _quandor.Creditcard.rules, "rules", Rules, "The card rules applied (``Rules``).")

    @property
    def last_error(self) -> Error:
        """Outcome of the last validation."""
        return as_error(_quandor.Creditcard.last_error.fget(self))

    def validate(self, company: int, number: str) -> CardResult:
        """Checks ``number`` against the rules of ``company`` (``CardCompany``)."""
        _require_int("company", company)
        _require_text("number", number)
        # The library takes a 32-bit company; anything beyond is no company either.
        company_code = company if -2**31 <= company < 2**31 else -1
        valid = _quandor.Creditcard.validate(self, company_code, number)
        error = self.last_error
        return CardResult(valid, error, _quandor.error_text(int(error)), self.card_number)

    def __repr__(self) -> str:
        return f"<quandor.Creditcard last_error={self.last_error!r}>"


__all__ = ["Bank", "Banking", "CardCompany", "CardResult", "Creditcard", "MalformedRecordError",
           "ValidationResult"]
