#include "RtfReader.h"

#include "RtfParser.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <cmath>

namespace rtf {

bool isRtf(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    qsizetype i = 0;
    while (i < view.size() &&
           (view[i] == ' ' || view[i] == '\t' || view[i] == '\r' || view[i] == '\n'))
        ++i;
    return view.sliced(i).startsWith("{\\rtf");
}

bool readInto(const QByteArray &bytes, QTextDocument &document, const ReadOptions &options)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    const bool rtf = isRtf(bytes);
    if (rtf) {
        ReadingBudget budget(options.limits);
        RtfParser parser(document, budget, options.stop);
        parser.parse(bytes);
        if (options.tally)
            *options.tally = budget.tally();
    }
    document.setUndoRedoEnabled(undo);
    return rtf;
}

QTextDocument *read(const QByteArray &bytes, QObject *parent)
{
    if (!isRtf(bytes))
        return nullptr;
    auto *document = new QTextDocument(parent);
    readInto(bytes, *document);
    return document;
}

namespace {

QString pictureText(const QTextImageFormat &format)
{
    return QStringLiteral("[图片 %1×%2]")
        .arg(std::lround(format.width()))
        .arg(std::lround(format.height()));
}

// One block's text; inside a table cell line breaks and tabs become blanks so
// that tabs keep separating cells.
QString blockText(const QTextBlock &block, bool inCell)
{
    QString text;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const QString fragmentText = fragment.text();
        if (format.isImageFormat()) {
            for (qsizetype i = 0; i < fragmentText.size(); ++i)
                text += pictureText(format.toImageFormat());
            continue;
        }
        for (QChar ch : fragmentText) {
            if (ch == QChar::LineSeparator)
                text += inCell ? QLatin1Char(' ') : QLatin1Char('\n');
            else if (ch == u'\t' && inCell)
                text += QLatin1Char(' ');
            else if (ch != QChar::ObjectReplacementCharacter && ch != QChar::Nbsp)
                text += ch;
            else if (ch == QChar::Nbsp)
                text += QLatin1Char(' ');
        }
    }
    return text;
}

void frameText(QTextFrame *frame, QString &out);

QString cellText(const QTextTableCell &cell)
{
    QStringList parts;
    for (auto it = cell.begin(); !it.atEnd(); ++it) {
        if (it.currentBlock().isValid())
            parts << blockText(it.currentBlock(), true);
    }
    return parts.join(QLatin1Char(' '));
}

bool isTable(QTextFrame *frame)
{
    return qobject_cast<QTextTable *>(frame) != nullptr;
}

// The empty blocks a QTextDocument keeps before a table that opens a frame and
// after one that closes it belong to its structure, not to the text.
bool structuralBlock(QTextFrame::iterator it)
{
    const QTextBlock block = it.currentBlock();
    if (block.length() != 1)
        return false;
    const bool first = it == it.parentFrame()->begin();
    QTextFrame::iterator next = it;
    ++next;
    if (first && !next.atEnd() && isTable(next.currentFrame()))
        return true;
    if (!next.atEnd() || first)
        return false;
    QTextFrame::iterator previous = it;
    --previous;
    return isTable(previous.currentFrame());
}

void frameText(QTextFrame *frame, QString &out)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(child)) {
                for (int r = 0; r < table->rows(); ++r) {
                    QStringList cells;
                    for (int c = 0; c < table->columns(); ++c)
                        cells << cellText(table->cellAt(r, c));
                    out += cells.join(QLatin1Char('\t'));
                    out += QLatin1Char('\n');
                }
            } else {
                frameText(child, out);
            }
        } else if (it.currentBlock().isValid() && !structuralBlock(it)) {
            out += blockText(it.currentBlock(), false);
            out += QLatin1Char('\n');
        }
    }
}

} // namespace

QString plainText(const QTextDocument &document)
{
    QString out;
    frameText(document.rootFrame(), out);
    return out;
}

} // namespace rtf
