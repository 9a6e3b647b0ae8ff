#!/usr/bin/python3
"""Generate the sample PDF form sheets ("Formblaetter") of the Versanta assistant.

For every form sheet listed in program/vra.ini (sections [TAB1] .. [TABn],
keys Formblatt.1, Formblatt.2, ...) this script writes program/<name>.pdf:
a one-page A4 form laid out like the real application sheet, with a header,
ruled sections, captions and an AcroForm.  The fields the assistant fills
from program/antrag_.fdf keep the names used there (Antragsteller,
Menge 1..9, Mengenart 1..9, Preis 1..9); every other field is meant to be
filled in by hand and has a name of its own.

The PDF is written by hand with the standard library only, using the base-14
Helvetica fonts (no embedding).  The output is deterministic, so running the
script again yields identical files.

Run from the repository root:

    /usr/bin/python3 tools/make_forms.py
"""

import hashlib
import os
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = os.path.join(ROOT, "program")
INI = os.path.join(PROGRAM, "vra.ini")

INSTITUTION = "Versanta"
APPLICATION = ("Antrag gem\u00e4\u00df IV. Abschnitt der VO-VRA"
               " - Aufnahme in den Listarium")
PAGE_W, PAGE_H = 595, 842          # A4 in points
L, R = 45, 550                     # left and right edge of the ruled area
W = R - L
ROW_H, TABLE_ROW_H = 24, 22
LABEL_W = 125                      # caption column of the first cell in a row
BRAND = "0.08 0.27 0.45"           # Versanta blue
TINT = "0.87 0.91 0.95"            # section bars and table heads
FIELD_BORDER = "0.45 0.5 0.6"
FIELD_BG = "0.94 0.96 1"
MONEY_JS = ('AFNumber_Format(2, 2, 0, 0, "", true);',
            'AFNumber_Keystroke(2, 2, 0, 0, "", true);')

# Advance widths (1/1000 em) of Helvetica and Helvetica-Bold for the
# characters 32..126; the few others used are listed in EXTRA_WIDTHS.
HELVETICA = (
    "278 278 355 556 556 889 667 191 333 333 389 584 278 333 278 278 "
    "556 556 556 556 556 556 556 556 556 556 278 278 584 584 584 556 "
    "1015 667 667 722 722 667 611 778 722 278 500 667 556 833 722 778 "
    "667 778 722 667 611 722 667 944 667 667 611 278 278 278 469 556 "
    "333 556 556 500 556 556 278 556 556 222 222 500 222 833 556 556 "
    "556 556 333 500 278 556 500 722 500 500 500 334 260 334 584")
HELVETICA_BOLD = (
    "278 333 474 556 556 889 722 238 333 333 389 584 278 333 278 278 "
    "556 556 556 556 556 556 556 556 556 556 333 333 584 584 584 611 "
    "975 722 722 722 722 667 611 778 722 278 556 722 611 833 722 778 "
    "667 778 722 667 611 722 667 944 667 667 611 333 278 333 584 556 "
    "333 556 611 556 611 556 333 611 611 278 278 556 278 889 611 611 "
    "611 611 389 556 333 611 556 778 556 556 500 389 280 389 584")
WIDTHS = {False: [int(w) for w in HELVETICA.split()],
          True: [int(w) for w in HELVETICA_BOLD.split()]}
EXTRA_WIDTHS = {  # cp1252 code: (regular, bold)
    0x95: (350, 350), 0x96: (556, 556), 0xB7: (278, 278), 0xC4: (667, 722),
    0xD6: (778, 778), 0xDC: (722, 722), 0xDF: (611, 611), 0xE4: (556, 556),
    0xF6: (556, 611), 0xFC: (556, 611)}


def read_sheets(path):
    """Return [(part number, [sheet names])] from vra.ini (Windows-1252)."""
    sections = {}
    current = None
    with open(path, "rb") as f:
        text = f.read().decode("cp1252")
    for raw in text.splitlines():
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1].strip().upper(), {})
            continue
        if "=" in line and current is not None:
            key, value = line.split("=", 1)
            current[key.strip()] = value.split("#", 1)[0].strip()
    tabs = int(sections.get("ANTRAG", {}).get("Tabs", "0"))
    parts = []
    for n in range(1, tabs + 1):
        sec = sections.get("TAB%d" % n, {})
        names = []
        while "Formblatt.%d" % (len(names) + 1) in sec:
            names.append(sec["Formblatt.%d" % (len(names) + 1)])
        parts.append((n, names))
    return parts


