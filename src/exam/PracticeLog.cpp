#include "exam/PracticeLog.h"

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

const QString PracticeLog::kNoScoreMark = QStringLiteral("[无客观题]");

PracticeLog::PracticeLog(const QSqlDatabase &db) : m_table(db) {}

QString PracticeLog::info(RunMode mode, const QString &chapterLabel, int setIndex)
{
    switch (mode) {
    case RunMode::SequentialSet:
        return QStringLiteral("[练习模式]-[") + chapterLabel + QStringLiteral("]第【") +
               QString::number(setIndex + 1) + QStringLiteral("】套");
    case RunMode::RandomPractice:
        return QStringLiteral("[随机模式]-[") + chapterLabel + QLatin1Char(']');
    case RunMode::MockExamination:
        return QStringLiteral("[模拟考试]-[") + chapterLabel + QLatin1Char(']');
    case RunMode::WrongBookPractice:
        return QStringLiteral("[错题练习]-[") + chapterLabel + QLatin1Char(']');
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

void PracticeLog::append(RunMode mode, const QString &chapterLabel, int setIndex,
                         std::optional<int> percentage, const QDateTime &now)
{
    const QString what = info(mode, chapterLabel, setIndex);
    m_table.append(now, percentage.value_or(0), percentage ? what : what + kNoScoreMark);
}

void PracticeLog::trim()
{
    m_table.keepNewest(kKept);
}

void PracticeLog::deleteAll()
{
    m_table.removeAll();
}

int PracticeLog::count() const
{
    return m_table.count();
}

StyledText PracticeLog::listRecent() const
{
    const QList<LogRow> rows = m_table.newest(kListed);
    StyledText lines;
    lines.reserve(rows.size() * 2);
    int number = 0;
    for (const LogRow &row : rows) {
        ++number;
        lines.append(trimmedLine(StyledLine{{logSpan(QString(), rgb::kBlack)}}));
        StyledLine line;
        line.spans.append(logSpan(QLatin1Char('[') + QString::number(number) +
                                      QStringLiteral("].") + row.info + QLatin1Char('[') +
                                      dateText(row.date) + QLatin1Char(']'),
                                  rgb::kBlack));
        line.spans.append(logSpan(QStringLiteral("  得分:") + (row.info.endsWith(kNoScoreMark)
                                                                   ? QStringLiteral("--")
                                                                   : QString::number(row.fen)),
                                  rgb::kRed, true));
        lines.append(trimmedLine(line));
    }
    return lines;
}
