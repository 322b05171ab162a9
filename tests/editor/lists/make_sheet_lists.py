"""Writes the sheet layouts of the trade's question list: list-sheet.xlsx with
openpyxl (columns in another order and under other names, the type column
merged over each type's rows, types by name and by number, scores as numbers,
shared strings) and list-sheet.csv with Python's csv module (GBK, fields with
commas, quotes and line breaks), each with its expected drafts.

Run: /usr/bin/python3 make_sheet_lists.py (in this folder)."""
import csv
import openpyxl
import trade_questions as t

qs = t.questions()

book = openpyxl.Workbook()
sheet = book.active
sheet.title = "题库"
sheet.append(["题目", "题型", "A", "B", "C", "D", "正确答案", "分数", "解析"])
expected = []
row = 2
for kind in (1, 2, 3, 4, 5):
    group = [q for q in qs if q["type"] == kind]
    first = row
    for n, q in enumerate(group):
        options = q["options"] if kind in (1, 2) else ["", "", "", ""]
        answer = q["answer"]
        if kind == 4:
            answer = "对" if answer else "错"
        elif kind in (1, 2) and n % 3 == 1:
            answer = "、".join(answer)  # "A、C" as some sheets write it
        sheet.append([q["stem"], None, *[o or None for o in options], answer, q["points"],
                      q["note"] or None])
        expected.append(dict(t.stored(q), line=row))
        row += 1
    # Types 1 and 2 by number, the rest by name, each merged over its rows.
    sheet.cell(row=first, column=2, value=kind if kind <= 2 else t.TYPE_CELLS[kind])
    sheet.merge_cells(start_row=first, start_column=2, end_row=row - 1, end_column=2)
book.save("list-sheet.xlsx")
t.write_expected("list-sheet.xlsx.expected.json", expected)

expected = []
with open("list-sheet.csv", "w", encoding="gbk", newline="") as out:
    writer = csv.writer(out)
    writer.writerow(["题型", "题目", "选项A", "选项B", "选项C", "选项D", "答案", "分值", "解析"])
    line = 2
    for q in qs:
        options = q["options"] if q["type"] in (1, 2) else ["", "", "", ""]
        answer = q["answer"]
        if q["type"] == 4:
            answer = "√" if answer else "×"
        elif q["type"] == 5:
            answer = answer.replace("；", "，\n")  # commas and line breaks inside a field
        stem = q["stem"].replace("“", '"').replace("”", '"')
        writer.writerow([t.TYPE_CELLS[q["type"]], stem, *options, answer, q["points"], q["note"]])
        expected.append(dict(t.stored(q, stem), line=line,
                             answer=answer if q["type"] == 5 else t.stored(q)["answer"]))
        line += 1 + answer.count("\n")
t.write_expected("list-sheet.csv.expected.json", expected)
