#!/usr/bin/python3
"""Makes two form sheets whose streams unpack to 1.5 GB from a few kilobytes.

corpus/fillerform/expanding.pdf: the sample sheet "5 Preisangaben" whose first hand-fillable
    field has an appearance stream packed twice over. A filler copies it as it is.
corpus/fillerform/expanding-objects.pdf: a form whose AcroForm dictionary lies in an object
    stream packed twice over. A filler refuses it.

Run from the repository root: /usr/bin/python3 tests/fuzz/make_expanding.py
"""
import os
import re
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "tests", "fuzz", "corpus", "fillerform")
SIZE = 1536 << 20


def packed_twice(head, fill):
    """`head` followed by `fill` bytes up to SIZE, deflated, then deflated again."""
    inner = zlib.compressobj(9)
    first = [inner.compress(head)]
    chunk = fill * (1 << 20)
    for _ in range((SIZE - len(head)) >> 20):
        first.append(inner.compress(chunk))
    first.append(inner.flush())
    return zlib.compress(b"".join(first), 9)


def expanding_appearance():
    with open(os.path.join(ROOT, "program", "5 Preisangaben.pdf"), "rb") as f:
        pdf = f.read()
    field = pdf.index(b"/T (Einheitspreis 1)")
    number = int(re.search(rb"/AP << /N (\d+) 0 R", pdf[field:]).group(1))
    start = pdf.index(b"\n%d 0 obj\n" % number) + 1
    end = pdf.index(b"endobj", start) + len(b"endobj")
    data = packed_twice(b"q Q ", b" ")
    stream = (b"%d 0 obj\n<< /Type /XObject /Subtype /Form /BBox [0 0 100 16]"
              b" /Filter [/FlateDecode /FlateDecode] /Length %d >>\nstream\n"
              % (number, len(data)) + data + b"\nendstream\nendobj")
    # The damaged cross-reference table makes readers rebuild it, as they do for such files.
    return pdf[:start] + stream + pdf[end:]


def expanding_objects():
    objects = {
        1: b"<< /Type /Catalog /Pages 2 0 R /AcroForm 5 0 R >>",
        2: b"<< /Type /Pages /Kids [] /Count 0 >>",
    }
    out = bytearray(b"%PDF-1.5\n%\xe2\xe3\xcf\xd3\n")
    offsets = {}
    for number, body in objects.items():
        offsets[number] = len(out)
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    data = packed_twice(b"5 0 << /Fields [] >>", b" ")
    offsets[3] = len(out)
    out += (b"3 0 obj\n<< /Type /ObjStm /N 1 /First 4 /Filter [/FlateDecode /FlateDecode]"
            b" /Length %d >>\nstream\n" % len(data) + data + b"\nendstream\nendobj\n")
    rows = [b"\x00\x00\x00\x00\x00\xff\xff"]
    for number in (1, 2, 3, 4):
        rows.append(b"\x01" + offsets.get(number, len(out)).to_bytes(4, "big") + b"\x00\x00")
    rows.append(b"\x02" + (3).to_bytes(4, "big") + b"\x00\x00")
    table = b"".join(rows)
    xref = len(out)
    out += (b"4 0 obj\n<< /Type /XRef /Size 6 /W [1 4 2] /Root 1 0 R /Length %d >>\nstream\n"
            % len(table) + table + b"\nendstream\nendobj\nstartxref\n%d\n%%%%EOF\n" % xref)
    return bytes(out)


def main():
    for name, make in (("expanding.pdf", expanding_appearance),
                       ("expanding-objects.pdf", expanding_objects)):
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(make())
        print(name, os.path.getsize(os.path.join(OUT, name)), "bytes")


if __name__ == "__main__":
    main()
