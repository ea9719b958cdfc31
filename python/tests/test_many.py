"""quandor.validate_many: the same verdicts as Banking.validate, for every kind of column."""

import math
import threading

import numpy as np
import pandas as pd
import pytest

import quandor

ROWS = [
    ("37050198", "532013000"), ("37050198", "1234567890"), ("99999999", "1"),
    ("", "1"), ("3705019", "1"), ("37050198", "12345678901"), ("10000000", "1"),
    ("370 501 98", "532 013 000"), ("37050198", "53x"),
]
BLZS = [blz for blz, _ in ROWS]
ACCOUNTS = [account for _, account in ROWS]


def single_verdicts(blzs, accounts, **settings):
    banking = quandor.Banking(**settings)
    results = [banking.validate(blz, account) for blz, account in zip(blzs, accounts)]
    return ([r.valid for r in results], [int(r.error) for r in results],
            [r.method for r in results], [r.bank_name for r in results])


def columns_as_lists(columns):
    return tuple(list(column) for column in columns)


@pytest.mark.parametrize("rules", [quandor.Rules.ORIGINAL, quandor.Rules.CURRENT])
@pytest.mark.parametrize("strictness", list(quandor.Strictness))
def test_agrees_with_validate(strictness, rules):
    columns = quandor.validate_many(BLZS, ACCOUNTS, strictness=strictness, rules=rules)
    assert columns.valid.dtype == bool and columns.error.dtype == np.int32
    assert columns_as_lists(columns) == single_verdicts(BLZS, ACCOUNTS, strictness=strictness,
                                                        rules=rules)


@pytest.mark.parametrize("make_column", [
    tuple, lambda values: iter(list(values)), np.array, lambda values: np.array(values, dtype=object),
    pd.Series, lambda values: pd.Series(values, dtype="string"),
    lambda values: pd.Series(values, index=range(100, 100 + len(values))),
    lambda values: [value.encode() for value in values],
])
def test_every_kind_of_column(make_column):
    columns = quandor.validate_many(make_column(BLZS), make_column(ACCOUNTS))
    assert columns_as_lists(columns) == single_verdicts(BLZS, ACCOUNTS)


def test_numbers_and_missing_values():
    # A column read as numbers keeps its digits; missing values are empty texts.
    blzs = [37050198, np.int64(37050198), "37050198", None, math.nan, pd.NA]
    accounts = [532013000, "532013000", np.int32(12), "1", "1", "1"]
    expected = single_verdicts(["37050198"] * 3 + [""] * 3, ["532013000", "532013000", "12"] +
                               ["1"] * 3)
    assert columns_as_lists(quandor.validate_many(pd.Series(blzs, dtype=object),
                                                  accounts)) == expected
    assert columns_as_lists(quandor.validate_many(pd.Series([37050198, None], dtype="Int64"),
                                                  ["532013000", "1"]))[1] == [1, 3]


@pytest.mark.parametrize("blzs, accounts, exception", [
    ("37050198", ["1"], TypeError),
    (["37050198"], b"1", TypeError),
    (37050198, [1], TypeError),
    ([1.5], ["1"], TypeError),
    ([object()], ["1"], TypeError),
    ([True], ["1"], TypeError),
    (["1"], [["1"]], TypeError),
    (np.zeros((2, 2)), ["1", "2"], TypeError),
    (["1", "2"], ["1"], ValueError),
])
def test_bad_columns(blzs, accounts, exception):
    with pytest.raises(exception):
        quandor.validate_many(blzs, accounts)
    with pytest.raises(TypeError):
        quandor.validate_many(["1"], ["1"], strictness="1")


def test_empty_columns():
    columns = quandor.validate_many([], [])
    assert [len(column) for column in columns] == [0, 0, 0, 0]


def test_threads_at_once_agree():
    # The checks run without the interpreter lock, each call on the bank
    # index of its own thread.
    blzs, accounts = BLZS * 2000, ACCOUNTS * 2000
    expected = columns_as_lists(quandor.validate_many(blzs, accounts))
    results = [None] * 4

    def run(i):
        results[i] = columns_as_lists(quandor.validate_many(blzs, accounts))
    threads = [threading.Thread(target=run, args=(i,)) for i in range(4)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    assert all(result == expected for result in results)
