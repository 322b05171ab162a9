#pragma once

#include <QDialog>

class QLabel;
struct MemoryStatus;

// The about box "关于...": title, version, the machine's memory figures and
// the owner line; filled afresh before every showing, shown modally.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    // Fills the figures and shows the box, centred on the screen.
    void open(const MemoryStatus &memory);
    void fill(const MemoryStatus &memory);

private:
    QLabel *m_load = nullptr;
    QLabel *m_total = nullptr;
    QLabel *m_available = nullptr;
    QLabel *m_swap = nullptr;
};
