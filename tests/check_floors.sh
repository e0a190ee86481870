#!/usr/bin/env bash
# Includes between the program's folders run down the floors only, so no
# subsystem reaches up and no include can close a loop:
#   app > view > frontpage > options, monitor > dialogs > model > base
# (options and monitor share a floor and include neither the other; res/ is
# anyone's).
#   tests/check_floors.sh SRC_FOLDER
set -uo pipefail
src=${1:?usage: check_floors.sh SRC_FOLDER}
floor() {
    case $1 in
    base) echo 0 ;; model) echo 1 ;; dialogs) echo 2 ;; options | monitor) echo 3 ;;
    frontpage) echo 4 ;; view) echo 5 ;; app) echo 6 ;; *) echo - ;;
    esac
}
[ -d "$src/base" ] || { echo "$src holds no base/ folder"; exit 1; }
status=0
while IFS=: read -r file _ line; do
    from=${file#"$src"/}
    from=${from%%/*}
    if [[ $line == *'"../'* || $line == *'<../'* ]]; then
        echo "$file: $line: name includes from src/, not by relative path"
        status=1
        continue
    fi
    to=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]\([a-z_]*\)\/.*/\1/p' <<<"$line")
    [ -z "$to" ] || [ "$to" = res ] || [ "$to" = "$from" ] && continue
    f=$(floor "$from") t=$(floor "$to")
    if [ "$f" = - ] || [ "$t" = - ]; then
        # Only the program's own folders have floors; <sys/...> and the like
        # are not ours.
        [ "$f" = - ] || [ -d "$src/$to" ] || continue
        echo "$file: $line: a folder with no floor"
        status=1
    elif [ "$t" -ge "$f" ]; then
        echo "$file: $line: $from may include only folders below it"
        status=1
    fi
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$src" --include='*.h' --include='*.cpp')
[ "$status" -eq 0 ] && echo "floors: every include runs down"
exit "$status"
