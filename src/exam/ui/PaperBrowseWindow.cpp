#include "exam/ui/PaperBrowseWindow.h"

#include "exam/ReviewActions.h"
#include "exam/ui/PaperWindowParts.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kStripHeight = 28;
constexpr int kGap = 6;

} // namespace

PaperBrowseWindow::PaperBrowseWindow(ReviewActions &actions, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_actions(actions)
{
    setObjectName(PaperBrowseWindowNames::window);
    setWindowTitle(QStringLiteral("试卷浏览"));
    setModal(true);
    theme::fill(this, theme::Colour::ReviewEdge);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kGap);
    QWidget *top = theme::paperPanel(this, QStringLiteral("browseTopStrip"));
    top->setFixedHeight(kStripHeight);
    column->addWidget(top);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kGap);
    column->addLayout(row, 1);

    // Left panel.
    m_leftPanel = theme::paperPanel(this, QStringLiteral("browseLeftPanel"));
    auto *left = new QVBoxLayout(m_leftPanel);
    left->setContentsMargins(16, 24, 12, 16);
    auto *title = new QLabel(QStringLiteral("我的答题情况："), m_leftPanel);
    title->setObjectName(QStringLiteral("browseTitle"));
    title->setFont(theme::font(theme::FontRole::PaperTitle));
    title->setWordWrap(true);
    title->setAlignment(Qt::AlignRight | Qt::AlignTop);
    theme::setTone(title, theme::Tone::Plain);
    left->addWidget(title);
    left->addStretch();
    row->addWidget(m_leftPanel);

    // The paper.
    m_view = new OutputView(this);
    m_view->setObjectName(QStringLiteral("browseView"));
    m_view->setDefaultFont(theme::font(theme::FontRole::PaperText));
    m_view->setFrameShape(QFrame::NoFrame);
    auto *copy = new QAction(QStringLiteral("复制到剪切板..."), this);
    copy->setObjectName(QStringLiteral("browseCopy"));
    connect(copy, &QAction::triggered, this, &PaperBrowseWindow::copyPaper);
    m_view->setContextActions({copy});
    row->addWidget(m_view, 1);

    // Right panel.
    m_rightPanel = theme::paperPanel(this, QStringLiteral("browseRightPanel"));
    auto *right = new QVBoxLayout(m_rightPanel);
    right->setContentsMargins(20, 24, 16, 24);
    right->addStretch();
    QPushButton *close = paperCloseButton(QStringLiteral("browseClose"), m_rightPanel);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    right->addWidget(close, 0, Qt::AlignLeft);
    row->addWidget(m_rightPanel);

    QWidget *bottom = theme::paperPanel(this, QStringLiteral("browseBottomStrip"));
    bottom->setFixedHeight(kStripHeight);
    column->addWidget(bottom);
}

void PaperBrowseWindow::setPlacement(int topPanelHeight, int answerPageWidth)
{
    m_topPanelHeight = std::max(0, topPanelHeight);
    m_answerPageWidth = std::max(0, answerPageWidth);
}

void PaperBrowseWindow::place()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int height = std::max(200, area.height() - m_topPanelHeight);
    // Without the main window's measure the text column takes three fifths.
    const int column = (m_answerPageWidth > 0 && m_answerPageWidth <= area.width())
                           ? m_answerPageWidth
                           : area.width() * 3 / 5;
    const int side = std::max(0, (area.width() - column) / 2 - kGap);
    m_leftPanel->setFixedWidth(side);
    m_rightPanel->setFixedWidth(std::max(0, area.width() - column - side - 2 * kGap));
    setGeometry(area.x(), area.y(), area.width(), height);
}

void PaperBrowseWindow::setPaper(const StyledText &lines)
{
    m_view->setLines(lines);
    m_view->scrollToTop();
}

void PaperBrowseWindow::showPaper(const StyledText &lines)
{
    place();
    setPaper(lines);
    exec();
}

void PaperBrowseWindow::copyPaper()
{
    m_actions.copy(m_view->lines());
}
