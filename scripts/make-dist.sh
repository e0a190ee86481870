#!/usr/bin/env bash
# Packs dist/netbell-win32.zip and dist/netbell-win64.zip from the two
# Windows builds: the program, its help page, nbltool and a read-me. Nothing
# else: the stand-ins and test programs never ship.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mkdir -p dist
for build in win32 win64; do
    # The minimum each build loads on, as tests/dist/check_imports.sh proves.
    case $build in
    win32)
        what="32-bit build"
        runs="Windows 95, Windows NT 4.0 and every later Windows, on a
Pentium Pro, Pentium II or later processor. Windows 95 needs MSVCRT.DLL,
the C runtime library that NT 4.0, Windows 98 and later include and the
Microsoft Visual C++ runtime brings to Windows 95." ;;
    win64)
        what="64-bit build"
        runs="64-bit Windows: Windows XP Professional x64 Edition, Windows
Server 2003 x64 and every later 64-bit Windows. On 32-bit Windows, take
the 32-bit build." ;;
    esac
    stage=$(mktemp -d)
    trap 'rm -rf "$stage"' EXIT
    for f in netbell.exe Netbell.htm nbltool.exe; do
        if [ ! -f "build/$build/$f" ]; then
            echo "dist: build/$build/$f is missing; run make $build first" >&2
            exit 1
        fi
        cp "build/$build/$f" "$stage/"
    done
    # A Windows text file: CR LF line ends.
    sed 's/$/\r/' >"$stage/ReadMe.txt" <<TEXT
Netbell ($what)

Netbell keeps a list of online tasks: pages to browse, mails to send,
newsgroups to read, searches to run, notes, and FrontPage web tasks that you
want to do the next time the computer is online. It lives in the
notification area, and when a dial-up connection comes up (or, if you ask
for it in Options, any network connection) it reminds you how many tasks
are waiting.

Runs on: $runs

Dial-up reminders need Dial-Up Networking; without it Netbell still starts,
sees no dial-up connection, and reminds you of network connections where
you ask for that in Options.

Installing: copy the files of this archive into a folder of their own that
you can write to (not Program Files: your tasks are kept in Default.nbl
beside the program) and start netbell.exe.

Files:
  netbell.exe   the program
  Netbell.htm   its help page (Help Topics opens it)
  nbltool.exe   command-line companion:
                  nbltool dump Default.nbl > tasks.json
                  nbltool write tasks.json Default.nbl
                  nbltool check Default.nbl
TEXT
    zip_name=dist/netbell-$build.zip
    rm -f "$zip_name"
    (cd "$stage" && zip -q -X "$top/$zip_name" netbell.exe Netbell.htm nbltool.exe ReadMe.txt)
    rm -rf "$stage"
    trap - EXIT
    echo "dist: $zip_name"
done
