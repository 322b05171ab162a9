#pragma once

#include <QDialog>
#include <QLatin1StringView>

class QLabel;
struct MemoryStatus;

// The object names by which tests and stored layouts find the controls.
struct AboutBoxNames
{
    static constexpr QLatin1StringView window{"TForm15"};
    static constexpr QLatin1StringView topStrip{"Panel2"};
    static constexpr QLatin1StringView panel{"Panel1"};
    static constexpr QLatin1StringView rule{"Bevel1"};
    static constexpr QLatin1StringView ownerLine{"Edit1"};
    static constexpr QLatin1StringView okButton{"Button1"};
};

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
