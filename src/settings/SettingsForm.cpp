#include "settings/SettingsForm.h"

#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "settings/SettingsStore.h"

#include <algorithm>

SettingsForm::SettingsForm(const Settings &loaded)
{
    const Settings values = loaded.inRange();
    m_setSize = values.setSize;
    m_examMinutes = values.examMinutes;
    m_showInstantAnswer = values.showInstantAnswer;
    m_jokeEnabled = values.jokeEnabled;
    m_advanceDelay = values.advanceDelay;
    m_sliderPosition = values.advanceDelay * 100;
    m_delayFigure = m_sliderPosition;
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
    try {
        store.save(values());
    } catch (const StoreError &error) {
        notifier.inform(notSavedNotice(error.reason()));
        return Outcome::Stay;
    }
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

QString SettingsForm::notSavedNotice(const QString &reason)
{
    return QStringLiteral("[软件提示]：配置参数没有保存，原因：") + reason +
           QStringLiteral("。本软件继续运行，原来的配置保持不变。");
}
