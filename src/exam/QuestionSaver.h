#pragma once

#include "question/RunQuestion.h"

#include <QString>

class Notifier;
class PracticeRun;

// "将该题及答案存放到当前路径磁盘（文本文件）...": appends the question on
// screen and its correct answer to a text file of the current directory.
class QuestionSaver
{
public:
    explicit QuestionSaver(Notifier &notifier) : m_notifier(notifier) {}

    // "NO" + set index + question number + ".txt", each number two digits at least.
    static QString fileName(int setIndex, int number);
    // The stem, CR LF, the options and the correct answer as the question's
    // type writes them, CR LF.
    static QString text(const RunQuestion &question);
    // Shown when no question of a run is on screen.
    static const QString kNoQuestionNotice;
    // Shown when the file cannot be written.
    static QString notSavedNotice(const QString &fileName);

    // Appends the question on screen (GBK) to fileName(setIndex, its number).
    // Says nothing when it was written; a notice when there is no question
    // on screen (nothing is read then) or the file cannot be written.
    bool save(const PracticeRun &run, int setIndex);

private:
    Notifier &m_notifier;
};
