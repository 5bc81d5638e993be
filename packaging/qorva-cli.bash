# bash completion for qorva-cli: the commands, each command's options, the
# words some options take, and project or output files where a file goes.

_qorva_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="state states process convert render export-points export-params report import-params import-old analyze comfort climate annual export"
    if [[ $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local command=${words[1]} options=""
    case $command in
        state) options="--units --p --t --tw --rh --td --x --h --json" ;;
        states) options="--units --p --json" ;;
        process) options="--units --p --t --tw --rh --td --x --h --to-t --to-tw --to-rh --to-td --to-x --to-h
                          --e --dx --heat-to --ratio --json" ;;
        render) options="--system --room --condition --width --dpi --png-compression --page --print-layout --all
                         --lang --weather --window --form --units" ;;
        report) options="--json" ;;
        analyze)
            options="--analysis --system --room --winter --no-winter --fan-rise --supply-diff --dew-point
                     --preheat --humidify --preheat-diff --mix --heat-to --humidification --recovery --recovery-e
                     --json --units --help" ;;
        comfort) options="--units --ta --rh --tr --v --met --clo --zone --limit --rh-low --rh-high --p" ;;
        climate) options="--hours --months --json --units" ;;
        export) options="--weather" ;;
        annual) options="--system --room --fresh-air --hours --recovery-total --recovery-sensible --json --units --help" ;;
    esac

    # Words an option takes; options with a number take no completion.
    # The kind of process step right after the command.
    if [[ $command == process && $cword -eq 2 ]]; then
        COMPREPLY=($(compgen -W "recovery-total recovery-sensible evaporative-direct evaporative-indirect
                                 humidify-steam humidify-adiabatic heat mix" -- "$cur"))
        return
    fi

    case $prev in
        --analysis) COMPREPLY=($(compgen -W "primary secondary fancoil freshair" -- "$cur")); return ;;
        --zone) COMPREPLY=($(compgen -W "gb-cooling-1 gb-cooling-2 gb-heating-1 gb-heating-2 pmv" -- "$cur")); return ;;
        --condition) COMPREPLY=($(compgen -W "0 1 2" -- "$cur")); return ;;
        --lang) COMPREPLY=($(compgen -W "zh en" -- "$cur")); return ;;
        --form) COMPREPLY=($(compgen -W "id ashrae" -- "$cur")); return ;;
        --units) COMPREPLY=($(compgen -W "si engineering ip" -- "$cur")); return ;;
        --weather) _filedir '@(epw|EPW|csv|CSV)'; return ;;
        --preheat) COMPREPLY=($(compgen -W "first mix" -- "$cur")); return ;;
        --humidify) COMPREPLY=($(compgen -W "adiabatic steam none" -- "$cur")); return ;;
        --recovery) COMPREPLY=($(compgen -W "none total sensible" -- "$cur")); return ;;
        --mix) COMPREPLY=($(compgen -W "treat-first mix-first" -- "$cur")); return ;;
        --supply-diff) COMPREPLY=($(compgen -W "max" -- "$cur")); return ;;
        --p | --t | --tw | --rh | --td | --x | --h | --system | --room | --width | --dpi | --png-compression | --window | \
            --fan-rise | --dew-point | --preheat-diff | --heat-to | --humidification | \
            --ta | --tr | --v | --met | --clo | --zone | --limit | --rh-low | --rh-high | --hours | --months | \
            --fresh-air | --recovery-total | --recovery-sensible | --to-t | --to-tw | --to-rh | --to-td | --to-x | \
            --to-h | --e | --dx | --ratio | --recovery-e)
            return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        convert | render | export-points | export-params | report | analyze | import-params | import-old | annual | export)
            _filedir ;;
        climate) _filedir '@(epw|EPW|csv|CSV)' ;;
    esac
}
complete -F _qorva_cli qorva-cli
