#!/usr/bin/env python3
"""Turns the rounds of scripts/bench into bench/results/latest.md and the
data of the chart. Ratios are medians of per-round ratios: within a round
the commands ran seconds apart, so they share the load of the machine,
which medians of separate runs would not.

usage: summarize.py RUNS_FOLDER MARKDOWN_OUT HEADER_FILE SHAPE...
Each RUNS_FOLDER/SHAPE holds title.txt, commands.tsv, kib-N, round-*.json
(see bench/run_rounds); SHAPE/chart.dat is written for bench/chart.gp."""
import glob
import json
import os
import statistics
import sys

# Targets per kind of floor: at most this many times the floor, and at most
# this fraction of the matching seqkit command (None: no seqkit target). The
# compressed shapes that threads serve measure against decompressors.
TARGETS = {"floor-read": (1.5, 0.4), "floor-copy": (1.6, 0.5), "floor-one-core": (0.65, None),
           "floor-parallel": (1.0, None), "floor-decompress": (1.05, None)}


def load(folder):
    commands = []
    with open(os.path.join(folder, "commands.tsv")) as f:
        for line in f:
            work, role, floor, label, _, _ = line.rstrip("\n").split("\t")
            commands.append({"work": work, "role": role, "floor": floor, "label": label})
    memory = {}  # the highest peak of every round
    for i, s in enumerate(commands):
        with open(os.path.join(folder, f"kib-{i}")) as f:
            memory[s["label"]] = max(int(line) for line in f if line.strip().isdigit())
    rounds = []
    for path in sorted(glob.glob(os.path.join(folder, "round-*.json"))):
        with open(path) as f:
            rounds.append({r["command"]: r for r in json.load(f)["results"]})
    return commands, memory, rounds


def wall(rounds, label):
    return [r[label]["times"][0] for r in rounds]


def median_ratio(rounds, a, b):
    return statistics.median(r[a]["times"][0] / r[b]["times"][0] for r in rounds)


def cpu(result):
    return result["user"] + result["system"]


# CPU time suffers less from other load than wall time: shown beside it.
def median_cpu_ratio(rounds, a, b):
    return statistics.median(cpu(r[a]) / cpu(r[b]) for r in rounds)


def ms(seconds):
    return f"{seconds * 1000:.0f}"


def shape_table(commands, memory, rounds, summary, chart):
    by_label = {s["label"]: s for s in commands}
    med = {s["label"]: statistics.median(wall(rounds, s["label"])) for s in commands}
    rows = ["| work | command | median ms | spread ms (min–max) | CPU ms | peak MiB | × floor | × best peer | targets |",
            "|---|---|---|---|---|---|---|---|---|"]
    works = [w for w in dict.fromkeys(s["work"] for s in commands) if w != "floor"]
    for work in works + ["floor"]:
        members = [s for s in commands if s["work"] == work]
        peers = [s["label"] for s in members if s["role"] == "peer"]
        best = min(peers, key=med.get) if peers else None
        seqkit = next((p for p in peers if p.startswith("seqkit")), None)
        for i, s in enumerate(members):
            label = s["label"]
            times = wall(rounds, label)
            cpu_ms = statistics.median(cpu(r[label]) for r in rounds)
            # A command may be held to several floors: "A|B"; the first is shown.
            floors = s["floor"].split("|") if s["floor"] != "-" else []
            floor = floors[0] if floors else None
            x_floor = median_ratio(rounds, label, floor) if floor else None
            x_floor_text = f"{x_floor:.2f} (CPU {median_cpu_ratio(rounds, label, floor):.2f})" if floor else ""
            x_best = x_seqkit = None
            targets = ""
            name = label
            if s["role"] == "vendral":
                name = f"**{label}**"
                if best:
                    x_best = median_ratio(rounds, label, best)
                if seqkit:
                    x_seqkit = median_ratio(rounds, label, seqkit)
                marks = []
                for other in floors:
                    limit = TARGETS[by_label[other]["role"]][0]
                    x_other = median_ratio(rounds, label, other)
                    marks.append(f"≤{limit}× {other} {'✓' if x_other <= limit else '✗'}" +
                                 (f" ({x_other:.2f})" if other != floor else ""))
                limit_seqkit = TARGETS[by_label[floor]["role"]][1]
                if x_seqkit is not None and limit_seqkit is not None:
                    marks.append(f"≤{limit_seqkit}× {seqkit} {'✓' if x_seqkit <= limit_seqkit else '✗'}"
                                 f" ({x_seqkit:.2f})")
                targets = ", ".join(marks)
                summary.append((work, label, med[label], best, med.get(best), floor, med[floor],
                                x_floor_text, x_best, targets))
                chart.append((work, med[label], best, med.get(best), med[floor]))
            kib = memory.get(label)
            rows.append("| " + " | ".join([
                work if i == 0 else "",
                name,
                ms(med[label]),
                f"{ms(min(times))}–{ms(max(times))}",
                ms(cpu_ms),
                f"{kib / 1024:.1f}" if kib else "",
                x_floor_text,
                f"{x_best:.2f} ({best})" if x_best is not None else "",
                targets,
            ]) + " |")
    return rows


def main():
    runs, out, header_file = sys.argv[1:4]
    shapes = sys.argv[4:]
    with open(header_file) as f:
        text = [f.read().rstrip("\n"), ""]
    main_rows = ["| shape | work | Vendral ms | best peer ms | floor ms | × floor | × best peer | targets |",
                 "|---|---|---|---|---|---|---|---|"]
    sections = []
    for shape in shapes:
        folder = os.path.join(runs, shape)
        with open(os.path.join(folder, "title.txt")) as f:
            title = f.read().strip()
        commands, memory, rounds = load(folder)
        summary, chart = [], []
        rows = shape_table(commands, memory, rounds, summary, chart)
        sections += [f"## {title}", "", f"{len(rounds)} alternating rounds.", ""] + rows + [""]
        for work, label, v, best, b, floor, f, x_floor_text, x_best, targets in summary:
            main_rows.append(f"| {shape} | {work} | {ms(v)} | " +
                             (f"{ms(b)} ({best})" if best else "none") +
                             f" | {ms(f)} ({floor}) | {x_floor_text} | " +
                             (f"{x_best:.2f}" if x_best is not None else "") + f" | {targets} |")
        with open(os.path.join(folder, "chart.dat"), "w") as f:
            for work, v, best, b, fl in chart:
                peer = f"{b * 1000:.0f}" if b else "-"
                # Short names keep the chart's labels apart: the table has the rest.
                name = " ".join(best.split()[:2]) if best else "no peer"
                f.write(f'"{work.split()[0].rstrip(",")}" {v * 1000:.0f} {peer} {fl * 1000:.0f} "{name}"\n')
    text += ["## Main table", ""] + main_rows + [""] + sections
    with open(out, "w") as f:
        f.write("\n".join(text))


if __name__ == "__main__":
    main()
