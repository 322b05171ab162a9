#pragma once

#include "BankSource.h"

#include <QHash>
#include <QList>
#include <QString>

// Reads the bank sources (data/README.md) into banks, chapters and questions in
// their stored forms. Every refusal throws DataError naming the file and line.
// Files are parsed one after another into the same result, so bank ids and
// chapter names are checked across all of them.
class BankParser
{
public:
    // Pictures named by IMG lines must exist in imagesDir; an empty imagesDir
    // skips that check.
    explicit BankParser(QString imagesDir = QString());

    void parseFile(const QString &path);
    // fileName is only used in messages.
    void parseText(const QString &text, const QString &fileName);

    const QList<SourceBank> &banks() const { return m_banks; }
    int questionCount() const;

    // 单选 1, 多选 2, 填空 3, 判断 4, 论述 5; 0 for anything else.
    static int typeCode(const QString &name);
    // Byte limits of the question editor, kept by the sources too.
    static constexpr int kMaxStemBytes = 1000;
    static constexpr int kMaxOptionBytes = 200;
    static constexpr int kMaxFillAnswerBytes = 200;
    static constexpr int kMaxEssayAnswerBytes = 500;
    static constexpr int kMaxNameBytes = 50;

private:
    void parseLine(const QString &line);
    void startBank(const QString &rest);
    void startChapter(const QString &rest);
    void startQuestion(const QString &rest);
    void addOption(int index, const QString &text);
    void setAnswer(const QString &text);
    void setImage(const QString &name);
    void finishQuestion();
    // line 0: the current line.
    void checkText(const QString &what, const QString &text, int maxBytes, int line = 0) const;
    SourceBank &bank() { return m_banks[m_bankIndex]; }
    SourceChapter &chapter() { return bank().chapters[m_chapterIndex]; }
    [[noreturn]] void fail(const QString &message) const;
    [[noreturn]] void failAt(int line, const QString &message) const;

    QString m_imagesDir;
    QList<SourceBank> m_banks;
    QHash<QString, QString> m_chapterPlaces; // name -> "file:line"

    // Per file.
    QString m_file;
    int m_line = 0;
    qsizetype m_bankIndex = -1;    // into m_banks, -1 before the file's BANK line
    qsizetype m_chapterIndex = -1; // into the bank's chapters
    // The question being read.
    bool m_inQuestion = false;
    bool m_needStem = false;
    SourceQuestion m_question;
    int m_optionCount = 0;
    bool m_haveAnswer = false;
    QString m_rawAnswer;
    int m_answerLine = 0;
    QHash<QString, QString> m_stemPlaces; // per bank: stem -> "file:line"
};
