#!/bin/sh
# The desktop entry and the AppStream metadata validate; the manual page and the bash
# completion know every command and option that zeltacli's usage lists.
set -u
dir=$1
program=$2
id=example.vorn_components.ZeltaIII
status=0
desktop-file-validate "$dir/$id.desktop" || status=1
appstreamcli validate --no-net --pedantic "$dir/$id.metainfo.xml" || status=1
usage=$("$program" --help) || { echo "zeltacli --help failed"; exit 1; }
commands=$(echo "$usage" | sed -n 's/^  \([a-z][a-z]*\)\( .*\)\{0,1\}$/\1/p')
[ -n "$commands" ] || { echo "no commands read from zeltacli --help"; exit 1; }
for command in $commands; do
    grep -q "^\.BR\{0,1\} $command\b" "$dir/zeltacli.1" || { echo "zeltacli.1 lacks the command $command"; status=1; }
    grep -q "commands=\".*\b$command\b" "$dir/zeltacli.bash-completion" ||
        { echo "the completion lacks the command $command"; status=1; }
done
for option in $(echo "$usage" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$(echo "$option" | sed 's/-/\\\\-/g')" "$dir/zeltacli.1" ||
        { echo "zeltacli.1 lacks the option $option"; status=1; }
    grep -q -- "$option\b" "$dir/zeltacli.bash-completion" ||
        { echo "the completion lacks the option $option"; status=1; }
done
exit $status
