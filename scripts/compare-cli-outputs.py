#!/usr/bin/env python3
"""Check that two builds of gyrenda-cli write byte-identical output.

For many seeded random designs (options drawn from the CLI's --help), both
programs are run with --gyr -, --bmp - and --frames -, and their exit status,
standard output and standard error are compared byte for byte. Meant for
refactoring: build the program before and after a change and compare them.

Usage:
  python3 scripts/compare-cli-outputs.py OLD_CLI NEW_CLI [--designs N] [--seed S] [--jobs J]

Runs with the repository root as the working directory (so tests/data/*.GYR
can be loaded). Exits 1 if any design differs, 0 otherwise.
"""
import argparse
import concurrent.futures
import glob
import os
import random
import shlex
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TIMEOUT = 60  # seconds per run; a timeout counts as a difference
OUTPUTS = [("gyr", ["--gyr", "-"]), ("bmp", ["--bmp", "-"]), ("frames", ["--frames", "-"])]
FIXED = [  # design 0 has no options; then a few fixed rows before the random ones
    [],
    ["--six", "--speed", "kame"],
    ["--speed", "uma", "--six", "--zoom", "2"],
    ["--no-optimise-four", "--speed", "kame", "--pan", "200,200"],
]
PARAMS = ["crankRadius", "leverRadius", "couplerLength", "fixedLinkLength", "outputOffsetX",
          "outputOffsetY", "sixLinkLength", "sixOutputOffsetX", "sixOutputOffsetY",
          "slideStartX", "slideStartY", "slideEndX", "slideEndY"]
LENGTHS = {0, 1, 2, 3, 6}
SLIDES = {9, 10, 11, 12}
EDGE_TEXTS = ["0", "-5", "abc", "1e39", "  12 ", "\uff10.\uff15", "0.4", "30001", "-30001",
              "1e-38", ".5"]


def number_text(rng, k):
    """Text typed into the box of parameter k: mostly realistic, sometimes an edge case."""
    if rng.random() < 0.15:
        return rng.choice(EDGE_TEXTS)
    lo, hi = (1, 80) if k in LENGTHS else (-50, 200) if k in SLIDES else (-100, 150)
    decimals = rng.choice([0, 0, 1, 2])
    return f"{rng.uniform(lo, hi):.{decimals}f}"


def random_args(rng):
    groups = []  # options act in order; each group stays together, the groups are shuffled
    if rng.random() < 0.8:
        groups.append(["--speed", rng.choices(["uma", "inu", "kame"], [0.4, 0.4, 0.2])[0]])
    for option, p in [("--six", 0.5), ("--no-optimise-four", 0.25), ("--no-optimise-six", 0.25)]:
        if rng.random() < p:
            groups.append([option])
    if rng.random() < 0.4:
        groups.append(["--zoom", str(rng.choice([2, 3, 4]))])
    if rng.random() < 0.3:
        near = rng.random() < 0.7
        h, v = ((d + rng.randint(-60, 60)) if near else rng.randint(-300, 300) for d in (-60, -140))
        groups.append(["--pan", f"{h},{v}"])
    for _ in range(rng.randint(0, 6)):
        k = rng.randrange(len(PARAMS))
        name = str(k) if rng.random() < 0.2 else PARAMS[k]
        groups.append(["--set", f"{name}={number_text(rng, k)}"])
    rng.shuffle(groups)
    if rng.random() < 0.05:
        files = sorted(glob.glob("tests/data/*.GYR", root_dir=ROOT))
        files = files or ["tests/data/load_clean.GYR"]
        groups.insert(0, ["--load", rng.choice(files) if rng.random() < 0.5
                          else "tests/data/load_clean.GYR"])
    return [a for g in groups for a in g]


def design_args(seed, k):
    return FIXED[k] if k < len(FIXED) else random_args(random.Random(seed * 100003 + k))


def run(cli, args):
    try:
        p = subprocess.run([cli] + args, cwd=ROOT, capture_output=True, timeout=TIMEOUT)
        return p.returncode, p.stdout, p.stderr
    except subprocess.TimeoutExpired:
        return "timeout", b"", b""


def first_difference(a, b):
    n = min(len(a), len(b))
    return next((i for i in range(n) if a[i] != b[i]), n)


def compare_design(old, new, seed, k):
    """Returns (k, elapsed seconds, list of difference lines) for design k."""
    args = design_args(seed, k)
    start = time.monotonic()
    lines = []
    for label, extra in OUTPUTS:
        a, b = run(old, args + extra), run(new, args + extra)
        if a == b and "timeout" not in (a[0], b[0]):
            continue
        what = [f"exit {a[0]} vs {b[0]}"] if a[0] != b[0] or a[0] == "timeout" else []
        for stream, x, y in (("stdout", a[1], b[1]), ("stderr", a[2], b[2])):
            if x != y:
                what.append(f"{stream} differs at byte {first_difference(x, y)}"
                            f" ({len(x)} vs {len(y)} bytes)")
        shown = shlex.join(args) or "(none)"
        lines.append(f"design {k}: {label}: {'; '.join(what)}: args: {shown}")
    return k, time.monotonic() - start, lines


def program(path):
    found = os.path.abspath(path) if os.sep in path else shutil.which(path)
    if not found or not os.access(found, os.X_OK):
        sys.exit(f"compare-cli-outputs: not an executable program: {path}")
    return found


def main():
    parser = argparse.ArgumentParser(description="Compare the output of two gyrenda-cli builds.")
    parser.add_argument("old_cli")
    parser.add_argument("new_cli")
    parser.add_argument("--designs", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2)
    opts = parser.parse_args()
    old, new = program(opts.old_cli), program(opts.new_cli)

    differ, slowest = 0, (0.0, None)
    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, opts.jobs)) as pool:
        results = pool.map(lambda k: compare_design(old, new, opts.seed, k), range(opts.designs))
        for k, elapsed, lines in results:
            slowest = max(slowest, (elapsed, k), key=lambda s: s[0])
            differ += bool(lines)
            for line in lines:
                print(line, flush=True)
    if slowest[1] is not None:
        print(f"slowest design: {slowest[1]} ({slowest[0]:.2f} s for its 6 runs)")
    print(f"compared {opts.designs} designs ({3 * opts.designs} runs each side): {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
