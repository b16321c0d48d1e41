#!/usr/bin/env bash
# The counter scenario with a real printer: a private CUPS server (scripts/cups.sh) with
# one queue that prints into a file, the host on an X server of its own (xvfb-run),
# and the server stopped at the end, also when the scenario fails. The screen is the
# 1366x768 of many a clinic's counter, the narrowest the windows are laid out for (the
# sheet preview, four fifths of it wide, shows every command of its tool bar).
#   cenario.sh TST_CENARIO
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
source "$raiz/scripts/cups.sh"
trap parar_cups EXIT
iniciar_cups
xvfb-run -a -s "-screen 0 1366x768x24 -nolisten tcp" "$1"
