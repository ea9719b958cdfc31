#!/usr/bin/env python3
"""Validates a CSV file of bank connections with Dask, on one machine or a cluster.

    validate_csv.py INPUT.csv OUTPUT_DIR [--scheduler ADDRESS] [--workers N]
                    [--blz BLZ] [--account Konto] [--sep ";"] [--blocksize 64MB]
                    [--rules original|current] [--strictness 0..3]

Reads INPUT.csv in blocks (dask.dataframe.read_csv), appends to every row the
columns valid, error, method and bank_name (quandor.pandas.validate_frame on
each partition) and writes OUTPUT_DIR/part-0.csv, part-1.csv, ... in input
order, each with the header line.

Without --scheduler it starts a LocalCluster of --workers processes on this
machine. With --scheduler tcp://HOST:8786 the same job runs on that cluster;
nothing else changes, but every worker must import quandor (the package
python3-quandor) and find a bank code file, and INPUT.csv and OUTPUT_DIR must
be paths that every worker sees (a shared file system, or s3://... with s3fs).

The rules are settled here, once, and handed to every partition, so that
workers configured differently still answer alike.
"""

import argparse
import os

import dask.dataframe as dd
from distributed import Client, LocalCluster

import quandor
from quandor.pandas import validate_frame

RULES = {"original": quandor.Rules.ORIGINAL, "current": quandor.Rules.CURRENT}


def validate_csv(client, source, target, *, blz="BLZ", account="Konto", sep=";",
                 blocksize="64MB", rules=None, strictness=quandor.Strictness.NORMAL):
    """Runs the job on client's cluster; returns the paths of the written parts."""
    rules = quandor.default_rules() if rules is None else rules
    # Every column as text: bank codes and account numbers are no numbers, and
    # an empty field stays "" rather than becoming NaN.
    frame = dd.read_csv(source, sep=sep, dtype=str, keep_default_na=False, blocksize=blocksize)
    # The columns that every partition gains, for Dask to know before computing.
    meta = {**frame.dtypes.to_dict(), "valid": bool, "error": "int32", "method": object,
            "bank_name": object}
    checked = frame.map_partitions(validate_frame, blz=blz, account=account, rules=rules,
                                   strictness=strictness, meta=meta)
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
    parser.add_argument("--rules", choices=RULES, help="default: QUANDOR_RULES or the settings")
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
