#!/usr/bin/env bash
# Installs what is missing (PostgreSQL, xvfb, xdotool, poppler-utils, dpkg-dev, CUPS
# for the scenario's printer, lintian, desktop-file-utils and appstream for the package
# test included), checks that the C++ files follow .clang-format, builds and runs every test
# (CTest). The forms' tests run offscreen; the counter scenario (tests/cenario) runs the
# real host under xvfb-run on Qt's xcb platform, once on SQLite and once on PostgreSQL,
# printing to a private CUPS server of its own; the package test builds the Debian
# package, checks it as a Debian maintainer would and starts the host from it. The
# business-layer tests and the scenario use a private PostgreSQL server started here
# on loopback in a temporary folder and always stopped at the end; ZELT_EXIGIR_PG=1
# makes a test that finds no server fail instead of running on SQLite alone.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
source "$raiz/scripts/dependencias.sh"
source "$raiz/scripts/postgresql.sh"
instalar_dependencias postgresql clang-format xvfb xdotool poppler-utils dpkg-dev xdg-utils \
    cups cups-client cups-filters lintian desktop-file-utils appstream \
    zbar-tools
verificar_formato "$raiz"
verificar_camadas "$raiz"
compilar "$raiz" "$raiz/build"
trap parar_postgresql EXIT
iniciar_postgresql
export QT_QPA_PLATFORM=offscreen
export ZELT_EXIGIR_PG=1
ctest --test-dir "$raiz/build" --output-on-failure -j2
