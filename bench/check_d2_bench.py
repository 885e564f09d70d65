#!/usr/bin/env python3
"""Runs d2_bench on random inputs and compares its output, byte for byte, with the Calculate
command's loops written out plainly here (Python floats are IEEE doubles and every operation
rounds, so nothing is fused).

    check_d2_bench.py PATH_TO_D2_BENCH [--rounds N] [--seed N] [--runner PROGRAM]

--runner starts the benchmark through a program, such as Wine for the Windows build.
"""
import argparse
import math
import os
import random
import re
import subprocess
import sys
import tempfile

NUMBER = re.compile(r"[ \t\n\v\f\r]*([+-]?)((?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?|inf(?:inity)?|nan)",
                    re.I | re.A)
BLANKS = re.compile(r"[ \t\n\v\f\r]*")


def read_number(text):
    """(the number at the start of the text, whether it is all of the text but blanks)."""
    match = NUMBER.match(text)
    if not match:
        return 0.0, False
    value = float(match.group(2))
    return (-value if match.group(1) == "-" else value), BLANKS.fullmatch(text, match.end()) is not None


def val(text):
    return read_number(text)[0]


def count(text):
    value = val(text)
    if value != value or not -2.0**63 <= value < 2.0**63:
        return -2**63
    return int(value)


def to_text(value):
    """std::to_chars of a double: the shortest round-trip digits in fixed or exponent form,
    whichever is shorter (fixed on a tie); a whole number in fixed form has its exact digits."""
    if value != value:
        return "nan"
    if math.isinf(value):
        return "inf" if value > 0 else "-inf"
    sign = "-" if math.copysign(1.0, value) < 0 else ""
    mantissa, _, exponent = repr(abs(value)).partition("e")  # shortest digits: '25.0', '1e-05'
    whole, _, fraction = mantissa.partition(".")
    digits = whole + fraction
    exp10 = len(whole) - 1 + int(exponent or 0)
    exp10 -= len(digits) - len(digits.lstrip("0"))
    digits = digits.strip("0")
    if not digits:
        return sign + "0"
    scientific = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    scientific += f"e{'-' if exp10 < 0 else '+'}{abs(exp10):02d}"
    if exp10 + 1 >= len(digits):  # a whole number: its fixed form has all its exact digits
        fixed = str(int(abs(value)))
    elif exp10 >= 0:
        fixed = digits[: exp10 + 1] + "." + digits[exp10 + 1:]
    else:
        fixed = "0." + "0" * (-exp10 - 1) + digits
    return sign + (fixed if len(fixed) <= len(scientific) else scientific)


def counted_fields(fields):
    """The number of fields less the empty or blank ones at the end."""
    count = len(fields)
    while count and not fields[count - 1].strip(" \t\n\v\f\r"):
        count -= 1
    return count


def reference(v_text, s_text, matrix_text, data_text):
    """(messages, output) of the Calculate command's loops."""
    v, s = count(v_text), count(s_text)
    if not 2 <= v <= 99:
        return ["Variables must range from 2-99"], ""
    if not 1 <= s <= 9999:
        return ["Subjects must range from 1-9999"], ""
    if not matrix_text:
        return ["No data for inverted covariance matrix"], ""
    if not data_text:
        return ["No data."], ""
    messages = []
    matrix_fields = matrix_text.replace("\r\n", "\t").split("\t")
    data_fields = data_text.replace("\r\n", "\t").split("\t")
    if counted_fields(matrix_fields) > v * v:
        return [f"The inverted covariance matrix has {counted_fields(matrix_fields)} fields, more than "
                f"{v} x {v} = {v * v}: please check the number of variables"], ""
    if counted_fields(data_fields) > s * v:
        return [f"The difference data has {counted_fields(data_fields)} fields, more than "
                f"{s} x {v} = {s * v}: please check the numbers of subjects and variables"], ""
    field = lambda fields, n: fields[n - 1] if n <= len(fields) else ""
    m = [[0.0] * (v + 1) for _ in range(v + 1)]
    for r in range(1, v + 1):
        for c in range(1, v + 1):
            m[r][c], is_number = read_number(field(matrix_fields, (r - 1) * v + c))
            if not is_number:
                messages.append(f"Please check the accuracy of inverted covariance matrix (Row {r}, Column {c})")
    d = [[0.0] * (v + 1) for _ in range(s + 1)]
    for subject in range(1, s + 1):
        for k in range(1, v + 1):
            d[subject][k], is_number = read_number(field(data_fields, (subject - 1) * v + k))
            if not is_number:
                messages.append(f"Please check the accuracy of difference data (Row {subject}, Column {k})")
                return messages, ""
    lines = []
    for subject in range(1, s + 1):
        row = d[subject]
        t = [0.0] * (v + 1)
        for c in range(1, v + 1):
            for k in range(1, v + 1):
                t[c] = m[k][c] * row[k] + t[c]
        total = 0.0
        for i in range(1, v + 1):
            total = row[i] * t[i] + total
        lines.append(to_text(total) + "\r\n")
    return messages, "".join(lines)


