#pragma once

#include "search/PaperComposer.h"

#include <QLatin1StringView>
#include <QSqlDatabase>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The object names by which tests and stored layouts find the controls.
struct CompositionPageNames
{
    static constexpr QLatin1StringView totalField{"Edit2"};
    static constexpr QLatin1StringView singleAvailable{"Edit3"};
    static constexpr QLatin1StringView multipleAvailable{"Edit4"};
    static constexpr QLatin1StringView fillInAvailable{"Edit5"};
    static constexpr QLatin1StringView trueFalseAvailable{"Edit6"};
    static constexpr QLatin1StringView essayAvailable{"Edit7"};
    static constexpr QLatin1StringView singleScore{"Edit8"};
    static constexpr QLatin1StringView multipleScore{"Edit9"};
    static constexpr QLatin1StringView fillInScore{"Edit10"};
    static constexpr QLatin1StringView trueFalseScore{"Edit11"};
    static constexpr QLatin1StringView essayScore{"Edit12"};
    static constexpr QLatin1StringView singleSlider{"TrackBar2"};
    static constexpr QLatin1StringView multipleSlider{"TrackBar3"};
    static constexpr QLatin1StringView fillInSlider{"TrackBar4"};
    static constexpr QLatin1StringView trueFalseSlider{"TrackBar5"};
    static constexpr QLatin1StringView essaySlider{"TrackBar6"};
    static constexpr QLatin1StringView singleDrawn{"Label110"};
    static constexpr QLatin1StringView multipleDrawn{"Label111"};
    static constexpr QLatin1StringView fillInDrawn{"Label112"};
    static constexpr QLatin1StringView trueFalseDrawn{"Label113"};
    static constexpr QLatin1StringView essayDrawn{"Label114"};
    static constexpr QLatin1StringView singleMaximum{"Label100"};
    static constexpr QLatin1StringView multipleMaximum{"Label101"};
    static constexpr QLatin1StringView fillInMaximum{"Label102"};
    static constexpr QLatin1StringView trueFalseMaximum{"Label103"};
    static constexpr QLatin1StringView essayMaximum{"Label104"};
    static constexpr QLatin1StringView selectedField{"Edit13"};
    static constexpr QLatin1StringView targetField{"Edit14"};
    static constexpr QLatin1StringView successLine{"Label115"};
    static constexpr QLatin1StringView unlockButton{"SpeedButton8"};
    static constexpr QLatin1StringView rewriteButton{"SpeedButton7"};
    static constexpr QLatin1StringView scoreLine{"Label109"};
    static constexpr QLatin1StringView bankLine{"Label135"};
    static constexpr QLatin1StringView confirmButton{"Button5"};
};

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
