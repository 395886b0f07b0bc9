#!/usr/bin/env bash
# Fails when a source file includes from a folder above its own. The folders
# stack bottom up, as README's architecture paragraph lists them; a folder may
# include its own files and those of any folder lower in the stack, never one
# above or beside it. (That the core folders use no widgets the build checks:
# zelvo_core is compiled without Qt Widgets.)
set -uo pipefail
src=${1:?usage: include_order_test.sh SRC_DIR}

declare -A rank=([platform]=0 [base]=1 [storage]=2 [playlist]=3 [playback]=4
                 [platform_ui]=5 [menus]=5 [skins]=6 [effects]=6 [windows]=7
                 [adding]=8 [desktop]=9 [app]=10)

failures=0
while IFS= read -r file; do
  from=${file#"$src"/}; from=${from%%/*}
  if [ -z "${rank[$from]+set}" ]; then
    echo "$file: folder '$from' has no place in the stack"; failures=$((failures + 1)); continue
  fi
  while IFS= read -r included; do
    to=${included%%/*}
    [ "$to" = "$from" ] && continue
    if [ -z "${rank[$to]+set}" ] || [ "${rank[$to]}" -ge "${rank[$from]}" ]; then
      echo "$file includes \"$included\": $from may not depend on $to"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find "$src" -mindepth 2 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) point the wrong way"; exit 1
fi
echo "every include points down the stack"
