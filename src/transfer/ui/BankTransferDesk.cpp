#include "BankTransferDesk.h"

#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "store/BackupGuard.h"
#include "store/TrainerLock.h"
#include "transfer/BankTransfer.h"
#include "transfer/DataFileConverter.h"
#include "transfer/ui/BankListDialog.h"
#include "widgets/LinkLabel.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kFilter = QStringLiteral("题库文件 (*.mdb)");

QString reportText(const QString &heading, const BankTransfer::Report &report)
{
    QStringList lines{heading};
    lines << report.added;
    if (!report.renamed.isEmpty()) {
        lines << QString() << QStringLiteral("改名：");
        lines << report.renamed;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

BankTransferDesk::BankTransferDesk(Services services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_export = new LinkLabel(QStringLiteral("题库导出..."));
    m_export->setObjectName(QStringLiteral("bankExportCommand"));
    m_import = new LinkLabel(QStringLiteral("题库导入..."));
    m_import->setObjectName(QStringLiteral("bankImportCommand"));
    connect(m_export, &LinkLabel::clicked, this, &BankTransferDesk::exportBank);
    connect(m_import, &LinkLabel::clicked, this, &BankTransferDesk::importBanks);
}

BankTransferDesk::~BankTransferDesk()
{
    for (const QPointer<LinkLabel> &command : {m_export, m_import}) {
        if (command && !command->parent())
            delete command.data();
    }
}

void BankTransferDesk::exportBank()
{
    if (!m_services.unlocked()) {
        emit passwordRequested();
        return;
    }
    QList<RowSet> tables;
    QString error;
    // The banks of the open connection: the data file, or a centre's server.
    if (!DataFileConverter::readConnection(m_services.db, &tables, &error,
                                           DataFileConverter::Scope::Format)) {
        m_services.notifier.inform(QStringLiteral("题库无法读取：%1").arg(error));
        return;
    }
    BankListDialog dialog(QStringLiteral("题库导出"), QStringLiteral("请选择要导出的题库："),
                          BankTransfer::banks(tables), BankListDialog::Choice::One,
                          m_services.dialogParent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return;
    const QString target = m_services.dialogs.saveFileName(QStringLiteral("题库导出"),
                                                           QStringLiteral("题库.mdb"), kFilter);
    if (target.isEmpty())
        return;
    if (QFileInfo::exists(target)) {
        m_services.notifier.inform(QStringLiteral("文件 %1 已经存在，请另选一个文件名。")
                                       .arg(QDir::toNativeSeparators(target)));
        return;
    }
    const BankTransfer::Report report = BankTransfer::exportBank(
        m_services.db, dialog.chosen().constFirst(),
        QDir(m_services.programFolder).filePath(QStringLiteral("images")), target);
    if (!report.ok()) {
        m_services.notifier.inform(QStringLiteral("题库导出失败：%1").arg(report.error));
        return;
    }
    m_services.notifier.inform(
        reportText(QStringLiteral("已导出到 %1：").arg(QDir::toNativeSeparators(target)), report));
}

void BankTransferDesk::importBanks()
{
    if (!m_services.unlocked()) {
        emit passwordRequested();
        return;
    }
    const QString source = m_services.dialogs.openFileName(QStringLiteral("题库导入"), kFilter);
    if (source.isEmpty())
        return;
    QList<RowSet> tables;
    QString error;
    if (!DataFileConverter::readTables(source, &tables, &error)) {
        m_services.notifier.inform(error);
        return;
    }
    const QList<BankTransfer::BankSummary> banks = BankTransfer::banks(tables);
    if (banks.isEmpty()) {
        m_services.notifier.inform(
            QStringLiteral("文件 %1 中没有题库。").arg(QFileInfo(source).fileName()));
        return;
    }
    BankListDialog dialog(
        QStringLiteral("题库导入"),
        QStringLiteral("文件 %1 中的题库，请选择要导入的题库：").arg(QFileInfo(source).fileName()),
        banks, BankListDialog::Choice::Several, m_services.dialogParent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty())
        return;
    const TrainerLock lock(m_services.db, BackupGuard::bankImport());
    if (!lock.held()) {
        m_services.notifier.inform(lock.refusal());
        return;
    }
    // New banks can be taken out again only by restoring the file as it was.
    if (!BackupGuard::beforeStep(m_services.db, m_services.notifier, BackupGuard::bankImport()))
        return;
    const BankTransfer::Report report = BankTransfer::importBanks(
        m_services.db, tables, dialog.chosen(),
        QFileInfo(source).dir().filePath(QStringLiteral("images")),
        QDir(m_services.programFolder).filePath(QStringLiteral("images")));
    if (!report.ok()) {
        m_services.notifier.inform(report.error);
        return;
    }
    QString text = reportText(QStringLiteral("已导入："), report);
    // Pictures stay files of each computer, also with a centre's server:
    // the trainer is told where they went, to copy them to the other desks.
    if (report.picturesCopied > 0)
        text += QStringLiteral("\n\n图片：%1 个已复制到本机的 images 文件夹")
                    .arg(report.picturesCopied);
    m_services.notifier.inform(text);
}
