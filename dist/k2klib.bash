# Completion of k2klib's commands and options for bash. The commands, their options and
# the values an option takes are read from k2klib's own help, so they never fall behind
# the program; a folder or a file is completed where an option or an argument wants one.
_k2klib() {
    COMPREPLY=()
    local cur="${COMP_WORDS[COMP_CWORD]}" prev="${COMP_WORDS[COMP_CWORD-1]}"
    local command="" word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case "$word" in -*) ;; *) command="$word"; break ;; esac
    done
    if [ -z "$command" ]; then
        local commands
        commands=$(k2klib --help 2>/dev/null |
            awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }')
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    local help
    help=$(k2klib "$command" --help 2>/dev/null)
    # The values of the option just typed: "--kind TEXT:{part,symbol,...}".
    local choices
    choices=$(printf '%s\n' "$help" |
        awk -v option="$prev" '$1 == option && match($0, /\{[^}]*\}/) {
            print substr($0, RSTART + 1, RLENGTH - 2) }' | tr ',' ' ')
    if [ -n "$choices" ]; then
        COMPREPLY=($(compgen -W "$choices" -- "$cur"))
        return
    fi
    case "$prev" in
        --suite|--symbols|--footprints)
            COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --project|--export|--library)
            COMPREPLY=($(compgen -f -- "$cur")); return ;;
    esac
    if printf '%s\n' "$help" | awk -v option="$prev" '$1 == option && $2 ~ /^(TEXT|INT|UINT)/ {
            found = 1 } END { exit !found }'; then
        return # a value of the user's own
    fi
    if [[ "$cur" == -* ]]; then
        local options
        options=$(printf '%s\n' "$help" | awk '/^Options:/ { on = 1; next }
            on && /^  +-/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i] }')
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -- "$cur"))
}
complete -o filenames -F _k2klib k2klib
