#!/usr/bin/env python3
"""Times stavbas-cli on synthetic databases next to the plain tools that read the same files.

Builds a Release build into its own folder (build-bench/ unless --build-dir names another),
writes the synthetic databases of 10 000, 100 000 and 300 000 inscriptions, and then:

  1. runs every command on the 10 000-inscription database and compares its output (standard
     output, standard error and every file it writes) with the reference checksums in
     bench/reference-10000.txt, so that a faster program is known to write the same bytes;
  2. times every command on the 100 000-inscription database next to its reference tool (rg,
     grep, wc -l, cat over the files the command reads), the two interleaved with hyperfine in
     several rounds, and prints the medians and their ratio;
  3. runs every command once on the 300 000-inscription database for its peak resident memory;
  4. times the window program's all run over the 10 000-inscription database.

The table is printed in Markdown, ready for bench/RESULTS.md.

Usage: bench/speed.py [--rounds N] [--build-dir DIR] [--no-build] [--write-reference]
                      [--only NAME,...] [--skip-gui]
"""

import argparse
import hashlib
import json
import os
import platform
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REFERENCE = os.path.join(ROOT, "bench", "reference-10000.txt")
SIZES = (10000, 100000, 300000)
TIMED = 100000
LOOKUPS = 1000
SZ = "\u00df"  # the prefix of attestation format codes


class Run:
    """One stavbas-cli command and the reference tool that reads the same files."""

    def __init__(self, name, args, ref, ref_files, goal=None, exports=(), prepare=None):
        self.name = name
        self.args = args  # arguments after --database BASE; {dir} is the run's output folder
        self.ref = ref  # "rg PATTERN", "cat", "wc" or None
        self.ref_files = ref_files  # extensions the command reads
        self.goal = goal  # the largest ratio wanted, or None
        self.exports = exports  # files the command writes into {dir}
        self.prepare = prepare  # "index": the group-address file is removed first


DEFAULT = ["RUN", "NFS", "FVN"]
EXPORT_READS = ["RUN", "NFS", "FVN", "ENG", "INF"]
EVERY = ["--condition", "$:#X"]

RUNS = [
    Run("RUN:stain, format >.$ RUN", ["--all", "--search", "RUN:stain", "--format", ">.$ RUN"],
        "rg stain", ["RUN"], 5),
    Run("RUN:stain, default format", ["--all", "--search", "RUN:stain"], "rg stain", ["RUN"], 8),
    Run("NFS:_sun, format >.$ NFS", ["--all", "--search", "NFS:_sun", "--format", ">.$ NFS"],
        "rg ' sun'", ["NFS"], 5),
    Run("NFS:_sun, default format", ["--all", "--search", "NFS:_sun"], "rg ' sun'", ["NFS"], 8),
    Run("RUN:st*n, format >.$ RUN", ["--all", "--search", "RUN:st*n", "--format", ">.$ RUN"],
        "rg 'st[^ ]*n'", ["RUN"], 5),
    Run("RUN:st*n, default format", ["--all", "--search", "RUN:st*n"], "rg 'st[^ ]*n'", ["RUN"],
        8),
    Run("condition INF;P:Runby", ["--all", "--condition", "INF;P:Runby"], "rg Runby", ["INF"]),
    Run("attestation format, RUN:stain",
        ["--all", "--search", "RUN:stain", "--format", SZ + "$ RUN NFS FVN"], "rg stain", ["RUN"]),
    Run("--all, default format", ["--all"], "cat", DEFAULT, 20),
    Run("open, index computed, check", ["--files"], "wc", EXPORT_READS, 5, prepare="index"),
    Run("data-file check", ["--check"], "wc", EXPORT_READS),
    Run("export KML", EVERY + ["--export", "kml", "{dir}/all.kml"], "cat", EXPORT_READS,
        exports=["all.kml"]),
    Run("export map page", EVERY + ["--export", "gmap", "{dir}/all.html"], "cat", EXPORT_READS,
        exports=["all.html"]),
    Run("export GPX", EVERY + ["--export", "gpx", "{dir}/all.gpx"], "cat", ["NFS", "INF"],
        exports=["all.gpx"]),
    Run("export CSV", EVERY + ["--export", "csv", "{dir}/all.csv"], "cat", ["NFS", "INF"],
        exports=["all.csv"]),
    Run("export shapefile", EVERY + ["--export", "shp", "{dir}/all.shp"], "cat", ["NFS", "INF"],
        exports=["all.shp", "all.shx", "all.dbf", "all.prj", "all.cpg"]),
    Run("export selection file", EVERY + ["--export", "list", "{dir}/all.txt"], "cat", ["NFS"],
        exports=["all.txt"]),
    Run("1000 lookups (--list)", ["--list", "{data}/lookups.txt"], "list0", DEFAULT),
]


