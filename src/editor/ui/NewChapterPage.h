#pragma once

#include <QWidget>

class QLineEdit;
class QuestionEditor;

// The new-chapter page (page 12 of the editor): the chapter's name, its
// examination time in minutes (typed digits only) and "确定".
class NewChapterPage : public QWidget
{
    Q_OBJECT

public:
    explicit NewChapterPage(QuestionEditor &editor, QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void create();

    QuestionEditor &m_editor;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_minutes = nullptr;
};
