# A private CUPS server for the printing tests: its own configuration, spool, logs and
# socket in a temporary folder, nothing shared with a CUPS the machine may run, and one
# queue, "zelt", whose device is a file: what the programs print lands in
# ZELT_CUPS_PASTA/impresso. Sourced by the scenario's script. After iniciar_cups:
#   CUPS_SERVER      the server's socket, for the programs started afterwards
#   ZELT_CUPS_PASTA  the temporary folder
#   ZELT_IMPRESSO    the file the queue writes
# parar_cups stops it and removes the folder (also after a failure: call it from a trap).

iniciar_cups() {
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
        { echo "CUPS não está instalado (cups, cups-client)" >&2; return 1; }
    ZELT_CUPS_PASTA=$(mktemp -d /tmp/zelt-cups.XXXXXX)
    local p="$ZELT_CUPS_PASTA"
    mkdir -p "$p/etc/ppd" "$p/spool/tmp" "$p/cache" "$p/estado" "$p/log"
    # cupsd runs the queue's filters as lp when started by root: lp reaches the spool.
    chmod 755 "$p"
    [ "$(id -u)" -eq 0 ] && chgrp -R lp "$p/spool" "$p/cache" && chmod 770 "$p/spool" "$p/spool/tmp" "$p/cache"
    cat >"$p/etc/cups-files.conf" <<FIM
ServerRoot $p/etc
RequestRoot $p/spool
TempDir $p/spool/tmp
CacheDir $p/cache
StateDir $p/estado
ErrorLog $p/log/error_log
AccessLog $p/log/access_log
PageLog $p/log/page_log
SystemGroup root $(id -gn)
FileDevice Yes
Sandboxing Relaxed
FIM
    cat >"$p/etc/cupsd.conf" <<FIM
Listen $p/cups.sock
Browsing No
WebInterface No
LogLevel info
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
FIM
    : >"$p/impresso"
    chmod 666 "$p/impresso"
    cupsd -f -c "$p/etc/cupsd.conf" -s "$p/etc/cups-files.conf" >"$p/log/cupsd.saida" 2>&1 &
    echo $! >"$p/cupsd.pid"
    export CUPS_SERVER="$p/cups.sock"
    local i
    for i in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.1
    done
    lpstat -r 2>/dev/null | grep -q "is running" ||
        { cat "$p/log/cupsd.saida" "$p/log/error_log" >&2 2>/dev/null; parar_cups; return 1; }
    # A PDF printer: CUPS's pdftopdf (cups-filters) takes what the program sends (Qt
    # sends PDF), applies the job's options (page ranges chosen on the server side) and
    # the file receives PDF. A raw queue would not do: with a file for device and no
    # filter, CUPS writes nothing.
    cat >"$p/zelt.ppd" <<'FIM'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ZELTPDF.PPD"
*Manufacturer: "ZELT"
*Product: "(Impressora de teste)"
*ModelName: "Impressora de teste em PDF"
*ShortNickName: "Impressora de teste em PDF"
*NickName: "Impressora de teste em PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
FIM
    lpadmin -p zelt -E -v "file://$p/impresso" -P "$p/zelt.ppd" 2>"$p/log/lpadmin" &&
        lpadmin -d zelt 2>>"$p/log/lpadmin" ||
        { cat "$p/log/lpadmin" "$p/log/error_log" >&2; parar_cups; return 1; }
    export ZELT_CUPS_PASTA
    export ZELT_IMPRESSO="$p/impresso"
    echo "CUPS de teste em $CUPS_SERVER"
}

parar_cups() {
    [ -n "${ZELT_CUPS_PASTA:-}" ] || return 0
    local pid
    pid=$(cat "$ZELT_CUPS_PASTA/cupsd.pid" 2>/dev/null || true)
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$ZELT_CUPS_PASTA"
    unset ZELT_CUPS_PASTA ZELT_IMPRESSO CUPS_SERVER
}
