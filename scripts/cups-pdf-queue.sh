#!/usr/bin/env bash
# Starts a CUPS daemon on loopback (when none runs) with a PDF printer queue,
# for the tests that print through CUPS: a job sent to the queue becomes a
# PDF file in the folder named by ZUVIEW_CUPS_PDF_DIR. Prints the two
# variables the tests read, as shell assignments:
#   eval "$(scripts/cups-pdf-queue.sh)"
set -euo pipefail
queue=ZuviewPDF
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! scheduler_running; then
  "${sudo[@]}" cupsd
  for _ in $(seq 50); do
    scheduler_running && break
    sleep 0.2
  done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
fi
# cups-pdf writes into the PDF folder of the job's owner.
echo "export ZUVIEW_CUPS_PDF_QUEUE=$queue"
echo "export ZUVIEW_CUPS_PDF_DIR=$HOME/PDF"
