#include "JetReader.h"

#include "transfer/JetHeader.h"
#include "transfer/JetValues.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <mdbtools.h>

namespace {

// Flags and masks of the stored row and long-value layouts.
constexpr int kRowOffsetMask = 0x1fff;
constexpr quint32 kLongInline = 0x80000000U;
constexpr quint32 kLongOnePage = 0x40000000U;
constexpr quint32 kLongLengthMask = 0x3fffffffU;
constexpr int kLongHeader = MDB_MEMO_OVERHEAD;
// More than any value of the format: the length field has 24 usable bits.
constexpr quint32 kLongLimit = 0x00ffffffU;

QString fileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

quint32 int32At(const unsigned char *bytes)
{
    return quint32(bytes[0]) | (quint32(bytes[1]) << 8) | (quint32(bytes[2]) << 16) |
           (quint32(bytes[3]) << 24);
}

} // namespace

struct JetReader::Handle
{
    MdbHandle *mdb = nullptr;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }

    bool jet4() const { return mdb->f->jet_version != MDB_VER_JET3; }
    QString text(const unsigned char *bytes, qsizetype size) const
    {
        const QByteArrayView stored(reinterpret_cast<const char *>(bytes), size);
        return jet4() ? jet::unicodeText(stored) : jet::codePageText(stored, mdb->f->code_page);
    }

    // A memo or OLE value from its header in the row: stored in the row,
    // on one page of long values, or in a chain of them.
    bool longValue(const unsigned char *header, int size, QByteArray *value, QString *why)
    {
        if (size < kLongHeader) {
            if (size == 0) {
                value->clear();
                return true;
            }
            *why = QStringLiteral("长数据的头部不完整");
            return false;
        }
        const quint32 head = int32At(header);
        const quint32 declared = head & kLongLengthMask;
        if (declared > kLongLimit) {
            *why = QStringLiteral("长数据的长度已损坏");
            return false;
        }
        if (head & kLongInline) {
            *value = QByteArray(reinterpret_cast<const char *>(header) + kLongHeader,
                                size - kLongHeader);
        } else if (head & kLongOnePage) {
            void *page = nullptr;
            int offset = 0;
            size_t length = 0;
            if (mdb_find_pg_row(mdb, int(int32At(header + 4)), &page, &offset, &length) != 0) {
                *why = QStringLiteral("长数据所在的页无法读取");
                return false;
            }
            *value = QByteArray(static_cast<const char *>(page) + offset, qsizetype(length));
        } else if ((head & 0xff000000U) == 0) {
            value->clear();
            quint32 link = int32At(header + 4);
            QSet<quint32> visited;
            while (link != 0) {
                void *page = nullptr;
                int offset = 0;
                size_t length = 0;
                if (visited.contains(link) ||
                    mdb_find_pg_row(mdb, int(link), &page, &offset, &length) != 0 || length < 4) {
                    *why = QStringLiteral("长数据的页链已断开");
                    return false;
                }
                visited.insert(link);
                const auto *bytes = static_cast<const unsigned char *>(page) + offset;
                link = int32At(bytes);
                value->append(reinterpret_cast<const char *>(bytes) + 4, qsizetype(length) - 4);
                if (quint32(value->size()) > declared + quint32(mdb->fmt->pg_size)) {
                    *why = QStringLiteral("长数据比记录的长度更长");
                    return false;
                }
            }
        } else {
            *why = QStringLiteral("长数据的类型无法识别");
            return false;
        }
        if (quint32(value->size()) < declared) {
            *why = QStringLiteral("长数据比记录的长度更短");
            return false;
        }
        value->truncate(qsizetype(declared));
        return true;
    }

    // One field of the current row as stored.
    bool fieldValue(const MdbColumn *column, const MdbField &field, QVariant *value, QString *why)
    {
        const int pageSize = int(mdb->fmt->pg_size);
        if (column->col_type == MDB_BOOL) {
            *value = qint64(field.is_null ? 0 : 1);
            return true;
        }
        if (field.is_null) {
            *value = QVariant();
            return true;
        }
        if (field.start < 0 || field.siz < 0 || field.start + field.siz > pageSize) {
            *why = QStringLiteral("数值超出了所在的页");
            return false;
        }
        const unsigned char *bytes = mdb->pg_buf + field.start;
        auto needs = [&](int size) {
            if (field.siz >= size)
                return true;
            *why = QStringLiteral("数值不完整");
            return false;
        };
        switch (column->col_type) {
        case MDB_BYTE:
            if (!needs(1))
                return false;
            *value = qint64(bytes[0]);
            return true;
        case MDB_INT:
            if (!needs(2))
                return false;
            *value = qint64(qint16(bytes[0] | (bytes[1] << 8)));
            return true;
        case MDB_LONGINT:
            if (!needs(4))
                return false;
            *value = qint64(qint32(int32At(bytes)));
            return true;
        case MDB_FLOAT:
            if (!needs(4))
                return false;
            *value = double(mdb_get_single(mdb->pg_buf, field.start));
            return true;
        case MDB_DOUBLE:
            if (!needs(8))
                return false;
            *value = mdb_get_double(mdb->pg_buf, field.start);
            return true;
        case MDB_DATETIME: {
            if (!needs(8))
                return false;
            const QString date = jet::dateText(mdb_get_double(mdb->pg_buf, field.start));
            if (date.isEmpty()) {
                *why = QStringLiteral("日期超出了可表示的范围");
                return false;
            }
            *value = date;
            return true;
        }
        case MDB_TEXT:
            *value = text(bytes, field.siz);
            return true;
        case MDB_MEMO:
        case MDB_OLE: {
            // Only an inline value is read from the row itself; the header's
            // numbers are taken before the long value's pages are read.
            QByteArray stored;
            if (!longValue(bytes, field.siz, &stored, why))
                return false;
            if (column->col_type == MDB_OLE)
                *value = stored;
            else
                *value = text(reinterpret_cast<const unsigned char *>(stored.constData()),
                              stored.size());
            return true;
        }
        case MDB_BINARY:
            *value = QByteArray(reinterpret_cast<const char *>(bytes), field.siz);
            return true;
        default: {
            char *shown =
                mdb_col_to_string(mdb, mdb->pg_buf, field.start, column->col_type, field.siz);
            *value = QString::fromUtf8(shown);
            g_free(shown);
            return true;
        }
        }
    }
};

