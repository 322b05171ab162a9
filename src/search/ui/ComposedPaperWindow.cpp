#include "search/ui/ComposedPaperWindow.h"

#include "search/PaperComposer.h"
#include "search/ui/OutputCommands.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ComposedPaperWindow::ComposedPaperWindow(PaperComposer &composer, OutputCommands &commands,
                                         QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_composer(composer),
      m_commands(commands)
{
    setObjectName(ComposedPaperWindowNames::window);
    setWindowTitle(QStringLiteral("组卷结果"));
    setWindowModality(Qt::ApplicationModal);

    QWidget *panel = theme::paperPanel(this, ComposedPaperWindowNames::panel);
    panel->setFixedWidth(160);
    auto *show = new QPushButton(QStringLiteral("显示组卷"), panel);
    show->setObjectName(ComposedPaperWindowNames::showButton);
    auto *close = new QPushButton(QStringLiteral("关闭"), panel);
    close->setObjectName(ComposedPaperWindowNames::closeButton);
    auto *left = new QVBoxLayout(panel);
    left->setContentsMargins(12, 16, 12, 16);
    left->setSpacing(10);
    left->addWidget(show);
    left->addWidget(close);
    left->addStretch();

    m_view = new OutputView(this);
    m_view->setObjectName(ComposedPaperWindowNames::paperView);
    m_commands.installMenu(
        *m_view, this, QStringLiteral("将本页内容复制到..."),
        [this] { m_commands.copy(*m_view, PaperComposer::copyNotice()); },
        QStringLiteral("组卷结果.pdf"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(m_view, 1);

    connect(show, &QPushButton::clicked, this, &ComposedPaperWindow::compose);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void ComposedPaperWindow::open()
{
    m_view->clearLines();
    showFullScreen();
    raise();
    activateWindow();
}

void ComposedPaperWindow::compose()
{
    m_view->clearLines();
    m_view->setLines(m_composer.compose());
    m_view->scrollToEnd();
}
