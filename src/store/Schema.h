#pragma once

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

} // namespace schema
