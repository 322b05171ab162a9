#pragma once

#include <QList>
#include <QString>

// The chance of passing the bank's mock examination, from recent accuracy.
//
// Each objective question the quotas draw (single choice, multiple choice,
// true/false; fill-in and essay are not marked by the program) is taken as
// an independent right-or-wrong trial whose chance of being right is the
// recent accuracy of its chapter and type, smoothed as (right + 1) /
// (answered + 2) so that a chapter and type never answered counts as 50 %.
// The number answered right is then a sum of such trials; its distribution
// is computed exactly by convolution, one question at a time, and the
// chance of passing is the chance that the run's percentage (rounded as
// grading rounds it) reaches the pass mark.
class PassForecast
{
public:
    // One chapter's quota of one type with its recent answers.
    struct Cell
    {
        int quota = 0;
        int answered = 0;
        int right = 0;
    };
    struct Result
    {
        int questions = 0;          // objective questions of the paper
        int basis = 0;              // answered questions the estimate rests on
        double expectedPercent = 0; // the expected percentage, 0 … 100
        double passChance = 0;      // 0 … 1
        int neededRight = 0;        // right answers the pass mark asks for
    };

    static double accuracy(const Cell &cell);
    // Nothing to forecast (questions 0) when no cell has a quota.
    static Result forecast(const QList<Cell> &cells, int passMark);
    // How it is computed, for the window.
    static QString method();
    static QString summary(const Result &result, int passMark, int days);
};
