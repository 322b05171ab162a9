#pragma once

#include <QLatin1StringView>
#include <QWidget>

class ArrowSpinBox;
class LinkLabel;
class Notifier;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
class QVBoxLayout;
class SettingsForm;
class SettingsStore;

// The object names by which tests and stored layouts find the controls.
struct SettingsPageNames
{
    static constexpr QLatin1StringView saveButton{"Button14"};
    static constexpr QLatin1StringView defaultsButton{"Button19"};
    static constexpr QLatin1StringView backLink{"Label30"};
};

// The settings page "系统配置" of the main window's page area. It shows the
// values of a SettingsForm and forwards every change to it.
class SettingsPage : public QWidget
{
    Q_OBJECT

public:
    SettingsPage(SettingsForm &form, const SettingsStore &store, Notifier &notifier,
                 QWidget *parent = nullptr);

    // Shows the form's values in the controls.
    void refresh();

    ArrowSpinBox *setSizeField() const { return m_setSize; }
    ArrowSpinBox *examMinutesField() const { return m_examMinutes; }
    QSlider *delaySlider() const { return m_slider; }
    QLabel *delayFigure() const { return m_figure; }
    QCheckBox *instantAnswerBox() const { return m_instantAnswer; }
    QCheckBox *jokeBox() const { return m_joke; }
    // The area reserved for the regulation writing command ("规程写入").
    QVBoxLayout *regulationArea() const { return m_regulationArea; }

signals:
    // "确定" saved the settings: the program ends.
    void quitRequested();
    // "点击返回试题".
    void backToQuestions();
    // The slider's position changed by the user or by "恢复默认值".
    void sliderPositionChanged(int position);

private:
    SettingsForm &m_form;
    const SettingsStore &m_store;
    Notifier &m_notifier;
    ArrowSpinBox *m_setSize = nullptr;
    ArrowSpinBox *m_examMinutes = nullptr;
    QSlider *m_slider = nullptr;
    QLabel *m_figure = nullptr;
    QCheckBox *m_instantAnswer = nullptr;
    QCheckBox *m_joke = nullptr;
    QVBoxLayout *m_regulationArea = nullptr;
};
