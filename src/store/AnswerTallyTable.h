#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// How many objective questions were answered, and how many right, per day,
// chapter and question type (table answer_tally). Grading adds to it; the
// statistics read recent accuracy from it without walking single answers.
class AnswerTallyTable
{
public:
    explicit AnswerTallyTable(QSqlDatabase db) : m_db(std::move(db)) {}

    static QStringList createStatements();

    // Graded answers on `day` (yyyy-MM-dd), each counted under the chapter its
    // question stands in now. A deleted question counts nowhere.
    struct Answer
    {
        qint64 questionId = 0;
        int type = 0;
        bool right = false;
    };
    void add(const QString &day, const QList<Answer> &answers) const;
    void add(const QString &day, qint64 questionId, int type, bool right) const
    {
        add(day, QList<Answer>{{questionId, type, right}});
    }

    struct Tally
    {
        qint64 chapterId = 0;
        int type = 0;
        int answered = 0;
        int right = 0;
    };
    // Totals per chapter and type of the bank's existing chapters, from
    // `sinceDay` (yyyy-MM-dd) on.
    QList<Tally> ofBankSince(qint64 bankId, const QString &sinceDay) const;

private:
    QSqlDatabase m_db;
};
