#!/usr/bin/python3
"""Generate the PDF form sheets ("Formblaetter") of the Versanta assistant.

For every form sheet configured in program/vra.ini (sections [TAB1] .. [TABn],
keys Formblatt.1, Formblatt.2, ...) this script writes program/<name>.pdf:
a one-page A4 PDF with an AcroForm whose 28 text fields carry the names used
in program/antrag_.fdf (Antragsteller, Menge 1..9, Mengenart 1..9,
Preis 1..9), so the assistant can fill every sheet from the master data.

The PDF is written by hand (standard library only); the output is
deterministic, so running the script again yields identical files.

Run from the repository root:

    /usr/bin/python3 tools/make_forms.py
"""

import hashlib
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PROGRAM = os.path.join(ROOT, "program")
INI = os.path.join(PROGRAM, "vra.ini")

HEADING = ("Versanta - Antrag gem\u00e4\u00df IV. Abschnitt der VO-VRA"
           " - Aufnahme in den Listarium")
PAGE_W, PAGE_H = 595, 842          # A4 in points
FIELD_H = 18                       # height of a text field
BORDER = "0.6 0.6 0.6"             # light grey field border
FIELD_DA = "/Helv 10 Tf 0 g"


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


def pdf_string(text):
    """A PDF literal string in Windows-1252 bytes with ( ) \\ escaped."""
    data = text.encode("cp1252")
    data = data.replace(b"\\", b"\\\\").replace(b"(", b"\\(").replace(b")", b"\\)")
    return b"(" + data + b")"


def layout():
    """Return (captions, fields).

    captions: (font, size, x, y, text) drawn on the page;
    fields:   (name, [x1, y1, x2, y2], quadding) text field widgets.
    """
    captions, fields = [], []
    captions.append(("F1", 11, 50, 720, "Antragsteller"))
    fields.append(("Antragsteller", [150, 715, 545, 715 + FIELD_H], 0))
    # (field name prefix, column title, left, right, quadding: 2 = right)
    columns = [("Menge", "Menge", 150, 250, 2),
               ("Mengenart", "Mengenart", 265, 415, 0),
               ("Preis", "FAP/DAP", 430, 545, 2)]
    captions.append(("F2", 10, 50, 675, "Packung"))
    for _label, title, x1, _x2, _q in columns:
        captions.append(("F2", 10, x1 + 2, 675, title))
    for i in range(1, 10):
        y = 645 - (i - 1) * 28
        captions.append(("F1", 10, 50, y + 5, "Packung %d" % i))
        for label, _title, x1, x2, q in columns:
            fields.append(("%s %d" % (label, i), [x1, y, x2, y + FIELD_H], q))
    return captions, fields


def page_content(name, part, captions):
    """The page's content stream: heading, title, part, captions, rules."""
    out = [b"BT /F2 11 Tf 50 800 Td " + pdf_string(HEADING) + b" Tj ET",
           b"BT /F2 16 Tf 50 772 Td " + pdf_string(name) + b" Tj ET",
           b"BT /F1 11 Tf 50 754 Td " + pdf_string("Teil %d" % part) + b" Tj ET",
           b"0.4 0.4 0.4 RG 0.75 w 50 742 m 545 742 l S",
           b"50 690 m 545 690 l S"]
    for font, size, x, y, text in captions:
        out.append(("BT /%s %d Tf %d %d Td " % (font, size, x, y)).encode()
                   + pdf_string(text) + b" Tj ET")
    out.append(b"BT /F1 9 Tf 50 60 Td " + pdf_string(
        "Dieses Formblatt wird vom Versanta-Antragsassistenten mit den "
        "Stammdaten ausgef\u00fcllt.") + b" Tj ET")
    return b"\n".join(out) + b"\n"


def stream(dictionary, data):
    return (b"<< " + dictionary + b" /Length %d >>\nstream\n" % len(data)
            + data + b"endstream")


def build_pdf(name, part):
    """Return the bytes of the form sheet `name` belonging to part `part`."""
    captions, fields = layout()
    objs = {}
    first_field = 9                    # widget n at 9 + 2n, its /AP at 10 + 2n
    widget_refs = b" ".join(b"%d 0 R" % (first_field + 2 * k)
                            for k in range(len(fields)))
    helv = (b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica"
            b" /Encoding /WinAnsiEncoding >>")
    objs[1] = b"<< /Type /Catalog /Pages 2 0 R /AcroForm 3 0 R >>"
    objs[2] = b"<< /Type /Pages /Kids [4 0 R] /Count 1 >>"
    objs[3] = (b"<< /Fields [" + widget_refs + b"] /DR << /Font << /Helv 5 0 R"
               b" >> >> /DA (" + FIELD_DA.encode() + b") >>")
    objs[4] = (b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 %d %d]"
               b" /Resources << /Font << /F1 5 0 R /F2 6 0 R >> >>"
               b" /Contents 7 0 R /Annots [" % (PAGE_W, PAGE_H)
               + widget_refs + b"] >>")
    objs[5] = helv
    objs[6] = (b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold"
               b" /Encoding /WinAnsiEncoding >>")
    objs[7] = stream(b"", page_content(name, part, captions))
    objs[8] = (b"<< /Title " + pdf_string(name)
               + b" /Producer (tools/make_forms.py) >>")
    for k, (fname, rect, quadding) in enumerate(fields):
        num = first_field + 2 * k
        w, h = rect[2] - rect[0], rect[3] - rect[1]
        objs[num] = (b"<< /Type /Annot /Subtype /Widget /FT /Tx /T "
                     + pdf_string(fname)
                     + b" /Rect [%d %d %d %d] /F 4 /P 4 0 R /Q %d /DA ("
                     % (rect[0], rect[1], rect[2], rect[3], quadding)
                     + FIELD_DA.encode()
                     + b") /MK << /BC [" + BORDER.encode()
                     + b"] /BG [1 1 1] >> /BS << /W 1 /S /S >>"
                     b" /AP << /N %d 0 R >> >>" % (num + 1))
        # Empty appearance: white box, light border, empty /Tx region.
        ap = (b"1 g 0 0 %d %d re f\n%s RG 1 w 0.5 0.5 %d %d re S\n"
              b"/Tx BMC\nEMC\n" % (w, h, BORDER.encode(), w - 1, h - 1))
        objs[num + 1] = stream(
            b"/Type /XObject /Subtype /Form /BBox [0 0 %d %d]"
            b" /Resources << /Font << /Helv 5 0 R >> >>" % (w, h), ap)

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for num in range(1, max(objs) + 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % num + objs[num] + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(offsets) + 1)
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    file_id = hashlib.md5(name.encode("utf-8")).hexdigest().encode()
    out += (b"trailer\n<< /Size %d /Root 1 0 R /Info 8 0 R /ID [<%s> <%s>] >>\n"
            b"startxref\n%d\n%%%%EOF\n"
            % (len(offsets) + 1, file_id, file_id, xref))
    return bytes(out)


def main():
    parts = read_sheets(INI)
    count = 0
    for part, names in parts:
        for name in names:
            path = os.path.join(PROGRAM, name + ".pdf")
            with open(path, "wb") as f:
                f.write(build_pdf(name, part))
            print("Teil %d: %s" % (part, os.path.relpath(path, ROOT)))
            count += 1
    if count == 0:
        sys.exit("make_forms.py: no form sheets found in " + INI)
    print("%d form sheets written." % count)


if __name__ == "__main__":
    main()