JetReader::JetReader() = default;
JetReader::~JetReader() = default;

bool JetReader::isJetFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(0x20);
    return head.size() == 0x20 && head.at(0) == 0 &&
           head.mid(4, 16) == QByteArrayView("Standard Jet DB\0", 16);
}

bool JetReader::open(const QString &path, QString *error)
{
    m_handle.reset();
    const QString name = fileName(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("文件 %1 无法读取：%2").arg(name, file.errorString());
        return false;
    }
    const QByteArray head = file.read(jetheader::kBytesNeeded);
    if (!isJetFile(path)) {
        *error = QStringLiteral("文件 %1 不是 Jet 数据库").arg(name);
        return false;
    }
    const int version = uchar(head.at(0x14));
    if (version != MDB_VER_JET3 && version != MDB_VER_JET4) {
        *error = QStringLiteral("文件 %1 的 Jet 版本（%2）无法读取").arg(name).arg(version);
        return false;
    }
    // The library would read a protected file as if it had no password: such
    // a file is its owner's to open, and is refused with the reason.
    if (const std::optional<QString> password = jetheader::password(head);
        password && !password->isEmpty()) {
        *error = QStringLiteral("文件 %1 设有数据库密码，不能读取。请先在原来的程序中撤销数据库密码"
                                "，再转换或导入。")
                     .arg(name);
        return false;
    }
    // The library reads whole pages and takes the page layout on trust: a file
    // that does not end on a page boundary, or is too short for its catalogue,
    // is refused before the library sees it.
    const qint64 pageSize = version == MDB_VER_JET3 ? 2048 : 4096;
    if (file.size() < 3 * pageSize || file.size() % pageSize != 0) {
        *error = QStringLiteral("文件 %1 不完整：%2 字节不是整页的长度").arg(name).arg(file.size());
        return false;
    }
    file.close();

    auto handle = std::make_unique<Handle>();
    handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle->mdb) {
        *error = QStringLiteral("文件 %1 无法作为 Jet 数据库打开").arg(name);
        return false;
    }
    if (!mdb_read_catalog(handle->mdb, MDB_TABLE)) {
        *error = QStringLiteral("文件 %1 的数据表目录已损坏").arg(name);
        return false;
    }
    m_handle = std::move(handle);
    return true;
}

