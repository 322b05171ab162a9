#include "editor/ui/QuestionPages.h"

#include "editor/ui/QuestionPage.h"

#include <QStackedWidget>

QuestionPages::QuestionPages(QuestionEditor &editor, QStackedWidget *stack)
    : QObject(stack), m_editor(editor)
{
    for (int i = 0; i < 10; ++i) {
        const int type = i % 5 + 1;
        const bool entry = i < kFirstCorrection;
        auto *page = new QuestionPage(type, entry ? DraftForm::Entry : DraftForm::Correction);
        page->setObjectName(QStringLiteral("%1Page%2")
                                .arg(entry ? QStringLiteral("entry") : QStringLiteral("correction"))
                                .arg(type));
        m_pages[static_cast<size_t>(i)] = page;
        stack->addWidget(page);
        if (entry)
            connect(page, &QuestionPage::saveRequested, this, [this, page] { save(page); });
        else
            connect(page, &QuestionPage::saveRequested, this, [this, page] { confirm(page); });
    }
}

QuestionPage *QuestionPages::page(int index) const
{
    return index >= 0 && index < 10 ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int QuestionPages::openEntry(int type)
{
    if (m_editor.requireChapter() != QuestionEditor::Outcome::Done) {
        emit noChapter();
        return -1;
    }
    const int index = kFirstEntry + type - 1;
    page(index)->prepare();
    return index;
}

int QuestionPages::openCorrection(const QuestionRow &question)
{
    const int index = kFirstCorrection + question.type - 1;
    QuestionPage *correction = page(index);
    correction->setCorrectionId(question.id);
    correction->load(question);
    return index;
}

void QuestionPages::save(QuestionPage *page)
{
    // The single-choice and fill-in pages clear their status before checking.
    if (page->type() == 1 || page->type() == 3)
        page->setStatus(QString());
    switch (m_editor.save(page->draft())) {
    case QuestionEditor::Outcome::ResetPoints:
        page->setPoints(draft::kDefaultPoints);
        break;
    case QuestionEditor::Outcome::Done:
        page->reset();
        page->setStatus(QuestionEditor::kSaved);
        emit questionsChanged();
        break;
    case QuestionEditor::Outcome::NoChapter:
        emit noChapter();
        break;
    default:
        break;
    }
}

void QuestionPages::confirm(QuestionPage *page)
{
    if (m_editor.confirmCorrection(page->draft()) != QuestionEditor::Outcome::Done)
        return;
    page->reset();
    page->setStatus(page->type() == 1 ? QuestionEditor::kSaved : QuestionEditor::kCorrected);
}
