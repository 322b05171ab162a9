#include "app/ui/Application.h"

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ++m_dropped;
        qWarning("drillbay: action dropped: %s", error.what());
    } catch (...) {
        ++m_dropped;
        qWarning("drillbay: action dropped after an unknown error");
    }
    return false;
}
