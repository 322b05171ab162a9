#include "exam/ui/MockPaperWindow.h"

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

MockPaperWindow::MockPaperWindow(ReviewActions &actions, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_actions(actions)
{
    setObjectName(MockPaperWindowNames::window);
    setWindowTitle(QStringLiteral("模拟考试一章试题查看"));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_leftPanel = theme::paperPanel(this, QStringLiteral("mockPaperLeftPanel"));
    auto *left = new QVBoxLayout(m_leftPanel);
    left->setContentsMargins(16, 24, 12, 16);
    auto *caption = new QLabel(QStringLiteral("先查看模拟考试试题："), m_leftPanel);
    caption->setObjectName(MockPaperWindowNames::caption);
    caption->setFont(theme::font(theme::FontRole::PaperTitle));
    theme::setTone(caption, theme::Tone::Plain);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    left->addWidget(caption);
    left->addStretch();
    row->addWidget(m_leftPanel);

    m_view = new OutputView(this);
    m_view->setObjectName(MockPaperWindowNames::paperView);
    m_view->setDefaultFont(theme::font(theme::FontRole::PaperText));
    m_view->setFrameShape(QFrame::NoFrame);
    m_copy = new QAction(QStringLiteral("此页面试题另存为...."), this);
    m_copy->setObjectName(MockPaperWindowNames::copyAction);
    connect(m_copy, &QAction::triggered, this, [this] {
        m_view->selectAll();
        m_actions.copy(m_view->lines());
    });
    m_view->setContextActions({m_copy});
    row->addWidget(m_view, 1);

    m_rightPanel = theme::paperPanel(this, QStringLiteral("mockPaperRightPanel"));
    auto *right = new QVBoxLayout(m_rightPanel);
    right->setContentsMargins(20, 24, 16, 24);
    right->addStretch();
    QPushButton *close = paperCloseButton(MockPaperWindowNames::closeButton, m_rightPanel);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    right->addWidget(close, 0, Qt::AlignLeft);
    row->addWidget(m_rightPanel);
}

void MockPaperWindow::setAnswerPageWidth(int width)
{
    m_answerPageWidth = std::max(0, width);
}

int MockPaperWindow::leftPanelWidth(int screenWidth, int answerPageWidth)
{
    return std::max(0, screenWidth - answerPageWidth) / 2;
}

void MockPaperWindow::place()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int side = leftPanelWidth(area.width(), m_answerPageWidth);
    // The right panel mirrors the left, so the paper is as wide as the answer pages.
    m_leftPanel->setFixedWidth(side);
    m_rightPanel->setFixedWidth(std::max(side, 140));
    // Maximised over the whole screen, also where no window manager maximises.
    setGeometry(area);
}

void MockPaperWindow::showPaper(const StyledText &lines)
{
    place();
    m_view->setLines(lines);
    m_view->scrollToTop();
    showMaximized();
    raise();
    activateWindow();
}
