#include "search/ui/ComposedPaperWindow.h"

#include "search/PaperComposer.h"
#include "search/ui/OutputCommands.h"
#include "widgets/OutputView.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ComposedPaperWindow::ComposedPaperWindow(PaperComposer &composer, OutputCommands &commands,
                                         QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_composer(composer),
      m_commands(commands)
{
    setObjectName(QStringLiteral("TForm18"));
    setWindowTitle(QStringLiteral("组卷结果"));
    setWindowModality(Qt::ApplicationModal);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    panel->setFixedWidth(160);
    auto *show = new QPushButton(QStringLiteral("显示组卷"), panel);
    show->setObjectName(QStringLiteral("Button1"));
    auto *close = new QPushButton(QStringLiteral("关闭"), panel);
    close->setObjectName(QStringLiteral("Button2"));
    auto *left = new QVBoxLayout(panel);
    left->setContentsMargins(12, 16, 12, 16);
    left->setSpacing(10);
    left->addWidget(show);
    left->addWidget(close);
    left->addStretch();

    m_view = new OutputView(this);
    m_view->setObjectName(QStringLiteral("RichEdit1"));
    auto *copyAction = new QAction(QStringLiteral("将本页内容复制到..."), this);
    copyAction->setObjectName(QStringLiteral("N2"));
    auto *printAction = new QAction(QStringLiteral("打印..."), this);
    auto *pdfAction = new QAction(QStringLiteral("导出PDF..."), this);
    m_view->setContextActions({copyAction, printAction, pdfAction});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(m_view, 1);

    connect(show, &QPushButton::clicked, this, &ComposedPaperWindow::compose);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(copyAction, &QAction::triggered, this,
            [this] { m_commands.copy(*m_view, PaperComposer::copyNotice()); });
    connect(printAction, &QAction::triggered, this, [this] { m_commands.print(*m_view, this); });
    connect(pdfAction, &QAction::triggered, this,
            [this] { m_commands.exportPdf(*m_view, QStringLiteral("组卷结果.pdf")); });
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
