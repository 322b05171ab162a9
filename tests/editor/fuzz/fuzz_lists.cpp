// libFuzzer target over the question-list readers: bytes that look like an
// archive go to the Word and Excel readers, anything else to the text and
// CSV readers; every list found is checked by the entry pages' rules.
// Built and run by scripts/fuzz-lists, outside the normal build.
#include "editor/ImportPlan.h"
#include "editor/QuestionListReader.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

namespace {

void check(const ListReading &reading)
{
    if (reading.ok())
        ImportPlan(reading.drafts, {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (bytes.startsWith("PK")) {
        check(QuestionListReader::readBytes(bytes, QStringLiteral("list.xlsx")));
        check(QuestionListReader::readBytes(bytes, QStringLiteral("list.docx")));
    } else {
        check(QuestionListReader::readBytes(bytes, QStringLiteral("list.txt")));
        check(QuestionListReader::readBytes(bytes, QStringLiteral("list.csv")));
    }
    return 0;
}
