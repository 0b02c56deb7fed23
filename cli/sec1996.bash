# bash completion for sec1996(1).  Installed as
# share/bash-completion/completions/sec1996, where bash-completion loads it
# the first time sec1996 is completed; it can also be sourced by hand.  It
# needs nothing from bash-completion itself.

_sec1996() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  # bash splits --output=LIST at the "=" into three words.
  if [[ $cur == = ]]; then
    cur=
  elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  local forms='count iso8601 text yearday posix cuc cds ccs tai tt gps gps-week'
  local options='--output --format --input-format --header --keep --drop --placeholder
    --field --delimiter --append --replace --help --version --from --cuc-octets --cuc-level --cds-day
    --cds-sub --cds-epoch --ccs-calendar --ccs-octets --no-pfield'
  # True time: the leap-second list.
  options+=' --leap-seconds --leap-list'

  # A comma-separated list of forms: complete the part after the last comma.
  case $prev in
    -o | --output)
      local done=
      [[ $cur == *,* ]] && done=${cur%,*},
      mapfile -t COMPREPLY < <(compgen -P "$done" -W "$forms" -- "${cur##*,}")
      compopt -o nospace 2>/dev/null
      return
      ;;
    -d | --delimiter)
      # Tab is the default, so a comma is the one worth offering.
      mapfile -t COMPREPLY < <(compgen -W ',' -- "$cur")
      return
      ;;
    --leap-seconds)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
    --format | --input-format)
      # Patterns people use, quoted for the shell.
      mapfile -t COMPREPLY < <(compgen -W "'%Y-%m-%d\\ %H:%M:%S' %Y.%j %Y-%jT%H:%M:%S %s" -- "$cur")
      return
      ;;
    -f | --field | -p | --placeholder | --cuc-octets | --cds-epoch | --ccs-octets)
      COMPREPLY=()
      return
      ;;
    --from)
      mapfile -t COMPREPLY < <(compgen -W 'cuc cds ccs' -- "$cur")
      return
      ;;
    --cuc-level)
      mapfile -t COMPREPLY < <(compgen -W '1 2' -- "$cur")
      return
      ;;
    --cds-day)
      mapfile -t COMPREPLY < <(compgen -W '16 24' -- "$cur")
      return
      ;;
    --cds-sub)
      mapfile -t COMPREPLY < <(compgen -W 'none us ps' -- "$cur")
      return
      ;;
    --ccs-calendar)
      mapfile -t COMPREPLY < <(compgen -W 'month yday' -- "$cur")
      return
      ;;
  esac
  case $cur in
    --output=*)
      local list=${cur#--output=} done=
      [[ $list == *,* ]] && done=${list%,*},
      mapfile -t COMPREPLY < <(compgen -P "$done" -W "$forms" -- "${list##*,}")
      compopt -o nospace 2>/dev/null
      ;;
    -*)
      mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
      ;;
    *)
      # Values are counts or dates, nothing to complete from.
      COMPREPLY=()
      ;;
  esac
}
complete -F _sec1996 sec1996
