#include "app/ui/Application.h"

#include "widgets/Theme.h"

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
    } catch (const std::exception &error) {
        ++m_dropped;
        qWarning("drillbay: action dropped: %s", error.what());
    } catch (...) {
        ++m_dropped;
        qWarning("drillbay: action dropped after an unknown error");
    }
    return false;
}
