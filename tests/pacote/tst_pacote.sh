#!/usr/bin/env bash
# The Debian package as a clinic installs it: built by cpack from this build, unpacked
# with dpkg-deb into a scratch folder, it declares the Qt runtime it needs, carries a
# desktop entry with its icon, and its programs start from where they landed, finding
# the component's libraries beside them and not in the build.
#   tst_pacote.sh BUILD_FOLDER
set -euo pipefail
compilacao="$1"
pasta=$(mktemp -d /tmp/zelt-pacote.XXXXXX)
trap 'rm -rf "$pasta"' EXIT
falha() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB --config "$compilacao/CPackConfig.cmake" -B "$pasta/saida" >"$pasta/cpack.log" 2>&1 ||
    { cat "$pasta/cpack.log"; falha "cpack"; }
pacotes=("$pasta"/saida/*.deb)
[ ${#pacotes[@]} -eq 1 ] || falha "one package expected: ${pacotes[*]}"
deb=${pacotes[0]}
raiz="$pasta/raiz"
dpkg-deb -x "$deb" "$raiz"

# Name, version, and the Qt runtime: what the programs link (found by dpkg-shlibdeps)
# and what Qt loads at run time.
[ "$(dpkg-deb -f "$deb" Package)" = zelt-orcamentos ] || falha "Package"
[ "$(dpkg-deb -f "$deb" Version)" = 2.0.0.19 ] || falha "Version"
depende=" $(dpkg-deb -f "$deb" Depends | sed 's/ ([^)]*)//g; s/,/ /g') "
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6printsupport6 libqt6sql6-sqlite fonts-liberation; do
    [[ "$depende" == *" $p "* ]] || falha "$p missing from Depends:$depende"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "libqt6sql6-psql, xdg-utils" ] || falha "Recommends"

# The menu entry "Orçamentos" starts the host and shows the icon the package carries.
entrada="$raiz/usr/share/applications/zelt-orcamentos.desktop"
for linha in "Type=Application" "Name=Orçamentos" "Name[pt_BR]=Orçamentos" "Exec=zelt_host"; do
    grep -qxF "$linha" "$entrada" || falha "$linha missing from the desktop entry"
done
icone=$(sed -n 's/^Icon=//p' "$entrada")
grep -q "<svg" "$raiz/usr/share/icons/hicolor/scalable/apps/$icone.svg" || falha "icon $icone"

# Both programs find the component's libraries in the package itself.
bibliotecas=$(cd "$raiz/usr/lib/zelt-orcamentos" && pwd -P)
for programa in zelt_host zelt_importar; do
    [ -x "$raiz/usr/bin/$programa" ] || falha "$programa not in usr/bin"
    ldd "$raiz/usr/bin/$programa" >"$pasta/ldd" || falha "ldd $programa"
    ! grep -q "not found" "$pasta/ldd" || { cat "$pasta/ldd"; falha "$programa: a library not found"; }
    proprias=0
    while read -r _ _ caminho _; do
        [ "$(cd "$(dirname "$caminho")" && pwd -P)" = "$bibliotecas" ] || falha "$programa uses $caminho"
        proprias=$((proprias + 1))
    done < <(grep -E 'lib(zelt_|ZELT_)' "$pasta/ldd")
    [ "$proprias" -ge 2 ] || falha "$programa links the component's libraries"
done

# The host opens the list from where it was unpacked; the importer answers.
env -u LD_LIBRARY_PATH -u ZELT_BANCO_URL ZELT_LOG="$pasta/erros.log" \
    "$raiz/usr/bin/zelt_host" --banco "$pasta/clinica.sqlite" --captura "$pasta/lista.png" || falha "zelt_host"
[ ! -e "$pasta/erros.log" ] || { cat "$pasta/erros.log"; falha "errors logged"; }
# The PNG's width and height, big-endian at bytes 16 to 23: the menu window's size.
[ "$(od -An -tx1 -j16 -N8 "$pasta/lista.png" | tr -d ' \n')" = "0000055600000300" ] || falha "capture size"
"$raiz/usr/bin/zelt_importar" --help | grep -q "Importa empresa, clientes" || falha "zelt_importar --help"
echo "PASS: the package builds, declares its dependencies, and starts from $raiz"
