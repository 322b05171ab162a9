#pragma once

#include <QString>
#include <QStringList>
#include <utility>

// Where the program keeps its data, decided once at start: the data file
// beside the program, unless the command line ("--database URL") or the
// file drillbay.ini beside the program ([database] url=...) names a training
// centre's server. The command line wins over the ini file. A wrong address,
// an address of another kind than a server's, a "--database" without an
// address and an ini file that cannot be read give a message instead.
class BackendChoice
{
public:
    enum class Kind
    {
        File,    // the data file beside the program
        Server,  // the server at url()
        Refused, // message() says why; the program ends
    };

    static BackendChoice decide(const QStringList &arguments, const QString &iniPath);
    // The ini file beside the program.
    static QString defaultIniPath();

    Kind kind() const { return m_kind; }
    QString url() const { return m_url; }
    QString message() const { return m_message; }

private:
    BackendChoice(Kind kind, QString url, QString message)
        : m_kind(kind), m_url(std::move(url)), m_message(std::move(message))
    {
    }
    static BackendChoice fromAddress(const QString &address, const QString &where);

    Kind m_kind;
    QString m_url;
    QString m_message;
};
