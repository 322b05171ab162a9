#pragma once

#include <QGroupBox>

class Notifier;
class QPushButton;
class QSpinBox;
class StudySettings;

// The settings page's box for the wrong-question book and the statistics:
// after how many right answers in a row a question leaves the book (1 … 5)
// and the pass mark in per cent. "保存" stores both at once; they count from
// then on, without a restart.
class StudySettingsBox : public QGroupBox
{
    Q_OBJECT

public:
    StudySettingsBox(const StudySettings &settings, Notifier &notifier, QWidget *parent = nullptr);

    // Shows the stored values.
    void refresh();

    QSpinBox *leaveAfterField() const { return m_leaveAfter; }
    QSpinBox *passMarkField() const { return m_passMark; }
    QPushButton *saveButton() const { return m_save; }

private:
    const StudySettings &m_settings;
    Notifier &m_notifier;
    QSpinBox *m_leaveAfter = nullptr;
    QSpinBox *m_passMark = nullptr;
    QPushButton *m_save = nullptr;
};