def pdf_string(text, encoding="cp1252"):
    """A PDF literal string in Windows-1252 bytes with ( ) \\ escaped."""
    data = text.encode(encoding)
    data = data.replace(b"\\", b"\\\\").replace(b"(", b"\\(").replace(b")", b"\\)")
    return b"(" + data + b")"


def text_string(text):
    """A string for tooltips and document info, which viewers read as
    PDFDocEncoding: Latin-1 agrees with it, anything else needs UTF-16."""
    if all(ord(c) < 0x80 or 0xA0 <= ord(c) < 0x100 for c in text):
        return pdf_string(text, "latin-1")
    return b"<FEFF" + text.encode("utf-16-be").hex().upper().encode() + b">"


def num(value):
    """A coordinate as short as PDF allows: 12, 12.5, 12.25."""
    return ("%.2f" % value).rstrip("0").rstrip(".").encode()


def text_width(text, size, bold=False):
    total = 0
    for code in text.encode("cp1252"):
        if 32 <= code <= 126:
            total += WIDTHS[bold][code - 32]
        else:
            total += EXTRA_WIDTHS.get(code, (611, 611))[bold]
    return total * size / 1000.0


def right_aligned(name):
    """Quantities and prices the assistant fills in line up on the right."""
    return name.split(" ")[0] in ("Menge", "Preis")


def wrap(text, width, size, bold=False):
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if line and text_width(trial, size, bold) > width:
            lines.append(line)
            line = word
        else:
            line = trial
    return lines + [line]


class Sheet:
    """The drawing and the fields of one page, in page coordinates."""

    def __init__(self, name, part):
        self.name, self.part = name, part
        self.number, _, self.title = name.partition(" ")
        self.ops, self.fields, self.captions = [], [], []
        self.sections = 0
        self.y = PAGE_H

    def text(self, x, y, s, size=9, bold=False, align="l", color="0 g"):
        width = text_width(s, size, bold)
        x -= {"l": 0, "c": width / 2, "r": width}[align]
        self.captions.append((x, y - 0.22 * size, x + width, y + 0.72 * size))
        self.ops.append(b"BT %s /%s %s Tf %s %s Td %s Tj ET" % (
            color.encode(), b"F2" if bold else b"F1", num(size), num(x), num(y),
            pdf_string(s)))

    def box(self, x, y, w, h, fill=None, stroke="0.45 G", lw=0.6):
        paint = b"B" if fill and stroke else b"f" if fill else b"S"
        self.ops.append(b"q %s%s%s w %s %s %s %s re %s Q" % (
            (fill.encode() + b" rg ") if fill else b"",
            (stroke.encode() + b" ") if stroke else b"",
            num(lw), num(x), num(y), num(w), num(h), paint))

    def line(self, x1, y1, x2, y2, lw=0.6, stroke="0.45 G"):
        self.ops.append(b"q %s %s w %s %s m %s %s l S Q" % (
            stroke.encode(), num(lw), num(x1), num(y1), num(x2), num(y2)))

    def field(self, name, rect, kind="", tip=None):
        """kind: '' text, 'multi', 'date', 'money', 'auto' (font size 0)."""
        self.fields.append({"name": name, "rect": rect, "kind": kind,
                            "tip": tip or name})

    def checkbox(self, name, rect, tip):
        self.fields.append({"name": name, "rect": rect, "kind": "check", "tip": tip})


# Building blocks shared by the sheets; each one draws at sheet.y and moves it down.

def header(s, lead, applicant_kind=""):
    s.box(L, 800, 5, 24, fill=BRAND, stroke=None)
    s.text(L + 12, 805, INSTITUTION, 20, bold=True, color=BRAND + " rg")
    s.text(R, 806, APPLICATION, 8.5, bold=True, align="r")
    s.line(L, 792, R, 792, 1.5, BRAND + " RG")
    s.text(L, 766, "Formblatt %s \u2013 %s" % (s.number, s.title), 15, bold=True)
    s.box(R - 58, 761, 58, 20, fill=BRAND, stroke=None)
    s.text(R - 29, 767, "Teil %d" % s.part, 11, bold=True, align="c", color="1 g")
    s.text(L, 747, lead, 9, color="0.3 g")
    s.y = 738
    rows(s, [("Antragsteller (Firma/Name)", "Antragsteller", 1.0, applicant_kind)])
    s.box(L, s.y, W, ROW_H, stroke="0.2 G", lw=1)


