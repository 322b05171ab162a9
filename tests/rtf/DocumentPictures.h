#pragma once

#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

// Every picture a read document shows, in order; a fragment standing for
// several equal pictures counts once for each.
inline QList<QTextImageFormat> documentPictures(const QTextDocument &document)
{
    QList<QTextImageFormat> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                for (qsizetype i = 0; i < it.fragment().length(); ++i)
                    found << it.fragment().charFormat().toImageFormat();
            }
        }
    }
    return found;
}
