# bash completion for quorvane
# Self-contained (compgen only), as quorvane-report's.

_quorvane() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local i
  # After "--" every word is a file name.
  for ((i = 1; i < COMP_CWORD; i++)); do
    [[ ${COMP_WORDS[i]} == -- ]] && { _quorvane_files; return; }
  done
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W '-h --help --version --' -- "$cur")
  else
    _quorvane_files
  fi
}

# Folders, race files and watch records (FIT, TCX, GPX), in either case.
_quorvane_files() {
  local pattern
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <({
    compgen -d -- "$cur"
    for pattern in txt TXT fit FIT tcx TCX gpx GPX; do
      compgen -f -X "!*.$pattern" -- "$cur"
    done
  } | sort -u)
}

complete -F _quorvane quorvane
