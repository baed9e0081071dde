#!/usr/bin/env bash
# Checks that no source file includes a header from a layer above its own. The layers,
# lowest first: foundation, system, graphics, framework, controls, windows. mail/ stands
# beside them and uses only foundation/ and system/; windows/ may use mail/'s services, and
# controls/ may not (the dictionary's lookup they translate with lies in foundation/). tools/ and the test programs under tests/tools and tests/fuzz may use anything;
# every other tests/<folder> keeps the rule of <folder> (a test kit is included by its
# folder's name, e.g. framework/WindowTestKit.h, so the same rule covers it). Cheap: reads
# the tracked sources, builds nothing. Names each upward include and then exits 1.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

git ls-files -z -- '*.h' '*.cpp' '*.c' |
    xargs -0 grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' |
    awk '
    BEGIN {
        may["foundation"] = " foundation "
        may["system"]     = " foundation system "
        may["graphics"]   = " foundation system graphics "
        may["framework"]  = " foundation system graphics framework "
        may["controls"]   = " foundation system graphics framework controls "
        may["windows"]    = " foundation system graphics framework controls windows mail "
        may["mail"]       = " foundation system mail "
        bad = 0
    }
    {
        split($0, part, ":")
        file = part[1]; line = part[2]
        n = split(file, dirs, "/")
        folder = (dirs[1] == "tests") ? dirs[2] : dirs[1]
        if (!(folder in may)) next
        target = $0
        sub(/^[^"]*"/, "", target)
        sub(/\/.*/, "", target)
        if (!(target in may)) next
        if (index(may[folder], " " target " ") == 0) {
            print file ":" line ": " folder "/ includes from " target "/"
            bad = 1
        }
    }
    END {
        if (bad) exit 1
        print "layers: no upward includes"
    }'
