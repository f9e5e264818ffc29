#!/usr/bin/env python3
"""Turns the Google Benchmark JSON files of bench.sh into one plain-text table.
usage: benchTable.py JSON_FOLDER STARTUP_MS..."""
import json
import os
import statistics
import sys

TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def load(folder, name):
    path = os.path.join(folder, name + ".json")
    if not os.path.exists(path):
        return {}
    try:
        with open(path) as f:
            runs = json.load(f).get("benchmarks", [])
    except (OSError, ValueError):
        return {}
    return {plain(r["name"]): r for r in runs if r.get("run_type", "iteration") == "iteration"}


def plain(name):
    """The benchmark's name without the run settings Google Benchmark appends."""
    return "/".join(p for p in name.split("/") if not p.startswith(("min_time:", "real_time", "process_time", "iterations:")))


def ms(run):
    return run["real_time"] * TO_MS.get(run.get("time_unit", "ns"), 1e-6)


def skipped(run):
    return run.get("error_occurred") or run.get("skipped")


def timedemos(folder):
    """Per level and view: the timedemo line of its bot recording (timedemo.txt: NAME VIEW
    then the game's line)."""
    found = {}
    path = os.path.join(folder, "timedemo.txt")
    if os.path.exists(path):
        with open(path) as f:
            for line in f:
                name, _, rest = line.strip().partition(" ")
                view, _, rest = rest.partition(" ")
                found.setdefault(name, {})[view] = rest
    return found


def demoFps(line):
    """The fps of a timedemo line ('N frames, S seconds, F fps'), or n/a."""
    parts = (line or "").split(", ")
    return parts[-1] if len(parts) == 3 and parts[-1].endswith(" fps") else "n/a"


def main():
    folder, startup = sys.argv[1], [int(v) for v in sys.argv[2:] if v.lstrip("-").isdigit()]
    runs = {}
    for name in ("sim", "frame", "ase"):
        runs.update(load(folder, name))
    rows = []

    def row(what, figure, note=""):
        rows.append((what, figure, note))

    def get(name):
        r = runs.get(name)
        return None if r is None or skipped(r) else r

    r = get("BM_TickBattle")
    if r:
        row("tick, 256x256 map, 200 enemies, 50 soldiers", "%.1f us" % (ms(r) * 1000),
            "%.0f bullets in flight (target < 100 us)" % r.get("bullets", 0))
    for side in (64, 128, 256, 512):
        r = get("BM_LevelBuild/%d" % side)
        if r:
            row("level build, %dx%d map" % (side, side), "%.2f ms" % ms(r))
    good = [v for v in startup if v >= 0]
    if good:
        row("start-up to first drawn frame", "%d ms" % min(good),
            "best of %d, median %d ms (target < 1500 ms)" % (len(good), statistics.median(good)))
    else:
        row("start-up to first drawn frame", "n/a", "no frame seen")
    for name, what in (("BM_LoadMeshContainer", "load mesh container"), ("BM_LoadTextureSet", "load texture set")):
        r = get(name)
        if r:
            row(what, "%.1f ms" % ms(r))

    demos = timedemos(folder)
    def base(name):
        return name[:-4] if name.endswith(".bmp") else name

    levels = sorted({n.split("/")[1] for n in runs if n.startswith(("BM_Frame/", "BM_BotGame/"))})
    levels += sorted(set(demos) - {base(n) for n in levels})
    for level in levels:
        full, cull = get("BM_Frame/%s/all" % level), get("BM_Frame/%s/cull" % level)
        if full or cull:
            size = "%.0f" % (full or cull).get("side", 0)
            row("frame rate %s (%sx%s), 800x600" % (level, size, size),
                "%.0f fps" % full["fps"] if full else "n/a",
                "%.0f fps with view culling ('m')" % cull["fps"] if cull else "")
        demo = demos.get(base(level))
        if demo:
            label = "  timedemo of its bot recording, default / wide view" if full or cull else \
                "timedemo %s, bot recording, default / wide view" % base(level)
            views = ("default", "wide")
            failed = ["%s: %s" % (v, demo.get(v, "not run")) for v in views if demoFps(demo.get(v)) == "n/a"]
            row(label, " / ".join(demoFps(demo.get(v)) for v in views), "; ".join(failed))
    for level in levels:
        r = get("BM_BotGame/%s" % level)
        if r:
            row("bot game %s" % level, "%.1f ms" % ms(r), "%.0f s of game time" % (r.get("game_ms", 0) / 1000))

    files = sorted({n.split("/", 1)[1] for n in runs if n.startswith("BM_AseOurs/")})
    for f in files:
        ours, theirs = get("BM_AseOurs/" + f), get("BM_AseAssimp/" + f)
        if ours is None:
            row("ASE " + f, "n/a", "our loader loads no object of it")
            continue
        note = "Assimp: " + runs.get("BM_AseAssimp/" + f, {}).get("error_message", "no figure")
        if theirs:
            note = "Assimp %.3f ms, ratio %.2f (ours / Assimp), %d objects" % (
                ms(theirs), ms(ours) / ms(theirs), ours.get("objects", 0))
        row("ASE " + f, "%.3f ms" % ms(ours), note)

    width = max(len(w) for w, _, _ in rows)
    fig = max(len(f) for _, f, _ in rows)
    print("%-*s  %*s  %s" % (width, "benchmark", fig, "figure", "notes"))
    print("-" * (width + fig + 40))
    for what, figure, note in rows:
        print("%-*s  %*s  %s" % (width, what, fig, figure, note))


if __name__ == "__main__":
    main()
