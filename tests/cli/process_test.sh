#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command-line tools as separate processes: real standard streams, pipes, a full disk,
# shell completion, and the editor's information options without a display.
# Usage: process_test.sh SYLVANODE-CLI SOURCE-DIR [SYLVANODE]
set -u
cli=$1
src=$2
editor=${3:-}
scheme=$src/tests/fixtures/worked-example/scheme.menu
expected=$src/tests/fixtures/worked-example/expected.js
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# English messages whatever the caller's locale; the checks of the language set their own.
export LC_ALL=C.UTF-8
unset LANGUAGE
passed=0
failed=0

check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name" >&2
  fi
}

# One line on standard error, starting with the program's name and `prefix`.
one_error_line() {  # FILE PREFIX
  [[ $(wc -l <"$1") -eq 1 && $(head -c ${#2} "$1") == "$2" ]]
}

for args in "generate $scheme" "tree $scheme" "check $scheme" "--help"; do
  # shellcheck disable=SC2086
  "$cli" $args >/dev/full 2>"$work/err"
  rc=$?
  check "$args > /dev/full exits 3" test $rc -eq 3
  check "$args > /dev/full says so in one line" one_error_line "$work/err" "sylvanode-cli: cannot write to standard output: disk full"
done

check "generate - reads standard input" cmp -s <("$cli" generate - <"$scheme") "$expected"
check "check - from a pipe" test "$(cat "$scheme" | "$cli" check -)" = "2 items"
check "rewrite -o - writes standard output" cmp -s <("$cli" rewrite "$scheme" -o -) "$scheme"

# An output pipe that nobody reads fails at once with one line instead of blocking.
mkfifo "$work/fifo"
timeout 20 "$cli" generate "$scheme" -o "$work/fifo" 2>"$work/err"
rc=$?
check "generate -o FIFO without a reader exits 3 at once" test $rc -eq 3
check "generate -o FIFO without a reader says so in one line" one_error_line "$work/err" "sylvanode-cli:"

# The language of messages follows the environment as message catalogues read it.
while IFS='|' read -r environment expected; do
  # shellcheck disable=SC2086
  env -u LC_ALL -u LANGUAGE -u LC_MESSAGES -u LANG $environment "$cli" frob 2>"$work/err"
  check "messages with $environment" test "$(cat "$work/err")" = "$expected"
done <<'LOCALES'
LANG=zh_CN.UTF-8|sylvanode-cli: 未知的命令 frob（见 sylvanode-cli --help）
LANG=zh_TW.UTF-8|sylvanode-cli: 未知的命令 frob（见 sylvanode-cli --help）
LANG=de_DE.UTF-8|sylvanode-cli: unknown command frob (see sylvanode-cli --help)
LANG=zh_CN.UTF-8 LC_ALL=C|sylvanode-cli: unknown command frob (see sylvanode-cli --help)
LANG=zh_CN.UTF-8 LC_MESSAGES=POSIX|sylvanode-cli: unknown command frob (see sylvanode-cli --help)
LANG=en_US.UTF-8 LANGUAGE=zh_CN:en|sylvanode-cli: 未知的命令 frob（见 sylvanode-cli --help）
LANG=C.UTF-8 LANGUAGE=zh_CN|sylvanode-cli: unknown command frob (see sylvanode-cli --help)
LOCALES
env LC_ALL= LANG=zh_CN.UTF-8 "$cli" frob 2>/dev/null
rc=$?
check "a usage error exits 2 in Chinese too" test $rc -eq 2
# What import took is a note in the user's language; what it wrote stays data; -q drops the note.
env LC_ALL= LANG=zh_CN.UTF-8 "$cli" import "$src/tests/fixtures/import/cp1252-news.html" -o "$work/news.menu" \
  >"$work/out" 2>"$work/err"
check "import's note in Chinese" test "$(cat "$work/err")" = \
  "sylvanode-cli: 导入：取了 <ul class=\"events\">（3 项）；没有声明字符集，按 WINDOWS-1252 读（用 --charset 改变）"
check "import's count is data in Chinese too" test "$(cat "$work/out")" = "3 items imported"
env LC_ALL= LANG=zh_CN.UTF-8 "$cli" import "$src/tests/fixtures/import/cp1252-news.html" -o "$work/news.menu" -q \
  >"$work/out" 2>"$work/err"
check "import -q prints nothing in Chinese" test ! -s "$work/out" -a ! -s "$work/err"

# Bash completion: the file sources, and completes commands, options and values.
complete_bash() {  # WORD... (the last one is being completed)
  bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_POINT=${#COMP_LINE}
    _sylvanode_cli
    ((${#COMPREPLY[@]})) && printf "%s\n" "${COMPREPLY[@]}"
  ' bash "$src/data/completions/sylvanode-cli.bash" "$@" 2>&1
}
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  check "bash completes the commands" test "$(complete_bash "$cli" "" | sort | tr '\n' ' ')" = \
    "--help --version check export generate help import library links preview rewrite tree "
  check "bash completes a command's options" test "$(complete_bash "$cli" generate --c | tr '\n' ' ')" = "--charset "
  check "bash completes the same in Chinese" test \
    "$(LC_ALL= LANG=zh_CN.UTF-8 complete_bash "$cli" export x.menu --to "" | tr '\n' ' ')" = "html outline opml json jstree "
  # Option values come from the help texts: a list of words, a folder, or nothing to offer.
  mkdir -p "$work/site"
  while IFS='|' read -r words expected; do
    # shellcheck disable=SC2086
    check "bash completes: $words" test "$(cd "$work" && complete_bash "$cli" $words "" | tr '\n' ' ')" = "$expected"
  done <<'VALUES'
generate x.menu --charset|gbk utf-8 
import x --from|html markdown outline sitemap opml json folder 
import x --format|text json 
import x --charset|
export x.menu --to|html outline opml json jstree 
export x.menu --charset|gbk utf-8 
links x.menu --format|text json 
links x.menu --root|site 
links x.menu --ignore|
import x --select|
generate x.menu --suffix|
help|check tree rewrite generate preview library import export links 
VALUES
else
  check "bash-completion is installed (scripts/setup.sh)" false
fi
if command -v zsh >/dev/null; then
  check "the zsh completion parses" zsh -n "$src/data/completions/_sylvanode-cli"
fi

if [[ -n $editor ]]; then
  # No display at all: the answer comes before any window is made.
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$editor" --version 2>&1)
  check "sylvanode --version prints and exits" test "$out" = "$("$cli" --version | sed 's/^sylvanode-cli/sylvanode/')"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$editor" --help 2>&1)
  check "sylvanode --help prints and exits" test "${out%%$'\n'*}" = "Usage: sylvanode [--help] [--version] [FILE...]"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL= LANG=zh_CN.UTF-8 QT_QPA_PLATFORM=xcb timeout 20 "$editor" --help 2>&1)
  check "sylvanode --help in Chinese" test "${out%%$'\n'*}" = "用法：sylvanode [--help] [--version] [文件...]"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
