#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>

// The question types, valued by the codes the question table stores (1 … 5).
enum class QuestionType : int
{
    SingleChoice = 1,
    MultipleChoice = 2,
    FillIn = 3,
    TrueFalse = 4,
    Essay = 5,
};

namespace question {

// Every type in the order of its code: the order of the answer pages, the type
// choice box, the quota rows and the papers.
inline constexpr std::array<QuestionType, 5> kAllTypes{
    QuestionType::SingleChoice, QuestionType::MultipleChoice, QuestionType::FillIn,
    QuestionType::TrueFalse, QuestionType::Essay};

constexpr const std::array<QuestionType, 5> &allTypes()
{
    return kAllTypes;
}

inline constexpr int kTypeCount = static_cast<int>(kAllTypes.size());

// The code a type is stored with.
constexpr int code(QuestionType type)
{
    return static_cast<int>(type);
}

// Where a type stands in arrays kept per type, 0 … 4.
constexpr std::size_t indexOf(QuestionType type)
{
    return static_cast<std::size_t>(code(type) - 1);
}

// Whether a stored code names one of the types.
constexpr bool isTypeCode(int stored)
{
    return stored >= code(kAllTypes.front()) && stored <= code(kAllTypes.back());
}

// A stored code taken as a type. A code outside 1 … 5, which a stored row may
// carry, keeps its value and equals none of the named types: a switch over it
// takes its default branch, a comparison with a type fails.
constexpr QuestionType fromCode(int stored)
{
    return static_cast<QuestionType>(stored);
}

// Single choice, multiple choice and true/false are marked by the system;
// fill-in and essay answers are shown for the user to compare.
constexpr bool isObjective(QuestionType type)
{
    return type == QuestionType::SingleChoice || type == QuestionType::MultipleChoice ||
           type == QuestionType::TrueFalse;
}

constexpr bool isObjective(int typeCode)
{
    return isObjective(fromCode(typeCode));
}

// Where a type's name is written: most windows call type 5 "论述题"; the
// review, the paper views and the search output head it "简答题".
enum class TypeNaming
{
    Practice,
    Review,
};

// "单选题" … ; empty for a code outside 1 … 5.
QString typeName(QuestionType type, TypeNaming naming = TypeNaming::Practice);

inline QString typeName(int typeCode, TypeNaming naming = TypeNaming::Practice)
{
    return typeName(fromCode(typeCode), naming);
}

// The items of the type choice box: "本章单选题练习" … "本章论述题练习";
// item i stands for type i + 1.
QStringList typeChoiceItems();

} // namespace question
