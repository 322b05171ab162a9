#include "reference/ui/AboutBox.h"

#include "reference/MemoryStatus.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel *line(const QString &text, QWidget *parent, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    return label;
}

} // namespace

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(AboutBoxNames::window);
    setWindowTitle(QStringLiteral("关于..."));
    // Modal to the whole program: it has no parent window to be modal to, and
    // the main window takes no click while it is up.
    setWindowModality(Qt::ApplicationModal);
    const QFont text = theme::font(theme::FontRole::AboutText);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    QWidget *strip = theme::paperPanel(this);
    strip->setObjectName(AboutBoxNames::topStrip);
    strip->setFixedWidth(16);
    outer->addWidget(strip);

    QWidget *panel = theme::paperPanel(this);
    panel->setObjectName(AboutBoxNames::panel);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(12, 16, 20, 14);
    column->setSpacing(6);

    auto *head = new QHBoxLayout;
    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(48, 48));
    head->addWidget(icon, 0, Qt::AlignTop);
    auto *titles = new QVBoxLayout;
    auto *title = line(QStringLiteral("Quizmora"), panel, theme::font(theme::FontRole::AboutTitle));
    title->setObjectName(QStringLiteral("ProductName"));
    titles->addWidget(title);
    auto *version = line(QStringLiteral("版本：") + QStringLiteral("V3.6"), panel, text);
    version->setObjectName(QStringLiteral("Version"));
    titles->addWidget(version);
    head->addLayout(titles, 1);
    column->addLayout(head);

    auto *rule = new QFrame(panel);
    rule->setObjectName(AboutBoxNames::rule);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    column->addWidget(rule);

    auto *figures = new QGridLayout;
    figures->setHorizontalSpacing(10);
    figures->setVerticalSpacing(4);
    const auto figure = [&](int row, const QString &caption, const char *name) {
        figures->addWidget(line(caption, panel, text), row, 0);
        QLabel *value = line(QString(), panel, text);
        value->setObjectName(QString::fromLatin1(name));
        figures->addWidget(value, row, 1);
        return value;
    };
    m_load = figure(0, QStringLiteral("内存使用百分比："), "MemoryLoad");
    m_total = figure(1, QStringLiteral("总物理内存(M字节):"), "PhysicalTotal");
    m_available = figure(2, QStringLiteral("未使用物理内存(M字节):"), "PhysicalAvailable");
    m_swap = figure(3, QStringLiteral("可用虚拟内存大小(M字节)："), "SwapAvailable");
    figures->setColumnStretch(1, 1);
    column->addLayout(figures);

    auto *owner = new QLineEdit(QStringLiteral("本软件使用权属于：电力安全培训中心"), panel);
    owner->setObjectName(AboutBoxNames::ownerLine);
    owner->setReadOnly(true);
    owner->setFont(theme::font(theme::FontRole::AboutOwner));
    column->addSpacing(6);
    column->addWidget(owner);

    auto *ok = new QPushButton(QStringLiteral("确定"), panel);
    ok->setObjectName(AboutBoxNames::okButton);
    ok->setFixedSize(80, 28);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    column->addWidget(ok, 0, Qt::AlignRight);
    outer->addWidget(panel, 1);
    setFixedSize(400, 300);
}

void AboutBox::fill(const MemoryStatus &memory)
{
    m_load->setText(memory.loadText());
    m_total->setText(memory.totalText());
    m_available->setText(memory.availableText());
    m_swap->setText(memory.freeSwapText());
}

void AboutBox::open(const MemoryStatus &memory)
{
    fill(memory);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Not QDialog::open(): that makes the box modal to its parent only.
    show();
}
