#include "exam/PracticeLog.h"

#include "store/Sql.h"

#include <QSqlQuery>
#include <algorithm>

namespace {

StyledSpan logSpan(const QString &text, unsigned color, bool bold = false)
{
    StyledSpan span;
    span.text = text;
    span.color = color;
    span.bold = bold;
    span.family = FontFamily::Song;
    span.pointSize = 11;
    return span;
}

} // namespace

PracticeLog::PracticeLog(const QSqlDatabase &db) : m_db(db) {}

QString PracticeLog::info(int mode, const QString &chapterLabel, int setIndex)
{
    switch (mode) {
    case Sequential:
        return QStringLiteral("[练习模式]-[") + chapterLabel + QStringLiteral("]第【") +
               QString::number(setIndex + 1) + QStringLiteral("】套");
    case Random:
        return QStringLiteral("[随机模式]-[") + chapterLabel + QLatin1Char(']');
    case MockExam:
        return QStringLiteral("[模拟考试]-[") + chapterLabel + QLatin1Char(']');
    default:
        return QString();
    }
}

QString PracticeLog::dateText(const QString &stored)
{
    const QDateTime when = QDateTime::fromString(stored, Qt::ISODate);
    if (!when.isValid())
        return stored;
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

void PracticeLog::append(int mode, const QString &chapterLabel, int setIndex, int fen,
                         const QDateTime &now)
{
    // A null text would bind as NULL; the column wants an empty text.
    QString text = info(mode, chapterLabel, setIndex);
    if (text.isNull())
        text = QStringLiteral("");
    sql::run(m_db, QStringLiteral("INSERT INTO log (date, fen, info) VALUES (?, ?, ?)"),
             {now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")), fen, text});
}

void PracticeLog::trim()
{
    sql::run(m_db,
             QStringLiteral("DELETE FROM log WHERE id NOT IN "
                            "(SELECT id FROM log ORDER BY id DESC LIMIT ?)"),
             {kKept});
}

void PracticeLog::deleteAll()
{
    sql::run(m_db, QStringLiteral("DELETE FROM log"));
}

int PracticeLog::count() const
{
    return static_cast<int>(sql::scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM log")));
}

StyledText PracticeLog::listRecent() const
{
    struct Row
    {
        QString date;
        int fen;
        QString info;
    };
    QList<Row> rows;
    {
        QSqlQuery query = sql::run(
            m_db, QStringLiteral("SELECT date, fen, info FROM log ORDER BY id DESC LIMIT ?"),
            {kListed});
        while (query.next())
            rows.append(
                {query.value(0).toString(), query.value(1).toInt(), query.value(2).toString()});
    }
    std::reverse(rows.begin(), rows.end());

    StyledText lines;
    lines.reserve(rows.size() * 2);
    int number = 0;
    for (const Row &row : rows) {
        ++number;
        lines.append(trimmedLine(StyledLine{{logSpan(QString(), rgb::kBlack)}}));
        StyledLine line;
        line.spans.append(logSpan(QLatin1Char('[') + QString::number(number) +
                                      QStringLiteral("].") + row.info + QLatin1Char('[') +
                                      dateText(row.date) + QLatin1Char(']'),
                                  rgb::kBlack));
        line.spans.append(
            logSpan(QStringLiteral("  得分:") + QString::number(row.fen), rgb::kRed, true));
        lines.append(trimmedLine(line));
    }
    return lines;
}
