// drillbay_rtfcat FILE: prints the plain text the RTF reader makes of FILE in
// UTF-8 (a paragraph a line, table cells separated by tabs, pictures as
// "[图片 W×H]"). Exits with 1 on a file that cannot be read or is not RTF, with
// 2 on wrong arguments.
#include "RtfReader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: drillbay_rtfcat FILE\n", stderr);
        return 2;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "drillbay_rtfcat: cannot read %s: %s\n", qPrintable(args.at(1)),
                     qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "drillbay_rtfcat: cannot read %s: %s\n", qPrintable(args.at(1)),
                     qPrintable(file.errorString()));
        return 1;
    }
    QTextDocument document;
    if (!rtf::readInto(bytes, document)) {
        std::fprintf(stderr, "drillbay_rtfcat: %s is not an RTF document\n",
                     qPrintable(args.at(1)));
        return 1;
    }
    const QByteArray text = rtf::plainText(document).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
