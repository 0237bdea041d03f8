#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Puts the licence tag (SPDX-License-Identifier, MIT) at the top of every source file (C++, CMake,
# shell, Makefile, JavaScript, Python), as a one-line comment in the file's own syntax: the first
# line, or right after a "#!" line (and a Python coding line). A file that carries a tag already is
# left as it is, so running it again changes nothing.
#   scripts/spdx.sh           tag the files that lack it
#   scripts/spdx.sh --check   list the files that lack it; exit 1 when there are any
set -euo pipefail
cd "$(dirname "$0")/.."

check=false
case ${1:-} in
  --check) check=true ;;
  "") ;;
  *) echo "usage: scripts/spdx.sh [--check]" >&2; exit 2 ;;
esac

# Every file of the source tree: the ones git knows (tracked, and new ones it does not ignore), or
# outside git everything but build trees and npm packages.
list_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . \( -name .git -o -name 'build*' -o -name node_modules \) -prune -o -type f -printf '%P\0'
  fi
}

# The comment leader of a source file, or nothing for a file that is not source.
comment_of() {
  local file=$1
  case ${file##*/} in
    *.cpp | *.cc | *.h | *.hpp) echo "//" ;;
    *.js | *.mjs)
      # Menu scripts made by the generator (golden files, the demo, the guide's example) are output.
      head -c 13 "$file" | grep -q '^var tree_node' || echo "//" ;;
    CMakeLists.txt | *.cmake | Makefile | *.sh | *.py) echo "#" ;;
    *.*) ;;
    *) head -n 1 "$file" | grep -Eq '^#!.*\b(ba|da)?sh\b' && echo "#" ;;
  esac
  return 0
}

# A tag line among the first three counts (after "#!" and a coding line at most). Read by awk
# itself: `head | grep -q` under pipefail fails at random when grep quits before head has written
# a long third line (a minified script's) and head dies of SIGPIPE.
has_tag() {
  awk 'NR > 3 { exit } /^(\/\/|#|\/\*) ?SPDX-License-Identifier: [A-Za-z0-9]/ { found = 1; exit } END { exit !found }' "$1"
}

# In one function, read whole before it runs: the script tags itself too.
main() {
  untagged=()
  while IFS= read -r -d '' file; do
    [[ -f $file && ! -L $file ]] || continue
    leader=$(comment_of "$file")
    [[ -n $leader ]] || continue
    has_tag "$file" && continue
    untagged+=("$file")
    $check && continue
    tmp=$(mktemp)
    python=false
    [[ $file == *.py ]] && python=true
    awk -v tag="$leader SPDX-License-Identifier: MIT" -v python="$python" '
      function put() { if (!done) { print tag (cr ? "\r" : ""); done = 1 } }
      NR == 1 { cr = /\r$/ }
      NR == 1 && /^#!/ { print; next }
      python == "true" && NR <= 2 && /^#.*coding[:=]/ { print; next }
      { put(); print }
      END { put() }
    ' "$file" >"$tmp"
    cat "$tmp" >"$file"  # keeps the file's mode
    rm -f "$tmp"
  done < <(list_files)

  if $check; then
    if ((${#untagged[@]})); then
      echo "Source files without an SPDX-License-Identifier line at the top (scripts/spdx.sh adds it):"
      printf '  %s\n' "${untagged[@]}"
      exit 1
    fi
    echo "Every source file carries its SPDX licence tag."
  elif ((${#untagged[@]})); then
    printf 'tagged %s\n' "${untagged[@]}"
  fi
}

main; exit
