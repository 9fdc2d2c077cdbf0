#!/usr/bin/env python3
"""Writes the fixed inputs of the golden-output test, and with --outputs the
outputs of vellox-solve for them.

  make_golden.py DIR                      batch-input.csv and json-cases.txt
  make_golden.py DIR --outputs SOLVE LIB  batch-output.csv and json-output.txt

The inputs come from a fixed linear congruential sequence, so running this
again writes the same files. The outputs are made once, by the program as it
was when they were committed; the test runs the program on the inputs and
compares its output byte for byte.
"""
import subprocess
import sys
from pathlib import Path

COLUMNS = ["refrigerant", "tc", "te", "pc", "pe", "sc", "sh", "mr", "duty", "dpl", "dpe", "id"]

# Names as a user types them: spelled as in the library, other letter case,
# the built-in record, an empty cell and names the library does not hold.
NAMES = ["R22", "R134a", "R410A", "R404A", "R407C", "R290", "R600a", "R717", "R744", "R32",
         "R1234yf", "R1234ze(E)", "R12", "R152a", "R507A", "r134a", "r410a", "", "R999",
         "R22", "R134a", "R410A", "R290", "R717"]


class Sequence:
    """A 64-bit linear congruential generator: the same numbers everywhere."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        return self.state >> 33

    def below(self, n):
        return self.next() % n

    def pick(self, items):
        return items[self.below(len(items))]

    def uniform(self, lo, hi, decimals):
        steps = round((hi - lo) * 10 ** decimals)
        value = lo + self.below(steps + 1) / 10 ** decimals
        return f"{value:.{decimals}f}"


def odd_number(seq):
    """Texts that test the reader and the shown-precision rounding."""
    return seq.pick(["abc", "1e400", "1e5000", "", " 5 ", "+5", "5.", ".5", "1E1", "2.5e0",
                     "-0", "0", "40.05", "40.15", "40.25", "5.55", "1.63005", "0.00125",
                     "0.00135", "1,5", "nan", "inf", "0x10", "12.345678901234567890123"])


def value(seq, column):
    roll = seq.below(100)
    if roll < 3:
        return odd_number(seq)
    if roll < 30:
        return ""  # the default, or the coupled value
    if column == "tc":
        return seq.uniform(-70, 110, seq.pick([0, 1, 1, 2, 3]))
    if column == "te":
        return seq.uniform(-100, 30, seq.pick([0, 1, 1, 2, 3]))
    if column == "pc":
        return seq.uniform(200, 4000, seq.pick([0, 3, 4]))
    if column == "pe":
        return seq.uniform(50, 1500, seq.pick([0, 3, 4]))
    if column in ("sc", "sh"):
        return seq.uniform(-1, 22, seq.pick([0, 1, 2])) if roll < 33 else seq.uniform(
            0, 20, seq.pick([0, 1, 2]))
    if column == "mr":
        return seq.uniform(0.0005, seq.pick([0.02, 0.2, 2.0]), seq.pick([4, 5, 6]))
    if column == "duty":
        return seq.uniform(0.1, seq.pick([5, 50]), seq.pick([2, 3, 4]))
    if column in ("dpl", "dpe"):
        return seq.uniform(-10, 520, seq.pick([0, 3])) if roll < 33 else seq.uniform(
            0, 300, seq.pick([0, 3]))
    if column == "id":
        return seq.uniform(0.3, seq.pick([3, 52]), seq.pick([2, 4, 5])) if roll < 33 else \
            seq.uniform(0.5, 3, seq.pick([2, 4, 5]))
    raise ValueError(column)


def quoted(field):
    if any(c in field for c in ',"\r\n'):
        return '"' + field.replace('"', '""') + '"'
    return field


def batch_rows(seq, count):
    rows = []
    while len(rows) < count:
        fields = [seq.pick(NAMES)] + [value(seq, c) for c in COLUMNS[1:]]
        if fields[7] and fields[8] and seq.below(16) != 0:
            fields[seq.pick([7, 8])] = ""  # mostly one of mass flow and duty
        shape = seq.below(200)
        if shape == 0:
            rows.append(",".join(quoted(f) for f in fields[:-2]))  # too few fields
        elif shape == 1:
            rows.append(",".join(quoted(f) for f in fields) + ",7")  # too many
        elif shape == 2:
            rows.append("")  # a blank line is skipped
            continue
        elif shape == 3:
            rows.append(",".join('"' + f + '"' for f in fields))  # every field quoted
        else:
            rows.append(",".join(quoted(f) for f in fields))
    return rows


def json_cases(seq, count):
    cases = []
    for _ in range(count):
        args = []
        name = seq.pick(NAMES)
        if name:
            args += ["--refrigerant", name]
        for column in COLUMNS[1:]:
            text = value(seq, column)
            if text and not (column == "duty" and "--mr" in args):
                args += ["--" + column, text]
        cases.append(args)
    return cases


def write_inputs(folder):
    seq = Sequence(20240613)
    rows = batch_rows(seq, 2000)
    (folder / "batch-input.csv").write_bytes(
        ("\r\n".join([",".join(COLUMNS)] + rows) + "\r\n").encode())
    lines = ["\t".join(args) for args in json_cases(seq, 50)]
    (folder / "json-cases.txt").write_bytes(("\n".join(lines) + "\n").encode())


def record(run):
    """What one run of the program gives: exit status, output and messages."""
    return (f"exit {run.returncode}\n".encode() + run.stdout + b"-- stderr\n" + run.stderr)


def write_outputs(folder, solve, library):
    batch = folder / "batch-input.csv"
    run = subprocess.run([solve, "--library", library, "--batch", str(batch)],
                         capture_output=True, check=False)
    (folder / "batch-output.csv").write_bytes(run.stdout)
    (folder / "batch-status.txt").write_bytes(f"exit {run.returncode}\n".encode() + run.stderr)
    out = bytearray()
    for number, line in enumerate((folder / "json-cases.txt").read_text().splitlines(), 1):
        args = line.split("\t") if line else []
        run = subprocess.run([solve, "--library", library, "--json"] + args,
                             capture_output=True, check=False)
        out += f"== case {number}\n".encode() + record(run)
    (folder / "json-output.txt").write_bytes(bytes(out))


def main():
    folder = Path(sys.argv[1])
    if len(sys.argv) == 5 and sys.argv[2] == "--outputs":
        write_outputs(folder, sys.argv[3], sys.argv[4])
    elif len(sys.argv) == 2:
        write_inputs(folder)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