def footer(s):
    s.line(L, 50, R, 50, 0.5, "0.6 G")
    s.text(L, 38, "Formblatt %s \u00b7 Teil %d" % (s.name, s.part), 7.5)
    s.text(L + W / 2, 38, "%s \u00b7 Aufnahme in den Listarium" % INSTITUTION,
           7.5, align="c", color="0.3 g")
    s.text(R, 38, "Seite 1 von 1", 7.5, align="r")


def section(s, title):
    s.y -= 14
    s.sections += 1
    s.box(L, s.y - 17, W, 17, fill=TINT)
    s.text(L + 6, s.y - 12, "%s  %s" % ("ABCDEFGH"[s.sections - 1], title),
           9.5, bold=True)
    s.y -= 17


def rows(s, *cells):
    """Ruled rows of cells; a cell is (caption, field, right edge as a
    fraction of the width[, field kind])."""
    for row in cells:
        top, left = s.y, L
        s.box(L, top - ROW_H, W, ROW_H)
        for i, cell in enumerate(row):
            caption, name, end = cell[:3]
            right = L + W * end
            if i:
                s.line(left, top - ROW_H, left, top)
            s.text(left + 6, top - 15, caption)
            start = left + max(LABEL_W if i == 0 else 0,
                               text_width(caption, 9) + 14)
            s.field(name, (start, top - 20, right - 5, top - 4),
                    cell[3] if len(cell) > 3 else "", caption)
            left = right
        s.y -= ROW_H


def area(s, caption, name, height):
    """A multi-line field below its caption."""
    top = s.y
    s.box(L, top - height, W, height)
    s.text(L + 6, top - 12, caption)
    s.field(name, (L + 6, top - height + 5, R - 6, top - 17), "multi", caption)
    s.y -= height


def table(s, columns, count, row_label):
    """A table with one row per item; a column is (head, width, field name
    pattern or None for the row number, field kind).  Heads may hold a
    line break."""
    assert sum(c[1] for c in columns) == W, "table columns must fill the width"
    top, head_h = s.y, 28
    s.box(L, top - head_h, W, head_h, fill=TINT)
    x = L
    for head, width, pattern, kind in columns:
        lines = head.split("\n")
        for k, line in enumerate(lines):
            y = top - 17 + 4.5 * (len(lines) - 1) - 9 * k
            if pattern and right_aligned(pattern):
                s.text(x + width - 5, y, line, 8, bold=True, align="r")
            elif kind == "date" or pattern is None:
                s.text(x + width / 2, y, line, 8, bold=True, align="c")
            else:
                s.text(x + 5, y, line, 8, bold=True)
        x += width
    s.y -= head_h
    for n in range(1, count + 1):
        row_top = s.y
        s.box(L, row_top - TABLE_ROW_H, W, TABLE_ROW_H)
        x = L
        for head, width, pattern, kind in columns:
            if pattern is None:
                s.text(x + width / 2, row_top - 14.5, "%d" % n, 9, align="c")
            else:
                s.field(pattern % n, (x + 4, row_top - TABLE_ROW_H + 3,
                                      x + width - 4, row_top - 3), kind,
                        "%s, %s %d" % (head.replace("-\n", "").replace("\n", " "),
                                       row_label, n))
            x += width
        s.y -= TABLE_ROW_H
    x = L
    for _head, width, _pattern, _kind in columns[:-1]:
        x += width
        s.line(x, s.y, x, top)


def checklist(s, items):
    """Check boxes with captions; an item may add a text field after it."""
    for item in items:
        name, caption = item[:2]
        top = s.y
        s.box(L, top - ROW_H, W, ROW_H)
        s.checkbox(name, (L + 8, top - 18, L + 20, top - 6), caption)
        s.text(L + 28, top - 15, caption)
        if len(item) > 2:
            start = L + 28 + text_width(caption, 9) + 10
            s.field(item[2], (start, top - 20, R - 5, top - 4), "", item[2])
        s.y -= ROW_H


def paragraph(s, text, size=9):
    lines = wrap(text, W - 14, size)
    height = 12 * len(lines) + 10
    s.box(L, s.y - height, W, height)
    for k, line in enumerate(lines):
        s.text(L + 7, s.y - 15 - 12 * k, line, size)
    s.y -= height


def notes(s, *items):
    s.y -= 18
    s.text(L, s.y, "Hinweise", 9, bold=True)
    s.y -= 13
    for item in items:
        s.text(L + 2, s.y, "\u2022", 8.5, color="0.25 g")
        for line in wrap(item, W - 12, 8.5):
            s.text(L + 12, s.y, line, 8.5, color="0.25 g")
            s.y -= 11
        s.y -= 2


