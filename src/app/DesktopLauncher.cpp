#include "app/DesktopLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The escapes of every string value: the backslash, and the characters that
// would break the line or the value apart.
QString stringValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        case u'\n':
            out += QStringLiteral("\\n");
            break;
        case u'\r':
            out += QStringLiteral("\\r");
            break;
        case u'\t':
            out += QStringLiteral("\\t");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A value of the Exec key: one quoted argument, with the characters that are
// special inside quotes escaped, a literal '%' doubled (a single one would be a
// field code), then the general escapes of string values.
QString execArgument(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return QLatin1Char('"') + stringValue(quoted) + QLatin1Char('"');
}

} // namespace

QString DesktopLauncher::fileName()
{
    return QStringLiteral("考试训练题库.desktop");
}

QString DesktopLauncher::contents(const QString &programFile)
{
    const QFileInfo program(programFile);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Version=1.0\n"
                          "Name=考试训练题库\n"
                          "Exec=%1\n"
                          "Path=%2\n"
                          "Terminal=false\n")
        .arg(execArgument(program.absoluteFilePath()), stringValue(program.absolutePath()));
}

DesktopLauncher::Result DesktopLauncher::place(const QString &desktopFolder,
                                               const QString &programFile)
{
    if (desktopFolder.isEmpty() || !QFileInfo(desktopFolder).isDir())
        return Result::NoDesktopFolder;
    const QString target = QDir(desktopFolder).filePath(fileName());
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
        return Result::AlreadyThere;

    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Result::WriteFailed;
    const QByteArray bytes = contents(programFile).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.close();
        file.remove();
        return Result::WriteFailed;
    }
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser |
                        QFileDevice::ExeGroup | QFileDevice::ExeOther);
    return Result::Created;
}

DesktopLauncher::Result DesktopLauncher::placeForThisProgram()
{
    return place(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                 QCoreApplication::applicationFilePath());
}
