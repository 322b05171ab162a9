#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Table and column names of the database file. Several are Chinese; they are
// part of the file format and are used exactly as written here.
namespace schema {

inline const QString kDatabaseFile = QStringLiteral("examination.mdb");

inline const QString kQuestionTable = QStringLiteral("考试训练题库");
inline const QString kQuestionChapter = QStringLiteral("试卷分类");
inline const QString kQuestionType = QStringLiteral("题目类型");
inline const QString kQuestionStem = QStringLiteral("题目");
inline const QString kQuestionOption1 = QStringLiteral("选择项1");
inline const QString kQuestionOption2 = QStringLiteral("选择项2");
inline const QString kQuestionOption3 = QStringLiteral("选择项3");
inline const QString kQuestionOption4 = QStringLiteral("选择项4");
inline const QString kQuestionAnswer = QStringLiteral("正确答案");
inline const QString kQuestionPoints = QStringLiteral("本题分数");
inline const QString kQuestionToPractise = QStringLiteral("题目选择");
inline const QString kQuestionImage = QStringLiteral("images");
inline const QString kQuestionNote = QStringLiteral("解析");

inline const QString kChapterName = QStringLiteral("试卷名称");
inline const QString kChapterCreated = QStringLiteral("创建日期");
inline const QString kChapterCreator = QStringLiteral("创建者");

// The tables the program cannot work without.
inline const QStringList kRequiredTables = {kQuestionTable,
                                            QStringLiteral("fenlei"),
                                            QStringLiteral("database_name"),
                                            QStringLiteral("run_record"),
                                            QStringLiteral("log"),
                                            QStringLiteral("rand_num"),
                                            QStringLiteral("help"),
                                            QStringLiteral("reg"),
                                            QStringLiteral("joke")};

// Every column the program reads or writes, by table (the format of
// data/schema.sql). A file without one of them is refused at start.
struct TableColumns
{
    QString table;
    QStringList columns;
};
inline const QList<TableColumns> kRequiredColumns = {
    {QStringLiteral("database_name"),
     {QStringLiteral("id"), QStringLiteral("database_name"), QStringLiteral("status")}},
    {QStringLiteral("fenlei"),
     {QStringLiteral("id"), kChapterName, QStringLiteral("database_id"), QStringLiteral("alltime"),
      kChapterCreated, kChapterCreator}},
    {kQuestionTable,
     {QStringLiteral("id"), kQuestionChapter, kQuestionType, kQuestionStem, kQuestionOption1,
      kQuestionOption2, kQuestionOption3, kQuestionOption4, kQuestionAnswer, kQuestionPoints,
      kQuestionToPractise, kQuestionImage, kQuestionNote}},
    {QStringLiteral("rand_num"),
     {QStringLiteral("id"), QStringLiteral("db_db_id"), QStringLiteral("sele_zhang_id"),
      QStringLiteral("sele_zhang_xuhao"), QStringLiteral("s_num"), QStringLiteral("d_num"),
      QStringLiteral("t_num"), QStringLiteral("p_num"), QStringLiteral("lunshu_num"),
      QStringLiteral("total_num"), QStringLiteral("s_num_shiti"), QStringLiteral("d_num_shiti"),
      QStringLiteral("t_num_shiti"), QStringLiteral("p_num_shiti"),
      QStringLiteral("lunshu_num_shiti")}},
    {QStringLiteral("run_record"),
     {QStringLiteral("per_num"), QStringLiteral("display_answer"), QStringLiteral("next_time"),
      QStringLiteral("test_time"), QStringLiteral("joke_flag")}},
    {QStringLiteral("log"),
     {QStringLiteral("id"), QStringLiteral("date"), QStringLiteral("fen"), QStringLiteral("info")}},
    {QStringLiteral("help"),
     {QStringLiteral("id"), QStringLiteral("title"), QStringLiteral("data"),
      QStringLiteral("flag")}},
    {QStringLiteral("reg"), {QStringLiteral("flag"), QStringLiteral("pass")}},
    {QStringLiteral("joke"), {QStringLiteral("word")}},
};

} // namespace schema
