#pragma once

#include <QObject>
#include <QString>

// The bank and chapter the user works in: the bank checked in the picker and
// the chapter of the practice run, which the top bar shows. Features read it
// when they act and may follow it through changed().
class Selection : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The current bank (id 0 and an empty name for none).
    qint64 bankId() const { return m_bankId; }
    QString bankName() const { return m_bankName; }
    // The current chapter (empty before the first choice).
    QString chapter() const { return m_chapter; }

    // Each reports changed() once, and only when something differs.
    void setBank(qint64 id, const QString &name);
    void setChapter(const QString &name);

signals:
    void changed();

private:
    qint64 m_bankId = 0;
    QString m_bankName;
    QString m_chapter;
};