def office_box(s, captions):
    """Static boxes the institution fills in; no fields."""
    s.y -= 18
    s.text(L, s.y, "Vermerke der %s (nicht vom Antragsteller auszuf\u00fcllen)"
           % INSTITUTION, 8.5, bold=True, color="0.3 g")
    s.y -= 6
    width = W / len(captions)
    for k, caption in enumerate(captions):
        s.box(L + k * width, s.y - 36, width, 36, fill="0.96 0.96 0.96", stroke="0.6 G")
        s.text(L + k * width + 5, s.y - 10, caption, 7.5, color="0.3 g")
    s.y -= 36


# The sheets: each lays out its body below the common header.

def sheet_antragsteller(s):
    header(s, "Angaben zum Antragsteller (Zulassungsinhaber oder "
              "Vertriebsberechtigter)", "auto")
    section(s, "Anschrift")
    rows(s, [("Stra\u00dfe, Hausnummer", "Strasse", 1.0)],
         [("Postleitzahl", "PLZ", 0.42), ("Ort", "Ort", 1.0)],
         [("Land", "Land", 1.0)])
    section(s, "Erreichbarkeit")
    rows(s, [("Telefon", "Telefon", 0.58), ("Telefax", "Telefax", 1.0)],
         [("E-Mail", "E-Mail", 1.0)])
    section(s, "Registerdaten")
    rows(s, [("Firmenbuchnummer", "Firmenbuchnummer", 0.58),
              ("Gericht", "Firmenbuchgericht", 1.0)],
         [("UID-Nummer", "UID-Nummer", 0.58), ("Rechtsform", "Rechtsform", 1.0)])
    notes(s, "Bitte geben Sie Firma und Anschrift so an, wie sie im Firmenbuch "
             "eingetragen sind. Zustellungen der Versanta erfolgen an diese "
             "Anschrift.",
          "Die Firma des Antragstellers wird aus den Stammdaten des "
          "Antragsassistenten auf alle Formbl\u00e4tter \u00fcbernommen.")
    office_box(s, ["Eingelangt am", "Gesch\u00e4ftszahl", "Bearbeitet von"])


def sheet_kontaktperson(s):
    header(s, "Ansprechperson f\u00fcr R\u00fcckfragen der Versanta zu diesem Antrag")
    section(s, "Kontaktperson")
    rows(s, [("Name", "Kontaktperson", 1.0)],
         [("Funktion", "Funktion", 1.0)],
         [("Telefon", "Telefon", 0.58), ("Mobil", "Mobiltelefon", 1.0)],
         [("E-Mail", "E-Mail", 1.0)])
    section(s, "Vertretung bei Abwesenheit")
    rows(s, [("Name", "Vertretung Name", 1.0)],
         [("Telefon", "Vertretung Telefon", 0.58),
          ("E-Mail", "Vertretung E-Mail", 1.0)])
    notes(s, "Die Kontaktperson ist f\u00fcr die Versanta w\u00e4hrend des "
             "gesamten Verfahrens erreichbar und zur Entgegennahme von "
             "Mitteilungen zu diesem Antrag berechtigt.",
          "\u00c4nderungen der Kontaktdaten sind der Versanta umgehend "
          "bekanntzugeben.")


def sheet_produktangaben(s):
    header(s, "Angaben zur beantragten Arzneispezialit\u00e4t laut Zulassung")
    section(s, "Arzneispezialit\u00e4t")
    rows(s, [("Handelsname", "Handelsname", 1.0)],
         [("Wirkstoff(e)", "Wirkstoff", 1.0)],
         [("ATC-Code", "ATC-Code", 0.58), ("St\u00e4rke", "Staerke", 1.0)],
         [("Darreichungsform", "Darreichungsform", 1.0)])
    section(s, "Zulassung")
    rows(s, [("Zulassungsnummer", "Zulassungsnummer", 0.58),
              ("Zugelassen am", "Zulassungsdatum", 1.0, "date")],
         [("Zulassungsinhaber", "Zulassungsinhaber", 1.0)],
         [("Abgabestatus", "Abgabestatus", 1.0)])
    notes(s, "Die Angaben m\u00fcssen mit dem Zulassungsbescheid und der "
             "Fachinformation \u00fcbereinstimmen.",
          "Bei mehreren Wirkstoffen alle Wirkstoffe mit ihrer St\u00e4rke je "
          "Einheit angeben.")


