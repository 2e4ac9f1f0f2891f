#!/usr/bin/env cwl-runner
# An example: the GC content of every source, and its records above (or
# below, or equal to) a length, each source a step of its own that an engine
# may run anywhere.
cwlVersion: v1.2
class: Workflow
label: "Vendral GC content and Lenmark over many sources"
$namespaces:
  edam: http://edamontology.org/
requirements:
  ScatterFeatureRequirement: {}
  MultipleInputFeatureRequirement: {}
inputs:
  sources:
    type: File[]
    format: edam:format_1929
  compare:
    type:
      - "null"
      - type: enum
        symbols: ["<", "=", ">"]
  length: string?
steps:
  gc:
    run: vendral-gc.cwl
    scatter: source
    in:
      source: sources
    out: [output, summary]
  lenmark:
    run: vendral-lenmark.cwl
    scatter: source
    in:
      source: sources
      compare: compare
      length: length
    out: [output, summary]
outputs:
  gc_outputs:
    type: File[]
    outputSource: gc/output
  lenmark_outputs:
    type: File[]
    outputSource: lenmark/output
  summaries:
    type: File[]
    outputSource: [gc/summary, lenmark/summary]
    linkMerge: merge_flattened
