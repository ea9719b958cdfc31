"""Credit card numbers, one at a time: is_valid, validate, compact.

>>> from quandor import card
>>> card.is_valid("visa", "4111 1111 1111 1111")
True
>>> card.is_valid(card.CardCompany.MASTERCARD, "4111 1111 1111 1111")
False

The company is a ``CardCompany``, its number, or its name as quandor-check
takes it ("visa", "mastercard", "eurocard", "amex", "diners", "discover"; the
members' names work too). ``rules`` defaults to ``quandor.default_rules()``.
"""

from __future__ import annotations

from typing import Optional, Union

from quandor._enums import CardCompany
from quandor._objects import CardResult, _as_text
from quandor._single import Rejected, thread_creditcard


class InvalidCard(Rejected):
    """The card number fails its company's rules: ``error`` (an ``Error``) and ``message``."""


def validate(company: Union[int, str], number: str, *,
             rules: Optional[int] = None) -> CardResult:
    """The verdict on a card number when it is valid; else raises ``InvalidCard``.

    >>> validate("amex", "3782 822463 10005").valid
    True
    >>> validate("amex", "3782 822463 10006")
    Traceback (most recent call last):
    ...
    quandor.card.InvalidCard: Kreditkartennummer ist falsch
    """
    result = thread_creditcard(rules).validate(company, number)
    if not result.valid:
        raise InvalidCard(result.error)
    return result


def is_valid(company: Union[int, str], number: str, *, rules: Optional[int] = None) -> bool:
    """Whether the card number passes the rules of the company.

    >>> is_valid("visa", "4111 1111 1111 1112")
    False
    """
    return thread_creditcard(rules).validate(company, number).valid


def compact(number: str) -> str:
    """The card number without blanks and "-".

    >>> compact("4111-1111 1111-1111")
    '4111111111111111'
    """
    return "".join(_as_text("number", number).split()).replace("-", "")


InvalidCard.__module__ = __name__

__all__ = ["CardCompany", "CardResult", "InvalidCard", "compact", "is_valid", "validate"]
