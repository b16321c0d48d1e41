# A private PostgreSQL server for the tests: a temporary cluster listening on loopback
# only, with trust authentication, stopped (and its folder removed) by parar_postgresql.
# Sourced by test.sh. After iniciar_postgresql:
#   ZELT_TESTE_PG_URL  a fresh database on it (postgresql://postgres@127.0.0.1:PORT/zelt_teste)
#   ZELT_PG_PASTA      the temporary folder; the cluster is ZELT_PG_PASTA/dados, whose
#                      postgresql.conf holds port and addresses, so a plain
#                      "pg_ctl -D .../dados start" brings the same server back
#   ZELT_PG_BIN        the folder of pg_ctl, initdb...

pg_bin() {
    local versao
    versao=$(ls /usr/lib/postgresql 2>/dev/null | sort -V | tail -n 1)
    [ -n "$versao" ] && echo "/usr/lib/postgresql/$versao/bin"
}

# Runs a command as the cluster's owner: postgres when we are root (the server
# refuses to run as root), ourselves otherwise.
como_dono() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# A port nothing listens on, among the unprivileged ones.
porta_livre() {
    local porta
    for _ in $(seq 50); do
        porta=$((20000 + RANDOM % 20000))
        (exec 3<>"/dev/tcp/127.0.0.1/$porta") 2>/dev/null || { echo "$porta"; return 0; }
    done
    return 1
}

iniciar_postgresql() {
    local bin porta
    bin=$(pg_bin)
    [ -n "$bin" ] && [ -x "$bin/initdb" ] || { echo "PostgreSQL não está instalado" >&2; return 1; }
    ZELT_PG_PASTA=$(mktemp -d /tmp/zelt-pg.XXXXXX)
    [ "$(id -u)" -eq 0 ] && chown postgres: "$ZELT_PG_PASTA"
    porta=$(porta_livre) || { echo "Nenhuma porta livre para o PostgreSQL de teste" >&2; return 1; }
    como_dono "$bin/initdb" -D "$ZELT_PG_PASTA/dados" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 \
        >"$ZELT_PG_PASTA/initdb.log"
    # Durability is not what these tests measure: no fsync. Enough connections for
    # the tests that run several workstations at once.
    como_dono tee -a "$ZELT_PG_PASTA/dados/postgresql.conf" >/dev/null <<EOF
port = $porta
listen_addresses = '127.0.0.1'
unix_socket_directories = '$ZELT_PG_PASTA'
fsync = off
synchronous_commit = off
full_page_writes = off
max_connections = 60
EOF
    como_dono "$bin/pg_ctl" -D "$ZELT_PG_PASTA/dados" -l "$ZELT_PG_PASTA/servidor.log" -w start >/dev/null \
        || { cat "$ZELT_PG_PASTA/servidor.log" >&2; return 1; }
    como_dono "$bin/createdb" -h 127.0.0.1 -p "$porta" -U postgres zelt_teste
    export ZELT_PG_PASTA
    export ZELT_PG_BIN="$bin"
    export ZELT_TESTE_PG_URL="postgresql://postgres@127.0.0.1:$porta/zelt_teste"
    echo "PostgreSQL de teste em 127.0.0.1:$porta"
}

parar_postgresql() {
    [ -n "${ZELT_PG_PASTA:-}" ] || return 0
    como_dono "$(pg_bin)/pg_ctl" -D "$ZELT_PG_PASTA/dados" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$ZELT_PG_PASTA"
    unset ZELT_PG_PASTA ZELT_PG_BIN ZELT_TESTE_PG_URL
}
