#include "exam/ui/QuotaCommands.h"

#include "base/Selection.h"
#include "exam/ui/QuotaPage.h"
#include "widgets/LinkLabel.h"
#include "widgets/MainFrame.h"

#include <QEvent>
#include <QLabel>

QuotaCommands::QuotaCommands(MainFrame &frame, QuotaPage &page, PageHandle pageHandle,
                             const Selection &selection, QObject *parent)
    : QObject(parent), m_frame(frame), m_page(page), m_pageHandle(pageHandle),
      m_selection(selection)
{
    m_settings = new LinkLabel(QStringLiteral("模拟考试抽题设置"));
    m_settings->setObjectName(QuotaCommandsNames::settingsLink);
    m_settings->setMouseTracking(true);
    m_settings->installEventFilter(this);
    m_figure = new QLabel(QStringLiteral("已抽题数:"));
    m_figure->setObjectName(QuotaCommandsNames::figure);
    theme::setTone(m_figure, theme::Tone::Count);
    m_redraw = new LinkLabel(QStringLiteral("重新抽题"));
    m_redraw->setObjectName(QuotaCommandsNames::redrawLink);
    m_frame.addCommand(MainFrame::CommandGroup::Exam, m_settings);
    m_frame.addCommand(MainFrame::CommandGroup::Exam, m_figure);
    m_frame.addCommand(MainFrame::CommandGroup::Exam, m_redraw);
    connect(m_settings, &LinkLabel::clicked, this, [this] { openPage(); });
    connect(m_redraw, &LinkLabel::clicked, this, &QuotaCommands::redraw);
}

void QuotaCommands::openPage()
{
    m_page.open();
    m_frame.showPage(m_pageHandle);
}

void QuotaCommands::openPage(qint64 bankId)
{
    m_page.open(bankId);
    m_frame.showPage(m_pageHandle);
}

void QuotaCommands::redraw()
{
    const QuotaSetup &setup = m_page.setup();
    const bool pageBank = m_frame.isShown(m_pageHandle) && setup.bankId() != 0;
    const qint64 bank = pageBank ? setup.bankId() : m_selection.bankId();
    const QString name = pageBank ? setup.bankName() : m_selection.bankName();
    if (m_page.setup().redraw(bank, name) == QuotaSetup::Redraw::NoQuotas)
        openPage(bank);
    else
        m_page.refreshTable();
}

bool QuotaCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_settings &&
        (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
        m_figure->setText(m_page.setup().bankTotalFigure(m_selection.bankId()));
    return QObject::eventFilter(watched, event);
}
