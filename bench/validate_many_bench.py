#!/usr/bin/env python3
"""Times quandor.validate_many against quandor-check validate on the same rows.

    PYTHONPATH=build/release/python /usr/bin/python3 bench/validate_many_bench.py \
        build/release/bin/quandor-check [ROWS]

Makes ROWS (default 1,000,000) bank connections from the shipped bank code
file with random account numbers, then measures, best of three:
  - quandor-check validate reading lines BLZ;ACCOUNT into /dev/null,
  - quandor-check validate --csv on the same rows as a CSV file,
  - quandor.validate_many on two lists of str (the columns as pandas or a
    CSV reader would hand them over), results as NumPy columns; as it is, and
    after quandor.pin_data_dir() (what quandor-check does by itself);
  - then, pinned, quandor.pandas.validate_frame on a frame of str columns, on
    one read as numbers (bank codes int64, accounts float64 with a gap), and
    with every extra column and the error as names.
"""

import os
import random
import subprocess
import sys
import tempfile
import time

import quandor


def rows(count):
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "blz.txt")
    with open(source, encoding="utf-8", errors="replace") as lines:
        codes = [line.split(";", 1)[0] for line in lines if line.strip()]
    rng = random.Random(1)
    return ([rng.choice(codes) for _ in range(count)],
            [str(rng.randrange(1, 10 ** 10)) for _ in range(count)])


def best_of_three(run):
    times = []
    for _ in range(3):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    tool = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    blzs, accounts = rows(count)
    with tempfile.TemporaryDirectory() as work:
        lines = os.path.join(work, "lines.txt")
        with open(lines, "w") as out:
            out.writelines(f"{b};{a}\n" for b, a in zip(blzs, accounts))
        csv = os.path.join(work, "rows.csv")
        with open(csv, "w") as out:
            out.write("BLZ;Konto\n")
            out.writelines(f"{b};{a}\n" for b, a in zip(blzs, accounts))

        def tool_run(*args, source):
            with open(source, "rb") as given, open(os.devnull, "wb") as nothing:
                subprocess.run([tool, "validate", "--rules", "original", *args], stdin=given,
                               stdout=nothing, check=True)

        cli_lines = best_of_three(lambda: tool_run(source=lines))
        cli_csv = best_of_three(lambda: tool_run("--csv", "--no-progress", source=csv))
    def many_run():
        quandor.validate_many(blzs, accounts, rules=quandor.Rules.ORIGINAL)

    pinned_before = bool(os.environ.get("QUANDOR_DATA_DIR"))
    many = best_of_three(many_run)
    # quandor-check settles the bank code file's directory at its start; the
    # same for Python, where the settings file is otherwise looked at each row.
    quandor.pin_data_dir()
    many_pinned = best_of_three(many_run)
    frames = {}
    try:
        import pandas as pd
        from quandor.pandas import EXTRA_COLUMNS, validate_frame
    except ImportError:
        pd = None
    if pd is not None:
        text = pd.DataFrame({"BLZ": blzs, "Konto": accounts})
        numbers = pd.DataFrame({"BLZ": [int(b) for b in blzs],
                                "Konto": [float(a) for a in accounts[:-1]] + [float("nan")]})
        for label, frame, settings in (
                ("str columns", text, {}), ("int64/float64 columns", numbers, {}),
                ("str columns, all columns, error names", text,
                 {"columns": EXTRA_COLUMNS, "error_as": "name"})):
            frames[label] = best_of_three(lambda: validate_frame(
                frame, rules=quandor.Rules.ORIGINAL, **settings))
    print(f"rows: {count:,}")
    print(f"quandor-check validate (lines): {cli_lines:.3f} s")
    print(f"quandor-check validate --csv:   {cli_csv:.3f} s")
    for label, seconds in (("", many), (" after pin_data_dir()", many_pinned)):
        if label and pinned_before:
            break
        print(f"quandor.validate_many{label}: {seconds:.3f} s "
              f"({seconds / cli_lines:.2f}x the lines, {seconds / cli_csv:.2f}x the CSV run)")
    for label, seconds in frames.items():
        print(f"validate_frame, {label}: {seconds:.3f} s "
              f"({seconds / cli_lines:.2f}x the lines, {seconds / cli_csv:.2f}x the CSV run)")


if __name__ == "__main__":
    main()
