#pragma once

#include <QValidator>

class QLineEdit;

// The length limit of a field counted in GBK bytes, as the stored texts count
// it: a Chinese character takes two of them, an ASCII character one. An edit
// that would pass the limit is refused, so the field takes no character past
// it, whether typed, committed by an input method or pasted.
class GbkLengthValidator : public QValidator
{
    Q_OBJECT

public:
    explicit GbkLengthValidator(int maxBytes, QObject *parent = nullptr);

    // Puts the limit on a line edit (no field holds more characters than bytes).
    static void limit(QLineEdit *edit, int maxBytes);

    int maxBytes() const { return m_maxBytes; }
    State validate(QString &input, int &pos) const override;

private:
    int m_maxBytes;
};
