#include "practice/ui/QuestionPageBase.h"

#include "practice/ui/AnswerMark.h"

#include "practice/PracticeRun.h"
#include "practice/ui/RevealPanel.h"
#include "question/QuestionType.h"
#include "widgets/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QVBoxLayout>

namespace {

bool isAnswerPage(RunDisplay::Page page)
{
    return page != RunDisplay::Page::Chapter && page != RunDisplay::Page::Score;
}

} // namespace

QuestionPageBase::QuestionPageBase(PracticeRun &run, QuestionType type, RunDisplay::Page page,
                                   QWidget *parent)
    : QWidget(parent), m_run(run), m_type(type), m_page(page)
{
    theme::paintPaper(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(6);

    m_view = new QTextEdit(this);
    m_view->setObjectName(QStringLiteral("RichEditQuestion"));
    theme::setPart(m_view, QStringLiteral("questionView"));
    m_view->setReadOnly(true);
    m_view->setUndoRedoEnabled(false);
    m_view->setFont(theme::font(theme::FontRole::QuestionText));
    m_view->document()->setDefaultFont(theme::font(theme::FontRole::QuestionText));
    m_view->installEventFilter(this);
    column->addWidget(m_view, 1);

    // The picture box stands over the view's top right corner; the text keeps
    // clear of it while it is shown.
    m_picture = new QLabel(m_view);
    m_picture->setObjectName(QStringLiteral("ImageQuestion"));
    theme::setPart(m_picture, QStringLiteral("questionPicture"));
    m_picture->setScaledContents(true);
    m_picture->setFixedSize(kPictureSize, kPictureSize);
    m_picture->hide();

    auto *row = new QHBoxLayout;
    row->setSpacing(10);
    m_controls = new QWidget(this);
    m_controls->setObjectName(QStringLiteral("AnswerControls"));
    row->addWidget(m_controls, 1);
    m_reveal = new RevealPanel(this);
    row->addWidget(m_reveal, 0, Qt::AlignRight | Qt::AlignBottom);
    column->addLayout(row);
    connect(m_reveal, &RevealPanel::hovered, this, [this] { m_run.revealHover(); });
}

QLabel *QuestionPageBase::addChosenLabel(QHBoxLayout *row)
{
    auto *caption = new QLabel(QStringLiteral("选择："), m_controls);
    caption->setFont(theme::font(theme::FontRole::AnswerCaption));
    row->addWidget(caption);
    auto *chosen = new QLabel(m_controls);
    chosen->setObjectName(QStringLiteral("LabelChosen"));
    chosen->setFont(theme::font(theme::FontRole::ChosenAnswer));
    theme::setTone(chosen, theme::Tone::Emphasis);
    chosen->setMinimumWidth(72);
    row->addWidget(chosen);
    return chosen;
}

QuestionPageBase::MarkedChoice QuestionPageBase::addMarkedChoice(QHBoxLayout *row)
{
    row->setContentsMargins(6, 0, 0, 0);
    row->setSpacing(8);
    MarkedChoice marked;
    marked.chosen = addChosenLabel(row);
    marked.right = new AnswerMark(AnswerMark::Kind::Right, m_controls);
    marked.wrong = new AnswerMark(AnswerMark::Kind::Wrong, m_controls);
    row->addWidget(marked.right);
    row->addWidget(marked.wrong);
    row->addSpacing(30);
    return marked;
}

void QuestionPageBase::MarkedChoice::show(const QString &chosenText,
                                          const RunDisplay &display) const
{
    chosen->setText(chosenText);
    right->setVisible(display.rightMarkVisible);
    wrong->setVisible(display.wrongMarkVisible);
}

void QuestionPageBase::setControlsHeight(int height)
{
    m_controls->setFixedHeight(height);
}

QPixmap QuestionPageBase::buttonFace(const QString &text, const QColor &plate, const QSize &size)
{
    QPixmap face(size);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(QPointF(1, 1), QSizeF(size) - QSizeF(2, 2));
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, plate.lighter(150));
    shade.setColorAt(1, plate);
    painter.setBrush(shade);
    painter.setPen(QPen(plate.darker(140), 1));
    painter.drawRoundedRect(box, 7, 7);
    QFont font = theme::font(theme::FontRole::PlateLetter);
    font.setPixelSize(size.height() * 3 / 5);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 70));
    painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(theme::colour(theme::Colour::PlateText));
    painter.drawText(box, Qt::AlignCenter, text);
    return face;
}

void QuestionPageBase::render(const RunDisplay &display)
{
    // The question view follows the display while this page is the one on
    // screen; pages that are not shown keep their question, except that
    // leaving the answer pages (chapter or score page) clears them all.
    if (display.page == m_page) {
        showLines(display.questionLines, display.lineSpacing);
        showPicture(display.picture);
    } else if (!isAnswerPage(display.page) && display.questionLines.isEmpty()) {
        showLines({}, display.lineSpacing);
        showPicture(QString());
    }
    m_reveal->setVisible(display.revealPanelVisible[question::indexOf(m_type)]);
    m_reveal->setFigure(display.revealFigure, display.revealFigureVisible);
}

void QuestionPageBase::showLines(const QStringList &lines, int lineSpacing)
{
    if (m_linesShown && lines == m_lines && lineSpacing == m_lineSpacing)
        return;
    m_linesShown = true;
    m_lines = lines;
    m_lineSpacing = lineSpacing;

    QTextDocument *document = m_view->document();
    document->clear();
    QTextBlockFormat block;
    block.setLineHeight(lineSpacing, QTextBlockFormat::ProportionalHeight);
    QTextCharFormat chars;
    chars.setFont(theme::font(theme::FontRole::QuestionText));
    chars.setForeground(theme::colour(theme::Colour::Text));
    QTextCursor cursor(document);
    for (int i = 0; i < lines.size(); ++i) {
        if (i == 0) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(chars);
        } else {
            cursor.insertBlock(block, chars);
        }
        cursor.insertText(lines.at(i), chars);
    }
    applyTextMargin();
    m_view->verticalScrollBar()->setValue(0);
    m_view->horizontalScrollBar()->setValue(0);
}

void QuestionPageBase::showPicture(const QString &path)
{
    if (path == m_picturePath)
        return;
    m_picturePath = path;
    // A picture that cannot be read only hides the box.
    const QPixmap picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    if (picture.isNull()) {
        m_picture->clear();
        m_picture->hide();
    } else {
        m_picture->setPixmap(picture);
        placePicture();
        m_picture->show();
        m_picture->raise();
    }
    applyTextMargin();
}

void QuestionPageBase::placePicture()
{
    const QRect area = m_view->viewport()->geometry();
    m_picture->move(area.right() - kPictureSize - 8, area.top() + 8);
}

void QuestionPageBase::applyTextMargin()
{
    QTextFrame *root = m_view->document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const qreal margin = !m_picture->isHidden() ? kPictureSize + 16 : 4;
    if (format.rightMargin() != margin) {
        format.setRightMargin(margin);
        format.setLeftMargin(6);
        root->setFrameFormat(format);
    }
}

bool QuestionPageBase::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        placePicture();
    return QWidget::eventFilter(watched, event);
}
