#include "reference/ui/DocumentsPage.h"

#include "widgets/GbkLengthValidator.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

DocumentsPage::DocumentsPage(int nameLimit, QWidget *parent) : QWidget(parent)
{
    setFont(theme::font(theme::FontRole::PageText));
    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(30, 24, 30, 24);
    outer->setSpacing(30);

    auto *listColumn = new QVBoxLayout;
    auto *listCaption = new QLabel(QStringLiteral("规程列表："), this);
    listCaption->setObjectName(DocumentsPageNames::listCaption);
    theme::setTone(listCaption, theme::Tone::Heading);
    listColumn->addWidget(listCaption);
    m_list = new QListWidget(this);
    m_list->setObjectName(DocumentsPageNames::documentList);
    m_list->setFixedWidth(380);
    // The menu acts on the row under the pointer when it was opened; opened
    // below the rows, it deletes nothing.
    auto *remove = new QAction(QStringLiteral("删除此规程..."), m_list);
    remove->setObjectName(DocumentsPageNames::removeAction);
    auto *menu = new QMenu(m_list);
    menu->addAction(remove);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this, menu](const QPoint &at) {
        const QListWidgetItem *item = m_list->itemAt(at);
        m_menuDocument = item ? item->data(Qt::UserRole).toLongLong() : 0;
        menu->exec(m_list->viewport()->mapToGlobal(at));
    });
    connect(remove, &QAction::triggered, this, [this] { emit deleteRequested(m_menuDocument); });
    listColumn->addWidget(m_list, 1);
    outer->addLayout(listColumn);

    auto *form = new QGridLayout;
    form->setVerticalSpacing(14);
    form->setHorizontalSpacing(8);
    auto *nameCaption = new QLabel(QStringLiteral("新增加的规程名："), this);
    nameCaption->setObjectName(DocumentsPageNames::nameCaption);
    form->addWidget(nameCaption, 0, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(DocumentsPageNames::nameField);
    GbkLengthValidator::limit(m_name, nameLimit);
    form->addWidget(m_name, 0, 1);
    auto *fileCaption = new QLabel(QStringLiteral("规程文件："), this);
    fileCaption->setObjectName(DocumentsPageNames::fileCaption);
    form->addWidget(fileCaption, 1, 0);
    m_file = new QLineEdit(this);
    m_file->setObjectName(DocumentsPageNames::fileField);
    m_file->setReadOnly(true);
    form->addWidget(m_file, 1, 1);
    auto *browse = new QPushButton(QStringLiteral("浏览"), this);
    browse->setObjectName(DocumentsPageNames::browseButton);
    browse->setFixedSize(90, 28);
    connect(browse, &QPushButton::clicked, this, [this] { emit storeRequested(m_name->text()); });
    form->addWidget(browse, 1, 2);
    auto *saveAs =
        new QLabel(QStringLiteral("将word 文档打开后【另存为】.rft  格式文件，并用英文命名"), this);
    saveAs->setObjectName(DocumentsPageNames::saveAsHint);
    theme::setTone(saveAs, theme::Tone::Note);
    form->addWidget(saveAs, 2, 0, 1, 3);
    auto *deleteHint = new QLabel(QStringLiteral("在【规程列表】上右键点击可删除"), this);
    deleteHint->setObjectName(DocumentsPageNames::deleteHint);
    theme::setTone(deleteHint, theme::Tone::Note);
    form->addWidget(deleteHint, 3, 0, 1, 3);
    form->setRowStretch(4, 1);
    form->setColumnStretch(1, 1);
    outer->addLayout(form, 1);
}

void DocumentsPage::setDocuments(const QList<DocumentEntry> &documents)
{
    m_list->clear();
    for (const DocumentEntry &document : documents) {
        auto *item = new QListWidgetItem(document.title, m_list);
        item->setData(Qt::UserRole, document.id);
    }
}

QStringList DocumentsPage::titles() const
{
    QStringList all;
    for (int i = 0; i < m_list->count(); ++i)
        all << m_list->item(i)->text();
    return all;
}

void DocumentsPage::clearName()
{
    m_name->clear();
}

void DocumentsPage::setFilePath(const QString &path)
{
    m_file->setText(path);
}
