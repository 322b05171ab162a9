#pragma once

#include "exam/StudyStatistics.h"

#include <QWidget>

class FileDialogs;
class Notifier;
class QChart;
class QChartView;
class QLabel;
class QPushButton;

// "学习统计": the percentage over time per kind of run with the pass mark,
// the runs per week, the bank's chapters weakest first and the pass forecast
// with how it is computed. Each chart can be saved as a PNG picture. Created
// once; fill() reads everything anew with a few grouped statements.
class StatisticsWindow : public QWidget
{
    Q_OBJECT

public:
    StatisticsWindow(Notifier &notifier, FileDialogs &dialogs, QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    // Shows the data (the window draws it at once; showing is the caller's).
    void fill(const StudyStatistics::Data &data, const QDate &today);

    QChartView *percentChart() const { return m_percent; }
    QChartView *weeksChart() const { return m_weeks; }
    QChartView *chaptersChart() const { return m_chapters; }
    QLabel *emptyLabel() const { return m_empty; }
    QLabel *forecastLabel() const { return m_forecast; }
    QPushButton *saveButton(int chart) const { return m_save[chart]; }
    void setFileDialogs(FileDialogs &dialogs) { m_dialogs = &dialogs; }

    static QString savedNotice(const QString &path);
    static QString notSavedNotice(const QString &path);

private:
    QWidget *chartBox(QChartView *&view, int index, const QString &file);
    void savePicture(QChartView *view, const QString &suggested);

    Notifier &m_notifier;
    FileDialogs *m_dialogs;
    QChartView *m_percent = nullptr;
    QChartView *m_weeks = nullptr;
    QChartView *m_chapters = nullptr;
    QPushButton *m_save[3] = {nullptr, nullptr, nullptr};
    QLabel *m_title = nullptr;
    QLabel *m_empty = nullptr;
    QLabel *m_forecast = nullptr;
    QLabel *m_method = nullptr;
};
