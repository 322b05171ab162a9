#include "BankParser.h"

#include "DataError.h"

#include "base/GbkText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

const QString kTypeNames[5] = {QStringLiteral("单选"), QStringLiteral("多选"),
                               QStringLiteral("填空"), QStringLiteral("判断"),
                               QStringLiteral("论述")};

bool isChoice(int type)
{
    return type == 1 || type == 2;
}

// A whole number without sign or blanks; -1 otherwise.
int parseNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
    if (!digits.match(text).hasMatch())
        return -1;
    return text.toInt();
}

QStringList splitFields(const QString &rest)
{
    QStringList fields = rest.split(QLatin1Char('|'));
    for (QString &field : fields)
        field = field.trimmed();
    return fields;
}

// A line that can only be a keyword line: a stem must never look like one.
bool looksLikeKeyword(const QString &line)
{
    static const QRegularExpression keyword(
        QStringLiteral("^(BANK:|CHAPTER:|Q\\s|[A-D](\\s|$)|=|IMG(\\s|$)|KNOWN$)"));
    return keyword.match(line).hasMatch();
}

} // namespace

BankParser::BankParser(QString imagesDir) : m_imagesDir(std::move(imagesDir)) {}

int BankParser::typeCode(const QString &name)
{
    for (int i = 0; i < 5; ++i) {
        if (name == kTypeNames[i])
            return i + 1;
    }
    return 0;
}

int BankParser::questionCount() const
{
    int count = 0;
    for (const SourceBank &bank : m_banks) {
        for (const SourceChapter &chapter : bank.chapters)
            count += static_cast<int>(chapter.questions.size());
    }
    return count;
}

void BankParser::parseFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(
            QStringLiteral("%1: cannot read the file (%2)").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        // Name the first line that is not UTF-8.
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QStringDecoder lineDecoder(QStringDecoder::Utf8);
            (void)lineDecoder.decode(lines.at(i));
            if (lineDecoder.hasError())
                throw DataError::at(path, static_cast<int>(i + 1),
                                    QStringLiteral("the line is not valid UTF-8"));
        }
        throw DataError(QStringLiteral("%1: the file is not valid UTF-8").arg(path));
    }
    parseText(text, path);
}

void BankParser::parseText(const QString &text, const QString &fileName)
{
    m_file = fileName;
    m_line = 0;
    m_bankIndex = -1;
    m_chapterIndex = -1;
    m_inQuestion = false;
    m_needStem = false;

    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        lines.first().remove(0, 1);
    for (const QString &raw : std::as_const(lines)) {
        ++m_line;
        QString line = raw;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        parseLine(trimmed);
    }
    ++m_line;
    finishQuestion();
    if (m_bankIndex < 0)
        throw DataError(QStringLiteral("%1: no BANK line in the file").arg(m_file));
}

void BankParser::parseLine(const QString &line)
{
    if (m_needStem) {
        if (looksLikeKeyword(line))
            fail(QStringLiteral("the stem is missing: the line after a Q line is the stem, "
                                "not \"%1\"")
                     .arg(line));
        checkText(QStringLiteral("the stem"), line, kMaxStemBytes);
        m_question.stem = line;
        m_needStem = false;
        return;
    }
    if (line.startsWith(QLatin1String("BANK:"))) {
        finishQuestion();
        startBank(line.mid(5));
    } else if (line.startsWith(QLatin1String("CHAPTER:"))) {
        finishQuestion();
        startChapter(line.mid(8));
    } else if (line.startsWith(QLatin1String("Q ")) || line == QLatin1String("Q")) {
        finishQuestion();
        startQuestion(line.mid(1).trimmed());
    } else if (line.size() >= 1 && line.at(0) >= QLatin1Char('A') &&
               line.at(0) <= QLatin1Char('D') && (line.size() == 1 || line.at(1).isSpace())) {
        addOption(line.at(0).unicode() - 'A', line.mid(1).trimmed());
    } else if (line.startsWith(QLatin1Char('='))) {
        setAnswer(line.mid(1).trimmed());
    } else if (line == QLatin1String("IMG") || line.startsWith(QLatin1String("IMG "))) {
        setImage(line.mid(3).trimmed());
    } else if (line == QLatin1String("KNOWN")) {
        if (!m_inQuestion)
            fail(QStringLiteral("KNOWN outside a question"));
        if (m_question.known)
            fail(QStringLiteral("KNOWN given twice"));
        m_question.known = true;
    } else {
        fail(QStringLiteral("unrecognized line \"%1\" (expected BANK:, CHAPTER:, Q, A-D, =, "
                            "IMG or KNOWN)")
                 .arg(line));
    }
}

