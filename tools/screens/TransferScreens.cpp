// Pictures of the conversion at start and of the bank import.
//   drillbay_screens --transfer <Jet file> <output folder>
// The Jet file is copied first.

#include "TransferScreens.h"
#include "ScreenSupport.h"

#include "app/ui/NotifierBoxes.h"
#include "base/FileDialogs.h"
#include "store/Database.h"
#include "store/TableRows.h"
#include "transfer/StartupConversion.h"
#include "transfer/ui/BankListDialog.h"
#include "transfer/ui/BankTransferDesk.h"
#include "transfer/ui/ConversionProgressDialog.h"
#include "widgets/LinkLabel.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

// Takes a picture of the modal window that opens next, then closes it.
void shootNextModal(const QString &folder, const QString &file)
{
    QTimer::singleShot(300, [folder, file] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        screens::savePicture(modal, folder, file);
        modal->close();
    });
}

class OneFile : public FileDialogs
{
public:
    explicit OneFile(QString path) : m_path(std::move(path)) {}
    QString openFileName(const QString &, const QString &) override { return m_path; }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        return QString();
    }

private:
    QString m_path;
};

} // namespace

int transferScreens(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: drillbay_screens --transfer <Jet file> <output folder>\n");
        return 2;
    }
    const QString out = args.at(1);
    QDir().mkpath(out);
    QTemporaryDir temp;
    const QString data = temp.filePath(QStringLiteral("examination.mdb"));
    QFile::copy(args.at(0), data);

    // The question at start: the real box, closed after its picture (a "No").
    NotifierBoxes boxes;
    shootNextModal(out, QStringLiteral("transfer-1-question.png"));
    boxes.askYesNo(QStringLiteral("提示"), StartupConversion::question(data),
                   Notifier::Icon::Question);

    // The progress dialog halfway.
    {
        ConversionProgressDialog progress(data);
        progress.progress()(5, 10);
        screens::savePicture(&progress, out, QStringLiteral("transfer-2-progress.png"));
    }

    // The bank import into an empty data file: the bank list, then the report.
    const QString target = temp.filePath(QStringLiteral("target.mdb"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("t"));
        db.setDatabaseName(target);
        db.open();
        table_rows::createTables(db);
        OneFile dialogs(args.at(0));
        QWidget page;
        page.resize(400, 200);
        BankTransferDesk desk(BankTransferDesk::Services{db, boxes, dialogs, [] { return true; },
                                                         temp.path(), &page});
        // The report follows the bank list: its picture is taken when it opens.
        QTimer::singleShot(300, [out] {
            auto *list = qobject_cast<BankListDialog *>(QApplication::activeModalWidget());
            if (!list)
                return;
            screens::savePicture(list, out, QStringLiteral("transfer-3-bank-list.png"));
            shootNextModal(out, QStringLiteral("transfer-4-report.png"));
            list->accept();
        });
        desk.importBanks();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("t"));
    return 0;
}
