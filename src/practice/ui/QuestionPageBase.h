#pragma once

#include "practice/RunDisplay.h"
#include "question/QuestionType.h"

#include <QStringList>
#include <QWidget>

class AnswerMark;
class PracticeRun;
class QHBoxLayout;
class QLabel;
class QTextEdit;
class RevealPanel;

// What the five answer pages share: the question view (宋体 15 px, black on
// white) with the picture box at its top right, a row of answer controls
// below it and the reveal panel "查看答案" at the right of that row. Each page
// renders the run's display and forwards the user's actions to the run.
class QuestionPageBase : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPictureSize = 130;

    // page is the display page the question view follows.
    QuestionPageBase(PracticeRun &run, QuestionType type, RunDisplay::Page page,
                     QWidget *parent = nullptr);

    virtual void render(const RunDisplay &display);

    int typeCode() const { return question::code(m_type); }
    QTextEdit *questionView() const { return m_view; }
    QLabel *pictureBox() const { return m_picture; }

    // The face of a picture button: the text on a rounded, shaded plate.
    static QPixmap buttonFace(const QString &text, const QColor &plate, const QSize &size);

protected:
    // The widget that holds the page's own answer controls.
    QWidget *controlsArea() const { return m_controls; }
    // "选择：" with a label for the chosen answer (red, bold, italic) in row.
    QLabel *addChosenLabel(QHBoxLayout *row);
    // The answer pages that judge at once (single choice, true/false): the
    // chosen label followed by the right and wrong marks, both hidden.
    struct MarkedChoice
    {
        QLabel *chosen = nullptr;
        AnswerMark *right = nullptr;
        AnswerMark *wrong = nullptr;

        void show(const QString &chosenText, const RunDisplay &display) const;
    };
    MarkedChoice addMarkedChoice(QHBoxLayout *row);
    // Gives the controls row a fixed height (the view takes the rest).
    void setControlsHeight(int height);
    bool eventFilter(QObject *watched, QEvent *event) override;

    PracticeRun &m_run;

private:
    void showLines(const QStringList &lines, int lineSpacing);
    void showPicture(const QString &path);
    void placePicture();
    void applyTextMargin();

    QuestionType m_type;
    RunDisplay::Page m_page;
    QTextEdit *m_view = nullptr;
    QLabel *m_picture = nullptr;
    QWidget *m_controls = nullptr;
    RevealPanel *m_reveal = nullptr;
    QStringList m_lines;
    int m_lineSpacing = 0;
    bool m_linesShown = false;
    QString m_picturePath;
};
