#!/usr/bin/env cwl-runner
# vendral-cli listrel as a step: the output is written into the step's working
# folder under its usual name, and the run's --summary line is kept beside it.
cwlVersion: v1.2
class: CommandLineTool
label: "Vendral Listrel"
doc: "The records whose numeric description is listed in the filter (extract) or is not."
$namespaces:
  edam: http://edamontology.org/
hints:
  SoftwareRequirement:
    packages:
      vendral:
        version: ["0.99"]
baseCommand: [vendral-cli, listrel]
arguments:
  - {prefix: -o, valueFrom: .}
  - {prefix: --summary, valueFrom: $(inputs.source.basename).Listrel.summary.jsonl}
inputs:
  source:
    type: File
    format: edam:format_1929  # FASTA, plain or compressed
    inputBinding: {position: 1}
  filter:
    type: File
    doc: "One record number per line."
    inputBinding: {prefix: --filter}
  extract:
    type: boolean?
    doc: "Keep the listed records; without it the listed records are dropped."
    inputBinding: {prefix: --extract}
outputs:
  output:
    type: File
    outputBinding:
      glob: $(inputs.source.basename).Listrel.fas
  summary:
    type: File
    doc: "The run's line of JSON: status, message, records read and written, bytes read, seconds."
    outputBinding:
      glob: $(inputs.source.basename).Listrel.summary.jsonl
