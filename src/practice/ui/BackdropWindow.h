#pragma once

#include <QLatin1StringView>
#include <QWidget>

// The object names by which tests and stored layouts find the controls.
struct BackdropWindowNames
{
    static constexpr QLatin1StringView window{"TForm13"};
};

// The black backdrop behind the main window after a chapter is
// chosen: no border, no caption, the whole screen. A click on it brings the
// main window back to the front.
class BackdropWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BackdropWindow(QWidget *parent = nullptr);

    // Covers the screen and shows itself.
    void showBackdrop();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
