#!/usr/bin/env bash
# Runs a command against a CUPS server of its own: a PDF printer (cups-pdf) as the default
# destination, reached through a socket in a temporary folder, writing the printed files to
# $VRA_PRINTED. The server lives only as long as the command.
set -euo pipefail

if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "needs root, cups and printer-driver-cups-pdf"
    exit 77
fi

work=$(mktemp -d)
instance="vra-test-$$"
# cups-pdf reads its settings only from /etc/cups, by the instance named in the device URI.
conf="/etc/cups/cups-pdf-$instance.conf"
cupsd_pid=
cleanup() {
    rm -f "$conf"
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{etc,spool,cache,state,log,printed}
mkdir -m 1777 "$work/tmp"
chmod 755 "$work"
cat > "$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat > "$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
CONF
cat > "$conf" <<CONF
Out $work/printed
AnonDirName $work/printed
Spool $work/spool-pdf
Label 1
LogType 0
CONF

/usr/sbin/cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 300); do
    [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
    sleep 0.1
done
# lpadmin warns that printer drivers are deprecated; cups-pdf comes with one all the same.
lpadmin -p vratest -E -v "cups-pdf:/$instance" -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd 2>&1 |
    grep -v 'deprecated' >&2 || true
lpadmin -d vratest

export VRA_PRINTED="$work/printed"
"$@"
