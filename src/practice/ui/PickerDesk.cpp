#include "practice/ui/PickerDesk.h"

#include "practice/ui/BackdropWindow.h"
#include "practice/ui/PickerWindow.h"

PickerDesk::PickerDesk(QSqlDatabase db, Notifier &notifier, Selection &selection, QObject *parent)
    : QObject(parent), m_picker(std::make_unique<PickerWindow>(std::move(db), notifier)),
      m_backdrop(std::make_unique<BackdropWindow>())
{
    m_picker->picker().setSelection(&selection);
    m_picker->setBackdrop(m_backdrop.get());
}

PickerDesk::~PickerDesk() = default;
