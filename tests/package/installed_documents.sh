#!/usr/bin/env bash
# The desktop entry, the AppStream data and the manual pages as installed:
# they pass their validators, the manual pages format without warnings, each
# says of every option and command what the program's --help says, and the
# AppStream release is the programs' version.
#   installed_documents.sh OUT VERSION      (OUT as make_packages.sh left it)
set -euo pipefail
source "$(dirname "$0")/check.sh"
root=$1/root
version=$2
share=$root/usr/share

status=0
desktop-file-validate "$share/applications/org.dspdesk.dspdesk.desktop" || status=$?
expect "desktop-file-validate" "$status" 0
status=0
appstreamcli validate --no-net --pedantic "$share/metainfo/org.dspdesk.dspdesk.metainfo.xml" || status=$?
expect "appstreamcli validate" "$status" 0
expect "the AppStream release is the version" \
  "$(grep -o '<release version="[^"]*"' "$share/metainfo/org.dspdesk.dspdesk.metainfo.xml" | head -n 1)" \
  "<release version=\"$version\""

# A help line is "  SYNOPSIS  DESCRIPTION"; the page must hold the synopsis
# as a tag with a paragraph that starts with the description.
help_lines() { "$1" --help | awk -F '   *' '/^  [^ ]/ {sub(/^  /, ""); print $1 "\t" $2}'; }
page_text() { LC_ALL=C MANWIDTH=2000 man -l "$1" 2>/dev/null | col -b | sed 's/^[[:space:]]*//; s/[[:space:]][[:space:]]*/ /g'; }
says_the_same() {
  local tag=$1 description=$2 text=$3
  awk -v tag="$tag" -v description="$description" '
    previous == tag && index($0, description) == 1 { found = 1 }
    { previous = $0 }
    END { exit !found }' <<<"$text"
}

for program in dspctl dspsim dspserve dspdesk; do
  page=$share/man/man1/$program.1.gz
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  expect "$program(1) formats without warnings" "$warnings" ""
  text=$(page_text "$page")
  while IFS=$'\t' read -r tag description; do
    found=yes
    says_the_same "$tag" "$description" "$text" || found=no
    expect "$program(1) says what --help says of \"$tag\"" "$found" yes
  done < <(help_lines "$root/usr/bin/$program")
done
finish
