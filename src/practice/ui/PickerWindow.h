#pragma once

#include "practice/BankPicker.h"

#include <QLatin1StringView>
#include <QList>
#include <QSqlDatabase>
#include <QWidget>

class BackdropWindow;
class ChapterListDelegate;
class Notifier;
class QButtonGroup;
class QFrame;
class QLabel;
class QListWidget;
class QRadioButton;
class QVBoxLayout;

// The object names by which tests and stored layouts find the controls.
struct PickerWindowNames
{
    static constexpr QLatin1StringView window{"TForm3"};
    static constexpr QLatin1StringView bankPanel{"Panel1"};
    static constexpr QLatin1StringView emblem{"Image1"};
    static constexpr QLatin1StringView countsStrip{"Panel2"};
    static constexpr QLatin1StringView chapterList{"ListBox1"};
    // The banks' radio buttons, numbered from 1 after this prefix.
    static constexpr QLatin1StringView bankButtonPrefix{"RadioButton"};
};

// The bank and chapter picker. It opens modally when the main window
// is first shown and, from the chapter link of the top bar, modeless on top of
// all windows. The radio column offers every bank; with many banks it scrolls.
class PickerWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kClientWidth = 882;
    static constexpr int kClientHeight = 532;

    PickerWindow(QSqlDatabase db, Notifier &notifier, QWidget *parent = nullptr);

    BankPicker &picker() { return m_picker; }
    const BankPicker &picker() const { return m_picker; }
    // The current bank: the bank checked here (empty when none).
    QString currentBankName() const { return m_picker.checkedBankName(); }
    qint64 currentBankId() const { return m_picker.checkedBankId(); }

    void setBackdrop(BackdropWindow *backdrop) { m_backdrop = backdrop; }

    // First start: modal over the application.
    void openModal();
    // From the top bar: modeless, topmost, brought to the front.
    void openOnTop();

    // The double-click at a 0-based list position (-1 for no item).
    void chooseAt(int position);
    // A click on the white left panel.
    void selectFirstItem();

    QListWidget *chapterList() const { return m_list; }
    QLabel *countsLabel() const { return m_counts; }
    QList<QRadioButton *> bankButtons() const { return m_radios; }

signals:
    void chapterChosen(const QString &name);
    // The user chose to end the program from the picker (nothing to practise).
    void quitRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshBanks();
    void fillList();
    void bankClicked(int position);

    BankPicker m_picker;
    Notifier &m_notifier;
    BackdropWindow *m_backdrop = nullptr;
    QFrame *m_leftPanel = nullptr;
    QWidget *m_radioColumn = nullptr;
    QVBoxLayout *m_radioLayout = nullptr;
    QButtonGroup *m_radioGroup = nullptr;
    QList<QRadioButton *> m_radios;
    QLabel *m_counts = nullptr;
    QListWidget *m_list = nullptr;
    ChapterListDelegate *m_delegate = nullptr;
    int m_shownListing = -1;
};
