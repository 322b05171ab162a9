#include "reference/RegulationDocuments.h"

#include "base/FileDialogs.h"
#include "base/FileReplacer.h"
#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

RegulationDocuments::RegulationDocuments(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs,
                                         QString workFolder)
    : m_db(std::move(db)), m_notifier(notifier), m_dialogs(dialogs),
      m_workFolder(std::move(workFolder))
{
}

void RegulationDocuments::readFailed(const QString &reason)
{
    m_notifier.inform(QStringLiteral("[软件提示]：规程资料没有读出，原因：") + reason +
                      QStringLiteral("。"));
}

QStringList RegulationDocuments::readerTitles()
{
    try {
        return DocumentTable(m_db).shownTitles();
    } catch (const StoreError &error) {
        readFailed(error.reason());
        return {};
    }
}

QList<DocumentEntry> RegulationDocuments::managementList()
{
    try {
        return DocumentTable(m_db).allEntries();
    } catch (const StoreError &error) {
        readFailed(error.reason());
        return {};
    }
}

std::optional<DocumentRow> RegulationDocuments::view(const QString &clickedTitle)
{
    std::optional<DocumentRow> row;
    try {
        row = DocumentTable(m_db).firstShown(text::trimmed(clickedTitle));
    } catch (const StoreError &error) {
        readFailed(error.reason());
        return std::nullopt;
    }
    if (row)
        m_viewedCopy =
            writeViewedCopy(row->data) ? QDir(m_workFolder).filePath(kViewedCopy) : QString();
    return row;
}

bool RegulationDocuments::writeViewedCopy(const QByteArray &data)
{
    // Written beside and renamed over the name: a copy left read-only by an
    // earlier run or another program is replaced, a symbolic link put at the
    // name is replaced rather than followed, and a folder that takes no file
    // leaves no copy.
    return FileReplacer::replace(QDir(m_workFolder).filePath(kViewedCopy), data);
}

RegulationDocuments::StoreResult RegulationDocuments::store(const QString &typedName)
{
    // The reader looks titles up trimmed: a name is stored the same way, or
    // blanks at its ends would hide the document from the reader for good.
    const QString name = text::trimmed(typedName);
    if (name.isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]:请输入文档名."));
        return StoreResult::NoName;
    }
    if (!gbk::representable(name)) {
        m_notifier.inform(
            QStringLiteral("[软件提示]：“新增加的规程名”中有无法保存的字符，请修改后再试。"));
        return StoreResult::Refused;
    }
    const QString path = m_dialogs.openFileName(QStringLiteral("选择规程文件"), QString());
    if (path.isEmpty())
        return StoreResult::Cancelled;
    m_chosenFile = QDir::toNativeSeparators(path);

    const QString shown = QFileInfo(path).fileName();
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件“") + shown +
                          QStringLiteral("”无法读取，规程没有保存。"));
        return StoreResult::Refused;
    }
    if (file.size() > kLargestFile) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件“") + shown +
                          QStringLiteral("”超过 50M 字节，规程没有保存。"));
        return StoreResult::Refused;
    }
    // Read one byte past the limit, so a file that grows meanwhile is still refused.
    const QByteArray data = file.read(kLargestFile + 1);
    const bool readWhole = file.error() == QFileDevice::NoError;
    file.close();
    if (!readWhole) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件“") + shown +
                          QStringLiteral("”无法读取，规程没有保存。"));
        return StoreResult::Refused;
    }
    if (data.isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件“") + shown +
                          QStringLiteral("”是空的，规程没有保存。"));
        return StoreResult::Refused;
    }
    if (data.size() > kLargestFile) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件“") + shown +
                          QStringLiteral("”超过 50M 字节，规程没有保存。"));
        return StoreResult::Refused;
    }
    try {
        DocumentTable(m_db).add(name, data);
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：规程没有保存，原因：") + error.reason() +
                          QStringLiteral("。"));
        return StoreResult::Failed;
    }
    return StoreResult::Stored;
}

bool RegulationDocuments::remove(qint64 id)
{
    if (id == 0)
        return false;
    try {
        return DocumentTable(m_db).remove(id);
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：规程没有删除，原因：") + error.reason() +
                          QStringLiteral("。"));
        return false;
    }
}

QString RegulationDocuments::plainText(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return gbk::decode(data);
}
