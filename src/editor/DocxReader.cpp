#include "editor/DocxReader.h"

#include "editor/ListBudget.h"
#include "editor/ZipArchive.h"

#include <QXmlStreamReader>

DocxReader::Result DocxReader::read(const QByteArray &bytes)
{
    Result result;
    ZipArchive archive(bytes);
    if (!archive.isOpen()) {
        result.error = kNotDocument;
        return result;
    }
    const ZipArchive::Entry body = archive.read(QStringLiteral("word/document.xml"));
    switch (body.status) {
    case ZipArchive::Status::Read:
        break;
    case ZipArchive::Status::Missing:
        result.error = kNoBody;
        return result;
    case ZipArchive::Status::TooLarge:
        result.error = listbudget::kInflatesTooMuch;
        return result;
    case ZipArchive::Status::Broken:
        result.error = kNotDocument;
        return result;
    }

    QXmlStreamReader xml(body.bytes);
    QString paragraph;
    bool inParagraph = false;
    bool inText = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"p") {
                inParagraph = true;
                paragraph.clear();
            } else if (name == u"t" && inParagraph) {
                inText = true;
            } else if (name == u"tab" && inParagraph) {
                paragraph += QLatin1Char('\t');
            } else if ((name == u"br" || name == u"cr") && inParagraph) {
                result.lines.append(paragraph);
                paragraph.clear();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const QStringView name = xml.name();
            if (name == u"t") {
                inText = false;
            } else if (name == u"p" && inParagraph) {
                result.lines.append(paragraph);
                paragraph.clear();
                inParagraph = false;
            }
        } else if (token == QXmlStreamReader::Characters && inText) {
            paragraph += xml.text();
        }
        if (result.lines.size() > listbudget::kLines) {
            result.error = listbudget::kTooManyLines;
            result.lines.clear();
            return result;
        }
    }
    if (xml.hasError()) {
        result.error = kNotDocument;
        result.lines.clear();
    }
    return result;
}
