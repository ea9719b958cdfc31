"""quandor.pandas.validate_frame."""

import pandas as pd
import pytest

import quandor
from quandor.pandas import RESULT_COLUMNS, validate_frame


def test_appends_the_columns_and_keeps_the_frame():
    frame = pd.DataFrame({"Kunde": ["A", "B", "C"], "BLZ": ["37050198", "37050198", "99999999"],
                          "Konto": ["532013000", "1234567890", "1"]}, index=[7, 3, 5])
    result = validate_frame(frame)
    assert list(frame.columns) == ["Kunde", "BLZ", "Konto"]
    assert list(result.columns) == ["Kunde", "BLZ", "Konto", *RESULT_COLUMNS]
    assert list(result.index) == [7, 3, 5]
    assert result["valid"].tolist() == [True, False, False]
    assert result["error"].tolist() == [quandor.Error.NO_ERROR, quandor.Error.WRONG_CHECK_DIGIT,
                                        quandor.Error.BANK_NUMBER_UNKNOWN]
    assert result["method"].tolist() == ["00", "00", ""]
    assert result["bank_name"].tolist() == ["Sparkasse KölnBonn"] * 2 + [""]


def test_column_names_prefix_and_settings():
    frame = pd.DataFrame({"bank": [37050198], "account": ["532 013 000"]})
    result = validate_frame(frame, blz="bank", account="account", prefix="check_",
                            strictness=quandor.Strictness.RESTRICTIVE)
    assert list(result.columns[2:]) == ["check_" + name for name in RESULT_COLUMNS]
    assert result["check_error"].tolist() == [quandor.validate_many(
        [37050198], ["532 013 000"], strictness=quandor.Strictness.RESTRICTIVE).error[0]]
    with pytest.raises(KeyError):
        validate_frame(frame)


def test_more_columns_and_error_names():
    frame = pd.DataFrame({"BLZ": [37050198.0, float("nan")], "Konto": [532013000, 1]},
                         index=["a", "b"])
    result = validate_frame(frame, columns=["bic", "message"], error_as="name")
    assert list(result.columns[2:]) == [*RESULT_COLUMNS, "bic", "message"]
    assert result["error"].dtype == "category"
    assert result["error"].tolist() == ["NO_ERROR", "BANK_NUMBER_MISSING"]
    assert result["bic"].tolist() == ["COLSDE33XXX", ""]
    assert result["message"].tolist() == [quandor.Error.NO_ERROR.message,
                                          quandor.Error.BANK_NUMBER_MISSING.message]
