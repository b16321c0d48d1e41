#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (CTest, offscreen).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
source "$raiz/scripts/dependencias.sh"
instalar_dependencias
compilar "$raiz" "$raiz/build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$raiz/build" --output-on-failure -j2
