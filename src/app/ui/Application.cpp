#include "app/ui/Application.h"

#include "widgets/Theme.h"

#include "base/Notifier.h"
#include "base/StoreError.h"

#include <exception>

// The program's look is set once, before any window exists: the theme's
// style sheet, and 黑体 for controls without a font of their own (buttons,
// message boxes).
Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    theme::apply(*this);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const StoreError &error) {
        qWarning("drillbay: action dropped: %s", error.what());
        tellStoreFailure(error.reason());
    } catch (const std::exception &error) {
        qWarning("drillbay: action dropped: %s", error.what());
    } catch (...) {
        qWarning("drillbay: action dropped after an unknown error");
    }
    return false;
}

void Application::tellStoreFailure(const QString &reason)
{
    // One notice at a time: a failure while the notice is open is only logged.
    if (!m_notifier || m_telling)
        return;
    m_telling = true;
    m_notifier->inform(storeFailureNotice(reason));
    m_telling = false;
}

QString Application::storeFailureNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：读写数据文件失败，原因：") + reason +
           QStringLiteral("。刚才的操作没有完成，本软件继续运行。");
}
