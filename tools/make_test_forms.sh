#!/usr/bin/env bash
# Makes the forms under tests/forms/ with the programs that real forms come from: pdf-lib (as
# web form services use it), LibreOffice Writer, reportlab, and qpdf for the encrypted ones.
# The PDFs are committed: pdf-lib comes from npm, which CI does not reach.
#   tools/make_test_forms.sh   (needs node with npm, soffice, /usr/bin/python3 with reportlab, qpdf)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/tests/forms
scripts=$root/tools/testforms
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

(cd "$work" && npm install --silent --no-audit --no-fund pdf-lib@1.17.1 >/dev/null &&
    cp "$scripts/pdflib.mjs" . && node pdflib.mjs "$out")

soffice -env:UserInstallation="file://$work/profile" --headless --convert-to \
    'pdf:writer_pdf_Export:{"ExportFormFields":{"type":"boolean","value":"true"},"FormsType":{"type":"long","value":"1"}}' \
    --outdir "$work" "$scripts/libreoffice.fodt" >/dev/null
cp "$work/libreoffice.pdf" "$out/libreoffice.pdf"

/usr/bin/python3 "$scripts/reportlab_form.py" "$out/reportlab.pdf"

# Opened without a password; one allows filling, the other forbids every change.
qpdf --encrypt "" eigner 256 --modify=form -- "$out/reportlab.pdf" "$out/encrypted.pdf"
qpdf --encrypt "" eigner 256 --modify=none -- "$out/reportlab.pdf" "$out/locked.pdf"
ls -l "$out"
