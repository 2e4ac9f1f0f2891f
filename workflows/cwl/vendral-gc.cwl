#!/usr/bin/env cwl-runner
# vendral-cli gc as a step: the output is written into the step's working
# folder under its usual name, and the run's --summary line is kept beside it.
cwlVersion: v1.2
class: CommandLineTool
label: "Vendral GC content"
doc: "The GC content of every nucleotide record, as CSV."
$namespaces:
  edam: http://edamontology.org/
hints:
  SoftwareRequirement:
    packages:
      vendral:
        version: ["0.99"]
baseCommand: [vendral-cli, gc]
arguments:
  - {prefix: -o, valueFrom: .}
  - {prefix: --summary, valueFrom: $(inputs.source.basename).GC-Content.summary.jsonl}
inputs:
  source:
    type: File
    format: edam:format_1929  # FASTA, plain or compressed
    inputBinding: {position: 1}

outputs:
  output:
    type: File
    outputBinding:
      glob: $(inputs.source.basename).GC-Content.csv
  summary:
    type: File
    doc: "The run's line of JSON: status, message, records read and written, bytes read, seconds."
    outputBinding:
      glob: $(inputs.source.basename).GC-Content.summary.jsonl
