#!/usr/bin/env bash
# Checks the layer rules that grep can see: no framework folder includes an SDL, OpenGL,
# X11 or OpenAL header, or the engine's or platform's insides (only orvane_core.h,
# platform/win32.h and platform/gdiplus.h). Prints each offending line; fails if any.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The game is held to the same rule: it sees only the framework and the Win32 subset.
framework=(core graphics scene gui formats net desktop sound game)

folders=()
for folder in "${framework[@]}"; do
    [[ -d "$root/$folder" ]] && folders+=("$root/$folder")
done
[[ ${#folders[@]} -eq 0 ]] && { echo "check-layers: no framework folders"; exit 0; }

forbidden='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]'
forbidden+='(SDL|GL/|GLES|EGL/|KHR/|epoxy/|glad/|X11/|xcb/|AL/|al\.h|alc\.h|'
forbidden+='engine/src/|platform/src/|platform/native\.h|platform/testing\.h)'

if grep -rnE --include='*.h' --include='*.hpp' --include='*.c' --include='*.cpp' \
        "$forbidden" "${folders[@]}"; then
    echo "check-layers: the framework includes headers below its layer (lines above)" >&2
    exit 1
fi
echo "check-layers: framework folders include no SDL, GL, X11 or OpenAL header"

# The engine never includes a framework header.
if grep -rnE --include='*.h' --include='*.cpp' --include='*.c' \
        '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(core|graphics|scene|gui|formats|net|desktop|sound)/' \
        "$root/engine"; then
    echo "check-layers: the engine includes framework headers (lines above)" >&2
    exit 1
fi
echo "check-layers: the engine includes no framework header"

# Inside the engine, OpenGL is called only from engine/src/gl/.
if grep -rnE --include='*.h' --include='*.cpp' '\bgl[A-Z][A-Za-z0-9]*\(|epoxy/|SDL_GL_' \
        "$root/engine/src" | grep -v "^$root/engine/src/gl/"; then
    echo "check-layers: OpenGL used outside engine/src/gl (lines above)" >&2
    exit 1
fi
echo "check-layers: the engine calls OpenGL only from engine/src/gl"
