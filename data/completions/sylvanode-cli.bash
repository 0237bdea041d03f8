# bash completion for sylvanode-cli
# The commands and their options are read from the tool's own help texts, so a new command or
# option completes without a change here. The tool runs in the C locale, whose help is English,
# the language these patterns read.

_sylvanode_cli() {
    local cur prev words cword split
    _init_completion -s || return

    local tool=${words[0]}
    local command='' i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        local commands
        commands=$(LC_ALL=C "$tool" --help 2>/dev/null | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
        COMPREPLY=($(compgen -W "$commands help --help --version" -- "$cur"))
        return
    fi

    if [[ $command == help ]]; then
        COMPREPLY=($(compgen -W "$(LC_ALL=C "$tool" --help 2>/dev/null | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')" -- "$cur"))
        return
    fi
    local help
    help=$(LC_ALL=C "$tool" "$command" --help 2>/dev/null) || return

    # The value of an option, from its line in the help ("  --to FORMAT   html, outline or json"):
    # a DIR is a folder, a FILE or OUT a file, and a list of words ("a, b or c", after a colon,
    # parenthesised remarks left out) its choices; anything else is typed freely.
    if [[ $prev == -* ]]; then
        local line
        line=$(awk -v opt="$prev" '/^Options:/ { on = 1; next } on && $1 == opt && $2 ~ /^[A-Z]/ { print; exit }' <<<"$help")
        if [[ -n $line ]]; then
            local value
            value=$(awk '{ print $2 }' <<<"$line")
            case $value in
                DIR) _filedir -d ;;
                *FILE* | OUT*) _filedir ;;
                *)
                    local choices
                    choices=$(awk '{ $1 = ""; $2 = ""; sub(/^ +/, ""); gsub(/ *\([^)]*\)/, ""); sub(/.*: /, "");
                                     gsub(/,? or /, ", "); n = split($0, w, /, /);
                                     for (i = 1; i <= n; i++) if (w[i] !~ /^[a-z0-9][a-z0-9.-]*$/) exit;
                                     for (i = 1; i <= n; i++) print w[i] }' <<<"$line")
                    COMPREPLY=($(compgen -W "$choices" -- "$cur"))
                    ;;
            esac
            return
        fi
    fi
    [[ $split == true ]] && return

    if [[ $cur == -* ]]; then
        local options
        options=$(awk '/^Options:/ { on = 1; next } on && /^  -/ { sub(/,$/, "", $1); print $1; if ($2 ~ /^--/) print $2 }' <<<"$help")
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    local usage=${help%%$'\n'*}
    if [[ $usage == *" DIR"* && $usage != *"FILE"* ]]; then
        _filedir -d
    elif [[ $usage == *"FILE.menu"* ]]; then
        _filedir menu
    else
        _filedir
    fi
} &&
    complete -F _sylvanode_cli sylvanode-cli
