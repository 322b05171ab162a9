"""Writes the files the import must refuse: not-a-zip.docx, no-body.docx,
bomb.xlsx (a tiny archive whose sheet declares about 4 GB), no-header.xlsx,
binary.txt and no-question.txt.

Run: /usr/bin/python3 make_bad_inputs.py (in this folder)."""
import io
import os
import struct
import zipfile
import openpyxl

with open("bad-not-a-zip.docx", "wb") as out:
    out.write("这不是Word文档，只是改了扩展名的文本。\n".encode("utf-8") * 20)

with zipfile.ZipFile("bad-no-body.docx", "w") as z:
    z.writestr("[Content_Types].xml", "<Types/>")
    z.writestr("word/styles.xml", "<styles/>")

# A real small workbook whose sheet entry then claims 0xFFFFFFF0 bytes.
buffer = io.BytesIO()
with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("xl/workbook.xml", '<workbook><sheets><sheet name="a" r:id="rId1" '
               'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"/></sheets></workbook>')
    z.writestr("xl/_rels/workbook.xml.rels", '<Relationships><Relationship Id="rId1" '
               'Target="worksheets/sheet1.xml"/></Relationships>')
    z.writestr("xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + "<row/>" * 5000 + "</sheetData></worksheet>")
data = bytearray(buffer.getvalue())
name = b"xl/worksheets/sheet1.xml"
# Patch the declared size in the sheet's local and central headers.
for signature, offset in ((b"PK\x03\x04", 22), (b"PK\x01\x02", 24)):
    start = 0
    while True:
        at = data.find(signature, start)
        if at < 0:
            break
        header = 30 if signature == b"PK\x03\x04" else 46
        length_at = 26 if signature == b"PK\x03\x04" else 28
        name_length = struct.unpack_from("<H", data, at + length_at)[0]
        if bytes(data[at + header:at + header + name_length]) == name:
            struct.pack_into("<I", data, at + offset, 0xFFFFFFF0)
        start = at + 4
with open("bad-bomb.xlsx", "wb") as out:
    out.write(bytes(data))

book = openpyxl.Workbook()
book.active.append(["序号", "内容", "备注"])
book.active.append([1, "工作票签发人不得兼任工作负责人。", "对"])
book.save("bad-no-header.xlsx")

with open("bad-binary.txt", "wb") as out:
    out.write(bytes(range(256)) * 8)

with open("bad-no-question.txt", "w", encoding="utf-8") as out:
    out.write("\n\n   \n")