void BankParser::startBank(const QString &rest)
{
    const QStringList fields = splitFields(rest);
    if (fields.size() != 3)
        fail(QStringLiteral("a BANK line reads \"BANK: id | name | on|off\""));
    const int id = parseNumber(fields.at(0));
    if (id <= 0)
        fail(QStringLiteral("the bank id \"%1\" is not a positive whole number").arg(fields.at(0)));
    if (fields.at(1).isEmpty())
        fail(QStringLiteral("the bank name is empty"));
    checkText(QStringLiteral("the bank name"), fields.at(1), kMaxNameBytes);
    if (fields.at(1).contains(QLatin1Char('\'')))
        fail(QStringLiteral("the bank name must not contain a single quote"));
    if (fields.at(2) != QLatin1String("on") && fields.at(2) != QLatin1String("off"))
        fail(QStringLiteral("the bank status \"%1\" is neither on nor off").arg(fields.at(2)));
    for (const SourceBank &other : std::as_const(m_banks)) {
        if (other.id == id)
            fail(QStringLiteral("bank id %1 is already used at %2:%3")
                     .arg(id)
                     .arg(other.file)
                     .arg(other.line));
        if (other.name == fields.at(1))
            fail(QStringLiteral("bank name \"%1\" is already used at %2:%3")
                     .arg(fields.at(1), other.file)
                     .arg(other.line));
    }
    SourceBank bank;
    bank.id = id;
    bank.name = fields.at(1);
    bank.enabled = fields.at(2) == QLatin1String("on");
    bank.file = m_file;
    bank.line = m_line;
    m_banks.append(bank);
    m_bankIndex = m_banks.size() - 1;
    m_chapterIndex = -1;
    m_stemPlaces.clear();
}

void BankParser::startChapter(const QString &rest)
{
    if (m_bankIndex < 0)
        fail(QStringLiteral("CHAPTER before the file's BANK line"));
    const QStringList fields = splitFields(rest);
    if (fields.size() > 2)
        fail(QStringLiteral("a CHAPTER line reads \"CHAPTER: name | minutes\""));
    const QString name = fields.at(0);
    if (name.isEmpty())
        fail(QStringLiteral("the chapter name is empty"));
    checkText(QStringLiteral("the chapter name"), name, kMaxNameBytes);
    if (name.contains(QLatin1Char('\'')))
        fail(QStringLiteral("the chapter name must not contain a single quote"));
    if (m_chapterPlaces.contains(name))
        fail(QStringLiteral("duplicate chapter name \"%1\" (first at %2); chapter names are "
                            "unique over all banks")
                 .arg(name, m_chapterPlaces.value(name)));
    int minutes = 60;
    if (fields.size() == 2) {
        minutes = parseNumber(fields.at(1));
        if (minutes <= 0 || minutes > 999)
            fail(
                QStringLiteral("the chapter time \"%1\" is not a whole number of minutes 1 ... 999")
                    .arg(fields.at(1)));
    }
    m_chapterPlaces.insert(name, QStringLiteral("%1:%2").arg(m_file).arg(m_line));
    SourceChapter chapter;
    chapter.name = name;
    chapter.minutes = minutes;
    chapter.file = m_file;
    chapter.line = m_line;
    bank().chapters.append(chapter);
    m_chapterIndex = bank().chapters.size() - 1;
}

