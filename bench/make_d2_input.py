#!/usr/bin/env python3
"""Writes a matrix text and a difference data text as a user would paste them from a
spreadsheet: TAB between fields, CR LF after every row, values with six decimals.

    make_d2_input.py [--seed N] V S MATRIX_FILE DATA_FILE
"""
import argparse
import random


def write_table(path, rows):
    with open(path, "wb") as out:
        out.write(b"".join(("\t".join(row) + "\r\n").encode() for row in rows))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("variables", type=int)
    parser.add_argument("subjects", type=int)
    parser.add_argument("matrix_file")
    parser.add_argument("data_file")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    v = args.variables

    # A symmetric, diagonally dominant matrix, like an inverted covariance matrix.
    cells = [[0.0] * v for _ in range(v)]
    for r in range(v):
        for c in range(r, v):
            cells[r][c] = cells[c][r] = rng.uniform(-0.05, 0.05)
        cells[r][r] = rng.uniform(1.0, 3.0)
    write_table(args.matrix_file, [[f"{x:.6f}" for x in row] for row in cells])
    write_table(args.data_file,
                [[f"{rng.gauss(0.0, 3.0):.6f}" for _ in range(v)] for _ in range(args.subjects)])


if __name__ == "__main__":
    main()
