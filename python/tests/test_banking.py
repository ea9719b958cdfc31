"""quandor.Banking, quandor.Creditcard, the enums, and the one-value functions."""

import doctest
import importlib
import pydoc
import subprocess
import threading
import warnings

import pytest

import quandor
from quandor import _quandor
from conftest import in_fresh_thread

Error = quandor.Error

# 37050198 uses method 00; 532013000 passes it, 1234567890 fails it.
GOOD = ("37050198", "532013000")


@pytest.mark.parametrize("member, name, value", [
    (Error.NO_VALIDATION, "NO_VALIDATION", 0), (Error.NO_ERROR, "NO_ERROR", 1),
    (Error.ACCOUNT_NUMBER_INCORRECT, "ACCOUNT_NUMBER_INCORRECT", 10),
    (Error.UNKNOWN_ERROR, "UNKNOWN_ERROR", 255), (quandor.IbanError.OK, "OK", 0),
    (quandor.Strictness.RESTRICTIVE, "RESTRICTIVE", 3), (quandor.Rules.CURRENT, "CURRENT", 1),
    (quandor.SearchField.CITY, "CITY", 4), (quandor.CardCompany.DISCOVER, "DISCOVER", 5),
])
def test_enums_carry_the_librarys_codes(member, name, value):
    assert (member.name, member.value, type(member)(value)) == (name, value, member)


@pytest.mark.parametrize("message, expected", [
    (lambda: Error.NO_ERROR.message, "Kein Fehler"),
    (lambda: Error.NO_BANK_FOUND.text("de"), "Keine Bank gefunden"),
    (lambda: Error.NO_BANK_FOUND.text("en"), "No bank found"),
    (lambda: quandor.IbanError.WRONG_CHECK_DIGITS.text("en"), "IBAN check digits are wrong"),
    (lambda: quandor.Banking().validate(*GOOD, lang="en").message, "No error"),
    (lambda: quandor.Creditcard().validate(0, "x", lang="en").message, "Credit card number is wrong"),
    (lambda: quandor.iban.check("DE00", lang="en").message, "IBAN has the wrong number of characters"),
])
def test_messages_german_by_default_english_on_request(message, expected):
    assert message() == expected


def test_messages_refuse_other_languages():
    with pytest.raises(ValueError):
        Error.NO_ERROR.text("fr")

@pytest.mark.parametrize("blz, account, error", [
    (*GOOD, Error.NO_ERROR),
    ("370 501 98", "532 013 000", Error.NO_ERROR),
    ("37050198", "1234567890", Error.WRONG_CHECK_DIGIT),
    ("99999999", "1", Error.BANK_NUMBER_UNKNOWN),
    ("", "1", Error.BANK_NUMBER_MISSING),
    ("37050198", "", Error.ACCOUNT_NUMBER_MISSING),
    ("3705019", "1", Error.BANK_NUMBER_WRONG_DIGITS),
    ("37050198", "12345678901", Error.ACCOUNT_NUMBER_WRONG_DIGITS),
])
def test_validate(blz, account, error):
    result = quandor.Banking().validate(blz, account)
    assert (result.valid, result.error, bool(result)) == (error == Error.NO_ERROR, error,
                                                           error == Error.NO_ERROR)
    assert result.message == error.message


def test_result_and_properties_describe_the_bank():
    banking = quandor.Banking()
    result = banking.validate(*GOOD)
    assert (result.method, result.bank_name, result.bank_city, result.bic, result.postcode) == (
        "00", "Sparkasse KölnBonn", "Köln", "COLSDE33XXX", "50667")
    assert (banking.method, banking.bank_name, banking.bank_bic, banking.bank_postcode,
            banking.last_error, banking.validated) == (
        "00", "Sparkasse KölnBonn", "COLSDE33XXX", "50667", Error.NO_ERROR, True)
    banking.reset()
    assert (banking.method, banking.bank_name, banking.bank_bic, banking.bank_postcode,
            banking.last_error) == ("", "", "", "", Error.NO_VALIDATION)


def test_settings_and_bad_argument_types():
    banking = quandor.Banking(strictness=quandor.Strictness.RESTRICTIVE, rules=quandor.Rules.CURRENT)
    assert (banking.strictness, banking.rules) == (quandor.Strictness.RESTRICTIVE,
                                                   quandor.Rules.CURRENT)
    banking.strictness = 7  # stored as given, behaves as NORMAL
    assert banking.strictness == 7
    for call in (lambda: banking.validate(37050198, "1"), lambda: banking.validate("1", None),
                 lambda: banking.search(5), lambda: banking.bank(1),
                 lambda: setattr(banking, "strictness", "1"),
                 lambda: quandor.Banking(strictness=1.0), lambda: quandor.Banking(rules=True),
                 lambda: quandor.iban.check(22), lambda: quandor.iban.make("1", 2),
                 lambda: quandor.Creditcard().validate(1.0, "4111"),
                 lambda: quandor.method_code("6"),
                 lambda: quandor.is_valid(37050198, "1"), lambda: quandor.compact(1),
                 lambda: quandor.card.is_valid(None, "4111")):
        with pytest.raises(TypeError):
            call()
    for call in (lambda: setattr(banking, "rules", 2**40),
                 lambda: quandor.card.is_valid("maestro", "4111")):
        with pytest.raises(ValueError):
            call()


