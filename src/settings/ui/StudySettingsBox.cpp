#include "settings/ui/StudySettingsBox.h"

#include "base/Notifier.h"
#include "base/StoreError.h"
#include "settings/StudySettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

StudySettingsBox::StudySettingsBox(const StudySettings &settings, Notifier &notifier,
                                   QWidget *parent)
    : QGroupBox(QStringLiteral("错题本与学习统计"), parent), m_settings(settings),
      m_notifier(notifier)
{
    setObjectName(QStringLiteral("StudySettingsBox"));
    auto *row = new QHBoxLayout(this);
    m_leaveAfter = new QSpinBox(this);
    m_leaveAfter->setObjectName(QStringLiteral("SpinEditLeaveAfter"));
    m_leaveAfter->setRange(StudySettings::kLeaveAfterMin, StudySettings::kLeaveAfterMax);
    m_passMark = new QSpinBox(this);
    m_passMark->setObjectName(QStringLiteral("SpinEditPassMark"));
    m_passMark->setRange(StudySettings::kPassMarkMin, StudySettings::kPassMarkMax);
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_save->setObjectName(QStringLiteral("StudySettingsSave"));
    row->addWidget(new QLabel(QStringLiteral("错题连续答对"), this));
    row->addWidget(m_leaveAfter);
    row->addWidget(new QLabel(QStringLiteral("次后移出错题本"), this));
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("及格线："), this));
    row->addWidget(m_passMark);
    row->addWidget(new QLabel(QStringLiteral("分"), this));
    row->addSpacing(24);
    row->addWidget(m_save);
    row->addStretch(1);
    refresh();

    connect(m_save, &QPushButton::clicked, this, [this] {
        try {
            m_settings.store(m_leaveAfter->value(), m_passMark->value());
            m_notifier.inform(StudySettings::savedNotice());
        } catch (const StoreError &error) {
            m_notifier.inform(StudySettings::notSavedNotice(error.reason()));
        }
        refresh();
    });
}

void StudySettingsBox::refresh()
{
    m_leaveAfter->setValue(m_settings.leaveAfter());
    m_passMark->setValue(m_settings.passMark());
}
