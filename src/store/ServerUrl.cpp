#include "store/ServerUrl.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

// The client library's connection parameters an address may carry.
const QStringList kKnownOptions = {QStringLiteral("sslmode"),
                                   QStringLiteral("sslrootcert"),
                                   QStringLiteral("sslcert"),
                                   QStringLiteral("sslkey"),
                                   QStringLiteral("connect_timeout"),
                                   QStringLiteral("application_name"),
                                   QStringLiteral("target_session_attrs"),
                                   QStringLiteral("options")};

} // namespace

bool ServerUrl::names(const QString &text)
{
    return text.startsWith(QLatin1String("postgresql://")) ||
           text.startsWith(QLatin1String("postgres://"));
}

std::optional<ServerUrl> ServerUrl::parse(const QString &text, QString *error)
{
    auto fail = [&](const QString &why) -> std::optional<ServerUrl> {
        if (error)
            *error = QStringLiteral("数据库地址 %1 不可用：%2").arg(text, why);
        return std::nullopt;
    };
    if (!names(text))
        return fail(QStringLiteral("地址应以 postgresql:// 开头"));
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return fail(url.errorString());
    if (!url.password().isEmpty())
        return fail(QStringLiteral("地址中不能写密码，请把密码放在 ~/.pgpass 或 PGPASSWORD 中"));
    ServerUrl server;
    server.user = url.userName();
    server.host = url.host();
    server.port = url.port(5432);
    server.database = url.path().mid(1);
    if (server.host.isEmpty())
        return fail(QStringLiteral("缺少服务器名"));
    if (server.database.isEmpty() || server.database.contains(QLatin1Char('/')))
        return fail(QStringLiteral("缺少数据库名"));
    QStringList options;
    const QUrlQuery query(url);
    for (const auto &[key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (!kKnownOptions.contains(key))
            return fail(QStringLiteral("不认识的参数“%1”").arg(key));
        if (value.contains(QLatin1Char(';')))
            return fail(QStringLiteral("参数“%1”的值不能含分号").arg(key));
        options << key + QLatin1Char('=') + value;
    }
    server.options = options.join(QLatin1Char(';'));
    if (error)
        error->clear();
    return server;
}

QString ServerUrl::shown() const
{
    const QString who = user.isEmpty() ? QString() : user + QLatin1Char('@');
    return who + host + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + database;
}
