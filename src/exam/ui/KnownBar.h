#pragma once

#include "base/DeskServices.h"
#include "practice/KnownQuestions.h"
#include "practice/KnownViewer.h"

#include <QLatin1StringView>
#include <QObject>
#include <memory>

class KnownViewerWindow;
class LinkLabel;
class MainFrame;
class QLabel;
class RunDesk;

// The object names by which tests and stored layouts find the controls.
struct KnownBarNames
{
    static constexpr QLatin1StringView viewCommand{"Label65"};
    static constexpr QLatin1StringView markCommand{"Label127"};
};

// The known questions on the main window's bottom bar: "【查看】" opens the
// viewer "会做的试题查看", "【此题会做不练习】" marks the question on screen
// as known, with the caption "【会做自动填入答案】" under it, and the known
// figure of the chapter; the chapter page's restore link puts the whole bank
// back to practise.
class KnownBar : public QObject
{
    Q_OBJECT

public:
    KnownBar(MainFrame &frame, const DeskServices &services, RunDesk &desk,
             QObject *parent = nullptr);
    ~KnownBar() override;

    // What the viewer of known questions shows.
    KnownViewer &viewer() { return m_viewer; }
    KnownViewerWindow *viewerWindow() const { return m_window.get(); }
    LinkLabel *viewCommand() const { return m_view; }
    LinkLabel *markCommand() const { return m_mark; }
    QLabel *figureLabel() const { return m_figure; }
    QLabel *fillCaption() const { return m_fillCaption; }

signals:
    // "【查看】": the viewer is filled and shown.
    void viewerRequested();

private:
    void buildItems(MainFrame &frame);
    void markKnown();
    void restoreBank();
    void setFigure(const QString &figure);
    void render();

    RunDesk &m_desk;
    KnownQuestions m_known;
    KnownViewer m_viewer;
    std::unique_ptr<KnownViewerWindow> m_window;
    LinkLabel *m_view = nullptr;
    LinkLabel *m_mark = nullptr;
    QLabel *m_fillCaption = nullptr;
    QLabel *m_figure = nullptr;
};
