#!/usr/bin/env python3
"""Prints the tables of scripts/bench-compare.sh from its folder of results: per level the
old and new timedemo in each view with their ratio, then BM_Frame per scene."""
import glob
import json
import os
import statistics
import sys


def median(values):
    numbers = [float(v) for v in values if v.replace(".", "", 1).isdigit()]
    if numbers:
        return statistics.median(numbers)
    return values[0] if values else "n/a"


def cell(v):
    return "%.1f" % v if isinstance(v, float) else v


def ratio(old, new):
    if isinstance(old, float) and isinstance(new, float) and old > 0:
        return "%.2fx" % (new / old)
    return "-"


def main():
    folder = sys.argv[1]
    figures = {}  # (level, view, build) -> [fps text]
    path = os.path.join(folder, "timedemo.txt")
    if os.path.exists(path):
        with open(path) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 4:
                    figures.setdefault(tuple(parts[:3]), []).append(parts[3])
    levels = sorted({k[0] for k in figures})
    head = ("level", "old default", "new default", "ratio", "old wide", "new wide", "ratio")
    print("%-22s %12s %12s %7s %12s %12s %7s" % head)
    for level in levels:
        row = [level]
        for view in ("default", "wide"):
            old = median(figures.get((level, view, "old"), []))
            new = median(figures.get((level, view, "new"), []))
            row += [cell(old), cell(new), ratio(old, new)]
        print("%-22s %12s %12s %7s %12s %12s %7s" % tuple(row))

    frames = {}  # (name, build) -> [fps]
    for path in glob.glob(os.path.join(folder, "frame-*.json")):
        build = os.path.basename(path).split("-")[1]
        try:
            with open(path) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue
        for b in data.get("benchmarks", []):
            if "fps" in b:
                frames.setdefault((b["name"], build), []).append(float(b["fps"]))
    names = sorted({k[0] for k in frames})
    if names:
        print()
        print("%-34s %12s %12s %7s" % ("synthetic frame", "old fps", "new fps", "ratio"))
        for name in names:
            old = statistics.median(frames[(name, "old")]) if (name, "old") in frames else "n/a"
            new = statistics.median(frames[(name, "new")]) if (name, "new") in frames else "n/a"
            print("%-34s %12s %12s %7s" % (name, cell(old), cell(new), ratio(old, new)))


if __name__ == "__main__":
    main()