def sh(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


def build(build_dir):
    sh(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
        "-DSTAVBAS_BUILD_TESTS=OFF"], stdout=subprocess.DEVNULL)
    sh(["cmake", "--build", build_dir, "-j", str(os.cpu_count() or 2)], stdout=subprocess.DEVNULL)


def make_data(data_root):
    for n in SIZES:
        folder = os.path.join(data_root, f"db{n}")
        if not os.path.exists(os.path.join(folder, "SYNTH.RUN")):
            sh([sys.executable, os.path.join(ROOT, "tools", "make_synthetic_db.py"),
                "--inscriptions", str(n), "--out", folder, "--base", "SYNTH", "--seed", "1"],
               stdout=subprocess.DEVNULL)
        # A selection file of random signums of this database, one of its first signum alone
        # and an empty one.
        lookups = os.path.join(folder, "lookups.txt")
        if not os.path.exists(lookups):
            with open(os.path.join(folder, "SYNTH.RUN"), "rb") as f:
                signums = [b" ".join(line.split(b" ")[:2]) for line in f
                           if line[:1] not in (b"!", b"\r", b"\n")]
            random.Random(42).shuffle(signums)
            with open(lookups, "wb") as f:
                f.write(b"".join(s + b"\r\n" for s in signums[:LOOKUPS]))
            open(os.path.join(folder, "lookups0.txt"), "wb").close()
        one = os.path.join(folder, "lookups1.txt")
        if not os.path.exists(one):
            with open(lookups, "rb") as f, open(one, "wb") as g:
                g.write(f.readline())


def cli_command(cli, run, folder, out_dir):
    args = [a.replace("{dir}", out_dir).replace("{data}", folder) for a in run.args]
    return [cli, "--database", os.path.join(folder, "SYNTH")] + args


def quote(words):
    return " ".join("'" + w.replace("'", "'\\''") + "'" for w in words)


def ref_command(run, folder, scratch):
    files = " ".join(os.path.join(folder, "SYNTH." + e) for e in run.ref_files)
    if run.ref.startswith("rg "):
        # Counted into a file: with /dev/null as output a search may stop at its first match.
        return f"{run.ref[:2]} -c {run.ref[3:]} {files} > {scratch}/rg.out"
    if run.ref == "cat":
        return f"cat {files} > /dev/null"
    if run.ref == "wc":
        return f"wc -l {files} > /dev/null"
    return None


def prepare_command(run, folder):
    if run.prepare == "index":
        return "rm -f " + os.path.join(folder, "SYNTH.$AD").replace("$", "\\$")
    return None


def outputs_digest(cli, run, folder, keep=None):
    """Runs the command and returns the checksums of everything it wrote; with `keep`, what it
    wrote is also kept in that folder, for a look at a difference."""
    with tempfile.TemporaryDirectory() as out_dir:
        # The check's log is its output too; left behind, it would show in the next opening.
        log = os.path.join(folder, "SYNTH.LOG")
        if os.path.exists(log):
            os.remove(log)
        if run.prepare == "index":
            os.remove(os.path.join(folder, "SYNTH.$AD"))
        p = subprocess.run(cli_command(cli, run, folder, out_dir), capture_output=True)
        def portable(data):  # the same whichever folders the data and the output lie in
            return data.replace(out_dir.encode(), b"{dir}").replace(folder.encode(), b"{data}")

        parts = [("stdout", portable(p.stdout)), ("stderr", portable(p.stderr)),
                 ("status", str(p.returncode).encode())]
        for name in run.exports:
            path = os.path.join(out_dir, name)
            parts.append((name, portable(open(path, "rb").read()) if os.path.exists(path)
                          else b"(none)"))
        if os.path.exists(log):
            parts.append(("log", open(log, "rb").read()))
            os.remove(log)
    if keep:
        os.makedirs(keep, exist_ok=True)
        for name, data in parts:
            stem = "".join(c if c.isalnum() else "_" for c in run.name)
            with open(os.path.join(keep, f"{stem}.{name}"), "wb") as f:
                f.write(data)
    h = hashlib.sha256()
    for name, data in parts:
        h.update(name.encode() + b"\0" + str(len(data)).encode() + b"\0" + data)
    return h.hexdigest()


