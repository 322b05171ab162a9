#pragma once

#include "search/PaperComposer.h"

#include <QSqlDatabase>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The composition page of the main window: per question type the count in
// scope, the score field and the slider of how many to draw, the selected
// and the target total, "改分" and "确定". The decisions are the composer's;
// the page shows its state and forwards what the user does.
class CompositionPage : public QWidget
{
    Q_OBJECT

public:
    CompositionPage(QSqlDatabase db, Notifier &notifier, RandomSource &random,
                    QWidget *parent = nullptr);

    PaperComposer &composer() { return m_composer; }
    // Opens the page for the scope; the caller shows it.
    void open(PaperComposer::Scope scope, const QString &chapterName, const QString &bankName);
    // The bank chosen in the picker, which "改分" rewrites.
    void setBankSource(std::function<QString()> bankName) { m_bankName = std::move(bankName); }

    QSlider *slider(int type) const { return m_rows[static_cast<size_t>(type - 1)].slider; }
    QLineEdit *scoreField(int type) const { return m_rows[static_cast<size_t>(type - 1)].score; }
    QLineEdit *targetField() const { return m_target; }

signals:
    // "确定" accepted: "组卷结果" opens.
    void paperRequested();

private:
    struct Row
    {
        QLabel *label = nullptr;
        QLineEdit *available = nullptr;
        QLabel *unit = nullptr;
        QLineEdit *score = nullptr;
        QSlider *slider = nullptr;
        QLabel *drawn = nullptr;
        QLabel *maximum = nullptr;
    };

    void showState();
    void confirm();

    PaperComposer m_composer;
    std::function<QString()> m_bankName;
    std::array<Row, 5> m_rows;
    QLineEdit *m_total = nullptr;
    QLineEdit *m_selected = nullptr;
    QLineEdit *m_target = nullptr;
    QLabel *m_successLine = nullptr;
    QLabel *m_scoreLine = nullptr;
    QLabel *m_bankLine = nullptr;
    QPushButton *m_rewrite = nullptr;
    bool m_showing = false;
};
