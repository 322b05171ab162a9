#include "settings/SettingsForm.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "settings/SettingsStore.h"

#include <algorithm>

SettingsForm::SettingsForm(const Settings &loaded)
    : m_setSize(std::clamp(loaded.setSize, kSetSizeMin, kSetSizeMax)),
      m_examMinutes(std::clamp(loaded.examMinutes, kExamMinutesMin, kExamMinutesMax)),
      m_showInstantAnswer(loaded.showInstantAnswer), m_jokeEnabled(loaded.jokeEnabled),
      m_sliderPosition(std::clamp(loaded.advanceDelay, kSliderMin / 100, kSliderMax / 100) * 100),
      m_advanceDelay(loaded.advanceDelay), m_delayFigure(loaded.advanceDelay * 100)
{
}

Settings SettingsForm::values() const
{
    Settings s;
    s.setSize = m_setSize;
    s.showInstantAnswer = m_showInstantAnswer;
    s.advanceDelay = m_advanceDelay;
    s.examMinutes = m_examMinutes;
    s.jokeEnabled = m_jokeEnabled;
    return s;
}

void SettingsForm::setSetSize(int value)
{
    m_setSize = std::clamp(value, kSetSizeMin, kSetSizeMax);
}

void SettingsForm::setExamMinutes(int value)
{
    m_examMinutes = std::clamp(value, kExamMinutesMin, kExamMinutesMax);
}

void SettingsForm::setSizeEmptied(Notifier &notifier)
{
    notifier.inform(emptiedNotice());
    m_setSize = kSetSizeReset;
}

void SettingsForm::examMinutesEmptied(Notifier &notifier)
{
    notifier.inform(emptiedNotice());
    m_examMinutes = kExamMinutesReset;
}

void SettingsForm::setSliderPosition(int position)
{
    m_sliderPosition = std::clamp(position, kSliderMin, kSliderMax);
    m_delayFigure = m_sliderPosition;
    m_advanceDelay = text::roundHalfEven(m_sliderPosition / 100.0);
}

void SettingsForm::restoreDefaults()
{
    m_setSize = 50;
    m_showInstantAnswer = true;
    setSliderPosition(1500);
    m_examMinutes = 60;
    m_jokeEnabled = false;
}

SettingsForm::Outcome SettingsForm::confirm(const SettingsStore &store, Notifier &notifier)
{
    store.save(values());
    notifier.inform(savedNotice());
    return Outcome::Quit;
}

QString SettingsForm::emptiedNotice()
{
    return QStringLiteral("[软件提示]：不能删除数据.");
}

QString SettingsForm::savedNotice()
{
    return QStringLiteral("[软件提示]：配置参数已保存，本软件将退出，重新启动本软件后生效。");
}
