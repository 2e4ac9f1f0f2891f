#!/usr/bin/env bash
# A manual page stays true while it lists what --help lists: the same usage
# line as its synopsis, the same entries in the same order under each
# heading of the help as in the page's section of that name, and the same
# exit statuses.
# Usage: manual_matches_help.sh PROGRAM PAGE
set -euo pipefail
program=$1
page=$2

# "SECTION: entry" lines from the help text.
help_outline() {
  "$program" --help | awk '
    /^Usage: / { print "SYNOPSIS: " substr($0, 8); next }
    /^[A-Z][A-Za-z ]*:$/ { section = toupper(substr($0, 1, length($0) - 1)); next }
    /^Exit status: / { section = ""; statuses = substr($0, 14); next }
    statuses != "" && /^$/ { flush() }
    statuses != "" { statuses = statuses " " $0; next }
    section != "" && /^  [^ ]/ { entry = substr($0, 3); sub(/  .*/, "", entry); print section ": " entry }
    function flush(   parts, n, i, words) {
      n = split(statuses, parts, /; /)
      for (i = 1; i <= n; i++) { split(parts[i], words, " "); print "EXIT STATUS: " words[1] }
      statuses = ""
    }
    END { if (statuses != "") flush() }
  '
}

# The same from the page: the first synopsis line and the tag of each .TP.
page_outline() {
  awk '
    function plain(text) {
      gsub(/\\f[BIRP]/, "", text); gsub(/\\-/, "-", text); gsub(/\\\(aq/, "'\''", text)
      gsub(/\\&/, "", text)
      return text
    }
    /^\.SH / { section = substr($0, 5); gsub(/"/, "", section); first = 1; next }
    section == "SYNOPSIS" && first && !/^\./ { print "SYNOPSIS: " plain($0); first = 0; next }
    /^\.TP/ { tag = 1; next }
    tag { print section ": " plain($0); tag = 0 }
  ' "$page"
}

expected=$(help_outline)
[ -n "$expected" ] || { echo "$program --help printed nothing to compare" >&2; exit 1; }
sections=$(cut -d: -f1 <<< "$expected" | sort -u | paste -sd '|')
if ! diff -u <(echo "$expected") <(page_outline | grep -E "^($sections): ") >&2; then
  echo "$page does not list what $program --help lists (- help, + page)" >&2
  exit 1
fi
echo "$page lists what $program --help lists."
