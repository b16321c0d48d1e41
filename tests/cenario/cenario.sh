#!/usr/bin/env bash
# The counter scenario with a real printer: a private CUPS server (scripts/cups.sh) with
# one queue that prints into a file, the host on an X server of its own (xvfb-run),
# and the server stopped at the end, also when the scenario fails. The screen is a
# full-HD desktop's: on a narrower one the sheet preview's tool bar (four fifths of the
# screen) hides its last commands, "Fechar" among them, behind its overflow button.
#   cenario.sh TST_CENARIO
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
source "$raiz/scripts/cups.sh"
trap parar_cups EXIT
iniciar_cups
xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" "$1"
