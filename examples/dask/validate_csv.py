#!/usr/bin/env python3
"""Validates a CSV file of bank connections with Dask, on one machine or a cluster.

    validate_csv.py INPUT.csv OUTPUT_DIR [--scheduler ADDRESS] [--workers N]
                    [--blz BLZ] [--account Konto] [--sep ";"] [--blocksize 64MB]
                    [--rules original|current] [--strictness 0..3]

Reads INPUT.csv in blocks of whole lines, appends to every row the columns
valid (1 or 0), error (the code of quandor.Error), method, bank_name and
message (quandor.pandas.validate_frame on each partition) and writes
OUTPUT_DIR/part-0.csv, part-1.csv, ... in input order, each with the header
line.

Like quandor-check, it reads with tolerance: a malformed row (a quote never
closed or followed by other text than the delimiter, a missing column) is
kept with its fields as they stand, gets valid 0, an empty error and
"line N: reason" as message, and reading goes on with the next line. As the
file is split into blocks at line ends, a quoted field cannot span lines
here. Each line is read as UTF-8, else as Windows-1252.

Without --scheduler it starts a LocalCluster of --workers processes on this
machine. With --scheduler tcp://HOST:8786 the same job runs on that cluster;
nothing else changes, but every worker must import quandor (the package
python3-quandor) and find a bank code file, and INPUT.csv and OUTPUT_DIR must
be paths that every worker sees (a shared file system, or s3://... with s3fs).

The rules are settled here, once, and handed to every partition, so that
workers configured differently still answer alike.
"""

import argparse
import csv
import operator
import os

import dask
import dask.dataframe as dd
import pandas as pd
from dask.bytes import read_bytes
from distributed import Client, LocalCluster

import quandor
from quandor.pandas import validate_frame

RULES = {"original": quandor.Rules.ORIGINAL, "current": quandor.Rules.CURRENT}
RESULTS = {"valid": "int8", "error": "Int32", "method": object, "bank_name": object,
           "message": object}


def decode(line):
    try:
        return line.decode("utf-8")
    except UnicodeDecodeError:
        return line.decode("windows-1252", "replace")


def split_row(text, sep, width, needed):
    """The fields of one line, and "" or what is wrong with it (as quandor-check words it).

    needed: the positions of the bank code and account columns.
    """
    try:
        fields = next(csv.reader([text], delimiter=sep, strict=True), [])
        lacking = [position for position in needed if position >= len(fields)]
        problem = f"row has no column {lacking[0] + 1}" if lacking else ""
    except csv.Error as error:
        problem = "unclosed quote" if "end of data" in str(error) else "text after a closing quote"
        fields = text.split(sep)  # the fields as they stand, quotes and all
    if len(fields) > width:  # surplus fields stay, in the last column
        fields[width - 1:] = [sep.join(fields[width - 1:])]
    return fields + [""] * (width - len(fields)), problem


def line_count(block):
    return len(block.splitlines())


def check_block(block, first_line, header, blz, account, sep, rules, strictness):
    """One block of lines as a checked data frame; the header line skipped where it is."""
    lines = block.splitlines()
    if first_line == 1:
        lines = lines[1:]
        first_line = 2
    needed = (header.index(blz), header.index(account))
    rows, problems = [], {}
    for number, line in enumerate(lines, start=first_line):
        fields, problem = split_row(decode(line).rstrip("\r"), sep, len(header), needed)
        rows.append(fields)
        if problem:
            problems[len(rows) - 1] = f"line {number}: {problem}"
    frame = pd.DataFrame(rows, columns=header, dtype=object)
    checked = validate_frame(frame, blz=blz, account=account, rules=rules, strictness=strictness,
                             columns=["message"])
    checked = checked.astype({name: RESULTS[name] for name in RESULTS})
    if problems:
        bad = list(problems)
        checked.loc[checked.index[bad], ["valid", "error", "method", "bank_name"]] = [0, pd.NA,
                                                                                      "", ""]
        checked.loc[checked.index[bad], "message"] = list(problems.values())
    return checked


def validate_csv(client, source, target, *, blz="BLZ", account="Konto", sep=";",
                 blocksize="64MB", rules=None, strictness=quandor.Strictness.NORMAL):
    """Runs the job on client's cluster; returns the paths of the written parts."""
    rules = quandor.default_rules() if rules is None else rules
    sample, blocks = read_bytes(source, delimiter=b"\n", blocksize=blocksize, sample="1MiB")
    header = next(csv.reader([decode(sample.split(b"\n", 1)[0]).rstrip("\r")], delimiter=sep))
    for column in (blz, account):
        if column not in header:
            raise SystemExit(f"no column '{column}' in the header line of {source}")
    blocks = blocks[0]
    # A block's first line number: the lines of the blocks before it, counted
    # where they are read.
    counts = [dask.delayed(line_count)(block) for block in blocks]
    first_lines = [1]
    for count in counts[:-1]:
        first_lines.append(dask.delayed(operator.add)(first_lines[-1], count))
    meta = pd.DataFrame({name: pd.Series(dtype=object) for name in header}).astype(object)
    meta = meta.assign(**{name: pd.Series(dtype=dtype) for name, dtype in RESULTS.items()})
    parts = [dask.delayed(check_block)(block, first, header, blz, account, sep, rules, strictness)
             for block, first in zip(blocks, first_lines)]
    checked = dd.from_delayed(parts, meta=meta)
    os.makedirs(target, exist_ok=True)
    return checked.to_csv(os.path.join(target, "part-*.csv"), sep=sep, index=False,
                          compute_kwargs={"scheduler": client})


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("input")
    parser.add_argument("output_dir")
    parser.add_argument("--scheduler", help="address of a running Dask scheduler")
    parser.add_argument("--workers", type=int, default=2, help="processes of the LocalCluster")
    parser.add_argument("--blz", default="BLZ", help="column of the bank code")
    parser.add_argument("--account", default="Konto", help="column of the account number")
    parser.add_argument("--sep", default=";", help="field delimiter")
    parser.add_argument("--blocksize", default="64MB", help="bytes of input per partition")
    parser.add_argument("--rules", choices=RULES,
                        help="default: QUANDOR_RULES, the settings, else current")
    parser.add_argument("--strictness", type=int, default=quandor.Strictness.NORMAL)
    args = parser.parse_args()

    if args.scheduler:
        client = Client(args.scheduler)
    else:
        # The workers inherit the directory of the bank code file, settled
        # once: one file for the whole run, and no look at the settings per row.
        quandor.pin_data_dir()
        # One thread a worker: the library keeps a bank index per thread.
        cluster = LocalCluster(n_workers=args.workers, threads_per_worker=1,
                               dashboard_address=None)
        client = Client(cluster)
    with client:
        parts = validate_csv(client, args.input, args.output_dir, blz=args.blz,
                             account=args.account, sep=args.sep, blocksize=args.blocksize,
                             rules=RULES.get(args.rules), strictness=args.strictness)
    print(f"wrote {len(parts)} parts to {args.output_dir}")


if __name__ == "__main__":
    main()
