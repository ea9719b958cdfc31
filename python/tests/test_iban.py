"""quandor.iban: check, make, format."""

import pytest

import quandor
from quandor import iban

Error, IbanError = quandor.Error, quandor.IbanError


@pytest.mark.parametrize("text, valid, error, account_error", [
    ("DE71 3705 0198 0532 0130 00", True, IbanError.OK, Error.NO_ERROR),
    ("de71370501980532013000", True, IbanError.OK, Error.NO_ERROR),
    ("DE93370501981234567890", False, IbanError.OK, Error.WRONG_CHECK_DIGIT),
    ("DE71370501980532013001", False, IbanError.WRONG_CHECK_DIGITS, Error.NO_VALIDATION),
    ("GB82 WEST 1234 5698 7654 32", True, IbanError.OK, Error.NO_VALIDATION),
    ("br18 0036 0305 0000 1000 9795 493c 1", True, IbanError.OK, Error.NO_VALIDATION),
    ("BR54A0360305000010009795493C1", False, IbanError.INCORRECT, Error.NO_VALIDATION),  # a letter where digits go
    ("DE71 3705", False, IbanError.WRONG_LENGTH, Error.NO_VALIDATION),
    ("", False, IbanError.MISSING, Error.NO_VALIDATION),
    ("DE71-3705", False, IbanError.INCORRECT, Error.NO_VALIDATION),
])
def test_check(text, valid, error, account_error):
    result = iban.check(text)
    assert (result.valid, result.error, result.account_error) == (valid, error, account_error)
    assert result.message == (account_error.message if error == IbanError.OK and
                              account_error != Error.NO_VALIDATION else error.message)


def test_check_with_own_banking_object():
    banking = quandor.Banking()
    result = iban.check("DE71370501980532013000", banking)
    assert (result.blz, result.account) == ("37050198", "0532013000")
    assert banking.bank_bic == "COLSDE33XXX"


@pytest.mark.parametrize("blz, account, force, expected", [
    ("37050198", "532013000", False, "DE71370501980532013000"),
    ("370 501 98", "532-013/000", False, "DE71370501980532013000"),
    ("99999999", "0532013000", False, Error.BANK_NUMBER_UNKNOWN),
    ("99999999", "0532013000", True, "DE44999999990532013000"),  # only the digits are checked
    ("3705019", "1", True, Error.BANK_NUMBER_WRONG_DIGITS),
    ("37050198", "12345678901", False, Error.ACCOUNT_NUMBER_WRONG_DIGITS),
    ("37050198", "53x", False, Error.ACCOUNT_NUMBER_INCORRECT),
    ("", "1", False, Error.BANK_NUMBER_MISSING),
])
def test_make(blz, account, force, expected):
    if isinstance(expected, str):
        made = iban.make(blz, account, force=force)
        assert made == expected and iban.check(made).error == IbanError.OK
    else:
        with pytest.raises(iban.IbanMakeError) as raised:
            iban.make(blz, account, force=force)
        assert raised.value.error == expected and str(raised.value) == expected.message


def test_format():
    assert iban.format("de71370501980532013000") == "DE71 3705 0198 0532 0130 00"
    assert iban.format("tr330006100519786457841326") == "TR33 0006 1005 1978 6457 8413 26"


@pytest.mark.parametrize("text, exception", [
    ("de71 3705 0198 0532 0130 00", None),
    ("GB82 WEST 1234 5698 7654 32", None),
    ("DE71370501980532013001", iban.InvalidIban),
    ("DE71 3705", iban.InvalidIban),
    ("DE93370501981234567890", quandor.WrongCheckDigit),
])
def test_is_valid_validate_compact(text, exception):
    electronic = "".join(text.split()).upper()
    assert iban.compact(text) == electronic
    assert iban.is_valid(text) == (exception is None)
    if exception is None:
        assert iban.validate(text) == electronic
        return
    with pytest.raises(exception) as raised:
        iban.validate(text)
    result = iban.check(text)
    expected = result.error if result.error != IbanError.OK else result.account_error
    assert isinstance(raised.value, ValueError)
    assert (raised.value.error, raised.value.message) == (expected, expected.message)
