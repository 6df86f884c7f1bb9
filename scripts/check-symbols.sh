#!/usr/bin/env bash
# Checks that each shared library of ours exports exactly its interface: every defined
# dynamic symbol (nm -D --defined-only) must be a function its public headers declare with
# the library's export macro. Fails, printing each offender, when anything else leaves a
# library (an internal C++ function, a standard-library template instantiation, a global).
#
# The allowed list comes from the headers, so it cannot drift from them:
#   liborvanecore.so  OV_API           engine/include/orvane_core.h
#   libovplatform.so  OV_PLATFORM_API  platform/win32.h platform/gdiplus.h platform/native.h
#                                      platform/testing.h
# A declaration inside extern "C" allows the plain name; any other allows the C++ function
# of that name qualified by the namespaces around it (Gdiplus::DllExports::GdipDisposeImage),
# whatever its parameters. The linker's own markers (_edata, _end, __bss_start, _init, _fini)
# are allowed too.
#
# Usage: check-symbols.sh LIBRARY...           (libraries named as in the table above)
#        check-symbols.sh LIBRARY=MACRO:HEADER[,HEADER...]...   (any other library)
#        check-symbols.sh --self-test [COMPILER]   (builds two tiny libraries, one with a
#                                                   stray export, and checks both verdicts)
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
            if (line ~ /extern[ \t]+"C"[ \t]*\{/) pending = "\"C\""
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

# Checks one library against the declarations of its headers.
check_library() {
    local library=$1 macro=$2
    shift 2
    local headers=("$@") allowed offenders
    if [[ ! -f "$library" ]]; then
        echo "check-symbols: $library does not exist" >&2
        return 1
    fi
    allowed=$(declared "$macro" "${headers[@]}")
    if [[ -z "$allowed" ]]; then
        echo "check-symbols: no function of ${headers[*]} is marked $macro" >&2
        return 1
    fi
    offenders=$(exported "$library" | while IFS=$'\t' read -r form raw; do
        if [[ "$form" =~ $linker_markers ]] || grep -qxF -- "$form" <<<"$allowed"; then
            continue
        fi
        echo "  $form    ($raw)"
    done)
    local count
    count=$(exported "$library" | cut -f1 | grep -cvE "$linker_markers" || true)
    if [[ -n "$offenders" ]]; then
        echo "check-symbols: $(basename "$library") exports symbols its headers do not declare with $macro:" >&2
        echo "$offenders" >&2
        return 1
    fi
    echo "check-symbols: $(basename "$library"): all $count exported functions are declared with $macro"
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
        *)
            echo "check-symbols: no rule for $library; pass LIBRARY=MACRO:HEADER[,HEADER...]" >&2
            return 1 ;;
        esac
    fi
    check_library "$library" "$macro" "${headers[@]}"
}

# Two libraries from one header: one exports only what the header marks (must pass), the
# other also a stray C++ function and a stray C variable (must fail, naming both).
self_test() {
    local compiler=${1:-${CXX:-c++}} scratch status=0 output
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' RETURN
    cat >"$scratch/api.h" <<'EOF'
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
EOF
    cat >"$scratch/clean.cpp" <<'EOF'
#include "api.h"
#include <string>
#include <vector>
namespace { int helper(int v) { return v * 2; } }
int internalFunction(int v) { std::vector<int> values(v); return int(values.size()); }
extern "C" TEST_API int TestAlpha(int value) { return helper(value) + internalFunction(value); }
TEST_API int Outer::Inner::TestBeta(const char* text) { return int(std::string(text).size()); }
EOF
    cp "$scratch/clean.cpp" "$scratch/stray.cpp"
    cat >>"$scratch/stray.cpp" <<'EOF'
__attribute__((visibility("default"))) int StrayFunction(int v) { return v + 1; }
extern "C" { __attribute__((visibility("default"))) int stray_counter = 3; }
EOF
    # Built as the layers are: hidden visibility, the C++ library's instantiations local.
    printf '{ local: extern "C++" { std::*; __gnu_cxx::*; }; };\n' >"$scratch/local.map"
    local flags=(-shared -fPIC -fvisibility=hidden -fvisibility-inlines-hidden -O1
                 -Wl,--version-script="$scratch/local.map")
    "$compiler" "${flags[@]}" -o "$scratch/libclean.so" "$scratch/clean.cpp"
    "$compiler" "${flags[@]}" -o "$scratch/libstray.so" "$scratch/stray.cpp"
    local rule="TEST_API:$scratch/api.h"
    if ! output=$(check_library "$scratch/libclean.so" TEST_API "$scratch/api.h" 2>&1); then
        echo "check-symbols self-test: a library exporting only its interface failed:" >&2
        echo "$output" >&2
        status=1
    fi
    if output=$(check_argument "$scratch/libstray.so=$rule" 2>&1); then
        echo "check-symbols self-test: a library with stray exports passed" >&2
        status=1
    elif [[ "$output" != *"C++ StrayFunction"* || "$output" != *"C stray_counter"* ]]; then
        echo "check-symbols self-test: the stray exports were not named:" >&2
        echo "$output" >&2
        status=1
    fi
    [[ $status -eq 0 ]] && echo "check-symbols self-test: a clean library passes; stray exports are caught and named"
    return $status
}

if [[ $# -eq 0 ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//' >&2
    exit 2
fi
if [[ "$1" == "--self-test" ]]; then
    self_test "${2:-}"
    exit
fi
status=0
for argument in "$@"; do
    check_argument "$argument" || status=1
done
exit $status
