#include "app/DesktopLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A value of the Exec key: one quoted argument, with the characters that are
// special inside quotes escaped, then the general backslash escape of values.
QString execArgument(const QString &path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Plain string values only escape the backslash and line breaks.
QString plainValue(const QString &value)
{
    QString out = value;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return out;
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
        .arg(execArgument(program.absoluteFilePath()), plainValue(program.absolutePath()));
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
