"""No input crashes the interpreter: random bytes, odd code points, huge texts.

Every call either answers or raises TypeError / ValueError (a text that is
no valid Unicode cannot be handed on as UTF-8).
"""

import random

import numpy as np

import quandor
from quandor import iban

ALLOWED = (TypeError, ValueError)


def random_inputs(rng):
    for _ in range(400):
        raw = bytes(rng.randrange(256) for _ in range(rng.randrange(40)))
        yield raw
        yield raw.decode("latin-1")
        yield raw.decode("utf-8", "surrogateescape")  # lone surrogates
        yield "".join(chr(rng.choice([rng.randrange(0x80), rng.randrange(0x110000)]))
                      for _ in range(rng.randrange(20)))
    for size in (32_766, 32_767, 32_768, 10_000_000):
        yield "4" * size
        yield "1" * size
        yield " " * size
        yield "\x00" * size
    yield rng.choice([None, 1, 1.5, [], {}, object(), np.float64("nan")])


def survives(call, *args):
    try:
        call(*args)
    except ALLOWED:
        pass


def test_every_operation_survives_every_input():
    rng = random.Random(14)
    banking, card = quandor.Banking(), quandor.Creditcard()
    inputs = list(random_inputs(rng))
    for text in inputs:
        other = rng.choice(inputs[:50])
        survives(banking.validate, text, other)
        survives(banking.validate, other, text)
        survives(banking.bank, text)
        survives(iban.check, text)
        survives(iban.make, text, other)
        survives(iban.format, text)
        survives(card.validate, rng.randrange(-3, 9), text)
        survives(quandor.validate_many, [text, other], [other, text])
        survives(quandor.validate_many, [text], [None])
        if len(text) < 100_000:  # the search reads the whole file for each
            survives(banking.search, text, rng.randrange(8))
    # After all of it, the objects still work.
    assert banking.validate("37050198", "532013000").valid
    assert card.validate(quandor.CardCompany.VISA, "4111111111111111").valid
