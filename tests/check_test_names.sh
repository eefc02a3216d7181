#!/usr/bin/env bash
# Every test has a short, readable name that a --gtest_filter can target: no printed bytes or
# addresses, no unnamed table rows ("/0"), at most 99 characters; every table row prints
# as its name in gtest's messages.
# Usage: tests/check_test_names.sh TESTS_BUILD_DIR
set -u
dir=${1:?the tests build folder}
limit=99
fail=0
count=0
for exe in "$dir"/test_*; do
    [ -x "$exe" ] && [ -f "$exe" ] || continue
    if ! listing=$(QT_QPA_PLATFORM=offscreen "$exe" --gtest_list_tests 2>/dev/null); then
        echo "$(basename "$exe"): cannot list its tests"
        fail=1
        continue
    fi
    suite=""
    while IFS= read -r line; do
        case "$line" in
        "  "*)
            name="$suite${line#  }"
            name="${name%%  #*}"
            count=$((count + 1))
            problem=""
            if [ ${#name} -gt $limit ]; then problem="longer than $limit characters"; fi
            case "$name" in *"<"* | *">"* | *" "*) problem="holds '<', '>' or a blank" ;; esac
            if [[ "$name" =~ /[0-9]+$ ]]; then problem="a table row without a name"; fi
            # gtest's messages print the row: it prints as its name, not as raw bytes.
            case "$line" in *"GetParam() = "*"-byte object <"*) problem="its row prints as raw bytes" ;; esac
            if [ -n "$problem" ]; then
                echo "$(basename "$exe"): $name: $problem"
                fail=1
            fi
            ;;
        *) suite="${line%%  #*}" ;;
        esac
    done <<<"$listing"
done
[ $count -gt 0 ] || { echo "no tests found under $dir"; exit 1; }
[ $fail -eq 0 ] && echo "test names ok ($count)"
exit $fail
