#pragma once

#include <QGroupBox>

class QLineEdit;

// The box of the examination settings on the quota page: the time in
// minutes and the most questions of a paper.
class QuotaExamBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit QuotaExamBox(QWidget *parent = nullptr);

    // The fields show these texts; a field already showing its text is left
    // alone, so that its cursor stays where the user typed.
    void showMinutes(const QString &text);
    void showQuestionLimit(const QString &text);

signals:
    void minutesEdited(const QString &text);
    void questionLimitEdited(const QString &text);

private:
    QLineEdit *m_minutes = nullptr;
    QLineEdit *m_limit = nullptr;
};
