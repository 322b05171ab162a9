#pragma once

#include <QWidget>

class ChapterListDelegate;
class QComboBox;
class QListWidget;
class QuotaSetup;

// The left column of the quota page: the bank choice and the bank's chapters,
// the chapter being edited remembered in the list.
class QuotaBankPanel : public QWidget
{
    Q_OBJECT

public:
    // spacing: the page's spacing between its columns, kept inside the column.
    QuotaBankPanel(int spacing, QWidget *parent = nullptr);

    // The banks and chapters of the setup; a list read anew selects its
    // first item, an unchanged one stays as it is.
    void showBanks(const QuotaSetup &setup);
    // Marks the chapter being edited (-1 for none).
    void showEdited(int position);

    QComboBox *bankList() const { return m_banks; }
    QListWidget *chapterList() const { return m_chapters; }

signals:
    void bankChosen(int position);
    void chapterOpened(int position); // a chapter double-clicked

private:
    QComboBox *m_banks = nullptr;
    QListWidget *m_chapters = nullptr;
    ChapterListDelegate *m_delegate = nullptr;
};