void BankParser::startQuestion(const QString &rest)
{
    if (m_chapterIndex < 0)
        fail(QStringLiteral("Q before the bank's first CHAPTER line"));
    const QStringList parts =
        rest.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        fail(QStringLiteral("a Q line reads \"Q type points\""));
    const int type = typeCode(parts.at(0));
    if (type == 0)
        fail(QStringLiteral("unknown question type \"%1\" (expected 单选 多选 填空 判断 论述)")
                 .arg(parts.at(0)));
    if (parts.size() < 2)
        fail(QStringLiteral("the points are missing: \"Q %1 points\"").arg(parts.at(0)));
    if (parts.size() > 2)
        fail(QStringLiteral("a Q line reads \"Q type points\", found \"%1\"").arg(rest));
    const int points = parseNumber(parts.at(1));
    if (points <= 0 || points > 999)
        fail(QStringLiteral("the points \"%1\" are not a whole number 1 ... 999").arg(parts.at(1)));
    m_question = SourceQuestion();
    m_question.type = type;
    m_question.points = points;
    m_question.file = m_file;
    m_question.line = m_line;
    m_inQuestion = true;
    m_needStem = true;
    m_optionCount = 0;
    m_haveAnswer = false;
    m_rawAnswer.clear();
    m_answerLine = 0;
}

void BankParser::addOption(int index, const QString &text)
{
    const QChar letter = QLatin1Char(static_cast<char>('A' + index));
    if (!m_inQuestion)
        fail(QStringLiteral("option %1 outside a question").arg(letter));
    if (!isChoice(m_question.type))
        fail(
            QStringLiteral("option %1: options belong to 单选 and 多选 only, this is a %2 question")
                .arg(letter)
                .arg(kTypeNames[m_question.type - 1]));
    if (m_haveAnswer)
        fail(QStringLiteral("option %1 after the answer line").arg(letter));
    if (index != m_optionCount)
        fail(QStringLiteral("option %1 out of order: expected %2")
                 .arg(letter)
                 .arg(m_optionCount < 4
                          ? QString(QLatin1Char(static_cast<char>('A' + m_optionCount)))
                          : QStringLiteral("no further option")));
    if (text.isEmpty())
        fail(QStringLiteral("option %1 is empty").arg(letter));
    checkText(QStringLiteral("option %1").arg(letter), text, kMaxOptionBytes);
    m_question.options[index] = text;
    ++m_optionCount;
}

void BankParser::setAnswer(const QString &text)
{
    if (!m_inQuestion)
        fail(QStringLiteral("answer line outside a question"));
    if (m_haveAnswer)
        fail(QStringLiteral("a second answer line (the first is at line %1)").arg(m_answerLine));
    if (text.isEmpty())
        fail(QStringLiteral("the answer is empty"));
    m_haveAnswer = true;
    m_rawAnswer = text;
    m_answerLine = m_line;
}

void BankParser::setImage(const QString &name)
{
    if (!m_inQuestion)
        fail(QStringLiteral("IMG outside a question"));
    if (!m_question.image.isEmpty())
        fail(QStringLiteral("IMG given twice"));
    if (name.isEmpty())
        fail(QStringLiteral("IMG without a file name"));
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(' ')) || name.startsWith(QLatin1Char('.')))
        fail(QStringLiteral("the picture \"%1\" must be a plain file name without blanks")
                 .arg(name));
    checkText(QStringLiteral("the picture name"), name, 255);
    if (!m_imagesDir.isEmpty() && !QFileInfo(QDir(m_imagesDir).filePath(name)).isFile())
        fail(QStringLiteral("the picture \"%1\" does not exist in %2").arg(name, m_imagesDir));
    m_question.image = name;
}

