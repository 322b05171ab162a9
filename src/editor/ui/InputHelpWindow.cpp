#include "editor/ui/InputHelpWindow.h"

#include "editor/InputHelp.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

InputHelpWindow::InputHelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(InputHelpWindowNames::window);
    setWindowTitle(QStringLiteral("试题输入帮助"));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    QWidget *top = theme::paperPanel(this);
    top->setFixedHeight(kTopHeight);
    outer->addWidget(top);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(0);
    m_spacer = theme::paperPanel(this);
    m_spacer->setObjectName(QStringLiteral("leftSpacer"));
    middle->addWidget(m_spacer);
    m_view = new OutputView(this);
    m_view->setObjectName(QStringLiteral("helpText"));
    m_view->setFixedWidth(kTextWidth);
    m_view->setDefaultFont(theme::font(theme::FontRole::PaperText));
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    middle->addWidget(m_view);
    QWidget *right = theme::paperPanel(this);
    auto *rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(20, 10, 10, 10);
    auto *close = new QPushButton(QStringLiteral("关闭窗口"), right);
    close->setObjectName(QStringLiteral("close"));
    close->setFixedSize(100, 30);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    rightColumn->addWidget(close, 0, Qt::AlignLeft | Qt::AlignTop);
    rightColumn->addStretch();
    middle->addWidget(right, 1);
    outer->addLayout(middle, 1);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    outer->addWidget(status);
}

void InputHelpWindow::open()
{
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 1366, 768);
    // The spacer centres the text column on the screen.
    m_spacer->setFixedWidth(std::max(0, (screen.width() - kTextWidth) / 2));
    m_view->clearLines();
    m_view->setLines(inputhelp::lines());
    m_view->scrollToTop();
    standAbove(QApplication::activeModalWidget());
    // The whole screen from its top-left corner, also where no window
    // manager maximises it.
    setGeometry(screen);
    showMaximized();
    raise();
    activateWindow();
}

void InputHelpWindow::standAbove(QWidget *modal)
{
    // The editor that opens the help is modal and would block every other
    // window: the help belongs to it instead, above it, and so takes clicks,
    // the wheel and keys while the editor stays open.
    if (!modal || modal == this)
        return;
    QWindow *own = windowHandle();
    if (!own) {
        winId();
        own = windowHandle();
    }
    if (!modal->windowHandle())
        modal->winId();
    if (own && own->transientParent() != modal->windowHandle())
        own->setTransientParent(modal->windowHandle());
}

void InputHelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
