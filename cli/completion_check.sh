#!/usr/bin/env bash
# The bash completion as bash runs it: each line is the words typed so far
# and what the completion must offer.  Usage: completion_check.sh MOONFOLD
set -u
source "$(dirname "$0")/moonfold.bash-completion"
moonfold=$1
failures=0
check() {  # expected, then the words (the last is the one being completed)
  local expected=$1
  shift
  COMP_WORDS=("$moonfold" "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _moonfold
  local got="${COMPREPLY[*]}"
  if [[ $got != "$expected" ]]; then
    echo "FAILED: moonfold $*: offered '$got', expected '$expected'"
    failures=$((failures + 1))
  fi
}
# --color= split at the = as bash does, and whole.
check "auto always never" --color = ""
check "always" --color = al
check "never" --colour = n
check "--color=auto --color=always --color=never" --color=
check "--color=always" --color=al
# Keywords in either case.
check "LUNARDAY LUNARMONTH" luna
check "LUNARDAY LUNARMONTH" LUNA
check "CONSTELLATION COUNTDOWN" co
check "--every" --ev
check "" --date ""
echo "completion: 10 cases, $failures wrong"
[ "$failures" -eq 0 ]
