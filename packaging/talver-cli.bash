# bash completion for talver-cli                                    -*- shell-script -*-

_talver_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    # The command is the first word after the program that is no option.
    local command="" command_at=0 i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            command_at=$i
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '--help --version' -- "$cur"))
        else
            COMPREPLY=($(compgen -W 'check export xml summary dump build explain import statement' -- "$cur"))
        fi
        return
    fi

    case $prev in
        -o | --output)
            if [[ $command == export ]]; then
                _filedir -d
            else
                _filedir tv6
            fi
            return
            ;;
        --date | --guid | --country)
            return
            ;;
    esac
    $split && return

    local options=""
    case $command in
        export) options="--output --no-check --date --guid" ;;
        xml) options="--date --guid" ;;
        build | import) options="--output" ;;
        statement) options="--output --partial --country" ;;
        explain) options="--json" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi

    case $command in
        build) _filedir json ;;
        import) _filedir xml ;;
        statement)
            # The declaration first, then the broker's statements.
            local given=0
            for ((i = command_at + 1; i < cword; i++)); do
                case ${words[i]} in
                    -o | --output | --country) ((i++)) ;;
                    -*) ;;
                    *) ((given++)) ;;
                esac
            done
            if ((given == 0)); then
                _filedir tv6
            else
                _filedir '@(csv|xml)'
            fi
            ;;
        *) _filedir tv6 ;;
    esac
} &&
    complete -F _talver_cli talver-cli

# ex: filetype=sh
