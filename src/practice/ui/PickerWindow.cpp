#include "practice/ui/PickerWindow.h"

#include "base/Notifier.h"
#include "practice/ui/BackdropWindow.h"
#include "practice/ui/ChapterListDelegate.h"
#include "practice/ui/PylonEmblem.h"
#include "widgets/Theme.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

PickerWindow::PickerWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_picker(db), m_notifier(notifier)
{
    setObjectName(PickerWindowNames::window);
    setWindowTitle(QStringLiteral("Varnholt电力安规试题库"));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(theme::font(theme::FontRole::PageText));

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // White left panel: the emblem and the bank buttons.
    m_leftPanel = new QFrame(this);
    m_leftPanel->setObjectName(PickerWindowNames::bankPanel);
    theme::setPart(m_leftPanel, QStringLiteral("bankPanel"));
    m_leftPanel->setFixedWidth(244);
    auto *left = new QVBoxLayout(m_leftPanel);
    left->setContentsMargins(8, 12, 8, 10);
    left->setSpacing(6);
    auto *emblem = new PylonEmblem(m_leftPanel);
    emblem->setObjectName(PickerWindowNames::emblem);
    emblem->setFixedSize(196, 210);
    left->addWidget(emblem, 0, Qt::AlignHCenter);
    auto *banksCaption = new QLabel(QStringLiteral("试题库"), m_leftPanel);
    banksCaption->setFont(theme::font(theme::FontRole::PickerCaption));
    banksCaption->setObjectName(QStringLiteral("LabelBanksCaption"));
    theme::setPart(banksCaption, QStringLiteral("banksCaption"));
    theme::setTone(banksCaption, theme::Tone::PickerCaption);
    left->addWidget(banksCaption);

    auto *scroll = new QScrollArea(m_leftPanel);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    m_radioColumn = new QWidget;
    m_radioColumn->setObjectName(QStringLiteral("BankColumn"));
    theme::setPart(m_radioColumn, QStringLiteral("bankColumn"));
    m_radioLayout = new QVBoxLayout(m_radioColumn);
    m_radioLayout->setContentsMargins(6, 2, 2, 2);
    m_radioLayout->setSpacing(2);
    m_radioLayout->addStretch(1);
    scroll->setWidget(m_radioColumn);
    left->addWidget(scroll, 1);
    m_radioGroup = new QButtonGroup(this);
    m_radioGroup->setExclusive(true);
    row->addWidget(m_leftPanel);

    // Right: the counts strip and the chapter list.
    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    auto *strip = new QFrame(this);
    strip->setObjectName(PickerWindowNames::countsStrip);
    theme::setPart(strip, QStringLiteral("countsStrip"));
    strip->setFixedHeight(34);
    auto *stripRow = new QHBoxLayout(strip);
    stripRow->setContentsMargins(12, 0, 12, 0);
    auto *caption = new QLabel(QStringLiteral("双击选题："), strip);
    caption->setFont(theme::font(theme::FontRole::Caption));
    theme::setTone(caption, theme::Tone::PickerCaption);
    stripRow->addWidget(caption);
    m_counts = new QLabel(strip);
    m_counts->setObjectName(QStringLiteral("LabelCounts"));
    m_counts->setFont(theme::font(theme::FontRole::PickerCounts));
    theme::setTone(m_counts, theme::Tone::Count);
    stripRow->addWidget(m_counts, 1);
    right->addWidget(strip);

    m_list = new QListWidget(this);
    m_list->setObjectName(PickerWindowNames::chapterList);
    m_list->setFont(theme::font(theme::FontRole::ListText));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setToolTip(QStringLiteral("系统提示：双击选定试题分类"));
    m_list->viewport()->setCursor(Qt::PointingHandCursor);
    m_delegate = new ChapterListDelegate(m_list);
    m_list->setItemDelegate(m_delegate);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    right->addWidget(m_list, 1);
    row->addLayout(right, 1);

    m_leftPanel->installEventFilter(this);
    emblem->installEventFilter(this);
    m_radioColumn->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

void PickerWindow::openModal()
{
    if (isVisible())
        return;
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void PickerWindow::openOnTop()
{
    if (!isVisible()) {
        setWindowModality(Qt::NonModal);
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
    }
    raise();
    activateWindow();
}

void PickerWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshBanks();
    // The focus starts on the checked bank, so that the remembered chapter is
    // drawn as such until the user moves into the list.
    const int checked = m_picker.checkedPosition();
    if (checked >= 0 && checked < m_radios.size())
        m_radios.at(checked)->setFocus();
}

void PickerWindow::refreshBanks()
{
    m_picker.showBanks(m_notifier);

    for (QRadioButton *radio : std::as_const(m_radios)) {
        m_radioGroup->removeButton(radio);
        delete radio;
    }
    m_radios.clear();
    const QList<BankPicker::Bank> &banks = m_picker.banks();
    const int checked = m_picker.checkedPosition();
    for (int i = 0; i < banks.size(); ++i) {
        auto *radio = new QRadioButton(banks.at(i).name, m_radioColumn);
        radio->setObjectName(QString(PickerWindowNames::bankButtonPrefix) + QString::number(i + 1));
        radio->setEnabled(banks.at(i).enabled);
        radio->setChecked(i == checked);
        radio->setToolTip(banks.at(i).name);
        m_radioGroup->addButton(radio, i);
        m_radioLayout->insertWidget(i, radio);
        connect(radio, &QRadioButton::clicked, this, [this, i] { bankClicked(i); });
        m_radios << radio;
    }
    if (m_shownListing != m_picker.listingCount())
        fillList();
    m_counts->setText(m_picker.countsText());
    m_delegate->setRemembered(m_picker.rememberedItem());
    m_list->viewport()->update();
}

void PickerWindow::bankClicked(int position)
{
    if (m_picker.chooseBank(position, m_notifier))
        fillList();
    else
        m_counts->setText(m_picker.countsText());
}

void PickerWindow::fillList()
{
    m_list->clear();
    m_list->addItems(m_picker.itemTexts());
    m_shownListing = m_picker.listingCount();
    m_delegate->setRemembered(m_picker.rememberedItem());
    m_counts->setText(m_picker.countsText());
}

void PickerWindow::chooseAt(int position)
{
    const QString name = m_picker.doubleClick(position, m_notifier);
    m_delegate->setRemembered(m_picker.rememberedItem());
    m_list->viewport()->update();
    if (name.isEmpty())
        return;
    hide();
    if (m_backdrop)
        m_backdrop->showBackdrop();
    emit chapterChosen(name);
}

void PickerWindow::selectFirstItem()
{
    if (m_list->count() == 0)
        return;
    m_list->setCurrentRow(0);
    m_list->setFocus();
}

void PickerWindow::closeEvent(QCloseEvent *event)
{
    switch (m_picker.closeDecision()) {
    case BankPicker::CloseDecision::Hide:
        event->accept();
        return;
    case BankPicker::CloseDecision::Refuse:
        event->ignore();
        return;
    case BankPicker::CloseDecision::AskQuit:
        if (m_notifier.askYesNo(QStringLiteral("提示信息"), m_picker.closeQuestion(),
                                Notifier::Icon::Question)) {
            event->accept();
            emit quitRequested();
        } else {
            event->ignore();
        }
        return;
    }
}

bool PickerWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            const QModelIndex at = m_list->indexAt(mouse->position().toPoint());
            chooseAt(at.isValid() ? at.row() : m_list->currentRow());
            return true;
        }
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseAt(m_list->currentRow());
            return true;
        }
    }
    if ((watched == m_leftPanel || watched == m_radioColumn ||
         watched->objectName() == PickerWindowNames::emblem) &&
        event->type() == QEvent::MouseButtonPress) {
        selectFirstItem();
    }
    return QWidget::eventFilter(watched, event);
}
