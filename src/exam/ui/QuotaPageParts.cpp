#include "exam/ui/QuotaPageParts.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace quotaparts {

QLabel *label(const QString &text, QWidget *parent, theme::Tone tone, const QString &name)
{
    auto *result = new QLabel(text, parent);
    theme::setTone(result, tone);
    if (!name.isEmpty())
        result->setObjectName(name);
    return result;
}

QLineEdit *numberField(const QString &name, int width, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(width);
    return field;
}

void acceptDigitsOnly(QLineEdit *field)
{
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
}

} // namespace quotaparts
