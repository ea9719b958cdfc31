#!/usr/bin/env python3
"""Drives quandorlib from Python through its C interface (ctypes only).

    python3 quandor_example.py [path/to/libquandorlib.so]

The library is taken from the argument, else from the environment variable
QUANDOR_LIBRARY, else from the loader's search path. The bank code file is
found as by every host: QUANDOR_DATA_DIR, the setting, or beside the library.

Creates a Banking object, validates a known good and a known bad account,
searches the bank code file for a text, and releases the object. Exits with 1
when a verdict is not the expected one or a call of the interface fails.
"""

import ctypes
import os
import sys

QUANDOR_OK = 0
QUANDOR_TRUE = -1
qdSearchName = 2

GOOD_ACCOUNT = ("12030000", "123456782")  # check digit method 00, check digit right
BAD_ACCOUNT = ("12030000", "123456789")   # same bank, check digit wrong


class QuandorError(Exception):
    pass


class Quandor:
    """The few functions of the C interface this example needs, with their types."""

    def __init__(self, path):
        lib = ctypes.CDLL(path)
        status = ctypes.c_int32
        obj = ctypes.c_void_p
        text_out = ctypes.POINTER(ctypes.c_void_p)  # char**, freed by the library
        bool_out = ctypes.POINTER(ctypes.c_int16)
        long_out = ctypes.POINTER(ctypes.c_int32)
        signatures = {
            "quandor_create_object": [ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p)],
            "quandor_release": [obj, ctypes.POINTER(ctypes.c_uint32)],
            "quandor_can_unload_now": [bool_out],
            "quandor_get_last_error_message": [text_out],
            "quandor_Banking_Validate": [obj, ctypes.c_char_p, ctypes.c_char_p, bool_out],
            "quandor_Banking_get_LastError": [obj, long_out],
            "quandor_Banking_get_LastErrorString": [obj, text_out],
            "quandor_Banking_get_BankName": [obj, text_out],
            "quandor_Banking_get_BankCity": [obj, text_out],
            "quandor_Banking_get_BankNumber": [obj, text_out],
            "quandor_Banking_SearchBankByText": [obj, ctypes.c_char_p, ctypes.c_int32, bool_out],
            "quandor_Banking_get_AmountFoundBanks": [obj, long_out],
            "quandor_Banking_FirstFoundBank": [obj, bool_out],
            "quandor_Banking_NextFoundBank": [obj, bool_out],
        }
        for name, argtypes in signatures.items():
            function = getattr(lib, name)
            function.argtypes = argtypes
            function.restype = status
        lib.quandor_free_string.argtypes = [ctypes.c_void_p]
        lib.quandor_free_string.restype = None
        self.lib = lib

    def call(self, name, *args):
        """Calls a function of the interface; a failed call raises QuandorError."""
        status = getattr(self.lib, name)(*args)
        if status != QUANDOR_OK:
            raise QuandorError(f"{name}: status {status}: {self.last_error_message()}")

    def last_error_message(self):
        text = ctypes.c_void_p()
        self.lib.quandor_get_last_error_message(ctypes.byref(text))
        return self.take_text(text)

    def take_text(self, text):
        """Decodes a text result and hands its memory back to the library."""
        try:
            return ctypes.string_at(text).decode("utf-8") if text.value else ""
        finally:
            self.lib.quandor_free_string(text)

    def get_text(self, name, obj):
        text = ctypes.c_void_p()
        self.call(name, obj, ctypes.byref(text))
        return self.take_text(text)

    def get_value(self, name, obj, ctype, *args):
        value = ctype()
        self.call(name, obj, *args, ctypes.byref(value))
        return value.value


def validate(q, banking, bank_code, account):
    valid = q.get_value("quandor_Banking_Validate", banking, ctypes.c_int16,
                        bank_code.encode(), account.encode())
    error = q.get_value("quandor_Banking_get_LastError", banking, ctypes.c_int32)
    message = q.get_text("quandor_Banking_get_LastErrorString", banking)
    bank = q.get_text("quandor_Banking_get_BankName", banking)
    print(f"Konto {account} bei {bank_code} ({bank}): "
          f"{'gültig' if valid == QUANDOR_TRUE else 'ungültig'} - {message} ({error})")
    return valid == QUANDOR_TRUE


def search(q, banking, text):
    found = q.get_value("quandor_Banking_SearchBankByText", banking, ctypes.c_int16,
                        text.encode(), qdSearchName)
    amount = q.get_value("quandor_Banking_get_AmountFoundBanks", banking, ctypes.c_int32)
    print(f"Suche nach '{text}': {amount if found == QUANDOR_TRUE else 0} Bank(en)")
    more = q.get_value("quandor_Banking_FirstFoundBank", banking, ctypes.c_int16)
    shown = 0
    while more == QUANDOR_TRUE and shown < 5:
        code = q.get_text("quandor_Banking_get_BankNumber", banking)
        name = q.get_text("quandor_Banking_get_BankName", banking)
        city = q.get_text("quandor_Banking_get_BankCity", banking)
        print(f"  {code}  {name}, {city}")
        shown += 1
        more = q.get_value("quandor_Banking_NextFoundBank", banking, ctypes.c_int16)
    return found == QUANDOR_TRUE


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.environ.get("QUANDOR_LIBRARY",
                                                                "libquandorlib.so")
    q = Quandor(path)
    banking = ctypes.c_void_p()
    q.call("quandor_create_object", b"Quandor.Banking", ctypes.byref(banking))
    try:
        good = validate(q, banking, *GOOD_ACCOUNT)
        bad = validate(q, banking, *BAD_ACCOUNT)
        found = search(q, banking, "Kreditbank")
    finally:
        q.call("quandor_release", banking, None)

    unload = ctypes.c_int16()
    q.call("quandor_can_unload_now", ctypes.byref(unload))

    problems = []
    if not good:
        problems.append(f"account {GOOD_ACCOUNT[1]} should be valid")
    if bad:
        problems.append(f"account {BAD_ACCOUNT[1]} should be invalid")
    if not found:
        problems.append("the search should find a bank")
    if unload.value != QUANDOR_TRUE:
        problems.append("an object is still alive after its release")
    for problem in problems:
        print(f"FEHLER: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
