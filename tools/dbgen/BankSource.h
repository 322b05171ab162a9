#pragma once

#include <QList>
#include <QString>

// The parsed content of data/banks/*.txt, already in the stored forms of the
// question table: type codes 1 ... 5, answers in their type's encoding.
struct SourceQuestion
{
    int type = 0; // 1 单选, 2 多选, 3 填空, 4 判断, 5 论述
    int points = 2;
    QString stem;       // "<BR>" kept as it stands
    QString options[4]; // A ... D; empty for types 3, 4, 5
    QString answer;     // "1".."4", ascending digits, free text, "1"/"0"
    QString image;      // file name in images/, or empty
    bool known = false; // stored with 题目选择 0
    QString file;       // where it came from, for messages
    int line = 0;
};

struct SourceChapter
{
    QString name;
    int minutes = 60;
    QList<SourceQuestion> questions;
    QString file;
    int line = 0;
};

struct SourceBank
{
    int id = 0;
    QString name;
    bool enabled = true;
    QList<SourceChapter> chapters;
    QString file;
    int line = 0;
};
