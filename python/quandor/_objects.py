"""Banking and Creditcard with properties and result objects."""

from __future__ import annotations

import dataclasses
from typing import Optional, Union

from quandor import _quandor
from quandor._edition import warn_if_stale
from quandor._enums import CardCompany, Error, Rules, SearchField, Strictness, as_error

MalformedRecordError = _quandor.MalformedRecordError
MalformedRecordError.__module__ = "quandor"
MalformedRecordError.__doc__ = "A record of the bank code file lacks a field that a search shows."


def _require_text(name: str, value: object) -> None:
    if not isinstance(value, (str, bytes)):
        raise TypeError(f"{name} must be str, not {type(value).__name__}")


def _as_text(name: str, value: object) -> str:
    """``value`` as str: bytes decoded as UTF-8; TypeError for anything else."""
    _require_text(name, value)
    return value.decode("utf-8", "replace") if isinstance(value, bytes) else value  # type: ignore


def _require_int(name: str, value: object) -> None:
    if isinstance(value, bool) or not isinstance(value, int):
        raise TypeError(f"{name} must be int, not {type(value).__name__}")


def _require_int32(name: str, value: object) -> None:
    _require_int(name, value)
    if not -2**31 <= value < 2**31:  # type: ignore[operator]
        raise ValueError(f"{name} must fit in 32 bits, not {value}")


def default_rules() -> Rules:
    """The rules the package applies unless told otherwise.

    ``QUANDOR_RULES`` ("current" or "original"), else the setting ``rules`` of
    the settings file, else ``Rules.CURRENT``: today's check methods and card
    rules. (The component's own objects, used from C or C++, keep
    ``Rules.ORIGINAL`` as their default for the programs built on it.)
    """
    return Rules(_quandor.default_rules())


def _rules_or_default(rules: Optional[int]) -> int:
    if rules is None:
        return _quandor.default_rules()
    _require_int("rules", rules)
    return rules if -2**31 <= rules < 2**31 else Rules.ORIGINAL  # type: ignore[operator]


def _display_blz(blz: str) -> str:
    """A bank code as printed: "37050198" -> "370 501 98"; anything else as it is."""
    return f"{blz[:3]} {blz[3:6]} {blz[6:]}" if len(blz) == 8 and blz.isdigit() else blz


def _plain_blz(text: str) -> str:
    """The bank code of a display text: its digits ("370 501 98" -> "37050198")."""
    return text.replace(" ", "")


def _native_text(name: str, doc: str) -> property:
    """A read-only text property passed on from the native object."""

    def fget(self: "_Settings") -> str:
        return getattr(self._native, name)

    return property(fget, doc=doc)


def _native_enum(name: str, enum: type, doc: str) -> property:
    """An int32 setting of the native object, read as a member of ``enum`` where it is one."""

    def fget(self: "_Settings") -> Union[int, object]:
        value = getattr(self._native, name)
        return enum(value) if value in enum._value2member_map_ else value

    def fset(self: "_Settings", value: int) -> None:
        _require_int32(name, value)
        setattr(self._native, name, value)

    return property(fget, fset, doc=doc)


class _Settings:
    """The settings and state that Banking and Creditcard share."""

    __slots__ = ("_native",)  # the native object: _quandor.Banking or _quandor.Creditcard

    strictness = _native_enum(
        "strictness",
        Strictness,
        "How tolerant the input checks are (``Strictness``); any int32 is kept as given.",
    )
    rules = _native_enum(
        "rules", Rules, "The check methods applied (``Rules``); ``default_rules()`` unless given."
    )

    @property
    def validated(self) -> bool:
        """Whether the last validation passed."""
        return self._native.validated

    def reset(self) -> None:
        """Back to the state after creation; the settings stay."""
        self._native.reset()


@dataclasses.dataclass(frozen=True)
class ValidationResult:
    """Outcome of ``Banking.validate``; true in a Boolean context when valid."""

    valid: bool
    error: Error
    message: str
    method: str  #: the bank's check method as the Bundesbank names it ("06", "B8"); "" when none
    bank_number: str  #: the bank code's eight digits; see ``bank_number_display``
    account_number: str
    bank_name: str
    bank_city: str
    bic: str
    postcode: str

    @property
    def bank_number_display(self) -> str:
        """The bank code as printed, "370 501 98"."""
        return _display_blz(self.bank_number)

    def __bool__(self) -> bool:
        return self.valid


@dataclasses.dataclass(frozen=True)
class Bank:
    """A bank of the bank code file."""

    blz: str  #: the bank code's eight digits; see ``blz_display``
    name: str
    city: str
    short_name: str
    postcode: str
    bic: str

    @property
    def blz_display(self) -> str:
        """The bank code as printed, "370 501 98"."""
        return _display_blz(self.blz)


