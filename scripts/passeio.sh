#!/usr/bin/env bash
# A long walk of a person at random through the forms (tests/passeio): builds the test,
# draws a seed (or takes the one given), prints it and walks that many steps on SQLite
# and, when ZELT_TESTE_PG_URL names a database, on PostgreSQL too. A failure prints the
# seed, the step and the last 50 steps; the same seed and step count replay it exactly.
#
#   scripts/passeio.sh [semente] [passos]      (default: a new seed, 100000 steps)
#
# The build folder is ZELT_BUILD (default build/ in the repository).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZELT_BUILD:-$raiz/build}"
semente="${1:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}"
passos="${2:-100000}"
# shellcheck source=dependencias.sh
source "$raiz/scripts/dependencias.sh"
compilar "$raiz" "$build" tst_passeio >/dev/null
echo "passeio: semente $semente, $passos passos"
# QtTest's watchdog would end a long walk: a day is the limit.
ZELT_PASSEIO_SEMENTE="$semente" ZELT_PASSEIO_PASSOS="$passos" QT_QPA_PLATFORM=offscreen \
    QTEST_FUNCTION_TIMEOUT=86400000 "$build/tests/passeio/tst_passeio"
