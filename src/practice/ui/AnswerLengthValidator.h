#pragma once

#include <QValidator>
#include <functional>

// Refuses an edit of a typed answer that the run would not take (too long for
// the stored answer); the run decides, the validator only asks. Text put into
// the editor by the program (a stored or revealed answer) is not validated.
class AnswerLengthValidator : public QValidator
{
    Q_OBJECT

public:
    AnswerLengthValidator(std::function<bool(const QString &)> allowed, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

private:
    std::function<bool(const QString &)> m_allowed;
};