def sheet_packungen(s):
    header(s, "Beantragte Packungsgr\u00f6\u00dfen der Arzneispezialit\u00e4t")
    section(s, "Packungen")
    table(s, [("Nr.", 30, None, None),
              ("Pharmazentral-\nnummer", 80, "PZN %d", ""),
              ("Packungsbeschreibung", 215, "Packung %d", ""),
              ("Menge", 85, "Menge %d", ""),
              ("Mengenart", 95, "Mengenart %d", "")], 9, "Packung")
    notes(s, "F\u00fcr jede beantragte Packung eine Zeile ausf\u00fcllen.",
          "Menge: Anzahl der Einheiten je Packung; Mengenart: Einheit der "
          "Menge (z. B. St\u00fcck, ml, g).",
          "Menge und Mengenart werden aus den Stammdaten des "
          "Antragsassistenten \u00fcbernommen.")


def sheet_preisangaben(s):
    header(s, "Preise je Packung")
    section(s, "Preise")
    table(s, [("Nr.", 30, None, None),
              ("Menge", 95, "Menge %d", ""),
              ("Mengenart", 140, "Mengenart %d", ""),
              ("FAP/DAP\nin EUR", 120, "Preis %d", "money"),
              ("Preis je Einheit\nin EUR", 120, "Einheitspreis %d", "money")],
          9, "Packung")
    section(s, "Preisbasis")
    rows(s, [("Preisart (FAP oder DAP)", "Preisart", 0.58),
              ("G\u00fcltig ab", "Gueltig ab", 1.0, "date")])
    notes(s, "FAP = Fabriksabgabepreis, DAP = Depotabgabepreis. Alle Preise in "
             "Euro ohne Umsatzsteuer mit zwei Nachkommastellen.",
          "Der Preis je Einheit ergibt sich aus dem Preis geteilt durch die "
          "Menge der Packung.")


def sheet_verwendung(s):
    header(s, "Verwendung der Arzneispezialit\u00e4t in der Praxis")
    section(s, "Verwendung")
    area(s, "Bestimmungsgem\u00e4\u00dfe Verwendung", "Verwendung", 150)
    area(s, "Patientengruppe(n)", "Patientengruppe", 110)
    area(s, "Dosierung und Dauer der Anwendung", "Dosierung", 110)
    area(s, "Stellung in der Therapie (Erst-, Zweit- oder Folgetherapie)",
         "Therapiestellung", 110)
    notes(s, "Die Angaben beziehen sich auf die Verwendung im Rahmen der "
             "zugelassenen Anwendungsgebiete.")


def sheet_anwendungsgebiete(s):
    header(s, "Anwendungsgebiete, f\u00fcr die die Aufnahme beantragt wird")
    section(s, "Anwendungsgebiete")
    area(s, "Zugelassene Anwendungsgebiete laut Fachinformation",
         "Anwendungsgebiete", 150)
    area(s, "Beantragte Anwendungsgebiete f\u00fcr den Listarium",
         "Beantragte Anwendungsgebiete", 120)
    area(s, "Einschr\u00e4nkungen (z. B. Alter, Schweregrad, Vorbehandlung)",
         "Einschraenkungen", 100)
    area(s, "Begr\u00fcndung", "Begruendung", 110)
    notes(s, "Anwendungsgebiete bitte w\u00f6rtlich aus der Fachinformation "
             "\u00fcbernehmen.")


def sheet_vergleichsprodukte(s):
    header(s, "Im Listarium angef\u00fchrte Arzneispezialit\u00e4ten zum Vergleich")
    section(s, "Vergleichsprodukte")
    table(s, [("Nr.", 30, None, None),
              ("Handelsname", 145, "Vergleichsprodukt %d", ""),
              ("Wirkstoff", 110, "Vergleichswirkstoff %d", ""),
              ("Packung\n(Menge, Mengenart)", 110, "Vergleichspackung %d", ""),
              ("FAP/DAP\nin EUR", 110, "Vergleichspreis %d", "money")],
          8, "Vergleichsprodukt")
    section(s, "Auswahl")
    area(s, "Begr\u00fcndung der Auswahl der Vergleichsprodukte",
         "Begruendung Auswahl", 90)
    notes(s, "Als Vergleichsprodukte eignen sich Arzneispezialit\u00e4ten mit "
             "gleichem oder therapeutisch vergleichbarem Wirkstoff.")


