#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <memory>

class BackdropWindow;
class Notifier;
class PickerWindow;
class Selection;

// The bank and chapter picker with the backdrop behind it. The bank checked
// in the picker is the selection's bank.
class PickerDesk : public QObject
{
    Q_OBJECT

public:
    // db: the picker's own connection to the data file; notifier: the notices
    // over the picker.
    PickerDesk(QSqlDatabase db, Notifier &notifier, Selection &selection,
               QObject *parent = nullptr);
    ~PickerDesk() override;

    PickerWindow *picker() const { return m_picker.get(); }
    BackdropWindow *backdrop() const { return m_backdrop.get(); }

private:
    std::unique_ptr<PickerWindow> m_picker;
    std::unique_ptr<BackdropWindow> m_backdrop;
};
