#include "BankTransfer.h"

#include "base/StoreError.h"
#include "store/Schema.h"
#include "store/TableRows.h"
#include "store/Transaction.h"
#include "transfer/DataFileConverter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

const QString kBanks = QStringLiteral("database_name");
const QString kChapters = QStringLiteral("fenlei");
const QString kQuotas = QStringLiteral("rand_num");
const QStringList kDrawnLists = {QStringLiteral("s_num_shiti"), QStringLiteral("d_num_shiti"),
                                 QStringLiteral("t_num_shiti"), QStringLiteral("p_num_shiti"),
                                 QStringLiteral("lunshu_num_shiti")};

// A table of the format among the tables read, or an empty one with its columns.
RowSet tableOf(const QList<RowSet> &tables, const QString &name)
{
    for (const RowSet &rows : tables) {
        if (rows.table == name)
            return rows;
    }
    for (const schema::TableColumns &table : schema::kRequiredColumns) {
        if (table.table == name)
            return RowSet{name, table.columns, {}, {}};
    }
    return RowSet{name, {}, {}, {}};
}

int col(const RowSet &rows, const QString &column)
{
    return int(rows.columns.indexOf(column));
}

qint64 idOf(const QVariant &value)
{
    return value.isNull() ? 0 : value.toLongLong();
}

// The name itself when it is free, otherwise "name (2)", "name (3)", ...
QString freeName(const QString &name, const QSet<QString> &taken)
{
    if (!taken.contains(name))
        return name;
    for (int n = 2;; ++n) {
        const QString candidate = name + QStringLiteral(" (%1)").arg(n);
        if (!taken.contains(candidate))
            return candidate;
    }
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile x(a);
    QFile y(b);
    if (!x.open(QIODevice::ReadOnly) || !y.open(QIODevice::ReadOnly) || x.size() != y.size())
        return false;
    return x.readAll() == y.readAll();
}

// Copies pictures into a folder, never over a different picture of the same
// name, and remembers what it made so that a failure can take it back.
class PictureCopier
{
public:
    PictureCopier(QString from, QString to) : m_from(std::move(from)), m_to(std::move(to)) {}

    // The name the picture has in the target folder; the name unchanged when
    // the source holds no such picture.
    QString place(const QString &name, QStringList *renamed, QString *error)
    {
        if (name.isEmpty() || m_placed.contains(name))
            return m_placed.value(name, name);
        const QString source = QDir(m_from).filePath(name);
        if (!QFileInfo(source).isFile())
            return name;
        if (!QDir().mkpath(m_to)) {
            *error = QStringLiteral("文件夹 %1 无法建立").arg(QDir::toNativeSeparators(m_to));
            return name;
        }
        const QFileInfo info(name);
        QString placed = name;
        for (int n = 2;; ++n) {
            const QString target = QDir(m_to).filePath(placed);
            if (!QFileInfo::exists(target)) {
                if (!QFile::copy(source, target)) {
                    *error = QStringLiteral("图片 %1 无法复制").arg(name);
                    return name;
                }
                m_made << target;
                break;
            }
            if (sameBytes(source, target))
                break;
            placed = info.completeBaseName() + QStringLiteral(" (%1)").arg(n) +
                     (info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix());
        }
        if (placed != name)
            *renamed << QStringLiteral("图片 %1 改名为 %2").arg(name, placed);
        m_placed.insert(name, placed);
        return placed;
    }
    // How many pictures it copied (a picture found there already is not).
    int copied() const { return static_cast<int>(m_made.size()); }
    void takeBack()
    {
        for (const QString &file : std::as_const(m_made))
            QFile::remove(file);
        m_made.clear();
    }

private:
    QString m_from;
    QString m_to;
    QHash<QString, QString> m_placed;
    QStringList m_made;
};

