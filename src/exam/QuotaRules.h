#pragma once

#include <QList>
#include <QString>
#include <limits>
#include <optional>

// The rules and texts of the mock-examination quotas: what a type's quota
// list offers, the examination time and question limit fields, the check
// before a chapter's quota is stored and the notices around it.
namespace quotarules {

// The quotas offered for a type of which the chapter holds `count`
// questions: count, count − 1, …, 0 (empty for no questions). Every question
// of a type can be drawn, the last one included.
QList<int> choicesFor(int count);

// A field corrected after an edit: its new text and the notice that says why.
struct FieldFix
{
    QString text;
    QString notice;
};
// "考试时间(分钟)：" after an edit: empty becomes 60, above 180 becomes 180,
// and 0, which the examination cannot use, becomes the 60 it then runs with.
std::optional<FieldFix> checkMinutes(const QString &text);
// "试题量(道)：" after an edit: empty becomes 120, above 150 becomes 150; 0 is
// refused (no quota could ever be stored under it) and `previous` comes back.
std::optional<FieldFix> checkQuestionLimit(const QString &text, const QString &previous);
// The notice of a question limit of 0.
QString zeroQuestionLimitNotice();
// The number in a field: 0 when it is not a whole number of ASCII digits,
// `overflow` when it is larger than that (or too long for a number).
int fieldNumber(const QString &text, int overflow = std::numeric_limits<int>::max());

// The figures of the check before a chapter's quota is stored.
struct SaveFigures
{
    int limit = 0;        // the question limit of the examination
    int bankTotal = 0;    // the bank's stored quotas, this chapter's included
    int chapterSaved = 0; // the chapter's stored quotas
    int chosen = 0;       // the chapter's quotas as now chosen

    int after() const { return chosen + bankTotal - chapterSaved; }
};
// Why the chapter's quota cannot be stored (the notice), or nothing when it can.
std::optional<QString> refusal(const QString &minutesText, const QString &limitText,
                               const SaveFigures &figures);

QString savedNotice();
// The bank's quotas have reached the question limit.
QString limitReachedNotice(int limit);

QString redrawQuestion();
QString noQuotasNotice(const QString &bankName);
// The re-draw is done: `drawn` questions were drawn in all.
QString redrawnNotice(const QString &bankName, int drawn);
// A chapter that holds fewer questions of a type than its quota: all of them were drawn.
QString shortChapterLine(const QString &chapterName, int type, int held, int quota);
// Quota rows whose chapter no longer exists were left without a draw.
QString goneChaptersLine(int rows);
QString deleteQuestion();
// "[软件提示]：… 没有保存，原因：…" for a failed write.
QString notSavedNotice(const QString &what, const QString &reason);
QString notDeletedNotice(const QString &reason);
QString readFailedNotice(const QString &reason);
QString noChapterNotice();
// The chapter being edited was deleted meanwhile.
QString chapterGoneNotice(const QString &chapterName);

// "【NN】name(count道)": the chapter list's item at 1-based position.
QString chapterItem(int position, const QString &name, int count);

} // namespace quotarules
