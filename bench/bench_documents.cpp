// Regulation documents in the reader, and the two timers of the main window.
// A document of 3 MB (GBK text in escapes, headings, a table, PNG pictures in
// hex) and one of 100 KB are stored in a copy of the given file, then shown
// as the reader shows a clicked title: the stored bytes read, the RTF read
// into a document, the document set into the view and the view painted. The
// baseline of both is reading the stored bytes alone. The slogan tick and the
// idle tick run through the main window as their timers run them, the
// repaint they cause included. The slowest of the hostile inputs the reader
// bounds, at 5 MB, is read into a document against the same bytes read from
// a file.
// Usage: bench_documents DATABASE   (with a display, or QT_QPA_PLATFORM=offscreen)
#include "BenchUtil.h"
#include "app/ui/MainWindow.h"
#include "app/ui/Windows.h"
#include "base/RandomSource.h"
#include "reference/IdleTime.h"
#include "reference/SloganMarquee.h"
#include "reference/ui/DocumentViewer.h"
#include "reference/ui/ReferenceDesk.h"
#include "store/Database.h"
#include "store/DocumentTable.h"

#include "RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <cstdio>

namespace {

const QStringList kSentences = {
    QStringLiteral("在电气设备上工作，保证安全的组织措施为：工作票制度、工作许可制度、"
                   "工作监护制度和工作间断、转移和终结制度。"),
    QStringLiteral("装设接地线应先接接地端，后接导体端，接地线应接触良好，连接应可靠。"),
    QStringLiteral("高压设备发生接地时，室内不得接近故障点4m以内，室外不得接近故障点8m以内。"),
    QStringLiteral("工作负责人、专责监护人应始终在工作现场，对工作班成员的安全认真监护。"),
    QStringLiteral("雷雨天气，需要巡视室外高压设备时，应穿绝缘靴，并不得靠近避雷器和避雷针。"),
    QStringLiteral("倒闸操作应由两人进行，一人操作，一人监护，并认真执行唱票、复诵制。")};

// RTF for the text: GBK bytes above 0x7F as \'hh pairs, the RTF specials escaped.
QByteArray escaped(const QString &text)
{
    QStringEncoder gbk("GBK");
    const QByteArray bytes = gbk.encode(text);
    QByteArray out;
    out.reserve(bytes.size() * 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            out += "\\'";
            out += QByteArray::number(byte, 16).rightJustified(2, '0');
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

// A PNG of a wiring sketch with speckle, so that it does not compress to nothing.
QByteArray picture(int number, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    quint32 seed = 2166136261u + static_cast<quint32>(number);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grey = 232 + 8 * static_cast<int>(seed >> 30);
            line[x] = qRgb(grey, grey, 255 - (x + number * 40) % 64);
        }
    }
    QPainter painter(&image);
    painter.setPen(QPen(Qt::darkBlue, 3));
    for (int x = 20; x < size.width() - 20; x += 55)
        painter.drawLine(x, 30, x, size.height() - 30);
    painter.drawRect(10, 10, size.width() - 20, size.height() - 20);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// The picture at its pixel size at 96 dots an inch (15 twips a pixel).
QByteArray pictureGroup(int number, QSize size)
{
    QByteArray out = "{\\pict\\pngblip\\picw" + QByteArray::number(size.width()) + "\\pich" +
                     QByteArray::number(size.height()) + "\\picwgoal" +
                     QByteArray::number(size.width() * 15) + "\\pichgoal" +
                     QByteArray::number(size.height() * 15) + "\n";
    const QByteArray hex = picture(number, size).toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128) {
        out += hex.mid(i, 128);
        out += '\n';
    }
    out += "}";
    return out;
}

// A regulation document of about `size` bytes: numbered chapters with centred
// bold headings, paragraphs with indents and some red text, a small table per
// chapter and, spread through it, `pictures` PNG pictures.
QByteArray document(qsizetype size, int pictures, QSize pictureSize)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                     "{\\fonttbl{\\f0\\fnil\\fcharset134 " +
                     escaped(QStringLiteral("宋体")) + ";}{\\f1\\fnil\\fcharset134 " +
                     escaped(QStringLiteral("黑体")) +
                     ";}{\\f2\\fswiss\\fcharset0 Arial;}}\n"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\n"
                     "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs21\n";
    QList<QByteArray> images;
    for (int i = 0; i < pictures; ++i)
        images << pictureGroup(i, pictureSize);
    qsizetype imageBytes = 0;
    for (const QByteArray &image : images)
        imageBytes += image.size();
    const qsizetype textBytes = std::max<qsizetype>(size - imageBytes, 1000);
    const qsizetype perPicture = pictures > 0 ? textBytes / (pictures + 1) : textBytes + 1;
    qsizetype sincePicture = 0;
    int nextPicture = 0;
    int paragraph = 0;
    qsizetype imagesLeft = imageBytes;
    for (int chapter = 1; rtf.size() + imagesLeft < size; ++chapter) {
        rtf += "\\pard\\qc\\sb240\\sa120\\f1\\fs32\\b " +
               escaped(QStringLiteral("第%1章 安全组织措施").arg(chapter)) +
               "\\b0\\f0\\fs21\\par\n";
        for (int i = 0; i < 12; ++i, ++paragraph) {
            QByteArray text;
            for (int s = 0; s < 4; ++s)
                text += escaped(kSentences.at((paragraph + s) % kSentences.size()));
            rtf += "\\pard\\qj\\fi420\\sa60 " +
                   escaped(QStringLiteral("%1.%2 ").arg(chapter).arg(i + 1));
            if (i % 5 == 2)
                rtf += "\\cf1\\ul " + text + "\\ulnone\\cf0";
            else
                rtf += text;
            rtf += "\\par\n";
            sincePicture += text.size();
            if (sincePicture >= perPicture && nextPicture < images.size()) {
                imagesLeft -= images.at(nextPicture).size();
                rtf += "\\pard\\qc " + images.at(nextPicture++) + "\\par\n";
                sincePicture = 0;
            }
        }
        rtf += "\\trowd\\trgaph108\\cellx2500\\cellx6000\\cellx9000\n";
        for (int row = 0; row < 3; ++row) {
            rtf += "\\pard\\intbl " + escaped(QStringLiteral("项目%1").arg(row + 1)) + "\\cell " +
                   escaped(QStringLiteral("安全距离")) + "\\cell " + QByteArray::number(0.7 + row) +
                   "m\\cell\\row\n";
        }
        rtf += "\\pard\n";
    }
    while (nextPicture < images.size())
        rtf += "\\pard\\qc " + images.at(nextPicture++) + "\\par\n";
    rtf += "}";
    return rtf;
}

