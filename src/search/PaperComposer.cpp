#include "search/PaperComposer.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/RandomSource.h"
#include "base/StoreError.h"
#include "question/QuestionType.h"
#include "search/QuestionBlock.h"
#include "store/BackupGuard.h"
#include "store/BankTable.h"
#include "store/ChapterTable.h"
#include "store/QuestionTable.h"
#include "store/TrainerLock.h"

#include <algorithm>
#include <optional>

namespace {

const std::array<QString, 5> kDefaultScores = {QStringLiteral("1"), QStringLiteral("1"),
                                               QStringLiteral("1"), QStringLiteral("1"),
                                               QStringLiteral("5")};

// A field's text as a whole number of points; nothing for "", ".", "1.5".
std::optional<int> wholeNumber(const QString &text)
{
    const QString trimmed = text::trimmed(text);
    if (trimmed.isEmpty())
        return std::nullopt;
    for (QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString notWholeNotice(const QString &field, const QString &text)
{
    return QStringLiteral("[软件提示]：") + field + QStringLiteral(" [") + text +
           QStringLiteral("] 不是整数，请输入整数分数.");
}

QString typeField(int type)
{
    QString label = PaperComposer::typeLabel(type);
    label.chop(1); // the colon
    return label + QStringLiteral("每道小题得分");
}

} // namespace

PaperComposer::PaperComposer(QSqlDatabase db, Notifier &notifier, RandomSource &random)
    : m_db(std::move(db)), m_notifier(notifier), m_random(random)
{
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        row(type).score = kDefaultScores[static_cast<size_t>(type - 1)];
    }
}

QString PaperComposer::typeLabel(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral("单项选择题：");
    case 2:
        return QStringLiteral("多项选择题：");
    case 3:
        return QStringLiteral("填空题：");
    case 4:
        return QStringLiteral("判断题：");
    case 5:
        return QStringLiteral("问答或论述题：");
    default:
        return QString();
    }
}

QString PaperComposer::copyNotice()
{
    return QStringLiteral("[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中作为"
                          "传统考试命题样卷。");
}

QString PaperComposer::scoresRewrittenLine()
{
    return QStringLiteral(
        "[软件提示]:各个题型每道小题得分已修改完毕，请在右侧选择 各个题型的数量.");
}

qint64 PaperComposer::bankIdOf(const QString &bankName) const
{
    for (const BankRow &bank : BankTable(m_db).all()) {
        if (bank.name == bankName)
            return bank.id;
    }
    return 0;
}

void PaperComposer::open(Scope scope, const QString &chapterName, const QString &bankName)
{
    m_scope = scope;
    const QString scoreLine = m_page.scoreLine;
    const bool rewriteEnabled = m_page.rewriteEnabled;
    m_page = Page();
    m_page.scoreLine = scoreLine;
    m_page.rewriteEnabled = rewriteEnabled;
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        row(type).score = kDefaultScores[static_cast<size_t>(type - 1)];
    }

    try {
        QuestionTable questions(m_db);
        QuestionScope where;
        if (scope == Scope::Chapter) {
            const std::optional<ChapterRow> chapter = ChapterTable(m_db).findByName(chapterName);
            m_scopeId = chapter ? chapter->id : 0;
            where = QuestionScope::chapter(m_scopeId);
        } else {
            m_scopeId = bankIdOf(bankName);
            where = QuestionScope::bank(m_scopeId);
        }
        int total = 0;
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            TypeRow &r = row(type);
            r.available = questions.count(where.ofType(type));
            r.present = r.available > 0;
            total += r.available;
        }
        m_page.total = QString::number(total);
        if (scope == Scope::Bank) {
            m_page.bankLine = QStringLiteral("当前试题库:") + QString::number(total) +
                              QStringLiteral("道/  全库:") + QString::number(questions.countAll()) +
                              QStringLiteral("道");
        }
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：无法读取试题数量，组卷页面未能打开。原因：") +
                          error.reason());
    }
}

void PaperComposer::setScore(int type, const QString &text)
{
    if (question::isTypeCode(type))
        row(type).score = text;
}

void PaperComposer::setTarget(const QString &text)
{
    m_page.target = text;
}

void PaperComposer::moveSlider(int type, int drawn)
{
    if (type < 1 || type > 5)
        return;
    row(type).drawn = std::clamp(drawn, 0, row(type).available);

    int sum = 0;
    for (const QuestionType questionType : question::allTypes()) {
        const int t = question::code(questionType);
        const std::optional<int> score = wholeNumber(row(t).score);
        if (!score) {
            // The selected total cannot be known: it stays as it was, and the
            // line under it says which field to mend.
            m_page.successLine = notWholeNotice(typeField(t), row(t).score);
            return;
        }
        sum += row(t).drawn * *score;
    }
    m_page.selected = QString::number(sum);
    const std::optional<int> target = wholeNumber(m_page.target);
    if (target && *target == sum) {
        m_page.successLine =
            (type == 1 ? QStringLiteral("[软件提示]:恭喜! 可以点击【确定】按钮生成")
                       : QStringLiteral("[软件提示]：恭喜! 可以点击【确定】按钮生成")) +
            m_page.target + QStringLiteral("分试题.");
    } else {
        m_page.successLine.clear();
    }
}

