#include "exam/ui/KnownBar.h"

#include "exam/ui/ChapterPage.h"
#include "exam/ui/RunDesk.h"
#include "practice/ui/KnownViewerWindow.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"
#include "widgets/Theme.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>

namespace {

// Calls back when the pointer enters or leaves the watched widget.
class HoverWatch : public QObject
{
public:
    HoverWatch(QObject *parent, std::function<void(bool)> hovered)
        : QObject(parent), m_hovered(std::move(hovered))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter)
            m_hovered(true);
        else if (event->type() == QEvent::Leave)
            m_hovered(false);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(bool)> m_hovered;
};

} // namespace

KnownBar::KnownBar(MainFrame &frame, const DeskServices &services, RunDesk &desk, QObject *parent)
    : QObject(parent), m_desk(desk), m_known(services.db, services.notifier),
      m_viewer(m_known, [&desk] { return desk.session().frame().chapter; })
{
    buildItems(frame);
    m_window = std::make_unique<KnownViewerWindow>(m_viewer);
    m_window->hide();

    connect(m_view, &LinkLabel::clicked, this, &KnownBar::viewerRequested);
    connect(this, &KnownBar::viewerRequested, m_window.get(), &KnownViewerWindow::open);
    // Closing the viewer drops a pending automatic move of the main window.
    connect(m_window.get(), &KnownViewerWindow::closed, this,
            [this] { m_desk.run().cancelAutomaticMove(); });
    connect(m_mark, &LinkLabel::clicked, this, &KnownBar::markKnown);
    connect(&m_viewer, &KnownViewer::figureChanged, this, &KnownBar::setFigure);
    connect(desk.chapterPage(), &ChapterPage::restoreRequested, this, &KnownBar::restoreBank);
    connect(&desk, &RunDesk::rendered, this, &KnownBar::render);
    render();
}

KnownBar::~KnownBar() = default;

// The items of the bottom bar, in this order: "【查看】", "【此题会做不练习】"
// with the caption "【会做自动填入答案】" under it, and the known figure. The
// pointer over either command makes the three fuchsia texts bold and
// underlined.
void KnownBar::buildItems(MainFrame &frame)
{
    const QColor fuchsia = theme::colour(theme::Colour::KnownFigure);
    const auto command = [&](const QString &text, QLatin1StringView name) {
        auto *link = new LinkLabel(text);
        link->setObjectName(name);
        link->setFont(cjk::hei(14));
        link->setLook(fuchsia, false, fuchsia, true);
        return link;
    };
    m_view = command(QStringLiteral("【查看】"), KnownBarNames::viewCommand);
    m_view->setToolTip(QStringLiteral("查看标记为会做的试题，可以恢复练习"));
    frame.addRunBarItem(m_view);
    // The mark command with the caption under it: beside the legend, the hand-in
    // hint and Prior and Next, the bar has no room for the two side by side.
    auto *markStack = new QWidget;
    markStack->setObjectName(QStringLiteral("KnownMarkStack"));
    auto *stack = new QVBoxLayout(markStack);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    m_mark = command(QStringLiteral("【此题会做不练习】"), KnownBarNames::markCommand);
    m_mark->setToolTip(QStringLiteral("本题标记为会做，以后顺序练习不再出现"));
    stack->addWidget(m_mark);
    m_fillCaption = new QLabel(QStringLiteral("【会做自动填入答案】"));
    m_fillCaption->setObjectName(QStringLiteral("LabelKnownFill"));
    m_fillCaption->setFont(cjk::hei(12));
    theme::setTone(m_fillCaption, theme::Tone::KnownFigure);
    stack->addWidget(m_fillCaption);
    frame.addRunBarItem(markStack);

    m_figure = new QLabel;
    m_figure->setObjectName(QStringLiteral("LabelKnownFigure"));
    m_figure->setFont(cjk::hei(14, true));
    theme::setTone(m_figure, theme::Tone::KnownFigure);
    m_figure->setToolTip(QStringLiteral("会做的题数/总题数"));
    frame.addRunBarItem(m_figure, 1);

    auto *watch = new HoverWatch(this, [this](bool hovered) {
        for (QLabel *label :
             {static_cast<QLabel *>(m_view), static_cast<QLabel *>(m_mark), m_fillCaption}) {
            QFont f = label->font();
            f.setBold(hovered);
            f.setUnderline(hovered);
            label->setFont(f);
        }
    });
    m_view->installEventFilter(watch);
    m_mark->installEventFilter(watch);
}

void KnownBar::markKnown()
{
    if (const std::optional<QString> figure =
            m_known.markShown(m_desk.run(), m_desk.beeper(), m_desk.session().frame().chapter))
        setFigure(*figure);
}

// The chapter page's restore link: the whole bank back to practise, then
// sequential practice of the chapter starts anew with the new division.
void KnownBar::restoreBank()
{
    if (m_known.restoreBank(m_desk.session().frame().chapter))
        m_desk.session().startSequential(0);
}

void KnownBar::setFigure(const QString &figure)
{
    m_desk.sequential().setKnownFigure(figure);
    m_desk.render();
}

void KnownBar::render()
{
    m_figure->setText(m_desk.sequential().page().knownFigure);
    const bool shown = m_desk.session().frame().knownCommandVisible;
    m_mark->setVisible(shown);
    m_fillCaption->setVisible(shown);
}
