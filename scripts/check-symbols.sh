#!/usr/bin/env bash
# Checks that each shared library of ours exports exactly its interface: every defined
# dynamic symbol (nm -D --defined-only) must be a function its public headers declare with
# the library's export macro, and every such function must be exported. Fails, printing each
# offender, when anything else leaves a library (an internal C++ function, a standard-library
# template instantiation, a global) or a declared function does not.
#
# The allowed list comes from the headers, so it cannot drift from them:
#   liborvanecore.so  OV_API           engine/include/orvane_core.h
#   libovplatform.so  OV_PLATFORM_API  platform/win32.h platform/gdiplus.h platform/native.h
#                                      platform/testing.h
#   libaudiere.so     ADR_API          audiere/audiere.h
# A declaration inside extern "C" allows the plain name; any other allows the C++ function
# of that name qualified by the namespaces around it (Gdiplus::DllExports::GdipDisposeImage),
# whatever its parameters. The linker's own markers (_edata, _end, __bss_start, _init, _fini)
# are allowed too.
#
# Usage: check-symbols.sh LIBRARY...           (libraries named as in the table above)
#        check-symbols.sh LIBRARY=MACRO:HEADER[,HEADER...]...   (any other library)
#        check-symbols.sh --self-test [COMPILER [VERSION_SCRIPT]]   (builds three tiny
#            libraries: exact, with stray exports, with one missing; checks the verdicts)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