// CRC-32 of a PNG chunk's type and data.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray chunk;
    QDataStream out(&chunk, QIODevice::WriteOnly);
    out << quint32(data.size());
    chunk += type + data;
    QByteArray crc;
    QDataStream crcOut(&crc, QIODevice::WriteOnly);
    crcOut << crc32(type + data);
    return chunk + crc;
}

// The hostile input that takes longest to read, at about `size` bytes: PNGs
// of 5000 x 5000 pixels, small when compressed, each differing from the others
// in a text chunk so that none shares another's image; the budget of decoded
// pictures is what stops their cost.
QByteArray hostilePictures(qsizetype size)
{
    const int side = 5000;
    QByteArray raw;
    {
        const QByteArray row = '\0' + QByteArray(side * 4, '\x80');
        raw.reserve(row.size() * side);
        for (int y = 0; y < side; ++y)
            raw += row;
    }
    const QByteArray idat = qCompress(raw, 9).mid(4); // without Qt's length prefix
    raw.clear();
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out << quint32(side) << quint32(side) << quint8(8) << quint8(6) << quint8(0) << quint8(0)
        << quint8(0);
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0 before\\par\n";
    for (int i = 0; rtf.size() < size; ++i) {
        const QByteArray png =
            QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
            pngChunk("tEXt", QByteArray("Comment\0", 8) + QByteArray::number(i)) +
            pngChunk("IDAT", idat) + pngChunk("IEND", {});
        rtf += "{\\pict\\pngblip\\picw5000\\pich5000\n" + png.toHex() + "}\n";
    }
    return rtf + "\\par after}";
}

// A click on the title: the reader reads the document on its thread and
// shows it when done.
void viewAndWait(ReferenceDesk &desk, DocumentViewer &viewer, const QString &title)
{
    QEventLoop loop;
    QObject::connect(&viewer, &DocumentViewer::documentShown, &loop, &QEventLoop::quit);
    desk.viewDocument(title);
    if (viewer.isReading())
        loop.exec();
}