def sheet_preisvergleich(s):
    header(s, "Gegen\u00fcberstellung der beantragten Preise und der Vergleichspreise")
    section(s, "Preisvergleich je Packung")
    table(s, [("Packung", 50, None, None),
              ("Eigener Preis\nFAP/DAP in EUR", 110, "Preis %d", "money"),
              ("Vergleichsprodukt\n(Nr. laut Formblatt 8)", 125,
               "Vergleich Produkt %d", ""),
              ("Vergleichspreis\nin EUR", 110, "Vergleich Preis %d", "money"),
              ("Differenz\nin %", 110, "Differenz %d", "")], 9, "Packung")
    section(s, "Erl\u00e4uterungen")
    area(s, "Erl\u00e4uterungen zum Preisvergleich", "Erlaeuterungen", 80)
    notes(s, "Differenz = (eigener Preis - Vergleichspreis) / Vergleichspreis "
             "\u00b7 100.")


def sheet_kostenberechnung(s):
    header(s, "Therapiekosten der Arzneispezialit\u00e4t")
    section(s, "Kosten je Packung")
    table(s, [("Nr.", 30, None, None),
              ("Menge", 80, "Menge %d", ""),
              ("FAP/DAP\nin EUR", 90, "Preis %d", "money"),
              ("Tagesdosis\n(Einheiten)", 85, "Tagesdosis %d", ""),
              ("Kosten pro Tag\nin EUR", 105, "Kosten Tag %d", "money"),
              ("Kosten pro Jahr\nin EUR", 115, "Kosten Jahr %d", "money")],
          9, "Packung")
    section(s, "Berechnungsgrundlage")
    rows(s, [("Quelle der Tagesdosis", "Quelle Tagesdosis", 1.0)],
         [("Behandlungstage/Jahr", "Behandlungstage", 0.58),
          ("Therapiedauer", "Therapiedauer", 1.0)])
    notes(s, "Kosten pro Tag = Preis / Menge \u00b7 Tagesdosis; Kosten pro Jahr "
             "= Kosten pro Tag \u00b7 Behandlungstage pro Jahr.",
          "Die Tagesdosis richtet sich nach der Fachinformation "
          "(Erhaltungsdosis f\u00fcr Erwachsene).")


def sheet_beilagen(s):
    header(s, "Verzeichnis der dem Antrag beigelegten Unterlagen")
    section(s, "Beilagen (bitte ankreuzen)")
    checklist(s, [("Fachinformation", "Fachinformation (aktuelle Fassung)"),
                  ("Gebrauchsinformation", "Gebrauchsinformation"),
                  ("Studien", "Studien (klinische Studien und Publikationen)"),
                  ("Preisnachweis", "Preisnachweis (Preise in den EU-Mitgliedstaaten)"),
                  ("Pharmakooekonomische Evaluierung",
                   "Pharmako\u00f6konomische Evaluierung"),
                  ("Zulassungsbescheid", "Zulassungsbescheid"),
                  ("Sonstige", "Sonstige:", "Sonstige Beilagen")])
    section(s, "Anmerkungen")
    area(s, "Anmerkungen zu den Beilagen", "Anmerkungen", 80)
    notes(s, "Beilagen bitte in der angef\u00fchrten Reihenfolge "
             "nummerieren und elektronisch durchsuchbar \u00fcbermitteln.")


def sheet_unterschrift(s):
    header(s, "Erkl\u00e4rung und Unterschrift des Antragstellers")
    section(s, "Erkl\u00e4rung")
    paragraph(s, "Der oben genannte Antragsteller beantragt die Aufnahme der "
                 "Arzneispezialit\u00e4t in den Listarium und erkl\u00e4rt, dass "
                 "die Angaben in diesem Antrag und in seinen Beilagen "
                 "vollst\u00e4ndig und richtig sind. Er nimmt zur Kenntnis, dass "
                 "die Versanta erg\u00e4nzende Unterlagen anfordern kann und "
                 "unvollst\u00e4ndige Antr\u00e4ge erst nach ihrer Erg\u00e4nzung "
                 "bearbeitet werden.")
    section(s, "Unterschrift")
    rows(s, [("Ort", "Ort", 0.58), ("Datum", "Datum", 1.0, "date")],
         [("Name der zeichnungsberechtigten Person", "Unterzeichner", 1.0)])
    top = s.y
    s.box(L, top - 90, W, 90)
    s.line(L + 150, top - 66, R - 150, top - 66, 0.8, "0 G")
    s.text(L + W / 2, top - 78, "Unterschrift, Firmenstempel", 8.5, align="c")
    s.y -= 90
    notes(s, "Der Antrag ist von einer f\u00fcr den Antragsteller "
             "zeichnungsberechtigten Person zu unterschreiben.")