QStringList JetReader::tables() const
{
    QStringList names;
    if (!m_handle)
        return names;
    MdbHandle *mdb = m_handle->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

bool JetReader::read(const QString &table, const QStringList &columns, RowSet *rows, QString *error)
{
    *rows = RowSet{table, columns, {}, {}};
    if (!m_handle) {
        *error = QStringLiteral("没有打开文件");
        return false;
    }
    MdbHandle *mdb = m_handle->mdb;
    QByteArray tableName = table.toUtf8();
    MdbTableDef *def = nullptr;
    for (unsigned int i = 0; i < mdb->num_catalog && !def; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE &&
            QString::fromUtf8(entry->object_name).compare(table, Qt::CaseInsensitive) == 0)
            def = mdb_read_table(entry);
    }
    if (!def) {
        *error = QStringLiteral("缺少数据表 %1，或该表已损坏").arg(table);
        return false;
    }
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef *)> owner(def, mdb_free_tabledef);
    if (!mdb_read_columns(def) || def->num_cols == 0 || def->num_cols > 255) {
        *error = QStringLiteral("数据表 %1 的列定义已损坏").arg(table);
        return false;
    }
    // Where each wanted column stands among the table's own.
    QList<int> wanted;
    for (const QString &column : columns) {
        int found = -1;
        for (unsigned int i = 0; i < def->num_cols && found < 0; ++i) {
            auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
            if (QString::fromUtf8(col->name).compare(column, Qt::CaseInsensitive) == 0)
                found = int(i);
        }
        if (found < 0) {
            *error = QStringLiteral("数据表 %1 缺少数据列 %2").arg(table, column);
            return false;
        }
        wanted << found;
    }

    std::vector<MdbField> fields(def->num_cols);
    mdb_rewind_table(def);
    qint64 rowNumber = 0;
    while (mdb_fetch_row(def)) {
        ++rowNumber;
        int start = 0;
        size_t size = 0;
        QString why;
        QVariantList row;
        if (mdb_find_row(mdb, int(def->cur_row) - 1, &start, &size) != 0) {
            why = QStringLiteral("行在页中的位置已损坏");
        } else {
            const int cracked = mdb_crack_row(def, start & kRowOffsetMask, size, fields.data());
            if (cracked < 0)
                why = QStringLiteral("行的各列无法分开");
            // The library fills one field per column of the table (its
            // answer counts the columns the row claims, which may be more).
            for (int c = 0; c < wanted.size() && why.isEmpty(); ++c) {
                const int f = wanted[c];
                auto *col = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, wanted[c]));
                QVariant value;
                if (!m_handle->fieldValue(col, fields[f], &value, &why)) {
                    why = columns[c] + QStringLiteral("：") + why;
                    break;
                }
                row << value;
            }
        }
        if (!why.isEmpty())
            rows->unreadable
                << QStringLiteral("%1 第 %2 行：%3").arg(table).arg(rowNumber).arg(why);
        else
            rows->rows << row;
    }
    return true;
}
