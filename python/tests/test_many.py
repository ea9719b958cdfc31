"""quandor.validate_many: the same verdicts as Banking.validate, for every kind of column."""

import io
import re
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


# Bank codes and accounts as a CSV reader hands them over: numbers, with gaps.
TYPED_BLZS = [37050198, 37050198, 37050198, None]
TYPED_ACCOUNTS = [532013000, 1234567890, None, 1]
TYPED_EXPECTED = single_verdicts(["37050198"] * 3 + [""], ["532013000", "1234567890", "", "1"])


@pytest.mark.parametrize("make_column", [
    lambda values: values,
    lambda values: [float("nan") if v is None else float(v) for v in values],
    lambda values: np.array([np.nan if v is None else v for v in values], dtype=np.float64),
    lambda values: pd.Series(values, dtype="float64"),
    lambda values: pd.Series(values, dtype="Int64"),
    lambda values: pd.Series(values, dtype=object),
    lambda values: pd.Series([pd.NA if v is None else str(v) for v in values], dtype="string"),
    lambda values: [pd.NA if v is None else np.int64(v) for v in values],
    lambda values: pd.read_csv(io.StringIO("i,x\n" + "".join(
        f"{i},{'' if v is None else v}\n" for i, v in enumerate(values))))["x"],
])
def test_column_types(make_column):
    columns = quandor.validate_many(make_column(TYPED_BLZS), make_column(TYPED_ACCOUNTS))
    assert columns_as_lists(columns) == TYPED_EXPECTED


@pytest.mark.parametrize("blzs, accounts, exception", [
    ("37050198", ["1"], TypeError),
    (["37050198"], b"1", TypeError),
    (37050198, [1], TypeError),
    (["37050198", 1.5], ["1", "1"], TypeError),
    (["37050198"], [float("inf")], TypeError),
    ([object()], ["1"], TypeError),
    ([True], ["1"], TypeError),
    (["1"], [["1"]], TypeError),
    (np.zeros((2, 2)), ["1", "2"], TypeError),
    (["1", "2"], ["1"], ValueError),
])
def test_bad_columns(blzs, accounts, exception):
    with pytest.raises(exception) as raised:
        quandor.validate_many(blzs, accounts)
    if isinstance(blzs, list) and isinstance(accounts, list) and len(blzs) == len(accounts):
        assert re.search(r"row \d+ of (blzs|accounts)", str(raised.value))
    with pytest.raises(TypeError):
        quandor.validate_many(["1"], ["1"], strictness="1")


@pytest.mark.parametrize("columns, error_as", [
    ((), "code"), (["message"], "code"), (["bank_city", "bic", "message"], "name"), ("bic", "name"),
])
@pytest.mark.parametrize("rows", [ROWS, []])
def test_more_columns_and_error_names(columns, error_as, rows):
    blzs, accounts = [b for b, _ in rows], [a for _, a in rows]
    verdicts = quandor.validate_many(blzs, accounts, columns=columns, error_as=error_as)
    wanted = [columns] if isinstance(columns, str) else list(columns)
    assert verdicts._fields == ("valid", "error", "method", "bank_name", *wanted)
    banking = quandor.Banking()
    results = [banking.validate(blz, account) for blz, account in rows]
    expected = {"bank_city": [r.bank_city for r in results], "bic": [r.bic for r in results],
                "message": [r.message for r in results],
                "error": [r.error.name if error_as == "name" else int(r.error) for r in results]}
    for name in ("error", *wanted):
        assert list(verdicts[name]) == list(getattr(verdicts, name)) == expected[name]
    if error_as == "name":
        assert isinstance(verdicts.error, pd.Categorical)
    with pytest.raises(ValueError):
        quandor.validate_many(blzs, accounts, columns=["postcode"])
    with pytest.raises(ValueError):
        quandor.validate_many(blzs, accounts, error_as="text")


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
