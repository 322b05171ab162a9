// Decoding every stem of a bank against a plain copy of the same stored text.
// Usage: bench_decode DATABASE   (scripts/bench gives it the synthetic bank)
#include "BenchUtil.h"
#include "store/Database.h"
#include "store/QuestionCodec.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <vector>

// Decoding may take at most this many times the plain copy of the same text.
constexpr double kLimitTimesCopy = 2.0;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    QString error;
    QSqlDatabase db =
        Database::open(QString::fromLocal8Bit(argv[1]), QStringLiteral("bench"), &error);
    if (!db.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QStringList stored;
    {
        QSqlQuery q = sql::run(db, QStringLiteral("select 题目 from 考试训练题库 order by id"));
        while (q.next())
            stored << q.value(0).toString();
    }
    std::printf("%lld stems\n", static_cast<long long>(stored.size()));

    qsizetype sink = 0;
    const auto copyAll = [&] {
        QStringList out;
        out.reserve(stored.size());
        for (const QString &s : stored)
            out << QString(s.constData(), s.size());
        sink += out.size();
    };
    const auto decodeAll = [&] {
        QStringList out;
        out.reserve(stored.size());
        for (const QString &s : stored)
            out << decodeQuestionText(s);
        sink += out.size();
    };
    // The copy and the decoding take turns, so that a busy spell of the
    // machine falls on both alike; the limit is a ratio to the copy, which
    // holds on a machine of any speed and load.
    std::vector<double> copies;
    std::vector<double> decodings;
    for (int round = 0; round < 9; ++round) {
        copies.push_back(medianMs(1, copyAll));
        decodings.push_back(medianMs(1, decodeAll));
    }
    std::sort(copies.begin(), copies.end());
    std::sort(decodings.begin(), decodings.end());
    const double copy = copies[copies.size() / 2];
    const double decode = decodings[decodings.size() / 2];
    std::printf("decode every stem: %.2f ms (baseline: plain copy %.2f ms, %.2f times)\n", decode,
                copy, decode / copy);
    if (sink <= 0)
        return 1;
    return exitCode(bench("decode_every_stem", decode, kLimitTimesCopy * copy, copy));
}
