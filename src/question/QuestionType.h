#pragma once

#include <QString>
#include <QStringList>

// Question type codes of the question table, 1 … 5.
enum QuestionType : int
{
    SingleChoice = 1,
    MultipleChoice = 2,
    FillIn = 3,
    TrueFalse = 4,
    Essay = 5,
};

namespace question {

inline constexpr int kTypeCount = 5;

// Single choice, multiple choice and true/false are marked by the system;
// fill-in and essay answers are shown for the user to compare.
constexpr bool isObjective(int typeCode)
{
    return typeCode == SingleChoice || typeCode == MultipleChoice || typeCode == TrueFalse;
}

// Where a type's name is written: most windows call type 5 "论述题"; the
// review, the paper views and the search output head it "简答题".
enum class TypeNaming
{
    Practice,
    Review,
};

// "单选题" … ; empty for a code outside 1 … 5.
QString typeName(int typeCode, TypeNaming naming = TypeNaming::Practice);

// The items of the type choice box: "本章单选题练习" … "本章论述题练习";
// item i stands for type i + 1.
QStringList typeChoiceItems();

} // namespace question
