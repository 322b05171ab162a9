#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

// Types text into a widget key by key, each key carrying its character, as
// the keyboard or an input method delivers it. QTest::keyClicks does the same
// for Latin-1 text only: it drops Chinese characters.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