// The drawn list "#12#40#7" with each id replaced by its new one; ids that
// name no question of the bank are left out.
QString remapDrawn(const QString &list, const QHash<qint64, qint64> &questionIds)
{
    QString result;
    for (const QString &part : list.split(QLatin1Char('#'), Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const qint64 id = part.trimmed().toLongLong(&isNumber);
        if (isNumber && questionIds.contains(id))
            result += QLatin1Char('#') + QString::number(questionIds.value(id));
    }
    return result;
}

} // namespace

QList<BankTransfer::BankSummary> BankTransfer::banks(const QList<RowSet> &tables)
{
    const RowSet banks = tableOf(tables, kBanks);
    const RowSet chapters = tableOf(tables, kChapters);
    const RowSet questions = tableOf(tables, schema::kQuestionTable);
    QHash<qint64, qint64> bankOfChapter;
    QHash<qint64, int> chapterCount;
    for (const QVariantList &row : chapters.rows) {
        const qint64 bank = idOf(row.at(col(chapters, QStringLiteral("database_id"))));
        bankOfChapter.insert(idOf(row.at(col(chapters, QStringLiteral("id")))), bank);
        ++chapterCount[bank];
    }
    QHash<qint64, int> questionCount;
    for (const QVariantList &row : questions.rows) {
        const qint64 chapter = idOf(row.at(col(questions, schema::kQuestionChapter)));
        if (bankOfChapter.contains(chapter))
            ++questionCount[bankOfChapter.value(chapter)];
    }
    QList<BankSummary> list;
    for (const QVariantList &row : banks.rows) {
        BankSummary bank;
        bank.id = idOf(row.at(col(banks, QStringLiteral("id"))));
        bank.name = row.at(col(banks, QStringLiteral("database_name"))).toString();
        bank.chapters = chapterCount.value(bank.id);
        bank.questions = questionCount.value(bank.id);
        list << bank;
    }
    std::sort(list.begin(), list.end(),
              [](const BankSummary &a, const BankSummary &b) { return a.id < b.id; });
    return list;
}

BankTransfer::Report BankTransfer::exportBank(const QSqlDatabase &db, qint64 bankId,
                                              const QString &imagesFolder, const QString &target)
{
    Report report;
    QList<RowSet> tables;
    QString readError;
    if (!DataFileConverter::readConnection(db, &tables, &readError,
                                           DataFileConverter::Scope::Format)) {
        report.error = QStringLiteral("题库无法读取：%1").arg(readError);
        return report;
    }
    QSet<qint64> chapterIds;
    QString bankName;
    int questionCount = 0;
    PictureCopier pictures(imagesFolder,
                           QFileInfo(target).dir().filePath(QStringLiteral("images")));
    for (RowSet &rows : tables) {
        QList<QVariantList> kept;
        for (QVariantList &row : rows.rows) {
            bool keep = false;
            if (rows.table == kBanks) {
                keep = idOf(row.at(col(rows, QStringLiteral("id")))) == bankId;
                if (keep)
                    bankName = row.at(col(rows, QStringLiteral("database_name"))).toString();
            } else if (rows.table == kChapters) {
                keep = idOf(row.at(col(rows, QStringLiteral("database_id")))) == bankId;
                if (keep)
                    chapterIds.insert(idOf(row.at(col(rows, QStringLiteral("id")))));
            } else if (rows.table == schema::kQuestionTable) {
                keep = chapterIds.contains(idOf(row.at(col(rows, schema::kQuestionChapter))));
                if (keep) {
                    ++questionCount;
                    const int image = col(rows, schema::kQuestionImage);
                    const QString name = row.at(image).toString();
                    if (!name.isEmpty())
                        row[image] = pictures.place(name, &report.renamed, &report.error);
                }
            } else if (rows.table == kQuotas) {
                keep = idOf(row.at(col(rows, QStringLiteral("db_db_id")))) == bankId;
            }
            if (keep)
                kept << row;
        }
        rows.rows = kept;
    }
    if (report.error.isEmpty())
        report.error = DataFileConverter::writeFile(target, tables);
    if (!report.ok()) {
        pictures.takeBack();
        report.renamed.clear();
        return report;
    }
    report.added << QStringLiteral("题库 %1：%2 个章节，%3 道试题")
                        .arg(bankName)
                        .arg(chapterIds.size())
                        .arg(questionCount);
    return report;
}

