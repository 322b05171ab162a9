#pragma once

#include <QSpinBox>

// A number field changed by its arrow buttons (and the arrow keys) only:
// typed characters are refused, but Delete and Backspace still remove text.
// emptied() is emitted when the text becomes empty.
class ArrowSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit ArrowSpinBox(QWidget *parent = nullptr);

    // Shows the value even when the field's value did not change (after emptying).
    void showValue(int value);

signals:
    void emptied();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