class Banking(_Settings):
    """Validates German bank connections and looks banks up in the bank code file.

    >>> banking = Banking()
    >>> banking.validate("37050198", "1234567890").valid
    False
    >>> banking.bank("370 501 98").blz
    '37050198'

    The bank code file ``blz.txt`` is found as by every host of the library:
    ``QUANDOR_DATA_DIR``, the settings file, or beside the library. When it is
    missing, ``last_error`` is ``Error.BANK_NUMBER_FILE_MISSING`` and every
    validation answers so. Properties describe the last operation:
    ``bank_name``, ``bank_city``, ``bank_short_name``, ``bank_bic``,
    ``bank_postcode``, ``bank_number``, ``account_number``, ``method``.
    """

    __slots__ = ()

    def __init__(self, strictness: int = Strictness.NORMAL, rules: Optional[int] = None) -> None:
        warn_if_stale()
        self._native = _quandor.Banking()
        self.strictness = strictness
        self.rules = _quandor.default_rules() if rules is None else rules

    @property
    def last_error(self) -> Error:
        """Outcome of the last operation."""
        return as_error(self._native.last_error)

    @property
    def method(self) -> str:
        """Check method of the bank last validated, as the Bundesbank names it; "" when none."""
        return _quandor.method_code(self._native.method)

    @property
    def bank_number(self) -> str:
        """The bank code of the last operation, its eight digits."""
        return _plain_blz(self._native.bank_number)

    @property
    def bank_number_display(self) -> str:
        """The bank code of the last operation as printed, "370 501 98"."""
        return _display_blz(self.bank_number)

    account_number = _native_text(
        "account_number", "The account number of the last validation, as the input checks took it.")
    bank_name = _native_text("bank_name", "The bank's name.")
    bank_city = _native_text("bank_city", "The bank's city.")
    bank_short_name = _native_text("bank_short_name", "The bank's short name.")
    bank_bic = _native_text("bank_bic", 'The bank\'s BIC; "" when the file gives none.')
    bank_postcode = _native_text("bank_postcode", "The bank's postcode.")
    version = _native_text("version", "The library's version.")
    copyright = _native_text("copyright", "The library's copyright notice.")

    def validate(self, blz: str, account: str, *, lang: str = "de") -> ValidationResult:
        """Checks the account number at the bank with the code ``blz``.

        ``message`` is in ``lang``: ``"de"`` (German) or ``"en"`` (English).
        """
        _require_text("blz", blz)
        _require_text("account", account)
        valid = self._native.validate(blz, account)
        error = self.last_error
        return ValidationResult(
            valid=valid,
            error=error,
            message=_quandor.error_text(int(error), lang),
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
        if not self._native.search_bank(blz):
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
        return [Bank(_plain_blz(blz), *rest)
                for blz, *rest in self._native.search(text, int(fields))]

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


# The names quandor-check takes, besides the members' own.
_COMPANY_WORDS = {"amex": CardCompany.AMERICAN_EXPRESS, "diners": CardCompany.DINERS_CLUB}


def card_company(company: Union[int, str]) -> int:
    """The company number of a ``CardCompany``, its number or its name ("visa", "amex", ...).

    Raises ValueError for a name of no company and TypeError for another
    type; a number, also in digits ("0"), is passed on as it is (an unknown
    one is the library's ``Error.COMPANY_NUMBER_UNKNOWN``).
    """
    if isinstance(company, str) and company.strip().isdecimal():
        company = int(company)
    if isinstance(company, str):
        word = company.strip().lower().replace("-", "_").replace(" ", "_")
        found = _COMPANY_WORDS.get(word) or CardCompany.__members__.get(word.upper())
        if found is None:
            names = ", ".join([m.lower() for m in CardCompany.__members__] + list(_COMPANY_WORDS))
            raise ValueError(f"no card company named {company!r}; known: {names}")
        return int(found)
    _require_int("company", company)
    # The library takes a 32-bit company; anything beyond is no company either.
    return company if -2**31 <= company < 2**31 else -1


class Creditcard(_Settings):
    """Tests a card number against its company's prefix and length, and its Luhn check digit.

    >>> Creditcard().validate("visa", "4111 1111 1111 1111").valid
    True

    The Luhn check belongs to today's rules (``Rules.CURRENT``, the
    package's default); the original rules test prefix and length only.
    """

    __slots__ = ()

    def __init__(self, strictness: int = Strictness.LOW, rules: Optional[int] = None) -> None:
        self._native = _quandor.Creditcard()
        self.strictness = strictness
        self.rules = _quandor.default_rules() if rules is None else rules

    @property
    def last_error(self) -> Error:
        """Outcome of the last validation."""
        return as_error(self._native.last_error)

    card_number = _native_text("card_number", "The card number last validated.")

    def validate(self, company: Union[int, str], number: str, *, lang: str = "de") -> CardResult:
        """Checks ``number`` by the rules of ``company``: a ``CardCompany``, its number or name.

        ``message`` is in ``lang``: ``"de"`` (German) or ``"en"`` (English).
        """
        company_code = card_company(company)
        _require_text("number", number)
        valid = self._native.validate(company_code, number)
        error = self.last_error
        return CardResult(valid, error, _quandor.error_text(int(error), lang), self.card_number)

    def __repr__(self) -> str:
        return f"<quandor.Creditcard last_error={self.last_error!r}>"


for _class in (ValidationResult, Bank, Banking, CardResult, Creditcard):
    _class.__module__ = "quandor"
del _class
