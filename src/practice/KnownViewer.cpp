#include "practice/KnownViewer.h"

#include "base/GbkText.h"
#include "practice/KnownQuestions.h"

KnownViewer::KnownViewer(KnownQuestions &known, std::function<QString()> chapter, QObject *parent)
    : QObject(parent), m_known(known), m_chapter(std::move(chapter))
{
}

void KnownViewer::fill()
{
    m_listed = m_chapter();
    list();
}

void KnownViewer::list()
{
    const QList<QuestionRow> rows = m_known.knownOf(m_listed);
    m_display.countLabel = known::countLabel(static_cast<int>(rows.size()), m_listed);
    m_display.rows = known::gridRows(rows);
    ++m_display.rowsSerial;
    emit changed();
}

void KnownViewer::clickRow(int row)
{
    if (row < 0 || row >= m_display.rows.size())
        return;
    const QString id = text::trimmed(m_display.rows.at(row).id);
    if (id.isEmpty())
        return;
    m_selectedId = id;
    bool numeric = false;
    const qint64 questionId = id.toLongLong(&numeric);
    const std::optional<QuestionRow> question =
        numeric ? m_known.find(questionId) : std::optional<QuestionRow>();
    m_display.detail = question ? known::detail(*question, row + 1) : known::missingDetail();
    ++m_display.detailSerial;
    emit changed();
}

void KnownViewer::restoreOne()
{
    if (m_known.restoreOne(m_selectedId))
        refillAfterRestore();
}

void KnownViewer::restoreAll()
{
    if (m_known.restoreChapter(m_listed))
        refillAfterRestore();
}

void KnownViewer::refillAfterRestore()
{
    list();
    if (const std::optional<QString> figure = m_known.chapterFigure(m_chapter()))
        emit figureChanged(*figure);
}
