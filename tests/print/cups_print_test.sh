#!/bin/bash
# Prints a page in two copies through the main window to a queue of a print server of our
# own, and checks what reached the server: one job of one copy whose document holds the
# page twice. Skipped (exit 77) where such a server cannot run.
#
# The server runs with its own configuration, spool and socket in a scratch folder, so
# that a system print server, running or not, is neither used nor disturbed.
set -u
driver=$1
skip() { echo "SKIPPED: $*"; exit 77; }

[ "$(id -u)" = 0 ] || skip "the print server needs root (this is $(id -un))"
for tool in cupsd lpadmin lpstat pdftotext python3; do
    command -v "$tool" > /dev/null || skip "$tool is not installed (Debian packages cups, cups-client, poppler-utils)"
done

scratch=$(mktemp -d /tmp/varelith-cups.XXXXXX)
chmod 755 "$scratch" # the server's helpers run as lp
mkdir -p "$scratch/spool/tmp" "$scratch/state" "$scratch/cache" "$scratch/log"
cupsd_pid=
finish() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2> /dev/null
        wait "$cupsd_pid" 2> /dev/null
    fi
    rm -rf "$scratch"
}
trap finish EXIT
fail() {
    echo "FAIL: $*"
    echo "--- server log (last lines)"
    tail -n 30 "$scratch/log/error_log" 2> /dev/null
    exit 1
}

cat > "$scratch/cups-files.conf" << CONF
ServerRoot $scratch
Printcap $scratch/printcap
RequestRoot $scratch/spool
TempDir $scratch/spool/tmp
StateDir $scratch/state
CacheDir $scratch/cache
AccessLog $scratch/log/access_log
ErrorLog $scratch/log/error_log
PageLog $scratch/log/page_log
FileDevice Yes
SystemGroup root
CONF
# Job files kept, so that each job's document can be read back afterwards.
cat > "$scratch/cupsd.conf" << CONF
LogLevel info
Listen $scratch/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cupsd -f -c "$scratch/cupsd.conf" -s "$scratch/cups-files.conf" > "$scratch/log/cupsd.out" 2>&1 &
cupsd_pid=$!
export CUPS_SERVER=$scratch/cups.sock

for _ in $(seq 1 100); do
    lpstat -r 2> /dev/null | grep -q "is running" && break
    kill -0 "$cupsd_pid" 2> /dev/null || { cat "$scratch/log/cupsd.out"; fail "the print server did not start"; }
    sleep 0.1
done
lpstat -r 2> /dev/null | grep -q "is running" || fail "the print server does not answer"

queue=VarelithTest
lpadmin -p "$queue" -v file:///dev/null -E 2> /dev/null || fail "lpadmin could not add the queue"
lpadmin -d "$queue" || fail "lpadmin could not make the queue the default"

"$driver" "$queue" 2 "$scratch/expected.txt" || fail "the driver failed"

# The job was handed over when the command ended its document; wait for the server to
# finish it.
for _ in $(seq 1 300); do
    [ -z "$(lpstat -o "$queue" 2> /dev/null)" ] && [ -n "$(lpstat -W completed -o "$queue" 2> /dev/null)" ] && break
    sleep 0.1
done
pending=$(lpstat -o "$queue")
[ -z "$pending" ] || fail "jobs still pending: $pending"
completed=$(lpstat -W completed -o "$queue")
echo "completed jobs:"
echo "$completed"
jobs=$(echo "$completed" | grep -c "^$queue-")
[ "$jobs" = 1 ] || fail "expected exactly one job, found $jobs"

job=$(echo "$completed" | sed -n "s/^$queue-\([0-9]*\) .*/\1/p")
document=$(printf '%s/spool/d%05d-001' "$scratch" "$job")
control=$(printf '%s/spool/c%05d' "$scratch" "$job")
[ -f "$document" ] || fail "the job's document $document is not there"
# The server writes the job's control file a moment after the job ends.
for _ in $(seq 1 100); do
    [ -s "$control" ] && break
    sleep 0.1
done
[ -s "$control" ] || fail "the job's control file $control is not there"

# The server must not make copies of its own: the job asks for one (or does not ask).
copies=$(python3 - "$control" << 'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(b"\x21\x00\x06copies\x00\x04")
print(struct.unpack(">i", data[at + 11:at + 15])[0] if at >= 0 else 1)
PY
)
[ "$copies" = 1 ] || fail "the job asks the print server for $copies copies"

pdftotext -layout -enc UTF-8 "$document" - | sed -e 's/^ *//' -e 's/ *$//' -e '/^$/d' | tr -d '\f' | sed '/^$/d' > "$scratch/printed.txt"
cat "$scratch/expected.txt" "$scratch/expected.txt" > "$scratch/expected-twice.txt"
if ! diff -u "$scratch/expected-twice.txt" "$scratch/printed.txt"; then
    fail "the document does not hold the page twice"
fi
echo "PASS: one job, one copy asked, the page twice in its document"
