#!/usr/bin/env bash
# No two controls of one dialog, or of one Options page with the sheet's own
# "&Apply", share an access key: the second would never be reached by it.
set -euo pipefail
res=${1:?usage: check_access_keys.sh RESOURCE_FOLDER}
awk '
    function check(   k, n, dup) {
        dup = ""
        for (k in count)
            if (count[k] > 1)
                dup = dup " " k
        if (dup != "") {
            printf "%s: %s shares access key(s):%s\n", FILENAME, name, dup
            bad = 1
        }
        delete count
    }
    $2 ~ /^DIALOG(EX)?$/ { name = $1; inDialog = 0; next }
    name != "" && $1 == "BEGIN" {
        inDialog = 1
        if (name ~ /^IDD_OPTIONS_/)
            count["a"] = 1   # the sheet'"'"'s Apply
        next
    }
    inDialog && $1 == "END" { check(); inDialog = 0; name = ""; next }
    inDialog {
        line = $0
        while (match(line, /"[^"]*"/)) {
            text = substr(line, RSTART + 1, RLENGTH - 2)
            line = substr(line, RSTART + RLENGTH)
            gsub(/&&/, "", text)
            if (match(text, /&./))
                count[tolower(substr(text, RSTART + 1, 1))]++
        }
    }
    END { exit bad }
' "$res"/*.rc
echo "access keys: every dialog's keys are its own"
