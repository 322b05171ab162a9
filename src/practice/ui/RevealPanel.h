#pragma once

#include <QFrame>

class QLabel;

// "查看答案": pointing at the panel asks for the answer; the countdown figure
// beside the caption shows the tenths of a second until it is revealed.
class RevealPanel : public QFrame
{
    Q_OBJECT

public:
    explicit RevealPanel(QWidget *parent = nullptr);

    void setFigure(const QString &text, bool visible);

signals:
    // The pointer entered or moved over the panel.
    void hovered();

protected:
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_figure = nullptr;
};
