#!/usr/bin/env bash
# Packs dist/netbell-win32.zip and dist/netbell-win64.zip from the two
# Windows builds: the program, its help page, nbltool and a read-me. Nothing
# else: the stand-ins and test programs never ship.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mkdir -p dist
for build in win32 win64; do
    case $build in
    win32) what="32-bit build: runs on Windows 95, NT 4 and every later Windows" ;;
    win64) what="64-bit build: for 64-bit Windows" ;;
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

Installing: copy the files of this archive into a folder of their own and
start netbell.exe. Your tasks are kept in Default.nbl in that folder.

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
