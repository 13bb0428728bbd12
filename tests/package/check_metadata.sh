#!/bin/sh
# check_metadata.sh <desktop entry> <metainfo file>
# The desktop entry and the AppStream metadata pass their validators without a
# single error or warning. Answers 77 (skipped) when a validator is missing.
set -u
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
status=0
# desktop-file-validate prints nothing for a clean entry.
report=$(desktop-file-validate "$1" 2>&1) || status=1
[ -z "$report" ] || { echo "$report"; status=1; }
# appstreamcli marks errors "E:" and warnings "W:"; infos and pedantic notes pass.
report=$(appstreamcli validate --no-net --no-color "$2" 2>&1) || status=1
echo "$report"
echo "$report" | grep -q '^[EW]:' && status=1
exit $status
