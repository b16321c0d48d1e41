#!/usr/bin/env bash
# Writes bench/RESULTS.md from the result lines of the benchmarks (see Medicao.h);
# called by scripts/bench.sh. Keeps the notes below "<!-- notas -->" of the old file.
#
#   resultados.sh RESULT_LINES GENERATION_LINES SCALE RUNS RESULTS.md
set -euo pipefail
resultados="$1"; geracoes="$2"; escala="$3"; execucoes="$4"; saida="$5"
marca="<!-- notas -->"

notas="$(mktemp)"
trap 'rm -f "$notas"' EXIT
if [ -f "$saida" ] && grep -qF "$marca" "$saida"; then
    sed -n "/^$marca\$/,\$p" "$saida" >"$notas"
else
    printf '%s\n\n## Notes\n\n(none yet)\n' "$marca" >"$notas"
fi

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
memoria="$(awk '/MemTotal/ { printf "%.1f GB", $2 / 1048576 }' /proc/meminfo)"
sistema="$(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
sqlite="$(sqlite3 --version 2>/dev/null | cut -d' ' -f1 || echo '?')"
postgres="$(ls /usr/lib/postgresql 2>/dev/null | sort -V | tail -n 1)"
postgres_versao="$( [ -n "$postgres" ] && /usr/lib/postgresql/"$postgres"/bin/postgres --version | cut -d' ' -f3 || echo '-')"
qt="$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null | cut -d+ -f1 || echo '?')"

