#!/usr/bin/python3
"""A form made with reportlab's AcroForm support, as report generators make them.

    /usr/bin/python3 reportlab_form.py OUTPUT.pdf
"""

import sys

from reportlab.lib.colors import Color
from reportlab.pdfgen import canvas

GREY = Color(0.45, 0.5, 0.6)
TINT = Color(0.94, 0.96, 1)


def main(path):
    c = canvas.Canvas(path, pagesize=(595, 842), invariant=1)
    c.setTitle("Formular aus reportlab")
    form = c.acroForm
    fields = [
        # name, caption, x, y, width, height, flags, max length
        ("Antragsteller", "Antragsteller", 50, 760, 300, 20, "", 0),
        ("IBAN", "IBAN (Kammfeld)", 50, 710, 440, 20, "comb", 20),
        ("Datum", "Datum (TTMMJJJJ)", 50, 660, 160, 20, "comb", 8),
        ("Kennwort", "Kennwort", 250, 660, 150, 20, "password", 0),
        ("Anmerkung", "Anmerkung", 50, 560, 300, 70, "multiline", 0),
    ]
    for name, caption, x, y, width, height, flags, maxlen in fields:
        c.setFont("Helvetica", 9)
        c.drawString(x, y + height + 3, caption)
        form.textfield(name=name, tooltip=caption, x=x, y=y, width=width, height=height,
                       fieldFlags=flags, maxlen=maxlen or None, borderColor=GREY,
                       fillColor=TINT, textColor=Color(0, 0, 0), borderWidth=1,
                       fontName="Helvetica", fontSize=10, forceBorder=True)
    c.showPage()
    c.save()


if __name__ == "__main__":
    main(sys.argv[1])
