#include "practice/SequentialSetSource.h"

#include "practice/QuestionSource.h"

RunContent SequentialSetSource::content() const
{
    RunContent content;
    content.questions = QuestionSource(m_db).readSet(m_chapter, m_set.typeFilter, m_set.setSize,
                                                     m_set.setCount, m_set.setIndex);
    content.mode = RunMode::SequentialSet;
    content.examMode = false;
    return content;
}
