#!/usr/bin/env bash
# Checks the layer rules that grep can see, and fails (printing each offending line) when
# one is broken:
#  - the framework folders include one another only downwards, in the order
#    core < formats < graphics < scene < gui, net, sound, desktop < app < game;
#  - no framework folder (nor the game) includes an SDL, OpenGL, X11 or OpenAL header, or the
#    engine's or platform's insides (only orvane_core.h, platform/win32.h, platform/gdiplus.h);
#  - the engine includes no framework header, and calls OpenGL only from engine/src/gl/.
# Usage: check-layers.sh [ROOT]   (ROOT defaults to this repository)
#        check-layers.sh --self-test   (shows that each rule catches a breach)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
framework=(core formats graphics scene gui net sound desktop app game)

# The rank of a framework folder; folders of one rank may not include each other.
rank() {
    case $1 in
    core) echo 0 ;; formats) echo 1 ;; graphics) echo 2 ;; scene) echo 3 ;;
    gui | net | sound | desktop) echo 4 ;; app) echo 5 ;; game) echo 6 ;; *) echo -1 ;;
    esac
}

sources() { grep -rlE --include='*.h' --include='*.hpp' --include='*.c' --include='*.cpp' '' "$@" 2>/dev/null || true; }

# Every include of a framework folder from a framework file must point to its own folder or
# to a folder of lower rank.
check_folder_order() {
    local root=$1 bad=0 folder file line target
    for folder in "${framework[@]}"; do
        [[ -d "$root/$folder" ]] || continue
        while IFS= read -r file; do
            while IFS= read -r line; do
                target=${line#*\"}
                target=${target%%/*}
                [[ $(rank "$target") -ge 0 ]] || continue
                if [[ "$target" != "$folder" && $(rank "$target") -ge $(rank "$folder") ]]; then
                    echo "${file#"$root/"}: $line"
                    bad=1
                fi
            done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$file" || true)
        done < <(sources "$root/$folder")
    done
    if [[ $bad -ne 0 ]]; then
        echo "check-layers: a framework folder includes a folder at or above its own layer (lines above)" >&2
        return 1
    fi
    echo "check-layers: the framework folders include only downwards"
}

check_system_headers() {
    local root=$1 folders=() folder
    for folder in "${framework[@]}"; do
        [[ -d "$root/$folder" ]] && folders+=("$root/$folder")
    done
    [[ ${#folders[@]} -eq 0 ]] && return 0
    local forbidden='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]'
    forbidden+='(SDL|GL/|GLES|EGL/|KHR/|epoxy/|glad/|X11/|xcb/|AL/|al\.h|alc\.h|'
    forbidden+='engine/src/|platform/src/|platform/image/|platform/entry/|platform/native\.h|platform/testing\.h)'
    if grep -rnE --include='*.h' --include='*.hpp' --include='*.c' --include='*.cpp' \
        "$forbidden" "${folders[@]}"; then
        echo "check-layers: the framework includes headers below its layer (lines above)" >&2
        return 1
    fi
    echo "check-layers: framework folders include no SDL, GL, X11 or OpenAL header"
}

check_engine() {
    local root=$1
    [[ -d "$root/engine" ]] || return 0
    if grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(core|formats|graphics|scene|gui|net|sound|desktop|app)/' \
        "$root/engine"; then
        echo "check-layers: the engine includes framework headers (lines above)" >&2
        return 1
    fi
    echo "check-layers: the engine includes no framework header"
    if grep -rnE --include='*.h' --include='*.cpp' '\bgl[A-Z][A-Za-z0-9]*\(|epoxy/|SDL_GL_' \
        "$root/engine/src" | grep -v "^$root/engine/src/gl/"; then
        echo "check-layers: OpenGL used outside engine/src/gl (lines above)" >&2
        return 1
    fi
    echo "check-layers: the engine calls OpenGL only from engine/src/gl"
}

check_all() {
    local root=$1 status=0
    check_folder_order "$root" || status=1
    check_system_headers "$root" || status=1
    check_engine "$root" || status=1
    return $status
}

# Each breach, alone in a scratch tree, must fail the check; a clean tree must pass.
self_test() {
    local scratch status=0
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' RETURN
    breach() {
        rm -rf "${scratch:?}"/*
        mkdir -p "$scratch/core" "$scratch/scene" "$scratch/engine/src/base"
        echo '#include "core/ov_vector.h"' >"$scratch/scene/ok.h"
        if [[ $# -gt 0 ]]; then
            mkdir -p "$(dirname "$scratch/$1")"
            echo "$2" >"$scratch/$1"
        fi
        if check_all "$scratch" >/dev/null 2>&1; then echo pass; else echo fail; fi
    }
    expect() {
        local want=$1 got
        shift
        got=$(breach "$@")
        if [[ "$got" != "$want" ]]; then
            echo "check-layers self-test: expected $want for ${*:-a clean tree}, got $got" >&2
            status=1
        fi
    }
    expect pass
    expect fail core/up.h '#include "scene/ov_actor.h"'
    expect fail gui/side.cpp '#include "net/ov_net.h"'
    expect fail scene/app.cpp '#include "app/ov_application.h"'
    expect fail graphics/sdl.cpp '#include <SDL2/SDL.h>'
    expect fail engine/src/base/up.cpp '#include "core/ov_string.h"'
    expect fail engine/src/base/gl.cpp 'void f() { glClear(0); }'
    [[ $status -eq 0 ]] && echo "check-layers self-test: every breach is caught"
    return $status
}

if [[ "${1:-}" == "--self-test" ]]; then
    self_test
else
    check_all "${1:-$(cd "$here/.." && pwd)}"
fi
