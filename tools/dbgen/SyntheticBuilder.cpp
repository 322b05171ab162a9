#include "SyntheticBuilder.h"

#include "AtomicOutput.h"
#include "DataError.h"
#include "DatabaseWriter.h"
#include "RtfWriter.h"
#include "SampleBuilder.h"
#include "SampleSources.h"
#include "StoredValue.h"

#include "base/GbkText.h"
#include "settings/PasswordCodec.h"
#include "store/QuestionCodec.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <vector>

namespace {

// Phrases of the trade, joined at random into texts of realistic length.
const char *const kPhrases[] = {"在高压设备上工作",
                                "应填用第一种工作票",
                                "工作负责人",
                                "工作许可人",
                                "专责监护人",
                                "停电、验电、接地",
                                "装设接地线",
                                "悬挂标示牌",
                                "装设遮栏",
                                "倒闸操作",
                                "操作票",
                                "监护复诵制度",
                                "设备双重名称",
                                "断路器",
                                "隔离开关",
                                "接地刀闸",
                                "验电器",
                                "绝缘手套",
                                "绝缘靴",
                                "安全距离",
                                "带电作业",
                                "等电位作业",
                                "绝缘操作杆",
                                "高处作业",
                                "安全带",
                                "脚手架",
                                "电气试验",
                                "试验电源",
                                "放电",
                                "电压互感器二次回路",
                                "电流互感器二次侧",
                                "触电急救",
                                "心肺复苏",
                                "胸外按压",
                                "消防器材",
                                "干粉灭火器",
                                "动火工作票",
                                "变电站",
                                "开关柜",
                                "母线",
                                "电力电缆",
                                "避雷器",
                                "巡视检查",
                                "现场勘察",
                                "危险点",
                                "安全措施",
                                "工作班成员",
                                "运维人员",
                                "值班调控人员",
                                "检修设备",
                                "可能来电侧",
                                "明显断开点",
                                "三相短路",
                                "感应电压",
                                "雷雨天气",
                                "禁止合闸，有人工作！",
                                "止步，高压危险！",
                                "在此工作！",
                                "从此进出！",
                                "安全工器具"};
const char *const kJoiners[] = {"，", "的", "时，", "和", "应当检查", "之前确认", "，并且", "以及"};
const char *const kStemEnds[] = {"（  ）。", "是否正确？", "应如何处理？", "的要求是（  ）。"};

struct Vocabulary
{
    std::vector<QByteArray> phrases;
    std::vector<QByteArray> joiners;
    std::vector<QByteArray> stemEnds;
};

Vocabulary makeVocabulary()
{
    Vocabulary v;
    for (const char *p : kPhrases)
        v.phrases.push_back(gbk::encode(QString::fromUtf8(p)));
    for (const char *p : kJoiners)
        v.joiners.push_back(gbk::encode(QString::fromUtf8(p)));
    for (const char *p : kStemEnds)
        v.stemEnds.push_back(gbk::encode(QString::fromUtf8(p)));
    return v;
}

class TextMaker
{
public:
    TextMaker(const Vocabulary &vocabulary, quint32 seed) : m_v(vocabulary), m_random(seed) {}
    int between(int low, int high)
    {
        return low + static_cast<int>(m_random.bounded(high - low + 1));
    }
    bool chance(int percent) { return static_cast<int>(m_random.bounded(100)) < percent; }
    template <typename T> const T &pick(const std::vector<T> &list)
    {
        return list[m_random.bounded(static_cast<quint32>(list.size()))];
    }
    // GBK text of about the given length in bytes, cut at a whole phrase.
    QByteArray sentence(int targetBytes, int maxBytes)
    {
        QByteArray out = pick(m_v.phrases);
        while (out.size() < targetBytes) {
            const QByteArray &joiner = pick(m_v.joiners);
            const QByteArray &phrase = pick(m_v.phrases);
            if (out.size() + joiner.size() + phrase.size() > maxBytes)
                break;
            out += joiner;
            out += phrase;
        }
        return out;
    }
    const Vocabulary &vocabulary() const { return m_v; }

private:
    const Vocabulary &m_v;
    QRandomGenerator m_random;
};

QString stored(const QByteArray &gbkText)
{
    return StoredValue::questionBytes(gbkText);
}

QString readSchema(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(
            QStringLiteral("%1: cannot read the schema (%2)").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

} // namespace

void SyntheticBuilder::check(const Options &options)
{
    if (options.output.isEmpty())
        throw DataError(QStringLiteral("--synthetic needs an output file"));
    if (options.banks < 1 || options.banks > 99)
        throw DataError(QStringLiteral("--banks must be 1 ... 99, not %1").arg(options.banks));
    if (options.chapters < options.banks || options.chapters > 9999)
        throw DataError(
            QStringLiteral("--chapters must be %1 ... 9999 (at least one per bank), not %2")
                .arg(options.banks)
                .arg(options.chapters));
    if (options.questions < 5 * options.chapters || options.questions > 10000000)
        throw DataError(QStringLiteral("--questions must be %1 ... 10000000 (five types in every "
                                       "chapter), not %2")
                            .arg(5 * options.chapters)
                            .arg(options.questions));
    if (QFileInfo::exists(options.output) && !options.force)
        throw DataError(QStringLiteral("%1 exists; not overwritten (use --force to replace it)")
                            .arg(options.output));
}

SyntheticBuilder::Report SyntheticBuilder::build(const Options &options)
{
    check(options);
    QElapsedTimer timer;
    timer.start();
    const QString schema = readSchema(options.schemaPath);
    const Vocabulary vocabulary = makeVocabulary();
    TextMaker maker(vocabulary, options.seed);

    const QString folder = QFileInfo(options.output).absolutePath();
    if (!QDir().mkpath(folder))
        throw DataError(QStringLiteral("cannot create the folder %1").arg(folder));
    AtomicOutput output(options.output);
    Report report;
    {
        DatabaseWriter writer(output.partPath());
        writer.createTables(schema);
        writer.begin();
        for (int b = 1; b <= options.banks; ++b) {
            writer.addBank(b, QStringLiteral("合成题库%1").arg(text::twoDigits(b)), true);
            ++report.banks;
        }
        const QString numberPrefix = QStringLiteral("（编号");
        for (int c = 0; c < options.chapters; ++c) {
            const int bank = 1 + c * options.banks / options.chapters;
            const QString name = QStringLiteral("合成%1-第%2章 电气安全综合练习")
                                     .arg(text::twoDigits(bank))
                                     .arg(c + 1, 4, 10, QLatin1Char('0'));
            const qint64 chapterId =
                writer.addChapter(name, bank, 60 + 10 * (c % 7), SampleBuilder::chapterDate(c));
            ++report.chapters;
            // Spread the questions evenly; the first chapters take the remainder.
            const int count = options.questions / options.chapters +
                              (c < options.questions % options.chapters ? 1 : 0);
            for (int i = 0; i < count; ++i) {
                int type;
                if (i < 5) {
                    type = i + 1;
                } else {
                    const int r = maker.between(0, 99);
                    type = r < 35 ? 1 : r < 55 ? 2 : r < 65 ? 3 : r < 95 ? 4 : 5;
                }
                const int number = report.questions + 1;
                EncodedQuestionRow row;
                row.chapter = chapterId;
                row.type = type;
                QByteArray stem =
                    maker.sentence(type == 5 ? maker.between(30, 90) : maker.between(24, 140), 900);
                stem += maker.pick(vocabulary.stemEnds);
                stem += gbk::encode(numberPrefix + QString::number(number) + QStringLiteral("）"));
                row.stem = stored(stem);
                switch (type) {
                case 1:
                case 2:
                    for (auto &option : row.options)
                        option = stored(maker.sentence(maker.between(6, 40), 190));
                    if (type == 1) {
                        row.answer = QString::number(maker.between(1, 4));
                    } else {
                        QString digits;
                        while (digits.size() < 2) {
                            digits.clear();
                            for (int d = 1; d <= 4; ++d) {
                                if (maker.chance(55))
                                    digits += QString::number(d);
                            }
                        }
                        row.answer = digits;
                    }
                    row.answer = encodeQuestionText(row.answer);
                    row.points = 2;
                    break;
                case 3:
                    row.answer = stored(maker.sentence(maker.between(4, 24), 190));
                    row.points = 2;
                    break;
                case 4:
                    row.answer = encodeQuestionText(maker.chance(50) ? QStringLiteral("1")
                                                                     : QStringLiteral("0"));
                    row.points = 2;
                    break;
                default:
                    row.answer = stored(maker.sentence(maker.between(120, 480), 490));
                    row.points = maker.between(4, 10);
                    break;
                }
                row.toPractise = !maker.chance(3);
                writer.addQuestion(row);
                ++report.questions;
            }
        }
        writer.addSettings(50, true, 15, 90, false);
        writer.addPassword(QStringLiteral("999"), encodePassword(SampleBuilder::initialPassword()));
        const char *const jokes[] = {"合成数据库里的笑话：电工说，今天的电阻有点大，原来是周一。",
                                     "合成数据库里的笑话：验电器说，我只相信亲手测过的结果。"};
        for (int j = 0; j < 2; ++j)
            writer.addJoke(SampleSources::encodeJoke(QString::fromUtf8(jokes[j]),
                                                     QStringLiteral("synthetic"), j + 1));
        writer.addDocument(
            QStringLiteral("合成规程"),
            RtfWriter::toRtf(QStringLiteral("## 合成规程\n本文档由合成数据生成器写入，用于测试。")),
            QStringLiteral("3"));
        writer.commit();
        writer.close();
    }
    output.commit(options.force);
    report.milliseconds = timer.elapsed();
    return report;
}
