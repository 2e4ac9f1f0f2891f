#!/usr/bin/env cwl-runner
# vendral-cli lenmark as a step: the output is written into the step's working
# folder under its usual name, and the run's --summary line is kept beside it.
cwlVersion: v1.2
class: CommandLineTool
label: "Vendral Lenmark"
doc: "The records whose sequence length is below, equal to or above the length."
$namespaces:
  edam: http://edamontology.org/
hints:
  SoftwareRequirement:
    packages:
      vendral:
        version: ["0.99"]
baseCommand: [vendral-cli, lenmark]
arguments:
  - {prefix: -o, valueFrom: .}
  - {prefix: --summary, valueFrom: $(inputs.source.basename).Lenmark.summary.jsonl}
inputs:
  source:
    type: File
    format: edam:format_1929  # FASTA, plain or compressed
    inputBinding: {position: 1}
  compare:
    type:
      - "null"
      - type: enum
        symbols: ["<", "=", ">"]
    doc: "Below, equal to or above the length; vendral-cli's default is <."
    inputBinding: {prefix: --compare}
  length:
    type: string?
    doc: "The length as typed into the window's field (vendral-cli's default is 1000)."
    inputBinding: {prefix: --length}
outputs:
  output:
    type: File
    outputBinding:
      glob: $(inputs.source.basename).Lenmark.fas
  summary:
    type: File
    doc: "The run's line of JSON: status, message, records read and written, bytes read, seconds."
    outputBinding:
      glob: $(inputs.source.basename).Lenmark.summary.jsonl
