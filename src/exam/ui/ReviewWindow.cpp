#include "exam/ui/ReviewWindow.h"

#include "exam/ReviewActions.h"
#include "exam/ui/PaperWindowParts.h"
#include "widgets/OutputView.h"
#include "widgets/Theme.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel *label(const QString &text, const QFont &font, theme::Tone tone, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(font);
    theme::setTone(l, tone);
    // Captions wrap rather than clip when the right panel is narrow.
    l->setWordWrap(true);
    return l;
}

} // namespace

ReviewWindow::ReviewWindow(ReviewActions &actions, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_actions(actions)
{
    setObjectName(ReviewWindowNames::window);
    setWindowTitle(QStringLiteral("试卷评阅"));
    setModal(true);
    theme::paintPaper(this);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    // Left panel.
    m_leftPanel = new QWidget(this);
    m_leftPanel->setObjectName(QStringLiteral("reviewLeftPanel"));
    auto *left = new QVBoxLayout(m_leftPanel);
    left->setContentsMargins(16, 24, 12, 16);
    QLabel *title =
        label(QStringLiteral("试卷自动评阅结果："), theme::font(theme::FontRole::PaperTitle),
              theme::Tone::Plain, m_leftPanel);
    title->setWordWrap(true);
    title->setAlignment(Qt::AlignRight | Qt::AlignTop);
    left->addWidget(title);
    left->addStretch();
    row->addWidget(m_leftPanel);

    // The review text.
    m_view = new OutputView(this);
    m_view->setObjectName(QStringLiteral("reviewView"));
    theme::setPart(m_view, QStringLiteral("reviewView"));
    m_view->setDefaultFont(theme::font(theme::FontRole::ReviewText));
    m_view->setFrameShape(QFrame::NoFrame);
    auto *copy = new QAction(QStringLiteral("复制到..."), this);
    auto *save = new QAction(QStringLiteral("试题另存为..."), this);
    connect(copy, &QAction::triggered, this, &ReviewWindow::copyReview);
    connect(save, &QAction::triggered, this, &ReviewWindow::saveReview);
    m_view->setContextActions({copy, save});
    row->addWidget(m_view, 1);

    // Right panel.
    m_rightPanel = new QWidget(this);
    m_rightPanel->setObjectName(QStringLiteral("reviewRightPanel"));
    auto *right = new QVBoxLayout(m_rightPanel);
    right->setContentsMargins(20, 24, 16, 24);
    right->setSpacing(6);
    const QFont caption = theme::font(theme::FontRole::ReviewCaption);
    const QFont figure = theme::font(theme::FontRole::ReviewFigure);
    right->addWidget(label(QStringLiteral("客观器正确/客观题总数："), caption, theme::Tone::Plain,
                           m_rightPanel));
    m_countFigure = label(QString(), figure, theme::Tone::Emphasis, m_rightPanel);
    m_countFigure->setObjectName(QStringLiteral("reviewCountFigure"));
    right->addWidget(m_countFigure);
    right->addSpacing(18);
    right->addWidget(label(QStringLiteral("得分率："), caption, theme::Tone::Plain, m_rightPanel));
    auto *percentRow = new QHBoxLayout;
    percentRow->setSpacing(4);
    m_percentFigure = label(QString(), figure, theme::Tone::Emphasis, m_rightPanel);
    m_percentFigure->setObjectName(QStringLiteral("reviewPercentFigure"));
    m_percentUnit = label(QStringLiteral("分"), theme::font(theme::FontRole::ReviewUnit),
                          theme::Tone::Emphasis, m_rightPanel);
    percentRow->addWidget(m_percentFigure, 0, Qt::AlignBottom);
    percentRow->addWidget(m_percentUnit, 0, Qt::AlignBottom);
    percentRow->addStretch();
    right->addLayout(percentRow);
    right->addSpacing(28);
    const QFont note = theme::font(theme::FontRole::ReviewNote);
    for (const QString &text : {QStringLiteral("注意：填空题  论述题 不由计算机自动阅卷"),
                                QStringLiteral("由练习者自己对照答案学习。")}) {
        QLabel *line = label(text, note, theme::Tone::FinePrint, m_rightPanel);
        line->setWordWrap(true);
        right->addWidget(line);
    }
    right->addStretch();
    QPushButton *close = paperCloseButton(QStringLiteral("reviewClose"), m_rightPanel);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    right->addWidget(close, 0, Qt::AlignLeft);
    row->addWidget(m_rightPanel);
}

void ReviewWindow::setPlacement(int topPanelHeight, int answerPageWidth)
{
    m_topPanelHeight = std::max(0, topPanelHeight);
    m_answerPageWidth = std::max(0, answerPageWidth);
}

void ReviewWindow::place()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const int height = std::max(200, area.height() - m_topPanelHeight);
    // Without the main window's measure the text column takes three fifths.
    const int column = (m_answerPageWidth > 0 && m_answerPageWidth <= area.width())
                           ? m_answerPageWidth
                           : area.width() * 3 / 5;
    const int side = (area.width() - column) / 2;
    m_leftPanel->setFixedWidth(side);
    m_rightPanel->setFixedWidth(area.width() - side - column);
    setGeometry(area.x(), area.y(), area.width(), height);
}

void ReviewWindow::showReview(const ReviewBuilder::Review &review, int setIndex)
{
    m_setIndex = setIndex;
    place();
    m_countFigure->setText(review.countFigure);
    const bool hasPercent = !review.percentFigure.isEmpty();
    m_percentFigure->setText(hasPercent ? review.percentFigure : QStringLiteral("--"));
    m_percentUnit->setVisible(hasPercent);
    m_view->setLines(review.lines);
    m_view->scrollToTop();
    exec();
}

void ReviewWindow::copyReview()
{
    m_actions.copy(m_view->lines());
}

void ReviewWindow::saveReview()
{
    m_actions.save(m_view->lines(), m_setIndex);
}
