#include "practice/ui/AnswerLengthValidator.h"

AnswerLengthValidator::AnswerLengthValidator(std::function<bool(const QString &)> allowed,
                                             QObject *parent)
    : QValidator(parent), m_allowed(std::move(allowed))
{
}

QValidator::State AnswerLengthValidator::validate(QString &input, int &) const
{
    return m_allowed(input) ? Acceptable : Invalid;
}