void PaperComposer::unlockScores()
{
    m_page.scoresEnabled = true;
    m_page.rewriteEnabled = true;
}

bool PaperComposer::rewriteScores(const QString &bankName)
{
    m_page.rewriteEnabled = false;
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        if (text::trimmed(row(type).score).isEmpty()) {
            m_notifier.inform(QStringLiteral("软件提示：请输入单项选择题各个小题分数."));
            return false;
        }
    }
    std::array<int, 6> points{};
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        const std::optional<int> score = wholeNumber(row(type).score);
        if (!score) {
            m_notifier.inform(notWholeNotice(typeField(type), row(type).score) +
                              QStringLiteral(" 各题型得分均未修改."));
            return false;
        }
        points[static_cast<size_t>(type)] = *score;
    }
    // Stopped while another trainer rewrites, or for want of a backup:
    // nothing changed, "改分" can be pressed again.
    const TrainerLock lock(m_db, BackupGuard::rewriteScores());
    if (!lock.held()) {
        m_notifier.inform(lock.refusal());
        m_page.rewriteEnabled = true;
        return false;
    }
    if (!BackupGuard::beforeStep(m_db, m_notifier, BackupGuard::rewriteScores())) {
        m_page.rewriteEnabled = true;
        return false;
    }
    try {
        QuestionTable(m_db).setBankPoints(bankIdOf(bankName), points);
    } catch (const StoreError &error) {
        m_notifier.inform(
            QStringLiteral("[软件提示]：各题型得分未能修改，题库中的分数保持原样。原因：") +
            error.reason());
        return false;
    }
    m_page.scoreLine = scoresRewrittenLine();
    m_page.scoresEnabled = false;
    return true;
}

PaperComposer::Confirmation PaperComposer::confirm()
{
    if (m_page.target.isEmpty()) {
        m_notifier.inform(QStringLiteral("[软件提示]：组卷总分未设定"));
        return Confirmation::RefusedAtTarget;
    }
    const std::optional<int> target = wholeNumber(m_page.target);
    if (!target) {
        m_notifier.inform(notWholeNotice(QStringLiteral("组卷总分"), m_page.target));
        return Confirmation::RefusedAtTarget;
    }
    int sum = 0;
    int drawn = 0;
    for (const QuestionType questionType : question::allTypes()) {
        const int type = question::code(questionType);
        if (row(type).drawn == 0)
            continue;
        const std::optional<int> score = wholeNumber(row(type).score);
        if (!score) {
            m_notifier.inform(notWholeNotice(typeField(type), row(type).score));
            return Confirmation::Refused;
        }
        sum += row(type).drawn * *score;
        drawn += row(type).drawn;
    }
    m_page.selected = QString::number(sum);
    if (*target > kMaxTarget) {
        m_notifier.inform(QStringLiteral("[软件提示]：设定试题数量过大，不超过200分"));
        return Confirmation::Refused;
    }
    if (sum != *target) {
        m_notifier.inform(QStringLiteral("[软件提示]：设定试题数量得分 [") + m_page.selected +
                          QStringLiteral("] 分与总分 [") + m_page.target +
                          QStringLiteral("] 分不相等,请调节各题型试题数量."));
        return Confirmation::Refused;
    }
    if (drawn == 0) {
        m_notifier.inform(QStringLiteral("[软件提示]：尚未选择试题，请调节各题型试题数量."));
        return Confirmation::Refused;
    }
    return Confirmation::Open;
}

StyledText PaperComposer::compose()
{
    StyledText lines;
    const QuestionScope where = m_scope == Scope::Chapter ? QuestionScope::chapter(m_scopeId)
                                                          : QuestionScope::bank(m_scopeId);
    try {
        QuestionTable questions(m_db);
        for (const QuestionType questionType : question::allTypes()) {
            const int type = question::code(questionType);
            const int wanted = row(type).drawn;
            if (wanted <= 0)
                continue;
            const QList<qint64> candidates = questions.ids(where.ofType(type));
            // Fewer candidates than asked for (deleted meanwhile): all that remain.
            QList<int> picked =
                draw::withoutRepeats(m_random, static_cast<int>(candidates.size()), wanted);
            std::sort(picked.begin(), picked.end());
            int number = 0;
            for (int position : picked) {
                const std::optional<QuestionRow> question = questions.find(candidates.at(position));
                if (question)
                    QuestionBlock::append(lines, *question, ++number,
                                          QuestionBlock::Variant::Composition);
            }
        }
    } catch (const StoreError &error) {
        m_notifier.inform(QStringLiteral("[软件提示]：读取试题失败，试卷未能完整生成。原因：") +
                          error.reason());
    }
    return lines;
}