{
    cat <<EOF
# Benchmark results

Regenerate everything (build, data when missing, every case, this file) with:

    scripts/bench.sh --postgresql

(\`scripts/bench.sh\` alone measures SQLite only; \`--escala 0.01\` makes a quick run on 10,000
quotes; \`--url postgresql://...\` measures an existing PostgreSQL server instead of a private one.
The data generator alone: \`bench_gerar_dados --banco FILE.sqlite\` or \`--url postgresql://...\`,
with \`--escala F\`, \`--semente N\`, \`--se-faltar\`, \`--substituir\`; the script runs it when the data is
missing. Each benchmark alone: \`bench_lista\`, \`bench_ficha\` or \`bench_negocio\` with the same database option,
\`--caso NAME\` and \`--execucoes N\`.)
The notes at the end are written by hand and kept when the file is regenerated.

Taken $(date -u '+%Y-%m-%d %H:%M UTC'), scale $escala, $execucoes timed runs per case after one warm-up run.

## Machine

- $(nproc) cores: $cpu
- $memoria of memory; $sistema
- SQLite $sqlite, PostgreSQL $postgres_versao (private server, default settings, same machine), Qt $qt (Release build)
- load average when the run ended: $(cut -d' ' -f1-3 /proc/loadavg) (the machine is shared; see the spread)

## Data

EOF
    while IFS=$'\t' read -r banco linha; do
        echo "- $banco: $linha"
    done <"$geracoes"
    cat <<'EOF'

## How to read the tables

- **median / range**: of the timed runs, in milliseconds; the one-second waits of the waiting panel are
  not part of any figure (the pause is shortened to nothing through the platform seam).
- **floor**: the same SQL the business layer ran (the count and the page, or the lookup, or the
  statements of the write), run straight on the same connection in the same process with a bare
  `QSqlQuery` each. On SQLite the benchmark records the statements the business layer really ran
  (sqlite3 trace) and checks them against the floor's, text for text and, for reads, value for
  value: "piso conferido". PostgreSQL offers no such hook to a client: "piso não conferido".
- **ratio**: median ÷ floor. **LIKE**: the same search written as a plain `LIKE '%…%'` over the same
  columns, count and first page; **speed-up**: LIKE ÷ median.
- **peak RSS**: VmHWM of the process that ran that one case (each case runs in a process of its own).
- **rows**: what the operation found (the list's total, or the lookup's count).
- Goals: every operation at most 100 ms and at most 2× its floor; text searches at least 10× faster
  than the plain LIKE scan; opening the list at most 150 MB above the same on an empty database;
  opening a stored quote of 100 items in the record form at most 30 ms on SQLite, 50 ms on PostgreSQL.

EOF
    awk -F'\t' -v OFS=' | ' '
    function descricao(c) {
        if (c == "abrir_recentes") return "open the list (AbrirLista), \"Recentes\""
        if (c == "todas_as_situacoes") return "choose \"Todas as situações\""
        if (c == "proxima_pagina") return "next page (from page 1)"
        if (c == "ultima_pagina") return "last page"
        if (c == "primeira_pagina") return "back to the first page (from the last)"
        if (c == "pesquisa_nome") return "search: fragment of a client name"
        if (c == "pesquisa_numero") return "search: quote number"
        if (c == "pesquisa_ampla") return "search: common surname (\"silva\")"
        if (c == "clientes_apelido") return "client lookup, nickname fragment"
        if (c == "produtos_codigo_de_barras") return "product lookup, bar code"
        if (c == "produtos_nome") return "product lookup, name fragment"
        if (c == "servicos_tipo_nome") return "service lookup, type and name"
        if (c == "gravar_orcamento_20_itens") return "save a quote of 20 items"
        if (c == "excluir_item") return "delete one item"
        if (c == "abrir_ficha_alteracao_100_itens") return "open a stored quote of 100 items to change it"
        return c
    }
    # The time goal of a case, in ms.
    function limite(c, banco) {
        if (c == "abrir_ficha_alteracao_100_itens") return banco == "SQLite" ? 30 : 50
        return 100
    }
    $1 == "RESULTADO" { linhas[$4] = linhas[$4] ? linhas[$4] "\n" $0 : $0; if (!($4 in visto)) { ordem[++n] = $4; visto[$4] = 1 } }
    END {
        for (i = 1; i <= n; ++i) {
            banco = ordem[i]
            print "## " banco "\n"
            print "| operation | case | median | range | floor | ratio | LIKE | speed-up | peak RSS MB | rows | goals | floor check |"
            print "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---|---|"
            k = split(linhas[banco], l, "\n")
            for (j = 1; j <= k; ++j) {
                split(l[j], f, "\t")
                if (f[2] == "vazio") { vazio[banco, f[3]] = f[10]; continue }
                cheio[banco, f[3]] = f[10]
                razao = f[8] == "-" ? "-" : sprintf("%.2f", f[5] / f[8])
                ganho = f[9] == "-" ? "-" : sprintf("%.1f×", f[9] / f[5])
                metas = ""
                if (f[5] > limite(f[3], banco)) metas = metas sprintf("**over %d ms by %.0f ms** ", limite(f[3], banco), f[5] - limite(f[3], banco))
                if (razao != "-" && razao + 0 > 2) metas = metas sprintf("**%.1f× its floor** ", razao)
                if (ganho != "-" && f[9] / f[5] < 10) metas = metas sprintf("**only %.1f× LIKE** ", f[9] / f[5])
                if (metas == "") metas = "met"
                print "| " descricao(f[3]), "`" f[3] "`", f[5], f[6] "–" f[7], f[8], razao, f[9], ganho, f[10], f[11], metas, f[12] " |"
            }
            print ""
            print "Memory of the list, peak RSS in MB (goal: at most 150 MB above the empty database):\n"
            print "| case | empty database | generated database | difference | goal |"
            print "|---|---:|---:|---:|---|"
            split("abrir_recentes todas_as_situacoes", casos, " ")
            for (m = 1; m <= 2; ++m) {
                c = casos[m]
                if (!((banco, c) in vazio) || !((banco, c) in cheio)) continue
                d = cheio[banco, c] - vazio[banco, c]
                print "| `" c "`", vazio[banco, c], cheio[banco, c], sprintf("%+.1f", d), (d <= 150 ? "met" : "**missed**") " |"
            }
            print ""
        }
    }' "$resultados"
    cat "$notas"
} >"$saida"
