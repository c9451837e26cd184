#!/bin/bash
# Two copies of a page printed from the main window to a print server of our own (its own
# configuration, spool and socket: a system server is neither used nor disturbed) arrive as
# one job asking for one copy, its document holding the page twice. Then the specimen book
# in two copies arrives as one job of its own, asking the server for the two copies, its
# document the book's PDF with the sample's text, and a book cancelled half way sends no
# job at all. Needs root.
#   cups_print_test.sh TST_PRINTING TST_DIALOGSPECIMENBOOK
set -u
scratch=$(mktemp -d /tmp/varelith-cups.XXXXXX)
trap '[ -n "${cupsd:-}" ] && kill "$cupsd" && wait "$cupsd"; rm -rf "$scratch"' EXIT
skip() { echo "SKIPPED: $*"; [ "${CI:-}" = true ] && exit 1; exit 77; } # CI must run it
fail() { echo "FAIL: $*"; tail -n 30 "$scratch/error_log"; exit 1; }
[ $# = 2 ] || { echo "usage: $0 TST_PRINTING TST_DIALOGSPECIMENBOOK"; exit 2; }
[ "$(id -u)" = 0 ] || skip "the print server needs root"
for tool in cupsd lpadmin lpstat pdftotext python3; do command -v $tool >/dev/null || skip "no $tool"; done

chmod 755 "$scratch" && mkdir -p "$scratch/spool/tmp" # the server's helpers run as lp
printf '%s\n' "ServerRoot $scratch" "RequestRoot $scratch/spool" "TempDir $scratch/spool/tmp" \
    "StateDir $scratch" "CacheDir $scratch" "Printcap $scratch/printcap" "ErrorLog $scratch/error_log" \
    "AccessLog $scratch/access_log" "PageLog $scratch/page_log" "FileDevice Yes" "SystemGroup root" \
    >"$scratch/cups-files.conf"
# Job files kept, so that the job's document can be read back.
printf '%s\n' "Listen $scratch/cups.sock" "Browsing No" "WebInterface No" "DefaultAuthType None" \
    "PreserveJobFiles Yes" "PreserveJobHistory Yes" "<Location />" "Order allow,deny" "Allow all" \
    "</Location>" "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" \
    >"$scratch/cupsd.conf"
cupsd -f -c "$scratch/cupsd.conf" -s "$scratch/cups-files.conf" & cupsd=$!
export CUPS_SERVER=$scratch/cups.sock
for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
lpadmin -p Varelith -v file:///dev/null -E && lpadmin -d Varelith || fail "no queue"

# The copies a job's control file asks the server for.
copies_of() { python3 -c 'import re, sys
m = re.search(rb"\x21\x00\x06copies\x00\x04(.{4})", open(sys.argv[1], "rb").read(), re.S)
print(int.from_bytes(m.group(1), "big") if m else 1)' "$1"; }

VARELITH_PRINT_QUEUE=Varelith QT_QPA_PLATFORM=offscreen "$1" throughAPrintServer || fail "printing"
for _ in $(seq 300); do [ -z "$(lpstat -o)" ] && [ -n "$(lpstat -W completed -o)" ] && break; sleep 0.1; done
jobs=$(lpstat -W completed -o Varelith | cut -d' ' -f1)
[ "$(echo "$jobs" | wc -w)" = 1 ] || fail "one job expected, the server has: $jobs $(lpstat -o)"
spool=$(printf '%s/spool/%%s%05d' "$scratch" "${jobs#Varelith-}")
for _ in $(seq 100); do [ -s "$(printf "$spool" c)" ] && break; sleep 0.1; done # written after the job
copies=$(copies_of "$(printf "$spool" c)")
[ "$copies" = 1 ] || fail "the job asks the print server for $copies copies"
page() { echo "Varelith page1"; for n in $(seq 10); do echo "Font $n 見本 sample"; done; }
pdftotext -layout "$(printf "$spool" d)-001" - | sed -e 's/^ *//' -e 's/ *$//' -e 's/\f//' -e '/^$/d' |
    diff -u <(page; page) - || fail "the job's document does not hold the page twice"

VARELITH_PRINT_QUEUE=Varelith QT_QPA_PLATFORM=offscreen "$2" throughAPrintServer || fail "printing the book"
for _ in $(seq 100); do
    [ -z "$(lpstat -o)" ] && [ "$(lpstat -W completed -o Varelith | wc -l)" -ge 2 ] && break; sleep 0.1
done
# Every job the server took, whatever became of it: a broken document need not complete.
books=$(lpstat -W all -o Varelith | cut -d' ' -f1 | grep -v -x "$jobs")
[ "$(echo $books | wc -w)" = 1 ] || fail "one book job expected, the server has: $books $(lpstat -o)"
spool=$(printf '%s/spool/%%s%05d' "$scratch" "${books#Varelith-}")
for _ in $(seq 100); do [ -s "$(printf "$spool" c)" ] && break; sleep 0.1; done
[ "$(copies_of "$(printf "$spool" c)")" = 2 ] || fail "the book's job does not ask for its two copies"
book=$(pdftotext "$(printf "$spool" d)-001" - | tr -d ' \n\f')
for text in 'Varelith見本帳' 'VarelithVertical見本「縦書」、。' 'VarelithShared見本「縦書」、。'; do
    [[ $book == *"$text"* ]] || fail "the book's document lacks $text: $book"
done
echo "PASS: one job, one copy asked of the server, the page twice in its document;" \
    "the book one job of its own, its copies asked of the server, its text the sample typed;" \
    "no job for a cancelled book"
