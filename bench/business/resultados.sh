#!/usr/bin/env bash
# Writes bench/RESULTS.md from the result lines of the benchmarks (see Medicao.h);
# called by scripts/bench.sh. Keeps the notes below "<!-- notas -->" of the old file.
#
#   resultados.sh RESULT_LINES GENERATION_LINES SCALE RUNS RESULTS.md
#
# RESULT_LINES: one line a case, tab-separated: the program, the database's kind
# ("gerada", or "vazia" for the references of the memory goals), then the program's
# RESULTADO line, or FALHOU with the same fields ("-") and the failure's message as note.
#
# One section a program, not one table a database: the programs measure different
# things (a floor and a LIKE scan, the phases of a print, a panel beside a lookup, no
# database at all) against goals of their own, so each section keeps only the columns
# its cases fill and states its goals; and SQLite and PostgreSQL of the same case sit on
# adjacent rows, which is the comparison the tables are read for.
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

Regenerate everything (build, data when missing, every case of every program, this file) with:

    scripts/bench.sh --postgresql

(\`scripts/bench.sh\` alone measures SQLite only; \`--escala 0.01\` makes a quick run on 10,000
quotes; \`--url postgresql://...\` measures an existing PostgreSQL server instead of a private one.
The data generator alone: \`bench_gerar_dados --banco FILE.sqlite\` or \`--url postgresql://...\`,
with \`--escala F\`, \`--semente N\`, \`--se-faltar\`, \`--substituir\`; the script runs it when the data is
missing. Each benchmark alone: \`bench_lista\`, \`bench_impressao\`, \`bench_ficha\`, \`bench_ficha_cliente\`,
\`bench_itens\`, \`bench_gravacao\`, \`bench_pesquisa\` or \`bench_negocio\` with the same database option,
\`--caso NAME\` (every case when none is named) and \`--execucoes N\`; \`bench_relatorios\` takes no database.
Any other option, \`--help\` for one, prints the program's usage and cases.)
One section a program, SQLite and PostgreSQL of a case on adjacent rows; a section keeps the columns its
cases fill and states its goals. The notes at the end are written by hand and kept when the file is
regenerated.

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

- **median / range**: of the timed runs, in milliseconds; the one-second waits of the waiting panels are
  not part of any figure (the pause is shortened to nothing through the platform seam).
- **floor**: the same work without what is measured around it, run in turns with it in the same
  process: for the list, the lookups and the record form's opening, the SQL the business layer ran,
  run straight on the same connection with a bare `QSqlQuery` each. On SQLite the benchmark records
  the statements the business layer really ran (sqlite3 trace) and checks them against the floor's,
  text for text and, for reads, value for value: "piso conferido" in the note. PostgreSQL offers no
  such hook to a client: "piso não conferido". Other floors are named in their section.
- **ratio**: median ÷ floor. **LIKE**: the same search written as a plain `LIKE '%…%'` over the same
  columns, count and first page; **speed-up**: LIKE ÷ median.
- **peak RSS**: VmHWM of the process that ran that one case (each case runs in a process of its own).
- **rows**: what the operation found or wrote (the list's total, the lookup's count, the items).
- **goals**: every operation at most 100 ms unless its section says otherwise, at most 2× its floor,
  and a text search at least 10× faster than the plain LIKE scan; "met" when all of its hold.
  A note that says "NÃO ATINGIDA" is a goal the program itself checks.

EOF
    awk -F'\t' '
    BEGIN {
        split("bench_lista bench_impressao bench_ficha bench_ficha_cliente bench_itens bench_gravacao " \
              "bench_pesquisa bench_negocio bench_relatorios", ordem, " ")
        titulo["bench_lista"] = "The quotes list (`bench_lista`)"
        sobre["bench_lista"] = "The list docked by the component in a host window and driven through its controls, " \
            "each figure up to the list painted again. The floor is the count and the page the list reads. " \
            "Goal: at most 16 ms (one frame) at 1,000,000 quotes. " \
            "Memory goal: at most 150 MB above the same case on an empty database."
        titulo["bench_impressao"] = "Printing from the list (`bench_impressao`)"
        sobre["bench_impressao"] = "A print command of the docked list clicked, up to the list shown again; in the " \
            "preview the PDF export clicked and its save dialog answered at once, or, for `previa_todas`, " \
            "up to the preview'"'"'s first page painted. The phases and the processor time are in the note. " \
            "No floor. Goals: the sheet at most 200 ms, the list at least 2,000 rows a second, the preview " \
            "at most 1 s and at most 100 MB above the same case on an empty database (nothing to print)."
        titulo["bench_ficha"] = "Opening a stored quote in the record form (`bench_ficha`)"
        sobre["bench_ficha"] = "A stored quote of 100 items found in the docked list, then its \"Alterar\" command, " \
            "up to the record form shown, cancelled, unloaded and the list painted again. The floor is the " \
            "9 statements the form has the business layer run. Goal: at most 30 ms on SQLite, 50 ms on " \
            "PostgreSQL."
        titulo["bench_ficha_cliente"] = "The record form'"'"'s client search (`bench_ficha_cliente`)"
        sobre["bench_ficha_cliente"] = "A search in one of the record form'"'"'s client fields that finds exactly one " \
            "client, up to its animals listed and the form painted. The floor is the two business " \
            "selections alone (the client with its first page read, the animals). Goal: at most 30 ms."
        titulo["bench_itens"] = "The record form'"'"'s item lookups (`bench_itens`)"
        sobre["bench_itens"] = "A product or service looked up through the record form'"'"'s fields, up to the " \
            "item'"'"'s fields filled and the form painted. The waiting panel alone is timed in the same turns; " \
            "the goal, at most 10 ms beside it (median less the panel), is checked by the program (note). " \
            "The bar-code and whole-name lookups have the business layer'"'"'s count and page as floor."
        titulo["bench_gravacao"] = "Saving through the record form (`bench_gravacao`)"
        sobre["bench_gravacao"] = "From the save button'"'"'s click (the form filled beforehand) up to the list'"'"'s " \
            "command returned: the write, the form unloaded and the list selecting again. The floor of the " \
            "add is the business layer'"'"'s own `Adicionar` of the same header and grid. Goal: at most 50 ms."
        titulo["bench_pesquisa"] = "The client search dialog (`bench_pesquisa`)"
        sobre["bench_pesquisa"] = "A name fragment typed in the dialog'"'"'s find box, up to every client found in " \
            "its grid and the grid painted. The floor is the count and the page the dialog reads. " \
            "Goal: at most 30 ms."
        titulo["bench_negocio"] = "The business layer alone (`bench_negocio`)"
        sobre["bench_negocio"] = "The lookups and writes of the record form called straight on the business layer " \
            "(no form), each beside its floor, the same SQL run straight on the same connection. " \
            "`caminhada_todas` walks \"Todas as situações\" as the printed list reads it (every field, blocks " \
            "of 195 rows), its first tenth and, after a jump, its last: goal at least 8,000 rows a second " \
            "(6,000 on PostgreSQL), the rate a PDF is written at, and the last tenth at least 90 % as fast " \
            "as the first (note)."
        titulo["bench_relatorios"] = "The reports without a database (`bench_relatorios`)"
        sobre["bench_relatorios"] = "The report runtime alone, on rows made when read: the preview of 1,000,000 " \
            "quotes up to its first page painted (goal at most 1 s, and at most 100 MB above the preview of an " \
            "empty list: note), the sheet of a 100-item quote to PDF (at most 200 ms; also approved, with its PIX " \
            "QR code), the PIX payload and its QR code image (at most 2 ms), a list of 28,000 quotes " \
            "to PDF (at least 2,000 rows a second; a third as many runs)."
    }
    # The text in lines of at most 100 characters, broken between words.
    function em_linhas(texto,    n, palavras, i, linha, saida) {
        n = split(texto, palavras, " ")
        linha = palavras[1]
        for (i = 2; i <= n; ++i) {
            if (length(linha) + 1 + length(palavras[i]) > 100) { saida = saida linha "\n"; linha = palavras[i] }
            else linha = linha " " palavras[i]
        }
        return saida linha
    }
    function descricao(c) {
        if (c == "abrir_recentes") return "open the list (AbrirLista), \"Recentes\""
        if (c == "todas_as_situacoes") return "choose \"Todas as situações\""
        if (c == "proxima_pagina") return "next page (from page 1)"
        if (c == "ultima_pagina") return "last page"
        if (c == "primeira_pagina") return "back to the first page (from the last)"
        if (c == "pesquisa_nome") return "search: fragment of a client name"
        if (c == "pesquisa_numero") return "search: quote number"
        if (c == "pesquisa_ampla") return "search: common surname (\"silva\")"
        if (c == "ficha_100_itens") return "sheet of a 100-item quote to PDF"
        if (c == "lista_recentes_pdf") return "list of \"Recentes\" to PDF"
        if (c == "lista_todas_pdf") return "whole list (\"Todas as situações\") to PDF, one run: first and last tenth"
        if (c == "previa_todas") return "preview of \"Todas as situações\" to its first page"
        if (c == "abrir_ficha_alteracao_100_itens") return "open a stored quote of 100 items to change it"
        if (c == "ficha_cliente_codigo") return "client by its code"
        if (c == "ficha_cliente_nome") return "client by its whole name"
        if (c == "produto_codigo_de_barras") return "product, bar code"
        if (c == "produto_etiqueta") return "product, scale label"
        if (c == "produto_nome") return "product, whole name"
        if (c == "produto_nome_lista") return "product, name finding several, picked in the list"
        if (c == "servico_tipo_nome") return "service, type and name"
        if (c == "servico_codigo") return "service, code over \"(Todos)\""
        if (c == "incluir_100_itens") return "add a quote of 100 items"
        if (c == "alterar_1_item") return "change one item of it"
        if (c == "clientes_nome") return "fragment of a client name"
        if (c == "clientes_apelido") return "client lookup, nickname fragment"
        if (c == "produtos_codigo_de_barras") return "product lookup, bar code"
        if (c == "produtos_nome") return "product lookup, name fragment"
        if (c == "servicos_tipo_nome") return "service lookup, type and name"
        if (c == "gravar_orcamento_20_itens") return "save a quote of 20 items"
        if (c == "excluir_item") return "delete one item"
        if (c == "caminhada_todas") return "walk of \"Todas as situações\" as printed: first and last tenth"
        if (c == "previa") return "preview of 1,000,000 quotes to its first page"
        if (c == "ficha") return "sheet of a 100-item quote to PDF"
        if (c == "ficha_pix") return "the same sheet of an approved quote, with its PIX QR code"
        if (c == "pix") return "PIX payload and its QR code image"
        if (c == "lista") return "list of 28,000 quotes to PDF"
        return c
    }
    # The time goal of a case in ms (0: none, a rate instead).
    function meta_ms(p, c, banco) {
        if (p == "bench_ficha") return banco == "PostgreSQL" ? 50 : 30
        if (p == "bench_ficha_cliente" || p == "bench_pesquisa") return 30
        if (p == "bench_gravacao") return 50
        if (c == "ficha_100_itens" || c == "ficha" || c == "ficha_pix") return 200
        if (c == "pix") return 2
        if (c == "previa_todas" || c == "previa") return 1000
        if (c == "lista_recentes_pdf" || c == "lista" || c == "caminhada_todas" || c == "lista_todas_pdf") return 0
        # The list operations within one frame at clinic-chain scale.
        if (p == "bench_lista") return 16
        return 100
    }
    # The rows-per-second goal of a case (0: none).
    function meta_linhas(c, banco) {
        # The whole list data walk must keep up with a PDF written at 8,000 rows a second
        # (6,000 on PostgreSQL); its last tenth at least 90 % as fast as its first (note).
        if (c == "caminhada_todas" || c == "lista_todas_pdf") return banco == "PostgreSQL" ? 6000 : 8000
        return c == "lista_recentes_pdf" || c == "lista" ? 2000 : 0
    }
    # The memory goal against the empty database, MB above it.
    function meta_memoria(p, c) {
        return p == "bench_impressao" && c != "lista_todas_pdf" ? 100 : 150
    }
    # "met", or what was missed, in bold; a rate goal shows the rate.
    function metas(p, c, banco, mediana, piso, like, linhas, nota,    m, t, r, taxa) {
        m = ""
        t = meta_ms(p, c, banco)
        if (t > 0 && mediana > t) m = m "; " sprintf("**over %d ms by %.0f ms**", t, mediana - t)
        if (meta_linhas(c, banco) > 0 && mediana > 0) {
            r = linhas * 1000 / mediana
            if (r < meta_linhas(c, banco)) m = m "; " sprintf("**only %.0f rows/s**", r)
            else taxa = sprintf(", %.0f rows/s", r)
        }
        if (piso != "-" && mediana / piso > 2) m = m "; " sprintf("**%.1f× its floor**", mediana / piso)
        if (like != "-" && like / mediana < 10) m = m "; " sprintf("**only %.1f× LIKE**", like / mediana)
        if (index(nota, "NÃO ATINGIDA")) m = m "; **missed (see the note)**"
        return m == "" ? "met" taxa : substr(m, 3)
    }
    {
        p = $1
        if (!(p in visto)) { visto[p] = 1; extra[++n_extra] = p }
        if (!($6 in banco_visto)) { banco_visto[$6] = 1; bancos[++nb] = $6 }
        if ($2 == "vazia") { vazio[p, $5, $6] = $12; next }
        k = ++linhas_de[p]
        linha[p, k] = $0
        if (!((p, $5) in caso_visto)) { caso_visto[p, $5] = 1; casos[p, ++ncasos[p]] = $5 }
        if ($10 != "-") com_piso[p] = 1
        if ($11 != "-") com_like[p] = 1
        if ($6 != "-") com_banco[p] = 1
        cheio[p, $5, $6] = $12
    }
    END {
        # The known programs in their order, then any other program, as it came.
        for (i = 1; i in ordem; ++i) { lista_p[++np] = ordem[i]; conhecido[ordem[i]] = 1 }
        for (i = 1; i <= n_extra; ++i) if (!(extra[i] in conhecido)) lista_p[++np] = extra[i]
        for (i = 1; i <= np; ++i) {
            p = lista_p[i]
            if (!(p in linhas_de)) continue
            print "## " (p in titulo ? titulo[p] : "`" p "`") "\n"
            if (p in sobre) print em_linhas(sobre[p]) "\n"
            cab = "| operation | case |"; sep = "|---|---|"
            if (p in com_banco) { cab = cab " database |"; sep = sep "---|" }
            cab = cab " median | range |"; sep = sep "---:|---:|"
            if (p in com_piso) { cab = cab " floor | ratio |"; sep = sep "---:|---:|" }
            if (p in com_like) { cab = cab " LIKE | speed-up |"; sep = sep "---:|---:|" }
            cab = cab " peak RSS MB | rows | goals | note |"; sep = sep "---:|---:|---|---|"
            print cab; print sep
            for (j = 1; j <= ncasos[p]; ++j) {
                c = casos[p, j]
                for (k = 1; k <= linhas_de[p]; ++k) {
                    split(linha[p, k], f, "\t")
                    if (f[5] != c) continue
                    falhou = f[3] == "FALHOU"
                    s = "| " descricao(c) " | `" c "` |"
                    if (p in com_banco) s = s " " f[6] " |"
                    s = s (falhou ? " - | - |" : " " f[7] " | " f[8] "–" f[9] " |")
                    if (p in com_piso)
                        s = s " " f[10] " | " (f[10] == "-" || falhou ? "-" : sprintf("%.2f", f[7] / f[10])) " |"
                    if (p in com_like)
                        s = s " " f[11] " | " (f[11] == "-" || falhou ? "-" : sprintf("%.1f×", f[11] / f[7])) " |"
                    s = s " " f[12] " | " f[13] " | " (falhou ? "**failed**" : metas(p, c, f[6], f[7], f[10], f[11], f[13], f[14]))
                    s = s " | " (f[14] == "-" ? "" : f[14]) " |"
                    print s
                }
            }
            print ""
            # The memory goal: the same case on an empty database.
            t = ""
            for (j = 1; j <= ncasos[p]; ++j) {
                c = casos[p, j]
                for (b = 1; b <= nb; ++b) {
                    if (!((p, c, bancos[b]) in vazio) || !((p, c, bancos[b]) in cheio)) continue
                    v = vazio[p, c, bancos[b]]; g = cheio[p, c, bancos[b]]
                    if (v == "-" || g == "-") continue
                    t = t sprintf("| `%s` | %s | %s | %s | %+.1f | %s |\n", c, bancos[b], v, g, g - v,
                                  g - v <= meta_memoria(p, c) ? "met" : "**missed**")
                }
            }
            if (t != "") {
                printf "Peak RSS in MB against the same case on an empty database (goal: at most %d MB above it; " \
                       "150 MB for the whole list):\n\n", meta_memoria(p, "")
                print "| case | database | empty database | generated database | difference | goal |"
                print "|---|---|---:|---:|---:|---|"
                printf "%s\n", t
            }
        }
    }' "$resultados"
    cat "$notas"
} >"$saida"
