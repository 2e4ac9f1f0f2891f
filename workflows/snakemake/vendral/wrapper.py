"""Snakemake wrapper for vendral-cli: one of its tools on the rule's sources.

input:   source (one or more FASTA files, plain or compressed); filter, for listrel
output:  one file per source, in one folder, each named as vendral-cli names it
         (folder/SOURCE_NAME.GC-Content.csv and so on)
params:  tool (gc, ardenta, lenmark, listrel or ordinel); compare and length
         (lenmark); extract (listrel, True or False); summary (a file that every
         run appends its line of JSON to); extra (more options, as typed)
threads: sources run side by side (vendral-cli -j)
log:     standard output and standard error of the command
"""

import os
import shlex

from snakemake.shell import shell

# The tag and extension that vendral-cli adds to a source's file name.
SUFFIXES = {
    "gc": ".GC-Content.csv",
    "ardenta": ".Ardenta.csv",
    "lenmark": ".Lenmark.fas",
    "listrel": ".Listrel.fas",
    "ordinel": ".Ordinel.fas",
}

params = snakemake.params
tool = params.get("tool")
if tool not in SUFFIXES:
    raise ValueError(f"params.tool must be one of {', '.join(SUFFIXES)}, not {tool!r}")

sources = snakemake.input.get("source", snakemake.input)
sources = [sources] if isinstance(sources, str) else list(sources)
outputs = list(snakemake.output)
if len(outputs) != len(sources):
    raise ValueError("give one output for each source")
folder = os.path.dirname(outputs[0]) or "."
for source, output in zip(sources, outputs):
    expected = os.path.join(folder, os.path.basename(source) + SUFFIXES[tool])
    if os.path.normpath(output) != os.path.normpath(expected):
        raise ValueError(f"vendral-cli {tool} writes {source} into {expected}, not {output}")

words = ["vendral-cli", tool, *sources, "-o", folder, "--no-progress"]
if tool == "lenmark":
    if params.get("compare") is not None:
        words += ["--compare", str(params.compare)]
    if params.get("length") is not None:
        words += ["--length", str(params.length)]
if tool == "listrel":
    words += ["--filter", snakemake.input.filter]
    words += ["--extract"] if params.get("extract", False) else ["--exclude"]
if snakemake.threads > 1:
    words += ["-j", str(snakemake.threads)]
if params.get("summary"):
    words += ["--summary", str(params.summary)]
command = " ".join(shlex.quote(word) for word in words)
extra = params.get("extra", "")
log = snakemake.log_fmt_shell(stdout=True, stderr=True)
shell(f"{command} {extra} {log}")