def test_search_and_bank():
    banking = quandor.Banking()
    banks = banking.search("KölnBonn", quandor.SearchField.NAME)
    assert [bank.blz for bank in banks] == ["37050198"]
    assert banks[0].bic == "COLSDE33XXX" and banking.last_error == Error.NO_ERROR
    cities = {bank.city for bank in banking.search("köln", quandor.SearchField.CITY)}
    assert cities == {"Köln"}
    assert banking.search("no such bank anywhere") == []
    assert banking.last_error == Error.NO_BANK_FOUND
    bank = banking.bank("370 501 98")
    assert (bank.blz, bank.blz_display, bank.name, bank.city, bank.postcode) == (
        "37050198", "370 501 98", "Sparkasse KölnBonn", "Köln", "50667")
    assert (banking.bank_number, banking.bank_number_display) == ("37050198", "370 501 98")
    assert banking.bank("99999999") is None and banking.last_error == Error.BANK_NUMBER_UNKNOWN


def test_missing_bank_code_file_is_a_result(data_dir):
    def run():
        banking = quandor.Banking()
        assert banking.last_error == Error.BANK_NUMBER_FILE_MISSING
        assert banking.validate(*GOOD).error == Error.BANK_NUMBER_FILE_MISSING
        assert list(quandor.validate_many([GOOD[0]] * 2, [GOOD[1]] * 2).error) == [9, 9]
        assert quandor.iban.check("DE71370501980532013000").account_error == \
            Error.BANK_NUMBER_FILE_MISSING
    in_fresh_thread(run)


def test_own_bank_code_file(data_dir):
    (data_dir / "blz.txt").write_text("10000000;Musterbank;Berlin;Muster;09;10115\n")

    def run():
        result = quandor.Banking().validate("10000000", "1")
        assert (result.error, result.bank_name, result.postcode, result.bic) == (
            Error.NO_ERROR, "Musterbank", "10115", "")
    in_fresh_thread(run)


def test_pinned_bank_file_keeps_its_version(data_dir):
    (data_dir / "blz.txt").write_text("10000000;Musterbank;Berlin;Muster;09\n")

    def run():
        banking = quandor.Banking()
        with quandor.pinned_bank_file():
            (data_dir / "blz.txt").write_text("20000000;Neubank;Kiel;Neu;09\n")
            assert banking.validate("10000000", "1").bank_name == "Musterbank"
        assert banking.validate("10000000", "1").error == Error.BANK_NUMBER_UNKNOWN
        with pytest.raises(ValueError):
            _quandor.unpin_bank_file()
    in_fresh_thread(run)


def test_object_used_from_another_thread():
    # An object serves calls of any thread, also of one that made no object yet.
    banking = quandor.Banking()
    results = []
    thread = threading.Thread(target=lambda: results.append(banking.validate(*GOOD)))
    thread.start()
    thread.join()
    assert results[0].error == Error.NO_ERROR


@pytest.mark.parametrize("company, number, rules, error", [
    (quandor.CardCompany.VISA, "4111 1111 1111 1111", quandor.Rules.ORIGINAL, Error.NO_ERROR),
    ("visa", "4111 1111 1111 1112", quandor.Rules.ORIGINAL, Error.NO_ERROR),
    (" Visa", "5111 1111 1111 1111", quandor.Rules.ORIGINAL, Error.CARD_WRONG_CHECK_DIGIT),
    ("0", "4111 1111 1111 1112", None, Error.CARD_WRONG_CHECK_DIGIT),  # today's rules: Luhn
    ("amex", "378282246310005", None, Error.NO_ERROR),
    ("American Express", "378282246310005", None, Error.NO_ERROR),
    ("diners-club", "378282246310005", None, Error.CARD_WRONG_CHECK_DIGIT),
    (9, "4111111111111111", quandor.Rules.ORIGINAL, Error.COMPANY_NUMBER_UNKNOWN),
    (2**40, "4111111111111111", quandor.Rules.ORIGINAL, Error.COMPANY_NUMBER_UNKNOWN),
])
def test_creditcard(company, number, rules, error):
    result = quandor.Creditcard(rules=rules).validate(company, number)
    assert (result.valid, result.error, result.message) == (error == Error.NO_ERROR, error,
                                                            error.message)
    assert quandor.card.is_valid(company, number, rules=rules) == result.valid
    if result.valid:
        assert quandor.card.validate(company, number, rules=rules) == result
    else:
        with pytest.raises(quandor.card.InvalidCard) as raised:
            quandor.card.validate(company, number, rules=rules)
        assert (raised.value.error, raised.value.message) == (error, error.message)


