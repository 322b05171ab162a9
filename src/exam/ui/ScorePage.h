#pragma once

#include "practice/RunDisplay.h"

#include <QLatin1StringView>
#include <QWidget>

class LinkLabel;
class PracticeSession;
class QLabel;
class QPushButton;

// The object names by which tests and stored layouts find the controls.
struct ScorePageNames
{
    static constexpr QLatin1StringView page{"TabSheet7"};
    static constexpr QLatin1StringView redoButton{"Button13"};
    static constexpr QLatin1StringView reviewButton{"Button4"};
    static constexpr QLatin1StringView logLink{"Label62"};
};

// The score page "即时得分信息", shown after the last question of a
// run: the objective result, the percentage, and the ways on from there.
class ScorePage : public QWidget
{
    Q_OBJECT

public:
    explicit ScorePage(PracticeSession &session, QWidget *parent = nullptr);

    void render(const RunDisplay &display);

    QLabel *scoreLine() const { return m_scoreLine; }
    QLabel *percentLine() const { return m_percent; }
    QLabel *noteLine() const { return m_note; }
    QPushButton *redoButton() const { return m_redo; }
    QPushButton *reviewButton() const { return m_review; }
    LinkLabel *logLink() const { return m_log; }

private:
    PracticeSession &m_session;
    QLabel *m_scoreLine = nullptr;
    QLabel *m_percent = nullptr;
    QLabel *m_note = nullptr;
    QPushButton *m_redo = nullptr;
    QPushButton *m_review = nullptr;
    LinkLabel *m_log = nullptr;
};
