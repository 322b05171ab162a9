#include "app/BackendChoice.h"

#include "store/ServerUrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <optional>

namespace {

const QString kOption = QStringLiteral("--database");

// "scheme://…": an address of some kind, though maybe not a server's.
bool looksLikeAddress(const QString &text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch();
}

} // namespace

BackendChoice BackendChoice::decide(const QStringList &arguments, const QString &iniPath)
{
    // The program's own name comes first; the last "--database" counts.
    std::optional<QString> fromCommandLine;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == kOption) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--")))
                return {
                    Kind::Refused, QString(),
                    QStringLiteral("命令行参数 --database 后面缺少数据库地址"
                                   "（例如 --database postgresql://用户@服务器:5432/数据库）。")};
            fromCommandLine = arguments.at(++i);
        } else if (argument.startsWith(kOption + QLatin1Char('='))) {
            fromCommandLine = argument.mid(kOption.size() + 1);
        }
    }
    if (fromCommandLine)
        return fromAddress(fromCommandLine->trimmed(), QStringLiteral("命令行参数 --database"));

    const QFileInfo ini(iniPath);
    if (!ini.exists())
        return {Kind::File, QString(), QString()};
    const QString shown = QDir::toNativeSeparators(ini.absoluteFilePath());
    if (!ini.isFile() || !ini.isReadable())
        return {Kind::Refused, QString(),
                QStringLiteral("无法读取配置文件 %1，程序将退出。").arg(shown)};
    QSettings settings(iniPath, QSettings::IniFormat);
    const QVariant url = settings.value(QStringLiteral("database/url"));
    if (settings.status() != QSettings::NoError)
        return {Kind::Refused, QString(),
                QStringLiteral("配置文件 %1 的格式不对，无法读取，程序将退出。").arg(shown)};
    // An ini file without an address leaves the data file in use.
    // A comma makes the ini reader split the value into a list.
    const QString address =
        (url.typeId() == QMetaType::QStringList ? url.toStringList().join(QLatin1Char(','))
                                                : url.toString())
            .trimmed();
    if (address.isEmpty())
        return {Kind::File, QString(), QString()};
    return fromAddress(address, QStringLiteral("配置文件 %1 中的 [database] url").arg(shown));
}

BackendChoice BackendChoice::fromAddress(const QString &address, const QString &where)
{
    if (address.isEmpty())
        return {Kind::Refused, QString(),
                QStringLiteral("%1 没有给出数据库地址，程序将退出。").arg(where)};
    if (!ServerUrl::names(address)) {
        const QString why =
            looksLikeAddress(address)
                ? QStringLiteral("不认识地址“%1”的类型，只能使用 postgresql:// 开头的地址。")
                      .arg(address)
                : QStringLiteral("“%1”不是数据库服务器的地址，地址应以 postgresql:// 开头。")
                      .arg(address);
        return {Kind::Refused, QString(), where + QStringLiteral("：") + why};
    }
    QString error;
    if (!ServerUrl::parse(address, &error))
        return {Kind::Refused, QString(), where + QStringLiteral("：") + error};
    return {Kind::Server, address, QString()};
}

QString BackendChoice::defaultIniPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("drillbay.ini"));
}
