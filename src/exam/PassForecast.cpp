#include "exam/PassForecast.h"

#include "question/Grading.h"

#include <vector>

double PassForecast::accuracy(const Cell &cell)
{
    return (cell.right + 1.0) / (cell.answered + 2.0);
}

PassForecast::Result PassForecast::forecast(const QList<Cell> &cells, int passMark)
{
    Result result;
    // distribution[k]: the chance of k right answers among the questions so far.
    std::vector<double> distribution{1.0};
    double expected = 0;
    for (const Cell &cell : cells) {
        if (cell.quota <= 0)
            continue;
        result.basis += cell.answered;
        const double p = accuracy(cell);
        for (int q = 0; q < cell.quota; ++q) {
            distribution.push_back(0.0);
            for (std::size_t k = distribution.size() - 1; k > 0; --k)
                distribution[k] = distribution[k] * (1 - p) + distribution[k - 1] * p;
            distribution[0] *= 1 - p;
        }
        result.questions += cell.quota;
        expected += cell.quota * p;
    }
    if (result.questions == 0)
        return result;
    result.expectedPercent = 100.0 * expected / result.questions;
    result.neededRight = result.questions + 1;
    for (int k = 0; k <= result.questions; ++k) {
        if (Grading::percentage(k, result.questions).value_or(0) >= passMark) {
            result.neededRight = k;
            break;
        }
    }
    for (int k = result.neededRight; k <= result.questions; ++k)
        result.passChance += distribution[static_cast<std::size_t>(k)];
    return result;
}

QString PassForecast::method()
{
    return QStringLiteral(
        "计算方法：按本题库模拟考试抽题设置，每道客观题（单选、多选、判断）答对的概率取其所在章节、"
        "题型近期的正确率（答对数+1）/（作答数+2），未作答过的按50%计；各题相互独立，答对题数的分布"
        "逐题卷积精确算出，及格概率为得分率达到及格线的概率。填空题、论述题不计。");
}

QString PassForecast::summary(const Result &result, int passMark, int days)
{
    if (result.questions == 0)
        return QStringLiteral("本题库还没有模拟考试抽题设置，无法预测。");
    return QStringLiteral(
               "预计得分：%1分    及格（%2分）概率：%3%    试卷客观题 %4 道，需答对 %5 道；"
               "依据最近%6天作答的 %7 道客观题。")
        .arg(QString::number(result.expectedPercent, 'f', 1), QString::number(passMark),
             QString::number(result.passChance * 100.0, 'f', 1), QString::number(result.questions),
             QString::number(result.neededRight), QString::number(days),
             QString::number(result.basis));
}
