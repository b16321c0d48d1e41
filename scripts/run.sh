#!/usr/bin/env bash
# Installs what is missing, builds, and starts the host with the quotes list open.
# The database is created (with a demo clinic) on first use. Options go to the host,
# e.g. --usuario balconista, --banco arquivo.sqlite, --banco-url postgresql://...,
# --captura lista.png (no display needed).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
source "$raiz/scripts/dependencias.sh"
instalar_dependencias
compilar "$raiz" "$raiz/build"
exec "$raiz/build/host/zelt_host" "$@"
