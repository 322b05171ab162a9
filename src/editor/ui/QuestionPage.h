#pragma once

#include "editor/DraftRules.h"
#include "question/AnswerForm.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QWidget>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// One page of the editor for one question type: an entry page ("保存",
// "自动填写", a score) or a correction page ("确定"). It shows and collects
// the fields; the editor decides what happens to them.
class QuestionPage : public QWidget
{
    Q_OBJECT

public:
    QuestionPage(int type, DraftForm form, QWidget *parent = nullptr);

    int type() const { return question::code(m_type); }
    DraftForm form() const { return m_form; }

    QuestionDraft draft() const;
    // On opening the page: status and auto-fill lines cleared, one-and-a-half
    // line spacing in the text boxes.
    void prepare();
    // After a successful write: the fields emptied, the answer controls
    // cleared with grey captions; the score stays.
    void reset();
    void setStatus(const QString &text);
    void setPoints(const QString &points);
    // A stored question into the correction page.
    void load(const QuestionRow &question);
    // The correction page of single-choice questions shows the id it corrects.
    void setCorrectionId(qint64 id);
    // Splits the stem box's text into the page's fields.
    void autoFill();

signals:
    void saveRequested();

private:
    void buildAnswer(QWidget *area);
    void colourAnswers(QAbstractButton *clicked);
    void setCaptionColour(QAbstractButton *button, theme::Colour colour);
    void setOneAndAHalfSpacing(QTextEdit *box);
    void setTrueFalse(bool correct);
    // Neither answer control ticked, the captions grey.
    void clearChoices();

    QuestionType m_type;
    DraftForm m_form;
    QTextEdit *m_stem = nullptr;
    std::array<QLineEdit *, answer::kOptionCount> m_options{};
    std::array<QAbstractButton *, answer::kOptionCount> m_choices{}; // radios or check boxes A … D
    QButtonGroup *m_group = nullptr;
    QAbstractButton *m_true = nullptr;
    QAbstractButton *m_false = nullptr;
    QLineEdit *m_fillIn = nullptr;
    QTextEdit *m_essay = nullptr;
    QLineEdit *m_points = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_fillNotice = nullptr;   // red
    QLabel *m_reviewNotice = nullptr; // blue, true/false only
    QLabel *m_correctionId = nullptr;
};
