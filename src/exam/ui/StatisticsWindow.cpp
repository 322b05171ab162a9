#include "exam/ui/StatisticsWindow.h"

#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "widgets/CjkFonts.h"
#include "widgets/Theme.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QGridLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr int kWeeksShown = 26;

qreal msecsOf(const QDate &day)
{
    return static_cast<qreal>(day.startOfDay().toMSecsSinceEpoch());
}

void replaceChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    view->setChart(chart);
    delete old;
}

QChart *makePercentChart(const StudyStatistics::Data &data, const QDate &today)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("得分率变化（每日平均）"));
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("yyyy-MM-dd"));
    x->setTickCount(6);
    auto *y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    QDate first = today.addDays(-30);
    QDate last = today;
    for (const StudyStatistics::KindSeries &kind : data.series) {
        auto *line = new QLineSeries;
        line->setName(kind.name);
        for (const StudyStatistics::Point &point : kind.points) {
            line->append(msecsOf(point.day), point.percentage);
            first = std::min(first, point.day);
            last = std::max(last, point.day);
        }
        line->setPointsVisible(kind.points.size() < 60);
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    auto *pass = new QLineSeries;
    pass->setName(QStringLiteral("及格线 %1分").arg(data.passMark));
    pass->append(msecsOf(first), data.passMark);
    pass->append(msecsOf(last), data.passMark);
    QPen pen(Qt::red);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(2);
    pass->setPen(pen);
    chart->addSeries(pass);
    pass->attachAxis(x);
    pass->attachAxis(y);
    x->setRange(first.startOfDay(), last.startOfDay());
    return chart;
}

QChart *makeWeeksChart(const StudyStatistics::Data &data, const QDate &today)
{
    auto *chart = new QChart;
    const QDate thisMonday = today.addDays(1 - today.dayOfWeek());
    // The bars are too narrow for dates under them: the title says where they start.
    chart->setTitle(
        QStringLiteral("每周练习次数（最近%1周，自 %2 起）")
            .arg(kWeeksShown)
            .arg(
                thisMonday.addDays(-7 * (kWeeksShown - 1)).toString(QStringLiteral("yyyy-MM-dd"))));
    auto *set = new QBarSet(QStringLiteral("交卷次数"));
    QStringList labels;
    int most = 0;
    for (int k = kWeeksShown - 1; k >= 0; --k) {
        const QDate monday = thisMonday.addDays(-7 * k);
        int runs = 0;
        for (const StudyStatistics::Week &week : data.weeks) {
            if (week.monday == monday)
                runs = week.runs;
        }
        most = std::max(most, runs);
        *set << runs;
        labels << monday.toString(QStringLiteral("MM-dd"));
    }
    auto *series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(labels);
    x->setLabelsVisible(false);
    auto *y = new QValueAxis;
    y->setRange(0, std::max(5, most));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setVisible(false);
    return chart;
}

QChart *makeChaptersChart(const StudyStatistics::Data &data)
{
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("各章掌握情况（最弱的在上）"));
    auto *known = new QBarSet(QStringLiteral("已会做比例%"));
    auto *right = new QBarSet(QStringLiteral("近%1天正确率%").arg(StudyStatistics::kRecentDays));
    QStringList labels;
    const int shown =
        std::min(static_cast<int>(data.chapters.size()), StudyStatistics::kChartedChapters);
    // The axis grows upwards: the weakest chapter goes last, so it stands on top.
    for (int k = shown - 1; k >= 0; --k) {
        const StudyStatistics::ChapterBar &bar = data.chapters.at(k);
        *known << bar.knownShare;
        *right << bar.rightShare;
        const QString name =
            bar.name.size() > 14 ? bar.name.left(13) + QStringLiteral("…") : bar.name;
        labels << name + QStringLiteral(" (错题%1)").arg(bar.bookCount);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(known);
    series->append(right);
    chart->addSeries(series);
    auto *y = new QBarCategoryAxis;
    y->append(labels);
    auto *x = new QValueAxis;
    x->setRange(0, 100);
    x->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    series->attachAxis(y);
    return chart;
}

} // namespace

StatisticsWindow::StatisticsWindow(Notifier &notifier, FileDialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_notifier(notifier), m_dialogs(&dialogs)
{
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(QStringLiteral("学习统计"));
    resize(1180, 760);
    auto *layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setFont(cjk::hei(14, true));
    theme::setTone(m_title, theme::Tone::Heading);
    layout->addWidget(m_title);
    m_empty = new QLabel(StudyStatistics::emptyLine(), this);
    m_empty->setObjectName(QStringLiteral("StatisticsEmpty"));
    theme::setTone(m_empty, theme::Tone::SoftNote);
    layout->addWidget(m_empty);
    auto *grid = new QGridLayout;
    grid->addWidget(chartBox(m_percent, 0, QStringLiteral("得分率变化.png")), 0, 0);
    grid->addWidget(chartBox(m_weeks, 1, QStringLiteral("每周练习次数.png")), 1, 0);
    grid->addWidget(chartBox(m_chapters, 2, QStringLiteral("各章掌握情况.png")), 0, 1, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 1);
    layout->addLayout(grid, 1);
    m_forecast = new QLabel(this);
    m_forecast->setObjectName(QStringLiteral("StatisticsForecast"));
    m_forecast->setFont(cjk::hei(13, true));
    m_forecast->setWordWrap(true);
    layout->addWidget(m_forecast);
    m_method = new QLabel(PassForecast::method(), this);
    m_method->setWordWrap(true);
    theme::setTone(m_method, theme::Tone::SoftNote);
    layout->addWidget(m_method);
    fill(StudyStatistics::Data(), QDate::currentDate());
}

StatisticsWindow::~StatisticsWindow() = default;

QWidget *StatisticsWindow::chartBox(QChartView *&view, int index, const QString &file)
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    view = new QChartView(new QChart, box);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(240);
    layout->addWidget(view, 1);
    auto *save = new QPushButton(QStringLiteral("保存图片..."), box);
    save->setObjectName(QStringLiteral("StatisticsSave%1").arg(index));
    layout->addWidget(save, 0, Qt::AlignRight);
    m_save[index] = save;
    QChartView *target = view;
    connect(save, &QPushButton::clicked, this, [this, target, file] { savePicture(target, file); });
    return box;
}

void StatisticsWindow::fill(const StudyStatistics::Data &data, const QDate &today)
{
    m_title->setText(QStringLiteral("学习统计【") + data.bank + QStringLiteral("】 交卷 ") +
                     QString::number(data.runs) + QStringLiteral(" 次"));
    m_empty->setVisible(data.runs == 0);
    replaceChart(m_percent, makePercentChart(data, today));
    replaceChart(m_weeks, makeWeeksChart(data, today));
    replaceChart(m_chapters, makeChaptersChart(data));
    m_forecast->setText(
        PassForecast::summary(data.forecast, data.passMark, StudyStatistics::kRecentDays));
}

QString StatisticsWindow::savedNotice(const QString &path)
{
    return QStringLiteral("[软件提示]：图表已经保存为图片：") + path;
}

QString StatisticsWindow::notSavedNotice(const QString &path)
{
    return QStringLiteral("[软件提示]：图表没有保存，无法写入文件：") + path;
}

void StatisticsWindow::savePicture(QChartView *view, const QString &suggested)
{
    QString path = m_dialogs->saveFileName(QStringLiteral("保存图表"), suggested,
                                           QStringLiteral("PNG 图片 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (view->grab().save(path, "PNG"))
        m_notifier.inform(savedNotice(path));
    else
        m_notifier.inform(notSavedNotice(path));
}
