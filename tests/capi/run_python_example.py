#!/usr/bin/env python3
"""Runs examples/python/quandor_example.py against a built library and a small
bank code file of its own, and checks what the example reports.

    run_python_example.py LIBRARY EXAMPLE
"""

import os
import subprocess
import sys
import tempfile

BANK_FILE = (
    "12030000;Deutsche Kreditbank Berlin;Berlin;Deutsche Kreditbank Berlin;00;10117;BYLADEM1001\r\n"
    "20050550;Hamburger Sparkasse;Hamburg;Haspa Hamburg;00;20454;HASPDEHHXXX\r\n"
    "50010517;ING-DiBa;Frankfurt am Main;ING-DiBa Frankfurt;09;60628;INGDDEFFXXX\r\n"
)

EXPECTED_LINES = [
    "Konto 123456782 bei 12030000 (Deutsche Kreditbank Berlin): gültig - Kein Fehler (1)",
    "Konto 123456789 bei 12030000 (Deutsche Kreditbank Berlin): ungültig - "
    "Kontonummer ist falsch (2)",
    "Suche nach 'Kreditbank': 1 Bank(en)",
    "  12030000  Deutsche Kreditbank Berlin, Berlin",
]


def main():
    library, example = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory(prefix="quandor-python-") as data_dir:
        with open(os.path.join(data_dir, "blz.txt"), "w", encoding="utf-8", newline="") as f:
            f.write(BANK_FILE)
        env = dict(os.environ, QUANDOR_DATA_DIR=data_dir, PYTHONIOENCODING="utf-8")
        run = subprocess.run([sys.executable, example, library], env=env, capture_output=True,
                             text=True, encoding="utf-8", timeout=120, check=False)
    sys.stdout.write(run.stdout)
    sys.stderr.write(run.stderr)
    lines = run.stdout.splitlines()
    missing = [line for line in EXPECTED_LINES if line not in lines]
    for line in missing:
        print(f"missing from the output: {line!r}", file=sys.stderr)
    if run.returncode != 0:
        print(f"the example exited with {run.returncode}", file=sys.stderr)
    return 0 if run.returncode == 0 and not missing else 1


if __name__ == "__main__":
    sys.exit(main())