# The functions that HEADER... declare with MACRO, one a line: "C name" for C linkage,
# "C++ Outer::Inner::name" otherwise. Comments are dropped; namespaces and extern "C" blocks
# are followed by their braces.
declared() {
    local macro=$1
    shift
    awk -v macro="$macro" '
        function strip(line) {
            # Block comments, possibly over several lines, then line comments.
            out = ""
            while (line != "") {
                if (inComment) {
                    at = index(line, "*/")
                    if (at == 0) return out
                    line = substr(line, at + 2)
                    inComment = 0
                } else {
                    at = index(line, "/*")
                    cut = index(line, "//")
                    if (cut > 0 && (at == 0 || cut < at)) return out substr(line, 1, cut - 1)
                    if (at == 0) return out line
                    out = out substr(line, 1, at - 1) " "
                    line = substr(line, at + 2)
                    inComment = 1
                }
            }
            return out
        }
        FNR == 1 { depth = 0; scopes = 0; inComment = 0; pending = "" }
        {
            line = strip($0)
            if (line ~ /^[ \t]*#/) next
            if (match(line, /(^|[^A-Za-z0-9_])namespace[ \t]+[A-Za-z_][A-Za-z0-9_]*/)) {
                name = substr(line, RSTART, RLENGTH)
                sub(/.*namespace[ \t]+/, "", name)
                if (line !~ /namespace[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*=/) pending = name
            }
            if (line ~ /extern[ \t]+"C"[ \t]*(\{|$)/) pending = "\"C\""
            if (index(line, macro) > 0 && match(line, "(^|[^A-Za-z0-9_])" macro "[^A-Za-z0-9_]")) {
                rest = substr(line, RSTART + RLENGTH)
                if (match(rest, /[A-Za-z_][A-Za-z0-9_]*[ \t]*\(/)) {
                    fn = substr(rest, RSTART, RLENGTH)
                    sub(/[ \t]*\($/, "", fn)
                    linkage = "C++"
                    qualified = ""
                    for (i = 1; i <= scopes; ++i) {
                        if (scopeName[i] == "\"C\"") linkage = "C"
                        else qualified = qualified scopeName[i] "::"
                    }
                    if (linkage == "C") print "C " fn
                    else print "C++ " qualified fn
                }
            }
            for (i = 1; i <= length(line); ++i) {
                c = substr(line, i, 1)
                if (c == "{") {
                    ++depth
                    if (pending != "") { scopeName[++scopes] = pending; scopeDepth[scopes] = depth; pending = "" }
                } else if (c == "}") {
                    if (scopes > 0 && scopeDepth[scopes] == depth) --scopes
                    --depth
                }
            }
        }
    ' "$@" | sort -u
}

# The defined dynamic symbols of LIBRARY in the same form: "C name" for a plain name,
# "C++ qualified::name" for a C++ function (parameters dropped), "C++ <demangled>" for
# anything else C++ (vtables, typeinfo, guard variables).
exported() {
    nm -D --defined-only "$1" | awk 'NF >= 3 { print $3 }' | while IFS= read -r symbol; do
        symbol=${symbol%%@*}
        if [[ "$symbol" == _Z* ]]; then
            local plain
            plain=$(c++filt -- "$symbol")
            # "ns::name(args) const" -> "ns::name"; names without a parameter list stay whole.
            if [[ "$plain" == *"("* && "$plain" != *" for "* ]]; then
                plain=${plain%%(*}
                plain=${plain%%\[abi:*}
            fi
            printf 'C++ %s\t%s\n' "$plain" "$symbol"
        else
            printf 'C %s\t%s\n' "$symbol" "$symbol"
        fi
    done
}

linker_markers='^C (_edata|_end|__bss_start|_init|_fini)$'

# Checks one library against the declarations of its headers, both ways: nothing exported
# that they do not declare, nothing declared that is not exported.
check_library() {
    local library=$1 macro=$2
    shift 2
    local headers=("$@") allowed symbols offenders missing name status=0
    if [[ ! -f "$library" ]]; then
        echo "check-symbols: $library does not exist" >&2
        return 1
    fi
    allowed=$(declared "$macro" "${headers[@]}")
    if [[ -z "$allowed" ]]; then
        echo "check-symbols: no function of ${headers[*]} is marked $macro" >&2
        return 1
    fi
    symbols=$(exported "$library")
    offenders=$(while IFS=$'\t' read -r form raw; do
        [[ -z "$form" || "$form" =~ $linker_markers ]] && continue
        grep -qxF -- "$form" <<<"$allowed" || echo "  $form    ($raw)"
    done <<<"$symbols")
    missing=$(while IFS= read -r name; do
        cut -f1 <<<"$symbols" | grep -qxF -- "$name" || echo "  $name"
    done <<<"$allowed")
    if [[ -n "$offenders" ]]; then
        echo "check-symbols: $(basename "$library") exports symbols its headers do not declare with $macro:" >&2
        echo "$offenders" >&2
        status=1
    fi
    if [[ -n "$missing" ]]; then
        echo "check-symbols: $(basename "$library") does not export functions its headers declare with $macro:" >&2
        echo "$missing" >&2
        status=1
    fi
    [[ $status -eq 0 ]] &&
        echo "check-symbols: $(basename "$library"): exports exactly the $(wc -l <<<"$allowed") functions declared with $macro"
    return $status
}

# LIBRARY or LIBRARY=MACRO:HEADER,HEADER -> check_library arguments.
check_argument() {
    local argument=$1 library macro list headers=()
    if [[ "$argument" == *=*:* ]]; then
        library=${argument%%=*}
        list=${argument#*=}
        macro=${list%%:*}
        IFS=, read -r -a headers <<<"${list#*:}"
    else
        library=$argument
        case $(basename "$library") in
        liborvanecore.so*)
            macro=OV_API
            headers=("$root/engine/include/orvane_core.h") ;;
        libovplatform.so*)
            macro=OV_PLATFORM_API
            headers=("$root/platform/win32.h" "$root/platform/gdiplus.h"
                     "$root/platform/native.h" "$root/platform/testing.h") ;;
        libaudiere.so*)
            macro=ADR_API
            headers=("$root/audiere/audiere.h") ;;
        *)
            echo "check-symbols: no rule for $library; pass LIBRARY=MACRO:HEADER[,HEADER...]" >&2
            return 1 ;;
        esac
    fi
    check_library "$library" "$macro" "${headers[@]}"
}

# Three libraries from one header, built as the layers are (hidden visibility, -O0 so that
# libstdc++ instantiations are emitted, the layers' version script when given): one exports
# exactly what the header marks (must pass), one also a stray C++ function and a stray C
# variable (must fail, naming both), one lacks a declared function (must fail, naming it).
self_test() {
    local compiler=${1:-${CXX:-c++}} map=${2:-} scratch status=0
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' RETURN
    cat >"$scratch/api.h" <<'END'
#define TEST_API __attribute__((visibility("default")))
/* TEST_API int NotDeclared(void);  (a comment, so not part of the interface) */
extern "C" {
TEST_API int TestAlpha(int value);
}
namespace Outer
{
namespace Inner
{
TEST_API int TestBeta(const char* text);
}
}
END
    cat >"$scratch/clean.cpp" <<'END'
#include "api.h"
#include <set>
#include <string>
#include <vector>
namespace { int helper(int v) { return v * 2; } }
int internalFunction(int v)
{
    std::vector<int> values(v);
    std::set<unsigned long> seen{1ul};
    return int(values.size() + seen.size());
}
extern "C" TEST_API int TestAlpha(int value) { return helper(value) + internalFunction(value); }
TEST_API int Outer::Inner::TestBeta(const char* text)
{
    return int((std::string(text) + std::to_string(7)).size());
}
END
    {
        cat "$scratch/clean.cpp"
        echo '__attribute__((visibility("default"))) int StrayFunction(int v) { return v + 1; }'
        echo 'extern "C" { __attribute__((visibility("default"))) int stray_counter = 3; }'
    } >"$scratch/stray.cpp"
    sed '/^TEST_API int Outer::Inner::TestBeta/,$d' "$scratch/clean.cpp" >"$scratch/missing.cpp"
    if [[ -z "$map" ]]; then
        map=$scratch/local.map
        printf '{ local: extern "C++" { *std::*; *__gnu_cxx::*; }; };\n' >"$map"
    fi
    local kind
    for kind in clean stray missing; do
        "$compiler" -shared -fPIC -fvisibility=hidden -fvisibility-inlines-hidden -O0 \
            -Wl,--version-script="$map" -o "$scratch/lib$kind.so" "$scratch/$kind.cpp"
    done
    # expect pass|fail KIND [TEXT...]: the verdict on libKIND.so, and the texts its report names.
    expect() {
        local want=$1 kind=$2 output got=pass text
        shift 2
        output=$(check_argument "$scratch/lib$kind.so=TEST_API:$scratch/api.h" 2>&1) || got=fail
        if [[ "$got" != "$want" ]]; then
            echo "check-symbols self-test: expected $want for lib$kind.so, got $got:" >&2
            echo "$output" >&2
            status=1
        fi
        for text in "$@"; do
            if [[ "$output" != *"$text"* ]]; then
                echo "check-symbols self-test: the report on lib$kind.so does not name $text:" >&2
                echo "$output" >&2
                status=1
            fi
        done
    }
    expect pass clean
    expect fail stray "C++ StrayFunction" "C stray_counter"
    expect fail missing "C++ Outer::Inner::TestBeta"
    [[ $status -eq 0 ]] &&
        echo "check-symbols self-test: the exact library passes; stray and missing exports are caught and named"
    return $status
}

if [[ $# -eq 0 ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
if [[ "$1" == "--self-test" ]]; then
    self_test "${2:-}" "${3:-}"
    exit
fi
status=0
for argument in "$@"; do
    check_argument "$argument" || status=1
done
exit $status
