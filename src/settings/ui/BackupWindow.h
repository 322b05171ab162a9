#pragma once

#include "settings/BackupRestore.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// "恢复备份": the backups of the data file, newest first (time, size, the
// step each was made before), and the command that restores the chosen one.
// Created once, shown on demand; it shows what BackupRestore lists and
// forwards the click.
class BackupWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BackupWindow(BackupRestore &restore, QWidget *parent = nullptr);

    // Lists the backups anew and shows the window.
    void open();

    QLabel *note() const { return m_note; }
    QTableWidget *table() const { return m_table; }
    QPushButton *restoreButton() const { return m_restore; }
    QPushButton *closeButton() const { return m_close; }

signals:
    // A backup was restored into the data file.
    void restored();

private:
    void fill();
    void restoreChosen();

    BackupRestore &m_backups;
    QList<BackupRestore::Row> m_rows;
    QLabel *m_note = nullptr;
    QString m_fileNote;
    QTableWidget *m_table = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
};