// Median of `runs` single steps, each timed by itself.
double medianEach(int runs, const std::function<void()> &step)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    // The reader leaves a copy of the viewed document in the working folder.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("documents.mdb"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), copy)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 1;
    }
    QDir::setCurrent(dir.path());
    QString error;
    QSqlDatabase mainDb = Database::open(copy, QStringLiteral("main"), &error);
    QSqlDatabase pickerDb = Database::open(copy, QStringLiteral("picker"), &error);
    if (!mainDb.isOpen() || !pickerDb.isOpen()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    struct Case
    {
        const char *name;
        QString title;
        QByteArray bytes;
        double limit;
        int pictures;
    };
    std::vector<Case> cases = {{"document_3mb_shown", QStringLiteral("电力安全工作规程（大）"),
                                document(3 * 1024 * 1024, 8, QSize(480, 320)), 1000, 8},
                               {"document_100kb_shown", QStringLiteral("电力安全工作规程（小）"),
                                document(100 * 1024, 1, QSize(160, 120)), 50, 1}};
    for (const Case &c : cases)
        DocumentTable(mainDb).add(c.title, c.bytes);

    Windows windows(mainDb, pickerDb);
    MainWindow *main = windows.main();
    auto *desk = main->findChild<ReferenceDesk *>();
    auto *viewer = static_cast<DocumentViewer *>(windows.documents());
    if (!desk || !viewer)
        return 1;
    main->show();
    desk->openReader();
    QCoreApplication::processEvents();

    bool within = true;
    for (const Case &c : cases) {
        const double read = medianMs(5, [&] { DocumentTable(mainDb).firstShown(c.title); });
        QTextDocument reading;
        const double reader = medianMs(5, [&] { rtf::readInto(c.bytes, reading); });
        // As a click on the title in the list: read, set into the view, painted.
        const double shown = medianMs(5, [&] {
            viewAndWait(*desk, *viewer, c.title);
            viewer->view()->viewport()->repaint();
        });
        // The view lays out the rest of a long document while the user reads
        // the first page; here that is forced, to the last block.
        const double whole = medianMs(3, [&] {
            viewAndWait(*desk, *viewer, c.title);
            QTextDocument *shownDocument = viewer->view()->document();
            shownDocument->documentLayout()->blockBoundingRect(shownDocument->lastBlock());
        });
        const QTextDocument *shownDocument = viewer->view()->document();
        std::printf("%s: %lld bytes, %d blocks, %zu characters; read from the file %.2f ms, "
                    "RTF read %.2f ms, shown %.2f ms, laid out to the end %.2f ms\n",
                    c.name, static_cast<long long>(c.bytes.size()), shownDocument->blockCount(),
                    static_cast<size_t>(shownDocument->characterCount()), read, reader, shown,
                    whole);
        const qsizetype pictures = rtf::plainText(*shownDocument).count(QStringLiteral("[图片 "));
        if (shownDocument->characterCount() < c.bytes.size() / 40 || pictures != c.pictures) {
            std::fprintf(stderr, "%s: the view shows too little (%lld pictures)\n", c.name,
                         static_cast<long long>(pictures));
            return 1;
        }
        within &= bench(c.name, shown, c.limit, read);
        bench((QByteArray(c.name).replace("_shown", "_laid_out")).constData(), whole, kNoLimit,
              read);
    }

    // The timers' ticks, each with the repaint it causes; the baselines are
    // the core steps alone.
    const double slogan = medianEach(400, [&] {
        desk->tickSlogan();
        QCoreApplication::processEvents();
    });
    SeededRandom random(1);
    SloganMarquee marquee(random);
    const double sloganCore = medianEach(400, [&] { marquee.tick(); });
    const double idle = medianEach(400, [&] {
        desk->tickIdle();
        QCoreApplication::processEvents();
    });
    const double idleCore = medianEach(400, [&] { idle::statusText(65432); });
    within &= bench("slogan_tick", slogan, 1, sloganCore);
    within &= bench("idle_tick", idle, 1, idleCore);

    // The slowest hostile input, read into a document as the reader's thread
    // reads it; the baseline is the same bytes read from a file.
    const QByteArray hostile = hostilePictures(5 * 1024 * 1024);
    const QString hostileFile = dir.filePath(QStringLiteral("hostile.rtf"));
    {
        QFile file(hostileFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(hostile) != hostile.size())
            return 1;
    }
    const double fromFile = medianMs(3, [&] {
        QFile file(hostileFile);
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    });
    rtf::Tally tally;
    QString hostileText;
    const double hostileRead = medianMs(3, [&] {
        QTextDocument reading;
        rtf::ReadOptions options;
        options.tally = &tally;
        rtf::readInto(hostile, reading, options);
        hostileText = rtf::plainText(reading);
    });
    std::printf(
        "document_hostile_worst: %lld bytes, %lld pictures, %lld MB decoded; read %.2f ms\n",
        static_cast<long long>(hostile.size()),
        static_cast<long long>(tally.of(rtf::Construct::Pictures)),
        static_cast<long long>(tally.of(rtf::Construct::PictureData) >> 20), hostileRead);
    if (!tally.wasCut(rtf::Construct::PictureData) || !hostileText.startsWith(u"before\n"_qs) ||
        !hostileText.contains(rtf::ReadingBudget::notice(rtf::Construct::PictureData))) {
        std::fprintf(stderr,
                     "document_hostile_worst: the pictures were not cut as they should be\n");
        return 1;
    }
    within &= bench("document_hostile_worst", hostileRead, 2000, fromFile);
    return exitCode(within);
}
