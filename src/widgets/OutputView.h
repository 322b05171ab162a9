#pragma once

#include "base/StyledText.h"

#include <QList>
#include <QTextEdit>

class QAction;
class QContextMenuEvent;
class QTextCharFormat;

// The read-only rich-text view that shows styled lines: one paragraph per
// line, each span with its own colour, weight, underline, font and size, the
// text 12 pixels in from the left border.
class OutputView : public QTextEdit
{
    Q_OBJECT

public:
    static constexpr int kLeftMargin = 12;

    explicit OutputView(QWidget *parent = nullptr);

    // The installed fonts asked for a logical family, preferred first.
    static QStringList families(FontFamily family);
    // A font of that family for the controls around a view.
    static QFont fontOf(FontFamily family, int pointSize, bool bold = false);

    // The font of spans without a family or size of their own.
    void setDefaultFont(FontFamily family, int pointSize);
    // The same from a font role's font: its families, size and weight.
    void setDefaultFont(const QFont &font);

    void setLines(const StyledText &lines);
    void appendLines(const StyledText &lines);
    void clearLines();
    const StyledText &lines() const { return m_lines; }
    // The shown text, paragraphs joined by "\n".
    QString plainText() const;

    void scrollToEnd();
    void scrollToTop();

    // Entries of the context menu; with none the view offers its standard menu.
    void setContextActions(const QList<QAction *> &actions);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QTextCharFormat charFormat(const StyledSpan &span) const;
    void write(const StyledText &lines, bool startInFirstBlock);
    void applyMargin();

    StyledText m_lines;
    QList<QAction *> m_actions;
};
