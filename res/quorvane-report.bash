# bash completion for quorvane-report
# Self-contained (compgen only): it works with or without the
# bash-completion package's helpers and needs no extglob.

_quorvane_report() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
  local opts='--entered --priority --condition --unit --axis --csv --graph
              --size --pdf --compare --race --split --course --track -j
              --jobs --lang
              -h --help'
  local words=

  # bash splits "--unit=kmh" into "--unit" "=" "kmh".
  if [[ $cur == = ]]; then
    cur=
  elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
    prev=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  case $prev in
    --priority) words='arrival lap speed' ;;
    --condition) words='gross net' ;;
    --unit) words='km 400m 200m 100m kmh mile mph' ;;
    --lang) words='ja en' ;;
    --axis) words='normal reversed' ;;
    --split) words='laps' ;;
    --size | --course | --track | -j | --jobs) COMPREPLY=(); return ;;
    --graph) _quorvane_report_files '*.png' '*.PNG' '*.svg' '*.SVG'; return ;;
    --csv | --pdf) _quorvane_report_files '*'; return ;;
    --compare | --race) _quorvane_report_files '*.txt' '*.TXT'; return ;;
  esac
  if [[ -n $words ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
  elif [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$opts" -- "$cur")
  else
    # Race files and watch records, in either case.
    _quorvane_report_files '*.txt' '*.TXT' '*.fit' '*.FIT' '*.tcx' '*.TCX' \
      '*.gpx' '*.GPX'
  fi
}

# Folders and the files that match one of the patterns; one name a line, so
# names with spaces stay whole.
_quorvane_report_files() {
  local pattern
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <({
    compgen -d -- "$cur"
    for pattern; do compgen -f -X "!$pattern" -- "$cur"; done
  } | sort -u)
}

complete -F _quorvane_report quorvane-report
