#!/usr/bin/env bash
# Benchmarks at clinic-chain scale, in one command: builds every benchmark program
# (Release), generates the database when it is missing (1,000,000 quotes by default, a
# few minutes on SQLite), runs every case of every program in a process of its own (so
# each peak memory figure is that case's) and rewrites bench/RESULTS.md. The notes below
# the line "<!-- notas -->" of RESULTS.md are kept as they are. A case that fails is
# written into the tables as failed, the others still run; the script then ends with 1.
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

# Every benchmark program (its path under the build's bench/) and its cases, in the order
# they run; each case is also the name it has in the result line.
programas=(bench_lista bench_impressao bench_ficha bench_ficha_cliente bench_itens bench_gravacao
           bench_pesquisa bench_negocio)
declare -A caminho=(
    [bench_lista]=list/bench_lista [bench_impressao]=printing/bench_impressao
    [bench_ficha]=ficha/bench_ficha [bench_ficha_cliente]=record/bench_ficha_cliente
    [bench_itens]=itens/bench_itens [bench_gravacao]=gravacao/bench_gravacao
    [bench_pesquisa]=search/bench_pesquisa [bench_negocio]=business/bench_negocio
    [bench_relatorios]=reports/bench_relatorios)
declare -A casos=(
    [bench_lista]="abrir_recentes todas_as_situacoes proxima_pagina ultima_pagina primeira_pagina
                   pesquisa_nome pesquisa_numero pesquisa_ampla"
    [bench_impressao]="ficha_100_itens lista_recentes_pdf lista_todas_pdf previa_todas"
    [bench_ficha]="abrir_ficha_alteracao_100_itens"
    [bench_ficha_cliente]="ficha_cliente_codigo ficha_cliente_nome"
    [bench_itens]="produto_codigo_de_barras produto_etiqueta produto_nome produto_nome_lista
                   servico_tipo_nome servico_codigo"
    [bench_gravacao]="incluir_100_itens alterar_1_item"
    [bench_pesquisa]="clientes_nome"
    [bench_negocio]="clientes_apelido produtos_codigo_de_barras produtos_nome servicos_tipo_nome
                     gravar_orcamento_20_itens excluir_item caminhada_todas"
    [bench_relatorios]="previa ficha ficha_pix pix lista")
# What is measured on an empty database too: the reference of the memory goals.
declare -A casos_vazios=([bench_lista]="abrir_recentes todas_as_situacoes" [bench_impressao]="previa_todas lista_todas_pdf")

source "$raiz/scripts/dependencias.sh"
source "$raiz/scripts/postgresql.sh"
extras=(libsqlite3-dev)
[ "$postgresql_privado" -eq 1 ] && extras+=(postgresql)
instalar_dependencias "${extras[@]}"

# ccache, when the machine has it, spares rebuilding what did not change.
lancador=()
command -v ccache >/dev/null 2>&1 && lancador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$raiz" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release "${lancador[@]}" >/dev/null
cmake --build "$build" -j2 --target bench_gerar_dados "${!caminho[@]}" >/dev/null
mkdir -p "$dados"
export QT_QPA_PLATFORM=offscreen

resultados="$(mktemp)"
geracoes="$(mktemp)"
erros="$(mktemp)"
falhas=0
limpar() { rm -f "$resultados" "$geracoes" "$erros"; }
trap limpar EXIT

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

# medir_caso <program> <generated|empty> <database's name> <case> <options of the database>:
# one case in a process of its own. Its result lines are kept with the program and the
# kind of database; a failure is kept as a line FALHOU with the program's last message.
medir_caso() {
    local programa="$1" base="$2" banco="$3" caso="$4"; shift 4
    local saida
    if saida="$("$build/bench/${caminho[$programa]}" "$@" --caso "$caso" --execucoes "$execucoes" 2>"$erros")"; then
        grep -v -e '^This plugin does not support' -e '^QStandardPaths:' "$erros" >&2 || true
        { grep '^RESULTADO' <<<"$saida" || true; } | sed "s/^/$programa\t$base\t/" | tee -a "$resultados"
    else
        cat "$erros" >&2
        local mensagem
        mensagem="$(grep -v -e '^This plugin does not support' -e '^QStandardPaths:' -e '^Uso:' "$erros" |
                    tail -n 1 | tr '\t|' '  ')"
        printf '%s\t%s\tFALHOU\t-\t%s\t%s\t-\t-\t-\t-\t-\t-\t-\t%s\n' \
            "$programa" "$base" "$caso" "$banco" "${mensagem:-sem mensagem}" | tee -a "$resultados"
        echo "FALHOU: $programa --caso $caso ($banco)" >&2
        falhas=$((falhas + 1))
    fi
}

