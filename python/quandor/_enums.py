"""The library's codes as Python enums.

Their values are the library's own; the package's tests hold them against the
native module's tables, so that the two cannot drift apart.
"""

from __future__ import annotations

import enum

from quandor import _quandor


class Error(enum.IntEnum):
    """Outcome of the last operation of a ``Banking`` or ``Creditcard`` object.

    ``message`` gives the library's German text, e.g. ``Error.NO_ERROR.message``
    is ``"Kein Fehler"``.
    """

    NO_VALIDATION = 0
    NO_ERROR = 1
    WRONG_CHECK_DIGIT = 2
    BANK_NUMBER_MISSING = 3
    ACCOUNT_NUMBER_MISSING = 4
    BANK_NUMBER_WRONG_DIGITS = 5
    ACCOUNT_NUMBER_WRONG_DIGITS = 6
    BANK_NUMBER_UNKNOWN = 7
    TESTING_METHOD_UNKNOWN = 8
    BANK_NUMBER_FILE_MISSING = 9
    ACCOUNT_NUMBER_INCORRECT = 10
    BANK_NUMBER_INCORRECT = 11
    CARD_WRONG_CHECK_DIGIT = 102
    CARD_COMPANY_MISSING = 103
    CARD_NUMBER_MISSING = 104
    COMPANY_NUMBER_UNKNOWN = 107
    CARD_NUMBER_INCORRECT = 110
    NO_BANK_FOUND = 200
    UNKNOWN_ERROR = 255

    @property
    def message(self) -> str:
        """The German message of the code."""
        return _quandor.error_text(self.value)


class IbanError(enum.IntEnum):
    """Verdict on the form and the check digits of an IBAN."""

    OK = 0
    MISSING = 1
    INCORRECT = 2
    COUNTRY_UNKNOWN = 3
    WRONG_LENGTH = 4
    WRONG_CHECK_DIGITS = 5

    @property
    def message(self) -> str:
        """The German message of the verdict."""
        return _quandor.iban_error_text(self.value)


class Strictness(enum.IntEnum):
    """How tolerant the input checks are of characters other than digits."""

    LOW = 0
    NORMAL = 1
    STRICT = 2
    RESTRICTIVE = 3


class Rules(enum.IntEnum):
    """The check methods applied: as first built, or the Bundesbank's of today."""

    ORIGINAL = 0
    CURRENT = 1


class SearchField(enum.IntFlag):
    """Fields that ``Banking.search`` looks in; ``ALL`` is the whole record."""

    ALL = 0
    BLZ = 1
    NAME = 2
    CITY = 4


class CardCompany(enum.IntEnum):
    """The card companies whose number rules ``Creditcard`` knows."""

    VISA = 0
    MASTERCARD = 1
    EUROCARD = 2
    AMERICAN_EXPRESS = 3
    DINERS_CLUB = 4
    DISCOVER = 5


def as_error(code: int) -> Error | int:
    """``Error(code)``, or the plain number for a value that is no code."""
    try:
        return Error(code)
    except ValueError:
        return code
