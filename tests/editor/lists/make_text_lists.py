"""Writes the text layouts of the trade's question list with Python's own
text output: list-text-utf8.txt (headings, every numbering and answer shape)
and list-text-gbk.txt (GBK, CR LF, no headings: the types from the shapes),
each with its expected drafts (*.expected.json).

Run: /usr/bin/python3 make_text_lists.py (in this folder)."""
import trade_questions as t

CN = "一二三四五"


def with_headings():
    lines, expected = ["2025年电力安全工作规程（变电部分）考试题库", "说明：本题库共五种题型。", ""], []
    qs = t.questions()
    for section, kind in enumerate((1, 2, 3, 4, 5)):
        group = [q for q in qs if q["type"] == kind]
        lines.append(f"{CN[section]}、{t.HEADINGS[kind]}（每题{group[0]['points']}分）")
        for n, q in enumerate(group, 1):
            stem = q["stem"]
            if kind == 1:
                if n % 3 == 0:  # the answer in the stem's bracket
                    lines.append(f"{n}. " + stem.replace("（ ）", f"（ {q['answer']} ）"))
                    expected.append(t.stored(q, stem.replace("（ ）", "（  ）")))
                    lines += [f"{'ABCD'[i]}.{o}" for i, o in enumerate(q["options"])]
                    lines.append("")
                    continue
                lines.append(f"{n}、{stem}")
                lines += [f"{'ABCD'[i]}、{o}" for i, o in enumerate(q["options"])]
                lines.append(f"答案：{q['answer']}")
            elif kind == 2:
                lines.append(f"（{n}）{stem}")
                lines.append("  ".join(f"{'ABCD'[i]}.{o}" for i, o in enumerate(q["options"])))
                lines.append(f"正确答案：{q['answer']}")
            elif kind == 3:
                lines.append(f"第{n}题 {stem}")
                lines.append(f"答案:{q['answer']}")
            elif kind == 4:
                mark = "√" if q["answer"] else "×"
                if n % 2:
                    lines.append(f"{n}．{stem}（{mark}）")
                    expected.append(t.stored(q, stem + "（  ）"))
                    continue
                lines.append(f"{n}．{stem}")
                lines.append("答案：" + ("正确" if q["answer"] else "错误"))
            else:
                lines.append(f"{n}. {stem}")
                lines.append("【答案】")
                lines += [part + "；" for part in q["answer"].rstrip("。").split("；")]
                answer = "\n".join(part + "；" for part in q["answer"].rstrip("。").split("；"))
                expected.append(dict(t.stored(q), answer=answer))
                continue
            if q["note"]:
                lines.append("解析：" + q["note"])
            expected.append(t.stored(q))
        lines.append("")
    return "\n".join(lines) + "\n", expected


def without_headings():
    lines, expected = [], []
    for n, q in enumerate(t.questions(), 1):
        lines.append(f"{n}.{q['stem']}（{q['points']}分）")
        if q["type"] in (1, 2):
            lines += [f"{'ABCD'[i]}．{o}" for i, o in enumerate(q["options"])]
            lines.append(f"答案：{q['answer']}")
        elif q["type"] == 4:
            lines.append("答案：" + ("对" if q["answer"] else "错"))
        else:
            lines.append("答案：" + q["answer"])
        if q["note"]:
            lines.append("解析：" + q["note"])
        lines.append("")
        expected.append(t.stored(q))
    return "\r\n".join(lines), expected


text, expected = with_headings()
with open("list-text-utf8.txt", "w", encoding="utf-8") as out:
    out.write(text)
t.write_expected("list-text-utf8.txt.expected.json", expected)
text, expected = without_headings()
with open("list-text-gbk.txt", "wb") as out:
    out.write(text.encode("gbk"))
t.write_expected("list-text-gbk.txt.expected.json", expected)
