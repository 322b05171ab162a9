#pragma once

#include "settings/Settings.h"

#include <QString>

class Notifier;
class SettingsStore;

// The values of the settings page ("系统配置") and the rules of its controls.
// The page only displays these values and forwards the user's actions; later
// code reads the live values from here (the set size when a chapter is loaded,
// the examination time and the delay when a set is extracted).
//
// Stored values outside a control's range (a set size, delay or examination
// time the page cannot show) are taken as the nearer end of the range: shown,
// used and saved back as that one value.
class SettingsForm
{
public:
    static constexpr int kSetSizeMin = Settings::kSetSizeMin;
    static constexpr int kSetSizeMax = Settings::kSetSizeMax;
    static constexpr int kSetSizeStep = 10;
    static constexpr int kSetSizeReset = 50; // after the field was emptied
    static constexpr int kExamMinutesMin = Settings::kExamMinutesMin;
    static constexpr int kExamMinutesMax = Settings::kExamMinutesMax;
    static constexpr int kExamMinutesStep = 10;
    static constexpr int kExamMinutesReset = 60; // after the field was emptied
    static constexpr int kSliderMin = Settings::kAdvanceDelayMin * 100;
    static constexpr int kSliderMax = Settings::kAdvanceDelayMax * 100;
    static constexpr int kSliderTick = 100;

    enum class Outcome
    {
        Stay,
        Quit
    };

    explicit SettingsForm(const Settings &loaded = Settings());

    int setSize() const { return m_setSize; }
    int examMinutes() const { return m_examMinutes; }
    bool showInstantAnswer() const { return m_showInstantAnswer; }
    bool jokeEnabled() const { return m_jokeEnabled; }
    // Where the slider's handle stands (always within 300 ... 5000).
    int sliderPosition() const { return m_sliderPosition; }
    // The delay in tenths of a second that is in force.
    int advanceDelay() const { return m_advanceDelay; }
    // The figure beside the slider, in milliseconds.
    int delayFigure() const { return m_delayFigure; }
    // Everything as a record, as "确定" stores it.
    Settings values() const;

    // The arrow buttons of the two number fields (values outside the range are clamped).
    void setSetSize(int value);
    void setExamMinutes(int value);
    // The user emptied a field with the Delete key: notice, then the reset value.
    void setSizeEmptied(Notifier &notifier);
    void examMinutesEmptied(Notifier &notifier);
    // The slider moved: the delay is the position in tenths, halves to even.
    void setSliderPosition(int position);
    // "恢复默认值": the proposed values, nothing saved.
    void restoreDefaults();
    // "确定": stores the values (adding the row when the table has none),
    // announces it and asks the program to end. When the values cannot be
    // written, one notice says so and why, and the program goes on.
    Outcome confirm(const SettingsStore &store, Notifier &notifier);

    static QString emptiedNotice();
    static QString savedNotice();
    static QString notSavedNotice(const QString &reason);

private:
    int m_setSize = 50;
    int m_examMinutes = 90;
    bool m_showInstantAnswer = true;
    bool m_jokeEnabled = false;
    int m_sliderPosition = 1500;
    int m_advanceDelay = 15;
    int m_delayFigure = 1500;
};
