#include "settings/ui/SettingsPage.h"

#include "base/Notifier.h"
#include "settings/SettingsForm.h"
#include "settings/SettingsStore.h"
#include "widgets/ArrowSpinBox.h"
#include "widgets/CjkFonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

SettingsPage::SettingsPage(SettingsForm &form, const SettingsStore &store, Notifier &notifier,
                           QWidget *parent)
    : QWidget(parent), m_form(form), m_store(store), m_notifier(notifier)
{
    setObjectName(QStringLiteral("TabSheetSettings"));
    setFont(theme::font(theme::FontRole::PageText));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(36, 22, 36, 16);

    auto *title = new QLabel(QStringLiteral("系统配置"), this);
    title->setFont(cjk::hei(20, true));
    theme::setTone(title, theme::Tone::Heading);
    outer->addWidget(title);
    auto *hint = new QLabel(QStringLiteral("修改后请点击“确定”保存，重新启动本软件后生效。"), this);
    hint->setFont(theme::font(theme::FontRole::Ui));
    theme::setTone(hint, theme::Tone::SoftNote);
    outer->addWidget(hint);
    outer->addSpacing(10);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("SettingsFrame"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(16);

    m_setSize = new ArrowSpinBox(frame);
    m_setSize->setObjectName(QStringLiteral("SpinEditSetSize"));
    m_setSize->setRange(SettingsForm::kSetSizeMin, SettingsForm::kSetSizeMax);
    m_setSize->setSingleStep(SettingsForm::kSetSizeStep);
    m_setSize->setFixedWidth(90);
    grid->addWidget(caption(QStringLiteral("每套试题数量："), frame), 0, 0);
    grid->addWidget(m_setSize, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("道"), frame), 0, 2);

    m_examMinutes = new ArrowSpinBox(frame);
    m_examMinutes->setObjectName(QStringLiteral("SpinEditExamMinutes"));
    m_examMinutes->setRange(SettingsForm::kExamMinutesMin, SettingsForm::kExamMinutesMax);
    m_examMinutes->setSingleStep(SettingsForm::kExamMinutesStep);
    m_examMinutes->setFixedWidth(90);
    grid->addWidget(caption(QStringLiteral("考试时间设定："), frame), 1, 0);
    grid->addWidget(m_examMinutes, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("分钟"), frame), 1, 2);

    grid->addWidget(caption(QStringLiteral("自动进入下一题时间：(最大10秒)"), frame), 2, 0);
    auto *sliderRow = new QHBoxLayout;
    m_slider = new QSlider(Qt::Horizontal, frame);
    m_slider->setObjectName(QStringLiteral("TrackBarDelay"));
    m_slider->setRange(SettingsForm::kSliderMin, SettingsForm::kSliderMax);
    m_slider->setSingleStep(SettingsForm::kSliderTick);
    m_slider->setPageStep(500);
    m_slider->setTickInterval(SettingsForm::kSliderTick);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setMinimumWidth(330);
    m_figure = new QLabel(frame);
    m_figure->setObjectName(QStringLiteral("LabelDelayFigure"));
    m_figure->setMinimumWidth(44);
    m_figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    theme::setTone(m_figure, theme::Tone::Count);
    sliderRow->addWidget(m_slider, 1);
    sliderRow->addWidget(m_figure);
    sliderRow->addWidget(new QLabel(QStringLiteral("毫秒"), frame));
    grid->addLayout(sliderRow, 2, 1, 1, 3);

    auto *boxes = new QHBoxLayout;
    m_instantAnswer = new QCheckBox(QStringLiteral("显示即时答案"), frame);
    m_instantAnswer->setObjectName(QStringLiteral("CheckBoxInstantAnswer"));
    m_instantAnswer->setEnabled(false);
    m_joke = new QCheckBox(QStringLiteral("开心一笑"), frame);
    m_joke->setObjectName(QStringLiteral("CheckBoxJoke"));
    m_joke->setEnabled(false);
    m_joke->setToolTip(QStringLiteral("系统提示：系统在不超过30秒的随机时间内显示开心一笑。"));
    boxes->addWidget(m_instantAnswer);
    boxes->addSpacing(30);
    boxes->addWidget(m_joke);
    boxes->addStretch(1);
    grid->addLayout(boxes, 3, 1, 1, 3);
    grid->setColumnStretch(3, 1);
    outer->addWidget(frame);

    outer->addSpacing(14);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(SettingsPageNames::saveButton);
    ok->setMinimumSize(110, 32);
    auto *defaults = new QPushButton(QStringLiteral("恢复默认值"), this);
    defaults->setObjectName(SettingsPageNames::defaultsButton);
    defaults->setMinimumSize(110, 32);
    auto *back = new LinkLabel(QStringLiteral("点击返回试题"), this);
    back->setObjectName(SettingsPageNames::backLink);
    back->setLook(theme::colour(theme::Colour::Heading), false,
                  theme::colour(theme::Colour::LinkHover), true);
    buttons->addWidget(ok);
    buttons->addSpacing(12);
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    buttons->addWidget(back);
    outer->addLayout(buttons);

    // Reserved for the regulation writing command of the documents feature.
    auto *regulation = new QWidget(this);
    regulation->setObjectName(QStringLiteral("RegulationWriteArea"));
    m_regulationArea = new QVBoxLayout(regulation);
    m_regulationArea->setContentsMargins(0, 12, 0, 0);
    outer->addWidget(regulation);
    outer->addStretch(1);

    refresh();

    connect(m_setSize, &QSpinBox::valueChanged, this,
            [this](int value) { m_form.setSetSize(value); });
    connect(m_examMinutes, &QSpinBox::valueChanged, this,
            [this](int value) { m_form.setExamMinutes(value); });
    connect(m_setSize, &ArrowSpinBox::emptied, this, [this] {
        m_form.setSizeEmptied(m_notifier);
        m_setSize->showValue(m_form.setSize());
    });
    connect(m_examMinutes, &ArrowSpinBox::emptied, this, [this] {
        m_form.examMinutesEmptied(m_notifier);
        m_examMinutes->showValue(m_form.examMinutes());
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        m_form.setSliderPosition(position);
        m_figure->setText(QString::number(m_form.delayFigure()));
        emit sliderPositionChanged(m_form.sliderPosition());
    });
    connect(defaults, &QPushButton::clicked, this, [this] {
        m_form.restoreDefaults();
        refresh();
        emit sliderPositionChanged(m_form.sliderPosition());
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_form.confirm(m_store, m_notifier) == SettingsForm::Outcome::Quit)
            emit quitRequested();
    });
    connect(back, &LinkLabel::clicked, this, &SettingsPage::backToQuestions);
}

void SettingsPage::refresh()
{
    const QSignalBlocker b1(m_setSize);
    const QSignalBlocker b2(m_examMinutes);
    const QSignalBlocker b3(m_slider);
    m_setSize->showValue(m_form.setSize());
    m_examMinutes->showValue(m_form.examMinutes());
    m_slider->setValue(m_form.sliderPosition());
    m_figure->setText(QString::number(m_form.delayFigure()));
    m_instantAnswer->setChecked(m_form.showInstantAnswer());
    m_joke->setChecked(m_form.jokeEnabled());
}
