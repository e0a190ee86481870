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
status=0
while IFS=: read -r file _ line; do
    from=${file#"$src"/}
    from=${from%%/*}
    to=$(sed -n 's/.*#include "\([a-z_]*\)\/.*/\1/p' <<<"$line")
    [ "$to" = res ] || [ "$to" = "$from" ] && continue
    f=$(floor "$from") t=$(floor "$to")
    if [ "$f" = - ] || [ "$t" = - ]; then
        echo "$file: $line: a folder with no floor"
        status=1
    elif [ "$t" -ge "$f" ]; then
        echo "$file: $line: $from may include only folders below it"
        status=1
    fi
done < <(grep -rn '#include "[a-z_]*/' "$src" --include='*.h' --include='*.cpp')
[ "$status" -eq 0 ] && echo "floors: every include runs down"
exit "$status"