LAYOUTS = {
    "1 Antragsteller": sheet_antragsteller,
    "2 Kontaktperson": sheet_kontaktperson,
    "3 Produktangaben": sheet_produktangaben,
    "4 Packungen": sheet_packungen,
    "5 Preisangaben": sheet_preisangaben,
    "6 Verwendung": sheet_verwendung,
    "7 Anwendungsgebiete": sheet_anwendungsgebiete,
    "8 Vergleichsprodukte": sheet_vergleichsprodukte,
    "9 Preisvergleich": sheet_preisvergleich,
    "10 Kostenberechnung": sheet_kostenberechnung,
    "11 Beilagen": sheet_beilagen,
    "12 Unterschrift": sheet_unterschrift,
}


def check_layout(s):
    """Fail loudly if a field leaves the page or covers another field or text."""
    def overlap(a, b):
        return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
    rects = [f["rect"] for f in s.fields]
    names = [f["name"] for f in s.fields]
    assert len(set(names)) == len(names), "%s: duplicate field" % s.name
    for i, a in enumerate(rects):
        assert 0 <= a[0] < a[2] <= PAGE_W and 60 <= a[1] < a[3] <= PAGE_H, \
            "%s: %s off the page" % (s.name, names[i])
        for j in range(i):
            assert not overlap(a, rects[j]), \
                "%s: %s overlaps %s" % (s.name, names[i], names[j])
        for c in s.captions:
            assert not overlap(a, c), "%s: %s covers text" % (s.name, names[i])
    for c in s.captions:
        assert 20 <= c[0] and c[2] <= PAGE_W - 20, "%s: text off the page" % s.name
    assert s.y > 60, "%s: the body runs into the footer" % s.name


# PDF output.

def stream(dictionary, data):
    return (b"<< " + dictionary + b" /Length %d >>\nstream\n" % len(data)
            + data + b"\nendstream")


def field_appearance(w, h, font):
    """Empty field: filled box and an empty /Tx region for the filler."""
    ap = b"q %s rg %s RG 1 w 0.5 0.5 %s %s re B Q\n/Tx BMC\nEMC" % (
        FIELD_BG.encode(), FIELD_BORDER.encode(), num(w - 1), num(h - 1))
    return stream(b"/Type /XObject /Subtype /Form /BBox [0 0 %s %s]"
                  b" /Resources << /Font << /Helv %d 0 R >> >>"
                  % (num(w), num(h), font), ap)


def check_appearances(add, size):
    """/N and /D appearances of a check box; /D shows it pressed."""
    def box(bg, tick):
        ops = b"q %s g %s RG 1 w 0.5 0.5 %s %s re B Q" % (
            bg, FIELD_BORDER.encode(), num(size - 1), num(size - 1))
        if tick:
            ops += b"\nq 0 G 1.6 w 1 J 1 j 2.6 6.2 m 5 3.2 l 9.6 9.4 l S Q"
        return add(stream(b"/Type /XObject /Subtype /Form /BBox [0 0 %s %s]"
                          % (num(size), num(size)), ops))
    return (b"/AP << /N << /Yes %d 0 R /Off %d 0 R >> /D << /Yes %d 0 R"
            b" /Off %d 0 R >> >>" % (box(b"1", True), box(b"1", False),
                                     box(b"0.75", True), box(b"0.75", False)))


def widget(f, page, ap_ref):
    x1, y1, x2, y2 = f["rect"]
    kind = f["kind"]
    head = (b"<< /Type /Annot /Subtype /Widget /T " + pdf_string(f["name"])
            + b" /TU " + text_string(f["tip"])
            + b" /Rect [%s %s %s %s] /F 4 /P %d 0 R"
            % (num(x1), num(y1), num(x2), num(y2), page))
    mk = b" /MK << /BC [%s] /BG [%s]" % (FIELD_BORDER.encode(),
                                         b"1" if kind == "check" else FIELD_BG.encode())
    if kind == "check":
        return (head + b" /FT /Btn /DA (/ZaDb 0 Tf 0 g)" + mk
                + b" /CA (4) >> /BS << /W 1 /S /S >> /V /Off /AS /Off "
                + ap_ref + b" >>")
    quadding = 2 if right_aligned(f["name"]) else 1 if kind == "date" else 0
    size = b"0" if kind == "auto" else b"10"
    out = (head + b" /FT /Tx /Q %d /DA (/Helv %s Tf 0 g)" % (quadding, size)
           + mk + b" >> /BS << /W 1 /S /S >> /AP << /N " + ap_ref + b" >>")
    if kind == "multi":
        out += b" /Ff 4096"
    if kind == "money":
        out += (b" /AA << /F << /S /JavaScript /JS " + pdf_string(MONEY_JS[0])
                + b" >> /K << /S /JavaScript /JS " + pdf_string(MONEY_JS[1])
                + b" >> >>")
    return out + b" >>"