def check_outputs(cli, runs, data_root, write, keep=None):
    folder = os.path.join(data_root, "db10000")
    # The index once, so that every run but the opening one loads it.
    subprocess.run([cli, "--database", os.path.join(folder, "SYNTH"), "--files"],
                   capture_output=True)
    digests = {run.name: outputs_digest(cli, run, folder, keep) for run in runs}
    if write:
        with open(REFERENCE, "w", encoding="utf-8") as f:
            f.write("# Checksums of the output of every benchmark run over the 10 000-inscription\n"
                    "# synthetic database (seed 1), written by bench/speed.py --write-reference.\n")
            for name, d in digests.items():
                f.write(f"{d}  {name}\n")
        return {name: "written" for name in digests}
    known = {}
    if os.path.exists(REFERENCE):
        for line in open(REFERENCE, encoding="utf-8"):
            if line.startswith("#") or not line.strip():
                continue
            d, name = line.rstrip("\n").split("  ", 1)
            known[name] = d
    return {name: ("same" if known.get(name) == d else "no reference" if name not in known
                   else "DIFFERENT") for name, d in digests.items()}


def hyperfine(commands, prepare, scratch, runs):
    out = os.path.join(scratch, "hf.json")
    cmd = ["hyperfine", "--style", "none", "-i", "--warmup", "1", "--runs", str(runs),
           "--export-json", out]
    if prepare:
        cmd += ["--prepare", prepare]
    sh(cmd + commands, stdout=subprocess.DEVNULL)
    with open(out) as f:
        return [r["times"] for r in json.load(f)["results"]]


def time_runs(cli, runs, data_root, rounds, per_round):
    """Medians in seconds of each command and its reference, timed interleaved."""
    folder = os.path.join(data_root, f"db{TIMED}")
    small = os.path.join(data_root, "db10000")
    subprocess.run([cli, "--database", os.path.join(folder, "SYNTH"), "--files"],
                   capture_output=True)
    subprocess.run([cli, "--database", os.path.join(small, "SYNTH"), "--files"],
                   capture_output=True)
    times = {run.name: ([], []) for run in runs}
    small_times = {}
    with tempfile.TemporaryDirectory() as scratch:
        for _ in range(rounds):
            for run in runs:
                command = quote(cli_command(cli, run, folder, scratch)) + " > /dev/null 2>&1"
                if run.ref == "list0":
                    # The lookups alone: the same run over a selection file of one signum beside
                    # it, on both sizes. A file's pass that checks the loaded index and fills
                    # the signum index is made when the file is first read, by the first
                    # lookup, so the one-signum run holds it; an empty list shows its cost.
                    def variants(c):
                        return [c, c.replace("lookups.txt", "lookups1.txt"),
                                c.replace("lookups.txt", "lookups0.txt")]
                    t = hyperfine(variants(command), None, scratch, per_round)
                    small_times.setdefault("empty", []).extend(t[2])
                    s = hyperfine(variants(command.replace(folder, small)), None, scratch,
                                  per_round)
                    for i in range(3):
                        small_times.setdefault(i, []).extend(s[i])
                else:
                    ref = ref_command(run, folder, scratch)
                    t = hyperfine([command, ref], prepare_command(run, folder), scratch,
                                  per_round)
                times[run.name][0].extend(t[0])
                times[run.name][1].extend(t[1])
    # The opening run left no index behind for the others: it is made again when needed.
    subprocess.run([cli, "--database", os.path.join(folder, "SYNTH"), "--files"],
                   capture_output=True)
    medians = {name: (statistics.median(a), statistics.median(b)) for name, (a, b) in times.items()}
    small_medians = {i: statistics.median(v) for i, v in small_times.items()}
    return medians, small_medians


def peak_memory(cli, runs, data_root):
    """Peak resident memory in MB and seconds of each command over the largest database."""
    folder = os.path.join(data_root, f"db{SIZES[-1]}")
    subprocess.run([cli, "--database", os.path.join(folder, "SYNTH"), "--files"],
                   capture_output=True)
    result = {}
    with tempfile.TemporaryDirectory() as scratch:
        for run in runs:
            if run.prepare == "index":
                os.remove(os.path.join(folder, "SYNTH.$AD"))
            report = os.path.join(scratch, "time.txt")
            with open(os.devnull, "wb") as null:
                subprocess.run(["/usr/bin/time", "-f", "%M %e", "-o", report] +
                               cli_command(cli, run, folder, scratch), stdout=null, stderr=null)
            kb, seconds = open(report).read().split()[-2:]
            result[run.name] = (int(kb) / 1024, float(seconds))
    return result


def gui_run(build_dir, data_root):
    program = os.path.join(build_dir, "bin", "bench_gui_all_run")
    if not os.path.exists(program):
        return "(the window program was not built)"
    base = os.path.join(data_root, "db10000", "SYNTH")
    env = dict(os.environ, BENCH_HIDDEN="1")
    p = subprocess.run([program, base, "3"], capture_output=True, text=True, env=env)
    return p.stdout.strip() or p.stderr.strip()


