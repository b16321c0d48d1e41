#!/usr/bin/env bash
# The Debian package as a clinic installs it: built by cpack from this build, unpacked
# with dpkg-deb into a scratch folder, it declares the Qt runtime it needs, carries a
# desktop entry with its icon, and its programs start from where they landed, finding
# the component's libraries beside them and not in the build. A Debian maintainer's
# checks pass: lintian without errors or warnings, desktop-file-validate, appstreamcli
# validate; it carries its copyright, changelog, manual pages and user's guide. What a
# first start creates (the data folder, the database, the error log) is the user's alone.
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
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6printsupport6 libqt6sql6-sqlite libpq5 fonts-liberation \
    qt6-translations-l10n; do
    [[ "$depende" == *" $p "* ]] || falha "$p missing from Depends:$depende"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "xdg-utils" ] || falha "Recommends"

# The menu entry "Orçamentos" starts the host and shows the icon the package carries.
entrada="$raiz/usr/share/applications/zelt-orcamentos.desktop"
for linha in "Type=Application" "Name=Orçamentos" "Name[pt_BR]=Orçamentos" "Exec=zelt_host"; do
    grep -qxF "$linha" "$entrada" || falha "$linha missing from the desktop entry"
done
icone=$(sed -n 's/^Icon=//p' "$entrada")
grep -q "<svg" "$raiz/usr/share/icons/hicolor/scalable/apps/$icone.svg" || falha "icon $icone"

# What a Debian maintainer checks. lintian: no error, no warning (an override only with
# a comment saying why, in pacote/); the desktop entry and the AppStream metadata valid.
command -v lintian >/dev/null || falha "lintian is not installed"
lintian --fail-on error,warning "$deb" >"$pasta/lintian.log" 2>&1 ||
    { cat "$pasta/lintian.log"; falha "lintian"; }
desktop-file-validate "$entrada" || falha "desktop-file-validate"
metainfo="$raiz/usr/share/metainfo/br.com.zelt.orcamentos.metainfo.xml"
appstreamcli validate --no-net --pedantic "$metainfo" >"$pasta/appstream.log" 2>&1 ||
    { cat "$pasta/appstream.log"; falha "appstreamcli validate"; }
grep -q "^[IWEP]:" "$pasta/appstream.log" && { cat "$pasta/appstream.log"; falha "appstreamcli: remarks"; }
grep -q "<launchable type=\"desktop-id\">$(basename "$entrada")</launchable>" "$metainfo" || falha "metainfo launchable"
[ "$(grep -c "<screenshot" "$metainfo")" -ge 7 ] || falha "the README's pictures as screenshots"
doc="$raiz/usr/share/doc/zelt-orcamentos"
grep -q "^License: " "$doc/copyright" || falha "copyright"
zcat "$doc/changelog.gz" | head -1 | grep -q "^zelt-orcamentos (2.0.0.19) " || falha "changelog"
# The user's guide the program opens on F1, beside the programs' folder as the program
# looks for it, with every picture it shows.
guia="$raiz/usr/bin/../share/doc/zelt-orcamentos/guia/index.html"
grep -q 'name="ficha"' "$guia" || falha "the user's guide"
for figura in $(sed -n 's/.*<img src="\([^"]*\)".*/\1/p' "$guia"); do
    [ -s "$(dirname "$guia")/$figura" ] || falha "the guide's picture $figura"
done
for programa in zelt_host zelt_importar; do
    pagina="$raiz/usr/share/man/man1/$programa.1.gz"
    zcat "$pagina" | grep -q "^\.SH OPÇÕES" || falha "the manual page of $programa, in Portuguese"
    LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l "$pagina" 2>&1 >/dev/null | grep . && falha "man warnings: $programa"
done

# Both programs find the component's libraries in the package itself.
bibliotecas=$(cd "$raiz/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/zelt-orcamentos" && pwd -P)
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

# The host opens the list from where it was unpacked, as a user of the desktop starts
# it: a home of its own, the database and the log where the menu entry keeps them.
casa="$pasta/casa"
mkdir -p "$casa"
host() {
    env -u LD_LIBRARY_PATH -u ZELT_BANCO_URL -u ZELT_BANCO -u ZELT_LOG -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
        HOME="$casa" "$raiz/usr/bin/zelt_host" "$@"
}
host --captura "$pasta/lista.png" || falha "zelt_host"
dados="$casa/.local/share/ZELT/ZELT_A_Orcamentos"
[ ! -e "$dados/erros.log" ] || { cat "$dados/erros.log"; falha "errors logged"; }
# The PNG's width and height, big-endian at bytes 16 to 23: the menu window's size.
[ "$(od -An -tx1 -j16 -N8 "$pasta/lista.png" | tr -d ' \n')" = "0000055600000300" ] || falha "capture size"
"$raiz/usr/bin/zelt_importar" --help | grep -q "Importa empresa, clientes" || falha "zelt_importar --help"

# Created for the user alone: the folders 0700, the database and its companions 0600;
# the log too, once a start that fails writes it.
modo() { stat -c %a "$1"; }
for d in "$casa/.local/share/ZELT" "$dados"; do [ "$(modo "$d")" = 700 ] || falha "$d is $(modo "$d")"; done
for f in "$dados"/orcamentos.sqlite*; do [ "$(modo "$f")" = 600 ] || falha "$f is $(modo "$f")"; done
! host --banco-url postgresql://clinica@127.0.0.1:1/orcamentos --captura "$pasta/x.png" 2>/dev/null ||
    falha "a server out of reach started"
[ "$(modo "$dados/erros.log")" = 600 ] || falha "erros.log is $(modo "$dados/erros.log")"
# A database others could read is narrowed at the next start, and the log says so.
chmod 644 "$dados/orcamentos.sqlite"
host --captura "$pasta/lista.png" || falha "zelt_host on a database others could read"
[ "$(modo "$dados/orcamentos.sqlite")" = 600 ] || falha "the database was not narrowed"
grep -q "As permissões de $dados/orcamentos.sqlite foram restringidas" "$dados/erros.log" ||
    { cat "$dados/erros.log"; falha "no line in the log for the narrowed database"; }
echo "PASS: the package builds, passes lintian, desktop-file-validate and appstreamcli, declares its dependencies, and starts from $raiz with private files"