@pytest.mark.parametrize("blz, account, rules, exception", [
    (*GOOD, None, None),
    ("370 501 98", "532-013/000", None, None),
    ("37050198", "1234567890", None, quandor.WrongCheckDigit),
    ("99999999", "1", None, quandor.UnknownBank),
    ("", "1", None, quandor.MalformedInput),
    ("37050198", "12345678901", None, quandor.MalformedInput),
    ("10050000", "1234567895", quandor.Rules.CURRENT, None),  # B8: today's method
    ("10050000", "1234567895", quandor.Rules.ORIGINAL, quandor.NoMethod),
])
def test_is_valid_and_validate(blz, account, rules, exception):
    assert quandor.is_valid(blz, account, rules=rules) == (exception is None)
    if exception is None:
        result = quandor.validate(blz, account, rules=rules)
        assert (result.valid, result.bank_number, len(result.bank_number_display)) == (
            True, quandor.compact(blz), 10)
        return
    with pytest.raises(exception) as raised:
        quandor.validate(blz, account, rules=rules)
    error = quandor.Banking(rules=rules).validate(blz, account).error
    assert isinstance(raised.value, (quandor.InvalidAccount, ValueError))
    assert (raised.value.error, raised.value.message, str(raised.value)) == (
        error, error.message, error.message)


@pytest.mark.parametrize("environment, setting, expected", [
    (None, None, quandor.Rules.CURRENT),
    ("original", None, quandor.Rules.ORIGINAL),
    (None, "original", quandor.Rules.ORIGINAL),
    ("current", "original", quandor.Rules.CURRENT),
    ("nonsense", None, quandor.Rules.CURRENT),
])
def test_default_rules_are_todays_unless_chosen(environment, setting, expected, tmp_path,
                                                monkeypatch):
    # The component's objects keep the original rules; the package's default is today's.
    monkeypatch.setenv("XDG_CONFIG_HOME", str(tmp_path))
    if environment is not None:
        monkeypatch.setenv("QUANDOR_RULES", environment)
    if setting is not None:
        (tmp_path / "Quandor").mkdir()
        (tmp_path / "Quandor" / "Quandor.ini").write_text(f"[check]\nrules={setting}\n")

    def run():
        return (quandor.default_rules(), quandor.Banking().rules, quandor.Creditcard().rules,
                quandor.card.is_valid("visa", "4111111111111112"))
    assert in_fresh_thread(run) == (expected, expected, expected,
                                    expected == quandor.Rules.ORIGINAL)


@pytest.mark.parametrize("module", ["quandor", "quandor._single", "quandor._many",
                                    "quandor.iban", "quandor.card", "quandor.pandas"])
def test_doc_examples(module):
    assert doctest.testmod(importlib.import_module(module)).failed == 0


def test_insides_are_hidden():
    # quandor.pandas is public too, but loaded only when imported (it needs pandas).
    assert sorted(quandor.__all__) == sorted(name for name in dir(quandor)
                                             if not name.startswith("_") and name != "pandas")
    for name in quandor.__all__:
        assert getattr(quandor, name) is not None
    for cls in (quandor.Banking, quandor.Creditcard, quandor.ValidationResult, quandor.Bank):
        text = pydoc.render_doc(cls, renderer=pydoc.plaintext)
        assert "_quandor" not in text and "search_bank" not in text and "arg0" not in text


def test_pin_data_dir(monkeypatch):
    monkeypatch.delenv("QUANDOR_DATA_DIR", raising=False)
    directory = quandor.data_path()
    assert quandor.pin_data_dir() == directory
    monkeypatch.setenv("QUANDOR_DATA_DIR", "/elsewhere/")
    assert quandor.pin_data_dir() == "/elsewhere/"


def test_method_code():
    assert [quandor.method_code(n) for n in (6, 118, 144, -1)] == ["06", "B8", "E4", ""]


@pytest.mark.parametrize("options, text, warns", [
    (["--valid-until", "2000-03-31"], "edition 2000-01-01 to 2000-03-31 (expired)", True),
    (["--valid-until", "2999-12-31"], "edition 2000-01-01 to 2999-12-31 (current)", False),
    (None, "edition unknown (unknown)", False),
])
def test_data_edition_and_stale_warning(data_dir, quandor_check, monkeypatch, options, text,
                                        warns):
    line = ("10000000" + "1" + "Musterbank".ljust(58) + "10115" + "Berlin".ljust(35)
            + "Muster".ljust(27) + "12345" + "MARKDEF1100" + "09" + "000001U000000000")
    source = data_dir / "blz_20000101.txt"
    source.write_bytes(line.encode() + b"\r\n")
    command = [quandor_check, "convert", str(source), "--output", str(data_dir / "blz.txt")]
    subprocess.run(command + (options or ["--valid-from", "2000-01-01"]), check=True)
    if options is None:
        (data_dir / "blz.edition").unlink()

    edition = quandor.data_edition()
    assert str(edition) == f"{text}, 1 banks in {data_dir / 'blz.txt'}"
    assert edition.bank_count == 1 and edition.found
    monkeypatch.setattr(quandor._edition, "_warned", False)
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        quandor.Banking()
        quandor.Banking()
    assert [type(w.message) for w in caught] == [quandor.StaleDataWarning] * warns
