#pragma once

#include "exam/QuotaSetup.h"
#include "question/QuestionType.h"

#include <QGroupBox>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

// The box of the chapter being edited on the quota page: its name, per type
// the count of its questions and the quota list, the sum of the quotas, the
// chapter's score and its question count.
class QuotaChapterBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit QuotaChapterBox(QWidget *parent = nullptr);

    // The chapter being edited: its name (cut to fit, the whole name its
    // tip), its count line and a row per type, hidden for a type the chapter
    // does not hold; then the sum.
    void showChapter(const QuotaSetup &setup);
    // The sum of the chosen quotas, also as the chapter's score.
    void showSum(int sum);

    QComboBox *quotaList(QuestionType type) const { return m_rows[question::indexOf(type)].quota; }

signals:
    void quotaChosen(int type, int index);

private:
    struct TypeRow
    {
        QLabel *caption = nullptr;
        QLineEdit *count = nullptr;
        QComboBox *quota = nullptr;
        QLabel *unit = nullptr;
    };

    QLabel *m_chapterName = nullptr;
    QLabel *m_chapterCount = nullptr;
    std::array<TypeRow, QuotaSetup::kTypes> m_rows;
    QLineEdit *m_sum = nullptr;
    QLineEdit *m_score = nullptr;
};
