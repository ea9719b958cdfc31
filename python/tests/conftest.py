"""Shared helpers of the package's tests.

The tests run against the built package (PYTHONPATH) and the bank code file
shipped beside the library. A bank's index belongs to the thread that loaded
it, so a test that needs another bank code file runs in a fresh thread.
"""

import os
import threading

import pytest


def in_fresh_thread(function, *args):
    """Runs function(*args) in a new thread and returns its result or raises its exception."""
    outcome = {}

    def run():
        try:
            outcome["value"] = function(*args)
        except BaseException as error:  # handed to the caller
            outcome["error"] = error

    thread = threading.Thread(target=run)
    thread.start()
    thread.join()
    if "error" in outcome:
        raise outcome["error"]
    return outcome.get("value")


@pytest.fixture
def data_dir(tmp_path, monkeypatch):
    """A directory named by QUANDOR_DATA_DIR; write blz.txt into it, or leave it empty."""
    monkeypatch.setenv("QUANDOR_DATA_DIR", str(tmp_path))
    return tmp_path


@pytest.fixture
def quandor_check():
    """Path of the quandor-check binary of the build."""
    path = os.environ.get("QUANDOR_CHECK")
    if not path:
        pytest.skip("QUANDOR_CHECK is not set")
    return path
