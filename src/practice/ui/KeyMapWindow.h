#pragma once

#include <QDialog>

class QTableWidget;

// "按键说明": a small window listing the keys of the answer pages and what
// they do. Modeless, created once, shown by F1 on an answer page; Esc or
// "关闭" hides it.
class KeyMapWindow : public QDialog
{
    Q_OBJECT

public:
    explicit KeyMapWindow(QWidget *parent = nullptr);

    QTableWidget *table() const { return m_table; }

private:
    QTableWidget *m_table = nullptr;
};
