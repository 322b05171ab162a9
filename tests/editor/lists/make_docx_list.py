"""Writes list-word.docx with python-docx: a title, type headings, numbered
questions with options on their own lines or back to back, the true/false
section as a two-column table (question, answer) read row by row, and its
expected drafts (list-word.docx.expected.json).

Run: /usr/bin/python3 make_docx_list.py (in this folder)."""
import docx
import trade_questions as t

CN = "一二三四五"
document = docx.Document()
document.add_heading("电力安全工作规程考试题库（线路、变电通用）", level=1)
document.add_paragraph("考试时间：90分钟")
expected = []
qs = t.questions()
for section, kind in enumerate((1, 2, 3, 4, 5)):
    group = [q for q in qs if q["type"] == kind]
    document.add_heading(f"{CN[section]}、{t.HEADINGS[kind]}（每题{group[0]['points']}分）", level=2)
    if kind == 4:
        table = document.add_table(rows=0, cols=2)
        for n, q in enumerate(group, 1):
            cells = table.add_row().cells
            cells[0].text = f"{n}. {q['stem']}"
            cells[1].text = "答案：" + ("√" if q["answer"] else "×")
            expected.append(t.stored(q))
        continue
    for n, q in enumerate(group, 1):
        paragraph = document.add_paragraph()
        paragraph.add_run(f"{n}. ")
        # A stem in two runs, as Word often splits them.
        half = len(q["stem"]) // 2
        paragraph.add_run(q["stem"][:half]).bold = n % 2 == 0
        paragraph.add_run(q["stem"][half:])
        if kind in (1, 2):
            if n % 2:
                for i, option in enumerate(q["options"]):
                    document.add_paragraph(f"{'ABCD'[i]}. {option}")
            else:
                document.add_paragraph("\t".join(f"{'ABCD'[i]}.{o}" for i, o in enumerate(q["options"])))
        document.add_paragraph(f"答案：{q['answer']}")
        if q["note"]:
            document.add_paragraph("解析：" + q["note"])
        expected.append(t.stored(q))
document.save("list-word.docx")
t.write_expected("list-word.docx.expected.json", expected)
