#pragma once

#include <QWidget>

// The picker's decoration: a transmission tower with a lightning bolt inside
// a ring, and the line "安全第一  预防为主" beneath, all drawn in code.
class PylonEmblem : public QWidget
{
    Q_OBJECT

public:
    explicit PylonEmblem(QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(200, 210); }

protected:
    void paintEvent(QPaintEvent *event) override;
};
