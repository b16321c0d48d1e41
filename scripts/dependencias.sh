# Installs the Debian packages the project needs when one is missing.
# Sourced by run.sh and test.sh; extra package names may be passed (test.sh passes
# postgresql, the server its tests start; the program itself needs only the client
# library that the Qt driver brings).
instalar_dependencias() {
    local pacotes=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
                   libgl-dev zlib1g-dev libpq-dev libqrcodegencpp-dev pkg-config fonts-liberation
                   qt6-translations-l10n "$@")
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

# compilar RAIZ PASTA [ALVO...]: configures PASTA and builds everything, or the targets named.
compilar() {
    local raiz="$1" pasta="$2"
    shift 2
    # ccache, when the machine has it, spares rebuilding what did not change.
    local lancador=()
    command -v ccache >/dev/null 2>&1 && lancador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$raiz" -B "$pasta" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${lancador[@]}" >/dev/null
    local alvos=()
    for alvo in "$@"; do alvos+=(--target "$alvo"); done
    cmake --build "$pasta" -j"$(nproc)" "${alvos[@]}"
}

# Fails, naming the files, when a C++ file of the project differs from .clang-format.
verificar_formato() {
    local raiz="$1"
    local arquivos
    arquivos=$(cd "$raiz" && { git ls-files '*.cpp' '*.h' 2>/dev/null ||
                                find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print; })
    local diferentes
    # No difference is no match for grep: not a failure of the check (set -e, pipefail).
    diferentes=$(cd "$raiz" && echo "$arquivos" | xargs clang-format --dry-run -Werror 2>&1 |
                 { grep -o '^[^:]*\.\(cpp\|h\):[0-9]*:[0-9]*: error' || true; } | cut -d: -f1 | sort -u)
    if [ -n "$diferentes" ]; then
        echo "Formato diferente do .clang-format (rode clang-format -i):"
        echo "$diferentes"
        return 1
    fi
}

# Fails when a folder includes a header of a folder above it: the component's folders
# depend one way, host -> entry -> andamento -> list -> record -> search -> component -> contracts,
# platform; business -> contracts (tests and benches may include anything).
verificar_camadas() {
    local raiz="$1"
    declare -A permitidas=(
        [contracts]="contracts"
        [platform]="platform contracts"
        [business]="business contracts"
        [component]="component contracts platform"
        [search]="search component contracts platform"
        [record]="record search component contracts platform"
        [list]="list record search component contracts platform"
        [andamento]="andamento list record search component contracts platform"
        [entry]="entry andamento list record search component contracts platform"
        [host]="host entry business contracts platform"
    )
    local falhas=0 pasta arquivo incluida
    for pasta in "${!permitidas[@]}"; do
        [ -d "$raiz/$pasta" ] || continue
        while IFS=: read -r arquivo incluida; do
            incluida=${incluida%%/*}
            case " ${permitidas[$pasta]} " in
            *" $incluida "*) ;;
            *) echo "$arquivo inclui um cabeçalho de $incluida/"; falhas=1 ;;
            esac
        done < <(cd "$raiz" && grep -rHo '^#include "[a-z]*/' --include='*.h' --include='*.cpp' "$pasta" |
                 sed 's/#include "//')
    done
    return $falhas
}
