#pragma once

#include "editor/QuestionEditor.h"

#include <QObject>
#include <array>

class QStackedWidget;
class QuestionPage;

// The editor's five entry pages and five correction pages, pages 0 … 9 of
// its page stack: opening an entry page, saving it, loading a question into
// its correction page and confirming the correction.
class QuestionPages : public QObject
{
    Q_OBJECT

public:
    static constexpr int kFirstEntry = 0;
    static constexpr int kFirstCorrection = 5;

    // Adds the ten pages to the stack, in their order.
    QuestionPages(QuestionEditor &editor, QStackedWidget *stack);

    QuestionPage *page(int index) const;
    // "单选输入" …: prepares the type's entry page and gives its index; -1
    // when no chapter is chosen (the editor has said so).
    int openEntry(int type);
    // "修改本小题": the question on the correction page of its type, whose
    // index is given.
    int openCorrection(const QuestionRow &question);

signals:
    // A question was added: the type counters changed.
    void questionsChanged();
    // No chapter is chosen: the window shows its empty page.
    void noChapter();

private:
    void save(QuestionPage *page);
    void confirm(QuestionPage *page);

    QuestionEditor &m_editor;
    std::array<QuestionPage *, 10> m_pages{};
};
