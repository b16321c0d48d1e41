# Installs the Debian packages the project needs when one is missing.
# Sourced by run.sh and test.sh; extra package names may be passed (test.sh passes
# postgresql, the server its tests start; the program itself needs only the client
# library that the Qt driver brings).
instalar_dependencias() {
    local pacotes=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
                   libgl-dev fonts-liberation "$@")
    local faltando=()
    for p in "${pacotes[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando+=("$p")
    done
    [ ${#faltando[@]} -eq 0 ] && return 0
    echo "Instalando: ${faltando[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${faltando[@]}"
}

compilar() {
    local raiz="$1" pasta="$2"
    cmake -S "$raiz" -B "$pasta" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$pasta" -j"$(nproc)"
}
