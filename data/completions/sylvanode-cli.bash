# bash completion for sylvanode-cli
# The commands and their options are read from the tool's own help texts, so a new command or
# option completes without a change here.

_sylvanode_cli() {
    local cur prev words cword
    _init_completion || return

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
        commands=$("$tool" --help 2>/dev/null | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
        COMPREPLY=($(compgen -W "$commands help --help --version" -- "$cur"))
        return
    fi

    local help
    help=$("$tool" "$command" --help 2>/dev/null) || return
    case $prev in
        --charset)
            COMPREPLY=($(compgen -W "gbk utf-8" -- "$cur"))
            return
            ;;
        -o)
            if [[ $help == *"-o DIR"* ]]; then _filedir -d; else _filedir; fi
            return
            ;;
        --suffix)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        local options
        options=$(awk '/^Options:/ { on = 1; next } on && /^  -/ { sub(/,$/, "", $1); print $1; if ($2 ~ /^--/) print $2 }' <<<"$help")
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    local usage=${help%%$'\n'*}
    if [[ $command == help ]]; then
        COMPREPLY=($(compgen -W "$("$tool" --help 2>/dev/null | awk '/^Commands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')" -- "$cur"))
    elif [[ $usage == *" DIR"* && $usage != *"FILE"* ]]; then
        _filedir -d
    elif [[ $usage == *"FILE.menu"* ]]; then
        _filedir menu
    else
        _filedir
    fi
} &&
    complete -F _sylvanode_cli sylvanode-cli