def random_field(rng):
    """A number: plain, long, with blanks around it, lone CR or LF, overflow, NaN."""
    choice = rng.random()
    if choice < 0.02:
        return rng.choice(["1e308", "-1e308", "inf", "nan", "3e-310", "1e-400", "1e400"])
    if choice < 0.10:
        return rng.choice([" 4", "\n7", "8\r", "+.5", "-0", "1e-200", " 2.5\v", "5."])
    if choice < 0.20:
        return repr(rng.uniform(-1e6, 1e6))
    return f"{rng.gauss(0.0, 3.0):.6f}"


FAULTS = ["", "", "5abc", "x", "\r", "0x10", "1e", "+-1", "1,5", "12%", "1 234", "\u00a03", "nan(1)"]


def random_table(rng, fields, fault_chance):
    """Fields in rows; with fault_chance a field is empty or not a number."""
    parts = []
    for i in range(fields):
        if i:
            parts.append("\r\n" if rng.random() < 0.2 else "\t")
        parts.append(rng.choice(FAULTS) if rng.random() < fault_chance else random_field(rng))
    return "".join(parts)


def random_count(rng, fields):
    """Mostly exactly fields, now and then fewer or a few more."""
    choice = rng.random()
    if choice < 0.1:
        return rng.randrange(fields)
    return fields + rng.randint(1, 3) if choice < 0.15 else fields


def exact_count(rng, fields):
    """fields, or now and then fewer."""
    return fields if rng.random() < 0.9 else rng.randrange(fields)


def more_data(rng, fields):
    """A few more fields than fields."""
    return fields + rng.randint(1, 3)


BLANK_ENDS = ["", "", "", "\r\n", "\t", "\t\t\r\n", " ", "\r\n\r\n", "\v\f", "\n", "\r"]


def run_case(command, rng, v, s, faults, counts, folder):
    """counts: how many fields the matrix and the data get, from V x V and S x V."""
    matrix = random_table(rng, counts[0](rng, v * v), faults / (v * v)) + rng.choice(BLANK_ENDS)
    data = random_table(rng, counts[1](rng, s * v), faults / (s * v)) + rng.choice(BLANK_ENDS)
    paths = [os.path.join(folder, name) for name in ("matrix.txt", "data.txt")]
    for path, text in zip(paths, (matrix, data)):
        with open(path, "wb") as out:
            out.write(text.encode())
    done = subprocess.run([*command, "--repeat", "1", *paths, str(v), str(s)], capture_output=True, check=True)
    messages = done.stderr.decode().split("\n")
    if not messages[-2].startswith("median_ms "):
        raise SystemExit("d2_bench did not end stderr with median_ms")
    expected_messages, expected_output = reference(str(v), str(s), matrix, data)
    if messages[:-2] != expected_messages or done.stdout != expected_output.encode():
        with open(os.path.join(tempfile.gettempdir(), "d2_mismatch.txt"), "w") as out:
            out.write(f"V {v} S {s}\n{done.stdout[:2000]!r}\n{expected_output[:2000]!r}\n")
        raise SystemExit(f"mismatch for V {v}, S {s}; inputs kept in {folder}")
    return len(expected_messages), expected_output.count("\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench")
    parser.add_argument("--rounds", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--runner")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    folder = tempfile.mkdtemp(prefix="d2_check_")
    small, large = (random_count, random_count), (exact_count, exact_count)
    sizes = [(rng.randint(2, 12), rng.randint(1, 30), 0.5, small) for _ in range(args.rounds)]
    sizes += [(40, 2000, 0.0, large), (99, 400, 0.0, large), (17, 9999, 0.0, large), (99, 300, 0.5, large),
              (17, 9999, 2.0, large), (17, 9999, 0.0, (exact_count, more_data))]
    command = [args.runner, args.bench] if args.runner else [args.bench]
    totals = [0, 0]
    for v, s, faults, counts in sizes:
        for i, n in enumerate(run_case(command, rng, v, s, faults, counts, folder)):
            totals[i] += n
    print(f"{len(sizes)} inputs: output identical; {totals[0]} messages, {totals[1]} lines compared")


if __name__ == "__main__":
    sys.exit(main())
