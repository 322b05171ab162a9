#include "app/ui/WorkerChooser.h"

#include "widgets/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kHasPinRole = Qt::UserRole + 1;

} // namespace

WorkerChooser::WorkerChooser(WorkerSignIn &signIn, QWidget *parent)
    : QDialog(parent), m_signIn(signIn)
{
    setObjectName(QStringLiteral("WorkerChooser"));
    setWindowTitle(QStringLiteral("考试训练题库 - 学员"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("学员："), this);
    theme::setTone(caption, theme::Tone::Heading);
    layout->addWidget(caption);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("WorkerList"));
    m_list->setMinimumSize(320, 220);
    layout->addWidget(m_list);

    auto *fields = new QGridLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("WorkerName"));
    m_name->setPlaceholderText(QStringLiteral("选择上面的学员，或输入新学员的姓名"));
    fields->addWidget(new QLabel(QStringLiteral("姓名："), this), 0, 0);
    fields->addWidget(m_name, 0, 1);
    m_pin = new QLineEdit(this);
    m_pin->setObjectName(QStringLiteral("WorkerPin"));
    m_pin->setEchoMode(QLineEdit::Password);
    m_pin->setMaxLength(4);
    m_pin->setPlaceholderText(QStringLiteral("4 位数字，可不设"));
    fields->addWidget(new QLabel(QStringLiteral("PIN："), this), 1, 0);
    fields->addWidget(m_pin, 1, 1);
    layout->addLayout(fields);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("WorkerMessage"));
    m_message->setWordWrap(true);
    theme::setTone(m_message, theme::Tone::Alert);
    layout->addWidget(m_message);

    auto *buttons = new QHBoxLayout;
    m_enter = new QPushButton(QStringLiteral("进入"), this);
    m_enter->setObjectName(QStringLiteral("EnterButton"));
    m_enter->setDefault(true);
    m_create = new QPushButton(QStringLiteral("新建学员"), this);
    m_create->setObjectName(QStringLiteral("CreateButton"));
    m_quit = new QPushButton(QStringLiteral("退出"), this);
    m_quit->setObjectName(QStringLiteral("QuitButton"));
    buttons->addStretch();
    buttons->addWidget(m_enter);
    buttons->addWidget(m_create);
    buttons->addWidget(m_quit);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemClicked, this, &WorkerChooser::rowChosen);
    connect(m_list, &QListWidget::itemActivated, this, &WorkerChooser::enter);
    connect(m_enter, &QPushButton::clicked, this, &WorkerChooser::enter);
    connect(m_create, &QPushButton::clicked, this, &WorkerChooser::create);
    connect(m_quit, &QPushButton::clicked, this, &QDialog::reject);
    reset();
}

void WorkerChooser::reset(const QString &message)
{
    m_workerId = 0;
    m_workerName.clear();
    m_list->clear();
    QString problem;
    for (const WorkerRow &worker : m_signIn.workers(&problem)) {
        auto *item = new QListWidgetItem(
            worker.hasPin ? worker.name + QStringLiteral("（有 PIN）") : worker.name, m_list);
        item->setData(kNameRole, worker.name);
        item->setData(kHasPinRole, worker.hasPin);
    }
    m_name->clear();
    m_pin->clear();
    m_message->setText(message.isEmpty() ? problem : message);
    m_name->setFocus();
}

void WorkerChooser::rowChosen()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    m_name->setText(item->data(kNameRole).toString());
    m_pin->clear();
    m_message->clear();
    if (item->data(kHasPinRole).toBool())
        m_pin->setFocus();
}

void WorkerChooser::enter()
{
    // A double click on a row enters the worker of that row.
    if (const QListWidgetItem *item = m_list->currentItem();
        item && sender() == m_list && m_name->text() != item->data(kNameRole).toString())
        rowChosen();
    finish(m_signIn.enter(m_name->text(), m_pin->text()));
}

void WorkerChooser::create()
{
    finish(m_signIn.create(m_name->text(), m_pin->text()));
}

void WorkerChooser::finish(const WorkerSignIn::Outcome &outcome)
{
    if (!outcome.accepted()) {
        m_message->setText(outcome.message);
        if (outcome.wrongPin) {
            m_pin->clear();
            m_pin->setFocus();
        }
        return;
    }
    m_workerId = outcome.workerId;
    m_workerName = outcome.name;
    accept();
}