def build_pdf(s):
    """Return the bytes of the PDF file for the laid-out sheet `s`."""
    objs = [None]

    def add(body):
        objs.append(body)
        return len(objs) - 1

    catalog, pages, acroform, page = add(None), add(None), add(None), add(None)
    helv = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica"
               b" /Encoding /WinAnsiEncoding >>")
    bold = add(b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold"
               b" /Encoding /WinAnsiEncoding >>")
    content = add(stream(b"/Filter /FlateDecode",
                         zlib.compress(b"\n".join(s.ops) + b"\n", 9)))
    info = add(b"<< /Title " + text_string("Formblatt %s \u2013 %s" % (s.number, s.title))
               + b" /Subject " + text_string(APPLICATION)
               + b" /Author (" + INSTITUTION.encode() + b") /Producer (tools/make_forms.py) >>")
    fonts = b"/Helv %d 0 R" % helv
    check_ap = None
    if any(f["kind"] == "check" for f in s.fields):
        fonts += b" /ZaDb %d 0 R" % add(b"<< /Type /Font /Subtype /Type1"
                                        b" /BaseFont /ZapfDingbats >>")
        check_ap = check_appearances(add, 12)
    refs = []
    for f in s.fields:
        if f["kind"] == "check":
            refs.append(add(widget(f, page, check_ap)))
        else:
            x1, y1, x2, y2 = f["rect"]
            ap = add(field_appearance(x2 - x1, y2 - y1, helv))
            refs.append(add(widget(f, page, b"%d 0 R" % ap)))
    ref_list = b" ".join(b"%d 0 R" % r for r in refs)
    objs[catalog] = (b"<< /Type /Catalog /Pages %d 0 R /AcroForm %d 0 R"
                     b" /Lang (de-DE) >>" % (pages, acroform))
    objs[pages] = b"<< /Type /Pages /Kids [%d 0 R] /Count 1 >>" % page
    objs[acroform] = (b"<< /Fields [" + ref_list + b"] /DR << /Font << " + fonts
                      + b" >> >> /DA (/Helv 0 Tf 0 g) >>")
    objs[page] = (b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d]"
                  b" /Resources << /Font << /F1 %d 0 R /F2 %d 0 R >> >>"
                  b" /Contents %d 0 R /Annots [" % (pages, PAGE_W, PAGE_H, helv,
                                                    bold, content)
                  + ref_list + b"] >>")

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number in range(1, len(objs)):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + objs[number] + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % len(objs)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    file_id = hashlib.md5(bytes(out)).hexdigest().encode()
    out += (b"trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R /ID [<%s> <%s>] >>\n"
            b"startxref\n%d\n%%%%EOF\n"
            % (len(objs), catalog, info, file_id, file_id, xref))
    return bytes(out)


# The fields that program/antrag_.fdf fills; each must be on some sheet.
TEMPLATE_FIELDS = {"Antragsteller"} | {
    "%s %d" % (kind, i)
    for kind in ("Menge", "Mengenart", "Preis") for i in range(1, 10)}


def make_sheet(name, part, filled):
    if name not in LAYOUTS:
        sys.exit("make_forms.py: no layout for the form sheet " + name)
    s = Sheet(name, part)
    LAYOUTS[name](s)
    footer(s)
    check_layout(s)
    filled.update(f["name"] for f in s.fields if f["kind"] != "check")
    return build_pdf(s)


def main():
    parts = read_sheets(INI)
    count = 0
    filled = set()
    for part, names in parts:
        for name in names:
            path = os.path.join(PROGRAM, name + ".pdf")
            with open(path, "wb") as f:
                f.write(make_sheet(name, part, filled))
            print("Teil %d: %s" % (part, os.path.relpath(path, ROOT)))
            count += 1
    if count == 0:
        sys.exit("make_forms.py: no form sheets found in " + INI)
    missing = TEMPLATE_FIELDS - filled
    if missing:
        sys.exit("make_forms.py: no sheet has the fields " + ", ".join(sorted(missing)))
    print("%d form sheets written." % count)


if __name__ == "__main__":
    main()
