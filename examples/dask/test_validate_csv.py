"""The Dask example on 200,000 rows and two workers, row by row against quandor-check."""

import csv
import os
import random
import subprocess
import sys

import pandas as pd
import pytest

import quandor

HERE = os.path.dirname(os.path.abspath(__file__))
ROWS = 200_000


# Rows that quandor-check reports as malformed and keeps: text after a closing
# quote, a missing column, a stray quote (near the end, where quandor-check
# finds no other quote to end it). A quoted field is no fault.
ODD_LINES = {50_000: '{i};"3705"0198;1', 120_000: "{i};37050198",
             150_000: '{i};37050198;"532013000"', 199_990: '{i};"37050198;532013000'}


def write_input(path, bank_file):
    """Known banks with random accounts, some rows that fail for the bank code, some malformed."""
    with open(bank_file, encoding="utf-8", errors="replace") as lines:
        codes = [line.split(";", 1)[0] for line in lines if line.strip()]
    rng = random.Random(14)
    odd = ["", "99999999", "1234567", "3705 0198", "x"]
    with open(path, "w", encoding="utf-8") as out:
        out.write("Nr;BLZ;Konto\n")
        for i in range(ROWS):
            blz = rng.choice(codes) if rng.random() < 0.98 else rng.choice(odd)
            account = str(rng.randrange(10 ** rng.randrange(1, 12)))
            line = ODD_LINES.get(i, "{i};{blz};{account}").format(i=i, blz=blz, account=account)
            out.write(line + "\n")


def read(paths):
    return pd.concat([pd.read_csv(p, sep=";", dtype=str, keep_default_na=False) for p in paths],
                     ignore_index=True)


def read_cli(path):
    """quandor-check's rows: the input line as it was, then its eight result fields."""
    names = ["valid", "error", "method", "bank_number", "account_number", "bank_name",
             "bank_city", "message"]
    rows = []
    with open(path, encoding="utf-8") as lines:
        next(lines)
        for line in lines:
            nr, _, rest = line.rstrip("\n").partition(";")
            # No result field holds the delimiter; a quote in a bank name is quoted.
            results = next(csv.reader([";".join(rest.rsplit(";", 8)[-8:])], delimiter=";"))
            rows.append({"Nr": nr, **dict(zip(names, results))})
    return pd.DataFrame(rows)


def test_dask_matches_quandor_check(tmp_path):
    quandor_check = os.environ.get("QUANDOR_CHECK")
    if not quandor_check:
        pytest.skip("QUANDOR_CHECK (the quandor-check binary) is not set")
    source = tmp_path / "in.csv"
    write_input(source, os.path.join(os.environ["QUANDOR_SOURCE_DIR"], "data", "blz.txt"))

    # Exit status 3: banks without a check method left rows unchecked.
    cli = subprocess.run([quandor_check, "validate", "--rules", "original", "--blz-column", "BLZ",
                          "--account-column", "Konto", "--input", str(source),
                          "--output", str(tmp_path / "cli.csv"), "--no-progress"])
    assert cli.returncode in (0, 3)
    subprocess.run([sys.executable, os.path.join(HERE, "validate_csv.py"), str(source),
                    str(tmp_path / "out"), "--workers", "2", "--blocksize", "1MB",
                    "--rules", "original"], check=True, timeout=300)

    parts = sorted(os.listdir(tmp_path / "out"), key=lambda name: int(name[5:-4]))
    assert len(parts) > 2  # the work was really split
    ours = read([str(tmp_path / "out" / part) for part in parts])
    theirs = read_cli(str(tmp_path / "cli.csv"))
    assert len(ours) == len(theirs) == ROWS
    assert ours["Nr"].tolist() == theirs["Nr"].tolist()
    for column in ("valid", "error", "bank_name", "message"):
        assert ours[column].tolist() == theirs[column].tolist(), column
    assert ours["method"].tolist() == [m and quandor.method_code(int(m)) for m in theirs["method"]]
    # Not a run of one verdict: the comparison covers passes, failures and malformed rows.
    assert {"1", "2", "7", ""} <= set(ours["error"])
    assert [m for m in ours["message"] if m.startswith("line ")] == [
        "line 50002: text after a closing quote", "line 120002: row has no column 3",
        "line 199992: unclosed quote"]
    # The fields of a malformed row are kept as they stand.
    assert ours.loc[199_990, ["BLZ", "Konto"]].tolist() == ['"37050198', "532013000"]


if __name__ == "__main__":
    sys.exit(pytest.main([__file__, "-q"]))