def machine():
    cpu = platform.processor() or "?"
    try:
        for line in open("/proc/cpuinfo"):
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    except OSError:
        pass
    mem = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    return f"{cpu}, {os.cpu_count()} cores, {mem:.0f} GB, {platform.system()} {platform.release()}"


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--rounds", type=int, default=5, help="rounds of interleaved timing")
    ap.add_argument("--per-round", type=int, default=3, help="runs of each command per round")
    ap.add_argument("--build-dir", default=os.path.join(ROOT, "build-bench"))
    ap.add_argument("--no-build", action="store_true", help="use the build as it is")
    ap.add_argument("--write-reference", action="store_true",
                    help="write the reference checksums from this build's output")
    ap.add_argument("--only", help="comma-separated names (or parts of names) of runs")
    ap.add_argument("--skip-gui", action="store_true")
    ap.add_argument("--check-only", action="store_true",
                    help="only compare the output over 10 000 inscriptions with the reference")
    ap.add_argument("--keep-output", metavar="DIR",
                    help="also keep the output of every run over 10 000 inscriptions in DIR")
    a = ap.parse_args()

    if os.path.realpath(a.build_dir) == os.path.realpath(os.path.join(ROOT, "build")):
        sys.exit("speed.py: the benchmark builds into a folder of its own, not build/")
    for tool in ("hyperfine", "rg", "cmake"):
        if not shutil.which(tool):
            sys.exit(f"speed.py: {tool} is missing (tools/install-deps.sh installs it)")
    if not a.no_build:
        build(a.build_dir)
    cli = os.path.join(a.build_dir, "bin", "stavbas-cli")
    data_root = os.path.join(a.build_dir, "bench-data")
    make_data(data_root)
    runs = RUNS
    if a.only:
        wanted = a.only.split(",")
        runs = [r for r in RUNS if any(w in r.name for w in wanted)]

    same = check_outputs(cli, runs, data_root, a.write_reference, a.keep_output)
    if a.write_reference:
        print(f"reference checksums written to {REFERENCE}")
        return
    if a.check_only:
        for name, verdict in same.items():
            print(f"{verdict:>12}  {name}")
        if any(v != "same" for v in same.values()):
            sys.exit("speed.py: some output differs from the reference")
        return
    medians, small = time_runs(cli, runs, data_root, a.rounds, a.per_round)
    memory = peak_memory(cli, runs, data_root)

    print(f"Machine: {machine()}")
    print(f"Timed on {TIMED} inscriptions, medians of {a.rounds} rounds of {a.per_round} runs "
          f"each, the command and its reference interleaved; peak memory and time of one run "
          f"on {SIZES[-1]} inscriptions; output compared on 10000.\n")
    print("| Run | stavbas-cli | Reference | Reference time | Ratio | Goal | "
          f"Time at {SIZES[-1] // 1000}k | Peak memory at {SIZES[-1] // 1000}k | Output |")
    print("|---|---|---|---|---|---|---|---|---|")
    for run in runs:
        mine, ref = medians[run.name]
        mb, seconds = memory[run.name]
        if run.ref == "list0":
            lookups = mine - ref
            at_small = small[0] - small[1]
            ratio = lookups / at_small if at_small > 0 else float("inf")
            passes, small_passes = ref - small["empty"], small[1] - small[2]
            print(f"| {run.name} | {mine * 1000:.0f} ms | same over a list of one signum | "
                  f"{ref * 1000:.0f} ms | lookups {lookups * 1000:.0f} ms at {TIMED // 1000}k, "
                  f"{at_small * 1000:.0f} ms at 10k: {ratio:.1f}× (files' first-read passes "
                  f"{passes * 1000:.0f} ms, {small_passes * 1000:.0f} ms) | 2× | "
                  f"{seconds * 1000:.0f} ms | {mb:.1f} MB | {same[run.name]} |")
            continue
        ref_name = {"cat": "cat", "wc": "wc -l"}.get(run.ref, run.ref.replace("rg ", "rg -c "))
        ref_name += " " + ", ".join(run.ref_files)
        goal = f"{run.goal}×" if run.goal else ""
        print(f"| {run.name} | {mine * 1000:.0f} ms | {ref_name} | {ref * 1000:.1f} ms | "
              f"{mine / ref:.1f}× | {goal} | {seconds * 1000:.0f} ms | {mb:.1f} MB | "
              f"{same[run.name]} |")
    if not a.skip_gui:
        print("\nWindow program, all run over 10000 inscriptions (bench_gui_all_run):\n")
        for line in gui_run(a.build_dir, data_root).splitlines():
            print("    " + line)
    if any(v == "DIFFERENT" for v in same.values()):
        sys.exit("speed.py: some output differs from the reference")


if __name__ == "__main__":
    main()
