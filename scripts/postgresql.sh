# A private PostgreSQL server for the tests: a temporary cluster on loopback, with
# trust authentication, stopped by parar_postgresql. Sourced by test.sh.
# After iniciar_postgresql, ZELT_TESTE_PG_URL names a fresh database on it.

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

iniciar_postgresql() {
    local bin porta
    bin=$(pg_bin)
    [ -x "$bin/initdb" ] || { echo "PostgreSQL não está instalado" >&2; return 1; }
    ZELT_PG_PASTA=$(mktemp -d /tmp/zelt-pg.XXXXXX)
    [ "$(id -u)" -eq 0 ] && chown postgres: "$ZELT_PG_PASTA"
    porta=$(( 20000 + RANDOM % 20000 ))
    como_dono "$bin/initdb" -D "$ZELT_PG_PASTA/dados" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
    como_dono "$bin/pg_ctl" -D "$ZELT_PG_PASTA/dados" -l "$ZELT_PG_PASTA/servidor.log" -w \
        -o "-p $porta -k $ZELT_PG_PASTA -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
    como_dono "$bin/createdb" -h 127.0.0.1 -p "$porta" -U postgres zelt_teste
    export ZELT_PG_PASTA
    export ZELT_TESTE_PG_URL="postgresql://postgres@127.0.0.1:$porta/zelt_teste"
    echo "PostgreSQL de teste em 127.0.0.1:$porta"
}

parar_postgresql() {
    [ -n "${ZELT_PG_PASTA:-}" ] || return 0
    como_dono "$(pg_bin)/pg_ctl" -D "$ZELT_PG_PASTA/dados" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$ZELT_PG_PASTA"
}
