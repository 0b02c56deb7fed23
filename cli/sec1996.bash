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
  local forms='count iso8601 text yearday tai tt gps gps-week'
  local options='--output --header --keep --drop --placeholder --field --delimiter
    --append --replace --help --version'
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
    -f | --field | -p | --placeholder)
      COMPREPLY=()
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
