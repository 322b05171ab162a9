#include "widgets/ArrowSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>

ArrowSpinBox::ArrowSpinBox(QWidget *parent) : QSpinBox(parent)
{
    // Only whole steps are kept after editing; the emptied text is handled below.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.trimmed().isEmpty())
            emit emptied();
    });
}

void ArrowSpinBox::showValue(int value)
{
    const QSignalBlocker blocker(lineEdit());
    setValue(value);
    lineEdit()->setText(textFromValue(this->value()));
}

void ArrowSpinBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QSpinBox::keyPressEvent(event);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    // Characters (and pasting) are refused.
    if (!event->text().isEmpty() || event->matches(QKeySequence::Paste) ||
        event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}
