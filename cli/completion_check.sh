#!/usr/bin/env bash
# The bash completion as bash runs it: each line is the words typed so far
# and what the completion must offer.  Usage: completion_check.sh COMPLETION
# (the script the build made from the option table)
set -u
source "$1"
moonfold=moonfold
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
check "--color --color= --colour --colour=" --colo
check "hans hant" --script ""
# A list offers what it does not hold yet, after what was typed.
check "term,lunar" --kinds term,l
check "term,lunar,gregorian term,lunar,off term,lunar,work term,lunar,moon" --kinds term,lunar,
check "off,term off,lunar off,gregorian off,work off,moon" --kinds off,
check "" --kinds term,lunar,gregorian,off,work,moon,
echo "completion: 16 cases, $failures wrong"
[ "$failures" -eq 0 ]
