#!/usr/bin/env bash
# The benchmarks of the list, the record form, the dialogs, the host's start and the
# history windows run on PostgreSQL through the delay relay, at 0 ms and at 30 ms round
# trip (15 ms each way): each program is given --atraso, which routes its connection
# through the relay and adds to each result the round trips of its timed runs. Prints
# one table: the median at each delay, the round trips at 30 ms, the goal.
#
#   bench/wan/bench_wan.sh --url postgresql://... [--build PASTA] [--execucoes N]
#
# The programs are those of --build (default build-rel, a Release build of bench_lista,
# bench_ficha, bench_gravacao, bench_pesquisa, bench_ficha_cliente and bench_historico).
# The database is a generated one (bench_gerar_dados); bench_historico prepares its
# deleted quotes on it the first time (run it once without the relay beforehand, or
# this script does it through the relay at 0 ms, which takes longer).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="$raiz/build-rel"
url=""
execucoes=5
while [ $# -gt 0 ]; do
    case "$1" in
        --url) url="$2"; shift 2 ;;
        --build) build="$2"; shift 2 ;;
        --execucoes) execucoes="$2"; shift 2 ;;
        *) sed -n '2,14p' "$0" >&2; exit 2 ;;
    esac
done
[ -n "$url" ] || { sed -n '2,14p' "$0" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen

# program path under bench/, case ("-": every case of the program), the goal at 30 ms (ms,
# "-": none), then the program's own options. The history benchmark deletes 10,000 quotes
# for its window the first time (its default of 100,000 takes long through the relay).
medidas=(
    "list/bench_lista abrir_recentes 100"
    "list/bench_lista proxima_pagina 100"
    "list/bench_lista pesquisa_nome 100"
    "list/bench_lista inicio_ate_a_lista 600"
    "ficha/bench_ficha abrir_ficha_alteracao_100_itens 150"
    "gravacao/bench_gravacao incluir_100_itens 200"
    "gravacao/bench_gravacao alterar_1_item 200"
    "search/bench_pesquisa clientes_nome -"
    "record/bench_ficha_cliente ficha_cliente_codigo -"
    "historico/bench_historico - - --excluidos 10000"
)

saida="$(mktemp)"
trap 'rm -f "$saida"' EXIT
for atraso in 0 15; do
    for medida in "${medidas[@]}"; do
        read -r programa caso meta proprias <<<"$medida"
        argumentos=(--url "$url" --atraso "$atraso" --execucoes "$execucoes")
        # shellcheck disable=SC2206 # the program's own options, split on blanks
        [ -z "${proprias:-}" ] || argumentos+=($proprias)
        [ "$caso" = - ] || argumentos+=(--caso "$caso")
        echo "== $programa $caso, $atraso ms em cada sentido" >&2
        "$build/bench/$programa" "${argumentos[@]}" 2>>"$saida.log" |
            { grep '^RESULTADO' || true; } | sed "s/^RESULTADO/$atraso/" >>"$saida" ||
            echo "FALHOU: $programa $caso ($atraso ms); veja $saida.log" >&2
    done
done

# The table: one row a case, its median at 0 and at 30 ms, the note at 30 ms (the round
# trips are in it), the goal and whether it is met.
declare -A metas
for medida in "${medidas[@]}"; do
    read -r programa caso meta _ <<<"$medida"
    metas[$caso]=$meta
done
echo "| case | 0 ms | 30 ms | round trips | goal at 30 ms | met? | note at 30 ms |"
echo "|---|---:|---:|---:|---:|---|---|"
awk -F'\t' '$1 == 0 { print $3 }' "$saida" | while read -r caso; do
    zero="$(awk -F'\t' -v c="$caso" '$1 == 0 && $3 == c { print $5; exit }' "$saida")"
    trinta="$(awk -F'\t' -v c="$caso" '$1 == 15 && $3 == c { print $5; exit }' "$saida")"
    nota30="$(awk -F'\t' -v c="$caso" '$1 == 15 && $3 == c { print $12; exit }' "$saida")"
    # The round trips of the whole operation: the last item of the note.
    idas="$(echo "$nota30" | grep -o '[0-9.]* idas e voltas[^;]*$' | sed 's/ idas e voltas//' || true)"
    meta="${metas[$caso]:--}"
    atingida=-
    if [ "$meta" != - ] && [ -n "$trinta" ]; then
        atingida=$(awk -v t="$trinta" -v m="$meta" 'BEGIN { print (t <= m ? "met" : "**not met**") }')
    fi
    echo "| \`$caso\` | $zero | ${trinta:--} | ${idas:--} | $meta | $atingida | ${nota30:--} |"
done
cp "$saida" "${TMPDIR:-/tmp}/bench_wan.resultados"
echo "Linhas de resultado: ${TMPDIR:-/tmp}/bench_wan.resultados; mensagens: $saida.log" >&2
