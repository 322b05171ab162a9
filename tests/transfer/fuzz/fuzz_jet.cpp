// libFuzzer target of the Jet reader: the input is a whole data file, read
// table by table as the conversion reads it (scripts/fuzz-jet).
#include "store/Schema.h"
#include "transfer/JetReader.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The library opens files by name: the input goes into a file in memory.
    static const QString path =
        QStringLiteral("/dev/shm/fuzz-jet-%1.mdb").arg(QString::number(::getpid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    JetReader reader;
    QString error;
    if (reader.open(path, &error)) {
        for (const schema::TableColumns &table : schema::kRequiredColumns) {
            RowSet rows;
            reader.read(table.table, table.columns, &rows, &error);
        }
    }
    return 0;
}