BankTransfer::Report BankTransfer::importBanks(const QSqlDatabase &db, const QList<RowSet> &source,
                                               const QList<qint64> &bankIds,
                                               const QString &sourceImages,
                                               const QString &targetImages)
{
    Report report;
    PictureCopier pictures(sourceImages, targetImages);
    try {
        const RowSet banks = tableOf(source, kBanks);
        const RowSet chapters = tableOf(source, kChapters);
        const RowSet questions = tableOf(source, schema::kQuestionTable);
        const RowSet quotas = tableOf(source, kQuotas);

        QSet<QString> bankNames;
        for (const QVariantList &row : table_rows::read(db, kBanks, {kBanks}).rows)
            bankNames.insert(row.at(0).toString());
        QSet<QString> chapterNames;
        for (const QVariantList &row : table_rows::read(db, kChapters, {schema::kChapterName}).rows)
            chapterNames.insert(row.at(0).toString());

        RowSet newBanks{kBanks, banks.columns, {}, {}};
        RowSet newChapters{kChapters, chapters.columns, {}, {}};
        RowSet newQuestions{schema::kQuestionTable, questions.columns, {}, {}};
        RowSet newQuotas{kQuotas, quotas.columns, {}, {}};
        // The new rows' ids, taken before anything is written: on a server
        // they come from the identity columns, never given to anyone else.
        qint64 bankCount = 0;
        qint64 chapterCount = 0;
        qint64 questionCount = 0;
        qint64 quotaCount = 0;
        for (const qint64 bankId : bankIds) {
            if (!std::any_of(banks.rows.cbegin(), banks.rows.cend(), [&](const QVariantList &row) {
                    return idOf(row.at(col(banks, QStringLiteral("id")))) == bankId;
                }))
                continue;
            ++bankCount;
            QSet<qint64> chapterIds;
            for (const QVariantList &row : chapters.rows) {
                if (idOf(row.at(col(chapters, QStringLiteral("database_id")))) == bankId)
                    chapterIds.insert(idOf(row.at(col(chapters, QStringLiteral("id")))));
            }
            chapterCount += std::count_if(
                chapters.rows.cbegin(), chapters.rows.cend(), [&](const QVariantList &row) {
                    return idOf(row.at(col(chapters, QStringLiteral("database_id")))) == bankId;
                });
            questionCount += std::count_if(
                questions.rows.cbegin(), questions.rows.cend(), [&](const QVariantList &row) {
                    return chapterIds.contains(
                        idOf(row.at(col(questions, schema::kQuestionChapter))));
                });
            quotaCount += std::count_if(
                quotas.rows.cbegin(), quotas.rows.cend(), [&](const QVariantList &row) {
                    return idOf(row.at(col(quotas, QStringLiteral("db_db_id")))) == bankId;
                });
        }
        const QList<qint64> bankNewIds = table_rows::newIds(db, kBanks, bankCount);
        const QList<qint64> chapterNewIds = table_rows::newIds(db, kChapters, chapterCount);
        const QList<qint64> questionNewIds =
            table_rows::newIds(db, schema::kQuestionTable, questionCount);
        const QList<qint64> quotaNewIds = table_rows::newIds(db, kQuotas, quotaCount);
        qsizetype nextBank = 0;
        qsizetype nextChapter = 0;
        qsizetype nextQuestion = 0;
        qsizetype nextQuota = 0;

        for (const qint64 bankId : bankIds) {
            QVariantList bankRow;
            for (const QVariantList &row : banks.rows) {
                if (idOf(row.at(col(banks, QStringLiteral("id")))) == bankId)
                    bankRow = row;
            }
            if (bankRow.isEmpty())
                continue;
            const qint64 newBank = bankNewIds.at(nextBank++);
            const QString name = bankRow.at(col(banks, kBanks)).toString();
            const QString newName = freeName(name, bankNames);
            bankNames.insert(newName);
            if (newName != name)
                report.renamed << QStringLiteral("题库 %1 改名为 %2").arg(name, newName);
            bankRow[col(banks, QStringLiteral("id"))] = newBank;
            bankRow[col(banks, kBanks)] = newName;
            newBanks.rows << bankRow;

            QHash<qint64, qint64> chapterIds;
            for (QVariantList row : chapters.rows) {
                if (idOf(row.at(col(chapters, QStringLiteral("database_id")))) != bankId)
                    continue;
                const qint64 newChapter = chapterNewIds.at(nextChapter++);
                chapterIds.insert(idOf(row.at(col(chapters, QStringLiteral("id")))), newChapter);
                const QString chapterName = row.at(col(chapters, schema::kChapterName)).toString();
                const QString newChapterName = freeName(chapterName, chapterNames);
                chapterNames.insert(newChapterName);
                if (newChapterName != chapterName)
                    report.renamed
                        << QStringLiteral("章节 %1 改名为 %2").arg(chapterName, newChapterName);
                row[col(chapters, QStringLiteral("id"))] = newChapter;
                row[col(chapters, QStringLiteral("database_id"))] = newBank;
                row[col(chapters, schema::kChapterName)] = newChapterName;
                newChapters.rows << row;
            }
            QHash<qint64, qint64> questionIds;
            for (QVariantList row : questions.rows) {
                const qint64 chapter = idOf(row.at(col(questions, schema::kQuestionChapter)));
                if (!chapterIds.contains(chapter))
                    continue;
                const qint64 newQuestion = questionNewIds.at(nextQuestion++);
                questionIds.insert(idOf(row.at(col(questions, QStringLiteral("id")))), newQuestion);
                row[col(questions, QStringLiteral("id"))] = newQuestion;
                row[col(questions, schema::kQuestionChapter)] = chapterIds.value(chapter);
                row[col(questions, schema::kQuestionToPractise)] = qint64(1);
                const int image = col(questions, schema::kQuestionImage);
                const QString picture = row.at(image).toString();
                if (!picture.isEmpty()) {
                    row[image] = pictures.place(picture, &report.renamed, &report.error);
                    if (!report.error.isEmpty())
                        throw StoreError(StoreError::Cause::Failed, report.error);
                }
                newQuestions.rows << row;
            }
            for (QVariantList row : quotas.rows) {
                if (idOf(row.at(col(quotas, QStringLiteral("db_db_id")))) != bankId)
                    continue;
                row[col(quotas, QStringLiteral("id"))] = quotaNewIds.at(nextQuota++);
                row[col(quotas, QStringLiteral("db_db_id"))] = newBank;
                const int chapter = col(quotas, QStringLiteral("sele_zhang_id"));
                row[chapter] = chapterIds.value(idOf(row.at(chapter)), 0);
                for (const QString &list : kDrawnLists) {
                    const int at = col(quotas, list);
                    row[at] = remapDrawn(row.at(at).toString(), questionIds);
                }
                newQuotas.rows << row;
            }
            report.added << QStringLiteral("题库 %1：%2 个章节，%3 道试题")
                                .arg(newName)
                                .arg(chapterIds.size())
                                .arg(questionIds.size());
        }
        Transaction transaction(db);
        table_rows::write(db, newBanks);
        table_rows::write(db, newChapters);
        table_rows::write(db, newQuestions);
        table_rows::write(db, newQuotas);
        transaction.commit();
        report.picturesCopied = pictures.copied();
    } catch (const StoreError &failure) {
        pictures.takeBack();
        report.added.clear();
        report.renamed.clear();
        report.error = QStringLiteral("题库导入失败，未添加任何内容：%1").arg(failure.reason());
    }
    return report;
}
