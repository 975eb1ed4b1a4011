#!/usr/bin/env bash
# Sizes a newcomer can read: no source file over 600 lines and no function over 80, each
# counted in lines between its braces. Tables of data may be longer; they are named below
# with the reason. Functions are found by the house's layout: a definition starts at the
# left margin or one indent in (a member defined in its class) and ends at the "}" of that
# indent.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

max_file=600
max_function=80
# "path" or "path:function-name": data tables and widget assembly, longer by nature.
exempt=(
    "synthetic/SyntheticParts.cpp:LinearDevices" # the linear devices, one a line
)

exempt_list="$(printf '%s\n' "${exempt[@]+"${exempt[@]}"}")"
git ls-files -co --exclude-standard | grep -E '\.(h|cpp|c)$' | grep -v '^sample/suite/' |
    xargs -r awk -v maxFile="$max_file" -v maxFunction="$max_function" \
        -v exemptList="$exempt_list" '
    BEGIN {
        n = split(exemptList, e, "\n")
        for (i = 1; i <= n; ++i) if (e[i] != "") exempt[e[i]] = 1
    }
    function report(kind, text) { print text; bad = 1 }
    function nameOf(line,   m) { # the name before the first "(" of a definition line
        sub(/\(.*/, "", line)
        m = split(line, w, /[ \t*&]+/)
        return w[m]
    }
    FNR == 1 {
        if (NR > 1) finish()
        file = FILENAME; depth = ""; lines = 0
    }
    { lines = FNR }
    # A definition opens at the left margin or one indent in: a line that ends in "{"
    # after a parameter list, not a control statement, a type or a table.
    depth == "" && /^(    )?[A-Za-z_~][^;]*\)[^;=]*\{[ \t]*(\/\/.*)?$/ &&
        !/^(    )?(if|for|while|switch|else|do|return|namespace|struct|class|enum|union|case)[ (]/ {
        depth = $0; sub(/[^ ].*/, "", depth); depth = depth "}"
        start = FNR; name = nameOf($0); next
    }
    depth != "" && index($0, depth) == 1 {
        length_ = FNR - start - 1
        if (length_ > maxFunction && !((file ":" name) in exempt) && !(file in exempt))
            report("function", file ":" start ": " name " has " length_ " lines (at most " maxFunction ")")
        depth = ""
    }
    # A member definition ends with its class: never run past a line at the left margin.
    depth == "    }" && /^[^ \t#\/]/ { depth = "" }
    function finish() {
        if (lines > maxFile && !(file in exempt))
            report("file", file ": " lines " lines (at most " maxFile ")")
    }
    END { finish(); exit bad }
' || exit 1
echo "sizes: files of at most $max_file lines, functions of at most $max_function"
