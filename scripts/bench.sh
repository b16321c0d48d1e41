#!/usr/bin/env bash
# Benchmarks at clinic-chain scale, in one command: builds the benchmarks (Release),
# generates the database when it is missing (1,000,000 quotes by default, a few
# minutes on SQLite), runs every case in a process of its own (so each peak memory
# figure is that case's) and rewrites bench/RESULTS.md. The notes below the line
# "<!-- notas -->" of RESULTS.md are kept as they are.
#
#   scripts/bench.sh [--escala F] [--execucoes N] [--postgresql | --url URL] [--sem-sqlite]
#
#   --escala F      scale of the generated data (0.01: 10,000 quotes, for a quick run)
#   --execucoes N   timed runs per case (at least 5; default 7), after one warm-up run
#   --postgresql    also measure PostgreSQL, on a private server whose data stays in
#                   the data folder between runs (generated once)
#   --url URL       also measure PostgreSQL, on that database (generated when missing)
#   --sem-sqlite    PostgreSQL only
#
# Folders: ZELT_BENCH_DADOS (default ../bench-data beside the repository) holds the
# databases; ZELT_BENCH_BUILD (default ../build-bench) the build.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
dados="${ZELT_BENCH_DADOS:-$(dirname "$raiz")/bench-data}"
build="${ZELT_BENCH_BUILD:-$(dirname "$raiz")/build-bench}"
escala=1
execucoes=7
url=""
postgresql_privado=0
sqlite=1
while [ $# -gt 0 ]; do
    case "$1" in
        --escala) escala="$2"; shift 2 ;;
        --execucoes) execucoes="$2"; shift 2 ;;
        --url) url="$2"; shift 2 ;;
        --postgresql) postgresql_privado=1; shift ;;
        --sem-sqlite) sqlite=0; shift ;;
        *) sed -n '2,19p' "$0" >&2; exit 2 ;;
    esac
done

source "$raiz/scripts/dependencias.sh"
source "$raiz/scripts/postgresql.sh"
extras=(libsqlite3-dev)
[ "$postgresql_privado" -eq 1 ] && extras+=(postgresql)
instalar_dependencias "${extras[@]}"

cmake -S "$raiz" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target bench_gerar_dados bench_negocio bench_lista bench_ficha >/dev/null
mkdir -p "$dados"
export QT_QPA_PLATFORM=offscreen

resultados="$(mktemp)"
geracoes="$(mktemp)"
trap 'rm -f "$resultados" "$geracoes"' EXIT

casos_lista=(abrir_recentes todas_as_situacoes proxima_pagina ultima_pagina primeira_pagina
             pesquisa_nome pesquisa_numero pesquisa_ampla)
casos_ficha=(abrir_ficha_alteracao_100_itens)
casos_negocio=(clientes_apelido produtos_codigo_de_barras produtos_nome servicos_tipo_nome
               gravar_orcamento_20_itens excluir_item)

# gerar <banco> <file keeping the generation's line> <options of the database>: generates
# when missing; the line printed by the generation is kept beside the data for later runs.
gerar() {
    local banco="$1" registro="$2"; shift 2
    local saida
    saida="$("$build/bench/business/bench_gerar_dados" "$@" --escala "$escala" --se-faltar)"
    echo "$saida"
    case "$saida" in Gerado*) echo "$saida" >"$registro" ;; esac
    printf '%s\t%s\n' "$banco" "$saida" >>"$geracoes"
    if [ -f "$registro" ] && [ "$(cat "$registro")" != "$saida" ]; then
        printf '%s\t%s\n' "$banco" "(generated earlier) $(cat "$registro")" >>"$geracoes"
    fi
}

# medir <options of the database>: every case in its own process.
medir() {
    local caso
    for caso in "${casos_lista[@]}"; do
        "$build/bench/list/bench_lista" "$@" --caso "$caso" --execucoes "$execucoes" | tee -a "$resultados"
    done
    for caso in "${casos_ficha[@]}"; do
        "$build/bench/ficha/bench_ficha" "$@" --caso "$caso" --execucoes "$execucoes" | tee -a "$resultados"
    done
    for caso in "${casos_negocio[@]}"; do
        "$build/bench/business/bench_negocio" "$@" --caso "$caso" --execucoes "$execucoes" | tee -a "$resultados"
    done
}

# The list opened on an empty database: the reference of the memory goal.
medir_vazio() {
    local caso
    for caso in abrir_recentes todas_as_situacoes; do
        "$build/bench/list/bench_lista" "$@" --caso "$caso" --execucoes "$execucoes" |
            sed 's/^RESULTADO\tlista\t/RESULTADO\tvazio\t/' | tee -a "$resultados"
    done
}

if [ "$sqlite" -eq 1 ]; then
    banco="$dados/orcamentos-escala-$escala.sqlite"
    gerar SQLite "$banco.geracao" --banco "$banco"
    medir --banco "$banco"
    rm -f "$dados/vazio.sqlite"*
    medir_vazio --banco "$dados/vazio.sqlite"
fi

if [ "$postgresql_privado" -eq 1 ] && [ -z "$url" ]; then
    # A private server like the tests', but on a data folder that outlives the run.
    bin="$(pg_bin)"
    pasta_pg="$dados/postgresql"
    mkdir -p "$pasta_pg"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$pasta_pg"
    [ -f "$pasta_pg/dados/PG_VERSION" ] ||
        como_dono "$bin/initdb" -D "$pasta_pg/dados" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
    porta=$(( 20000 + RANDOM % 20000 ))
    como_dono "$bin/pg_ctl" -D "$pasta_pg/dados" -l "$pasta_pg/servidor.log" -w \
        -o "-p $porta -k $pasta_pg -c listen_addresses=127.0.0.1" start >/dev/null
    trap 'como_dono "$bin/pg_ctl" -D "$pasta_pg/dados" -m fast stop >/dev/null 2>&1 || true; rm -f "$resultados" "$geracoes"' EXIT
    for base in zelt_bench zelt_bench_vazio; do
        como_dono "$bin/createdb" -h 127.0.0.1 -p "$porta" -U postgres "$base" 2>/dev/null || true
    done
    url="postgresql://postgres@127.0.0.1:$porta/zelt_bench"
    url_vazio="postgresql://postgres@127.0.0.1:$porta/zelt_bench_vazio"
fi

if [ -n "$url" ]; then
    gerar PostgreSQL "$dados/postgresql-escala-$escala.geracao" --url "$url"
    medir --url "$url"
    if [ -n "${url_vazio:-}" ]; then
        como_dono "$bin/psql" -q "$url_vazio" -c "SET client_min_messages = warning; DROP SCHEMA public CASCADE; CREATE SCHEMA public;" >/dev/null
        medir_vazio --url "$url_vazio"
    fi
fi

"$raiz/bench/business/resultados.sh" "$resultados" "$geracoes" "$escala" "$execucoes" "$raiz/bench/RESULTS.md"
echo "bench/RESULTS.md atualizado."
