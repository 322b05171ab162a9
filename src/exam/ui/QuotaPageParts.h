#pragma once

#include "widgets/Theme.h"

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

// The small parts the panels of the quota page are built of.
namespace quotaparts {

// A label in a tone of the theme; named when a name is given.
QLabel *label(const QString &text, QWidget *parent, theme::Tone tone = theme::Tone::Plain,
              const QString &name = QString());
// A figure field of fixed width.
QLineEdit *numberField(const QString &name, int width, QWidget *parent);
// Lets a field take digits only; Backspace, Delete and the other editing
// keys keep working.
void acceptDigitsOnly(QLineEdit *field);

} // namespace quotaparts
