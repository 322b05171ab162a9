#include "practice/ui/QuestionStrip.h"
#include "widgets/Theme.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace {

const char *const kNumberProperty = "questionNumber";
constexpr double kPointSize = 8; // Arial 8 points where the numbers have room
constexpr double kSmallestPointSize = 6;
constexpr int kGap = 2; // pixels at least between neighbouring numbers

QFont numberFont(double pointSize, bool bold)
{
    QFont font = theme::font(theme::FontRole::StripNumber);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

QPoint QuestionStrip::place(int number, int count)
{
    if (count <= 50)
        return {10 + 16 * number, 10};
    if (number <= 50)
        return {10 + 16 * number, 0};
    if (number <= 100)
        return {10 + 16 * (number - 50), 16};
    if (count < 130)
        return {3 + 23 * (number - 100), 32};
    // From 130 questions on, rows of 40 at a step of 27 pixels give every
    // three-digit number room of its own inside the bar: 101 … 140,
    // 141 … 180, 181 … 220, 221 … 260, 261 … 300.
    const int index = number - 101;
    return {3 + 27 * (index % 40 + 1), 32 + 16 * (index / 40)};
}

namespace {

// The largest size, up to 8 points, at which every number (bold, as answered
// numbers are) leaves a gap before its right-hand neighbour in the same row.
double fittingPointSize(const QList<RunDisplay::StripNumber> &numbers)
{
    for (double size = kPointSize; size > kSmallestPointSize; size -= 0.5) {
        const QFontMetrics metrics(numberFont(size, true));
        bool fits = true;
        for (qsizetype i = 0; fits && i + 1 < numbers.size(); ++i) {
            const int count = static_cast<int>(numbers.size());
            const QPoint left = QuestionStrip::place(numbers.at(i).number, count);
            const QPoint right = QuestionStrip::place(numbers.at(i + 1).number, count);
            if (left.y() == right.y() && right.x() > left.x())
                fits =
                    metrics.horizontalAdvance(numbers.at(i).caption) + kGap <= right.x() - left.x();
        }
        if (fits)
            return size;
    }
    return kSmallestPointSize;
}

bool sameNumbers(const QList<RunDisplay::StripNumber> &a, const QList<RunDisplay::StripNumber> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const RunDisplay::StripNumber &x, const RunDisplay::StripNumber &y) {
                          return x.number == y.number && x.caption == y.caption;
                      });
}

} // namespace

QuestionStrip::QuestionStrip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QuestionStripNumbers"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(kMinimumHeight);
}

QLabel *QuestionStrip::numberLabel(int number) const
{
    if (number < 1 || number > m_labels.size())
        return nullptr;
    return m_labels.at(number - 1);
}

void QuestionStrip::render(const QList<RunDisplay::StripNumber> &numbers)
{
    if (!sameNumbers(numbers, m_shown))
        rebuild(numbers);
    for (int i = 0; i < numbers.size(); ++i) {
        const RunDisplay::StripNumber &now = numbers.at(i);
        const RunDisplay::StripNumber &was = m_shown.at(i);
        if (now.colour != was.colour || now.bold != was.bold) {
            QLabel *label = m_labels.at(i);
            style(label, now, label->underMouse());
            label->adjustSize(); // bold is wider
        }
    }
    m_shown = numbers;
}

void QuestionStrip::rebuild(const QList<RunDisplay::StripNumber> &numbers)
{
    // Removed later: a press on one of them may be what led here.
    for (QLabel *old : std::as_const(m_labels)) {
        old->hide();
        old->removeEventFilter(this);
        old->setObjectName(QString());
        old->deleteLater();
    }
    m_labels.clear();
    m_pointSize = fittingPointSize(numbers);
    int bottom = 0;
    for (const RunDisplay::StripNumber &number : numbers) {
        auto *label = new QLabel(number.caption, this);
        label->setObjectName(QString(QuestionStripNames::numberPrefix) +
                             QString::number(number.number));
        label->setProperty(kNumberProperty, number.number);
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(QStringLiteral("第 %1 题").arg(number.number));
        style(label, number, false);
        label->adjustSize();
        const QPoint at = place(number.number, static_cast<int>(numbers.size()));
        label->move(at);
        label->installEventFilter(this);
        label->show();
        bottom = std::max(bottom, at.y() + label->height());
        m_labels << label;
    }
    setFixedHeight(std::max(kMinimumHeight, bottom + 1));
    // The old styles no longer apply: every label was styled from its number.
    m_shown = numbers;
}

void QuestionStrip::style(QLabel *label, const RunDisplay::StripNumber &number, bool hovered) const
{
    QFont font = numberFont(m_pointSize, number.bold);
    font.setUnderline(hovered);
    label->setFont(font);
    theme::setTextColour(label, QColor::fromRgb(number.colour));
}

bool QuestionStrip::eventFilter(QObject *watched, QEvent *event)
{
    auto *label = qobject_cast<QLabel *>(watched);
    const int index = label ? static_cast<int>(m_labels.indexOf(label)) : -1;
    if (index >= 0) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::Leave: {
            QFont font = label->font();
            font.setUnderline(event->type() == QEvent::Enter);
            label->setFont(font);
            break;
        }
        case QEvent::MouseButtonPress:
            emit numberPressed(label->property(kNumberProperty).toInt());
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
