#include "widgets/GbkLengthValidator.h"

#include "base/GbkText.h"

#include <QLineEdit>

GbkLengthValidator::GbkLengthValidator(int maxBytes, QObject *parent)
    : QValidator(parent), m_maxBytes(maxBytes)
{
}

void GbkLengthValidator::limit(QLineEdit *edit, int maxBytes)
{
    edit->setMaxLength(maxBytes);
    edit->setValidator(new GbkLengthValidator(maxBytes, edit));
}

QValidator::State GbkLengthValidator::validate(QString &input, int &) const
{
    return gbk::byteLength(input) <= m_maxBytes ? Acceptable : Invalid;
}