void BankParser::finishQuestion()
{
    if (!m_inQuestion)
        return;
    m_inQuestion = false;
    const int qLine = m_question.line;
    const QString typeName = kTypeNames[m_question.type - 1];
    if (m_needStem) {
        m_needStem = false;
        failAt(qLine, QStringLiteral("the question has no stem"));
    }
    if (isChoice(m_question.type) && m_optionCount != 4)
        failAt(qLine, QStringLiteral("a %1 question needs four options A-D, found %2")
                          .arg(typeName)
                          .arg(m_optionCount));
    if (!m_haveAnswer)
        failAt(qLine, QStringLiteral("the question has no answer (\"= ...\" line)"));

    const QString &raw = m_rawAnswer;
    const int line = m_answerLine;
    switch (m_question.type) {
    case 1: {
        if (raw.size() != 1 || raw.at(0) < QLatin1Char('A') || raw.at(0) > QLatin1Char('D'))
            failAt(line, QStringLiteral("a 单选 answer is one letter A-D, not \"%1\"").arg(raw));
        m_question.answer = QString::number(raw.at(0).unicode() - 'A' + 1);
        break;
    }
    case 2: {
        bool chosen[4] = {false, false, false, false};
        for (QChar c : raw) {
            if (c < QLatin1Char('A') || c > QLatin1Char('D'))
                failAt(line,
                       QStringLiteral("a 多选 answer holds letters A-D only, not \"%1\"").arg(raw));
            const int index = c.unicode() - 'A';
            if (chosen[index])
                failAt(line, QStringLiteral("letter %1 given twice in the 多选 answer \"%2\"")
                                 .arg(c)
                                 .arg(raw));
            chosen[index] = true;
        }
        QString digits;
        for (int i = 0; i < 4; ++i) {
            if (chosen[i])
                digits += QString::number(i + 1);
        }
        if (digits.size() < 2)
            failAt(line,
                   QStringLiteral("a 多选 answer names at least two options, not \"%1\"").arg(raw));
        m_question.answer = digits;
        break;
    }
    case 3:
        checkText(QStringLiteral("the answer"), raw, kMaxFillAnswerBytes, line);
        m_question.answer = raw;
        break;
    case 4:
        if (raw == QStringLiteral("对"))
            m_question.answer = QStringLiteral("1");
        else if (raw == QStringLiteral("错"))
            m_question.answer = QStringLiteral("0");
        else
            failAt(line, QStringLiteral("a 判断 answer is 对 or 错, not \"%1\"").arg(raw));
        break;
    case 5:
        checkText(QStringLiteral("the answer"), raw, kMaxEssayAnswerBytes, line);
        m_question.answer = raw;
        break;
    }

    const QString place = QStringLiteral("%1:%2").arg(m_file).arg(qLine);
    if (m_stemPlaces.contains(m_question.stem))
        failAt(qLine, QStringLiteral("the same stem already stands at %1 in this bank")
                          .arg(m_stemPlaces.value(m_question.stem)));
    m_stemPlaces.insert(m_question.stem, place);
    chapter().questions.append(m_question);
}

void BankParser::checkText(const QString &what, const QString &text, int maxBytes, int line) const
{
    auto fail = [&](const QString &message) { failAt(line > 0 ? line : m_line, message); };
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            fail(QStringLiteral("%1 holds a control character").arg(what));
    }
    if (!gbk::representable(text)) {
        QString bad;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype width = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            if (!gbk::representable(text.mid(i, width))) {
                bad = text.mid(i, width);
                break;
            }
            i += width - 1;
        }
        fail(QStringLiteral("%1 holds \"%2\" (U+%3), which GBK cannot represent")
                 .arg(what, bad)
                 .arg(bad.isEmpty() ? 0u : bad.toUcs4().value(0), 4, 16, QLatin1Char('0')));
    }
    const int bytes = gbk::byteLength(text);
    if (bytes > maxBytes)
        fail(QStringLiteral("%1 is %2 bytes long in GBK; at most %3 are allowed")
                 .arg(what)
                 .arg(bytes)
                 .arg(maxBytes));
}

void BankParser::fail(const QString &message) const
{
    throw DataError::at(m_file, m_line, message);
}

void BankParser::failAt(int line, const QString &message) const
{
    throw DataError::at(m_file, line, message);
}
