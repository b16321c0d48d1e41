#!/usr/bin/env bash
# Writes the pictures of the documentation (the README and the user's guide, docs/guia)
# into docs/imagens/: the quotes list (lista.png), the record form with a filled quote
# (ficha.png), the three search dialogs (pesquisa-de-*.png), the first page of the two
# reports (relatorio-*.png), the follow-up window ("Acompanhamento de orçamentos",
# acompanhamento.png), the approval window with a signature (aprovacao.png), the record
# form after a package was added, its grid scrolled to the "Se necessário" marks
# (pacote.png), and the consent form's window (termo.png). They are taken from a run of
# the counter scenario (tests/cenario) on a fresh SQLite database with the demo clinic,
# on an X server of its own (xvfb-run), so that they show the program as it runs on a
# desktop (with the private printer the scenario prints to, tests/cenario/cenario.sh).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
source "$raiz/scripts/dependencias.sh"
instalar_dependencias xvfb xdotool poppler-utils cups cups-client cups-filters
compilar "$raiz" "$raiz/build" zelt_host tst_cenario
saida=$(mktemp -d /tmp/zelt-capturas.XXXXXX)
mkdir -p "$raiz/docs/imagens"
if ! ZELT_CAPTURAS="$raiz/docs/imagens" ZELT_CENARIO_BANCO=sqlite ZELT_CENARIO_SAIDA="$saida" QT_QPA_PLATFORM=xcb \
    bash "$raiz/tests/cenario/cenario.sh" "$raiz/build/tests/cenario/tst_cenario"; then
    echo "O cenário falhou: a tela, a saída do programa e o registro de erros estão em $saida" >&2
    exit 1
fi
rm -rf "$saida"
ls -1 "$raiz/docs/imagens"