# medir <database's name> <options of the database>: every case of every program.
medir() {
    local banco="$1" programa caso; shift
    for programa in "${programas[@]}"; do
        for caso in ${casos[$programa]}; do
            medir_caso "$programa" gerada "$banco" "$caso" "$@"
        done
    done
}

# The same cases on an empty database: the references of the memory goals.
medir_vazio() {
    local banco="$1" programa caso; shift
    for programa in "${!casos_vazios[@]}"; do
        for caso in ${casos_vazios[$programa]}; do
            medir_caso "$programa" vazia "$banco" "$caso" "$@"
        done
    done
}

# The reports without a database: once.
for caso in ${casos[bench_relatorios]}; do
    medir_caso bench_relatorios gerada - "$caso"
done

if [ "$sqlite" -eq 1 ]; then
    arquivo="$dados/orcamentos-escala-$escala.sqlite"
    gerar SQLite "$arquivo.geracao" --banco "$arquivo"
    medir SQLite --banco "$arquivo"
    rm -f "$dados/vazio.sqlite"*
    medir_vazio SQLite --banco "$dados/vazio.sqlite"
fi

if [ "$postgresql_privado" -eq 1 ] && [ -z "$url" ]; then
    # A private server like the tests', but on a data folder that outlives the run.
    bin="$(pg_bin)"
    pasta_pg="$dados/postgresql"
    mkdir -p "$pasta_pg"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$pasta_pg"
    [ -f "$pasta_pg/dados/PG_VERSION" ] ||
        como_dono "$bin/initdb" -D "$pasta_pg/dados" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
    if como_dono "$bin/pg_ctl" -D "$pasta_pg/dados" status >/dev/null 2>&1; then
        # Already running (started by hand to look at the data): used as it is, and left running.
        porta="$(sed -n 4p "$pasta_pg/dados/postmaster.pid")"
    else
        porta=$(( 20000 + RANDOM % 20000 ))
        como_dono "$bin/pg_ctl" -D "$pasta_pg/dados" -l "$pasta_pg/servidor.log" -w \
            -o "-p $porta -k $pasta_pg -c listen_addresses=127.0.0.1" start >/dev/null
        trap 'como_dono "$bin/pg_ctl" -D "$pasta_pg/dados" -m fast stop >/dev/null 2>&1 || true; limpar' EXIT
    fi
    for base in zelt_bench zelt_bench_vazio; do
        como_dono "$bin/createdb" -h 127.0.0.1 -p "$porta" -U postgres "$base" 2>/dev/null || true
    done
    url="postgresql://postgres@127.0.0.1:$porta/zelt_bench"
    url_vazio="postgresql://postgres@127.0.0.1:$porta/zelt_bench_vazio"
fi

if [ -n "$url" ]; then
    gerar PostgreSQL "$dados/postgresql-escala-$escala.geracao" --url "$url"
    medir PostgreSQL --url "$url"
    if [ -n "${url_vazio:-}" ]; then
        como_dono "$bin/psql" -q "$url_vazio" -c "SET client_min_messages = warning; DROP SCHEMA public CASCADE; CREATE SCHEMA public;" >/dev/null
        medir_vazio PostgreSQL --url "$url_vazio"
    fi
fi

"$raiz/bench/business/resultados.sh" "$resultados" "$geracoes" "$escala" "$execucoes" "$raiz/bench/RESULTS.md"
echo "bench/RESULTS.md atualizado."
if [ "$falhas" -gt 0 ]; then
    echo "$falhas caso(s) falharam: veja as linhas FALHOU acima e a coluna goals de bench/RESULTS.md." >&2
    exit 1
fi
