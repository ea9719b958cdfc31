"""The library's codes as Python enums.

Names and values come from the native module, which takes them from the
component's one list of codes: nothing here can drift from the library.
"""

from __future__ import annotations

import enum
from typing import Callable

from quandor import _quandor


class _Coded(enum.IntEnum):
    """An enum whose members have a message in German or English."""

    _text: Callable[[int, str], str]

    @property
    def message(self) -> str:
        """The German message of the code."""
        return self.text()

    def text(self, lang: str = "de") -> str:
        """The message of the code in ``lang``: ``"de"`` (German) or ``"en"`` (English)."""
        return type(self)._text(self.value, lang)


def _make(base: type, name: str, members: list[tuple[str, int]], doc: str) -> type:
    made = base(name, members, module=__name__, qualname=name)
    made.__doc__ = doc
    return made


class _ErrorCode(_Coded):
    _text = staticmethod(_quandor.error_text)


class _IbanCode(_Coded):
    _text = staticmethod(_quandor.iban_error_text)


Error = _make(_ErrorCode, "Error", _quandor.ERRORS, """\
Outcome of the last operation of a ``Banking`` or ``Creditcard`` object.

The values are the component's own error codes (``NO_ERROR`` is 1, as in the
C and C++ interfaces; 0 means that nothing was checked). ``message`` gives the
library's German text, e.g. ``Error.NO_ERROR.message`` is ``"Kein Fehler"``;
``text("en")`` the English one.
""")

IbanError = _make(_IbanCode, "IbanError", _quandor.IBAN_ERRORS, """\
Verdict on the form and the check digits of an IBAN.

The values are the component's IBAN verdicts (``OK`` is 0). ``message`` gives
the German text, ``text("en")`` the English one.
""")

Strictness = _make(enum.IntEnum, "Strictness", _quandor.STRICTNESS, """\
How tolerant the input checks are of characters other than digits.

The values are the component's strictness levels.
""")

Rules = _make(enum.IntEnum, "Rules", _quandor.RULES, """\
The check methods applied: as first built, or the Bundesbank's of today.

The values are the component's rule sets.
""")

SearchField = _make(enum.IntFlag, "SearchField", _quandor.SEARCH_FIELDS, """\
Fields that ``Banking.search`` looks in; ``ALL`` is the whole record.

The values are the component's search flags.
""")

CardCompany = _make(enum.IntEnum, "CardCompany", _quandor.CARD_COMPANIES, """\
The card companies whose number rules ``Creditcard`` knows.

The values are the component's company numbers.
""")


def as_error(code: int) -> Error | int:
    """``Error(code)``, or the plain number for a value that is no code."""
    try:
        return Error(code)
    except ValueError:
        return code
