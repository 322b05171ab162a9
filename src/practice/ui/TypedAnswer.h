#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLabel;
class QWidget;

// Carries the key presses and releases of a typed answer (the fill-in field,
// the essay view) to the run, and saves changes that come without a key
// (input method, paste by mouse, drop) as a release would. The editor is
// rewritten only when the run's answer text changes, so the cursor stays
// where the user is typing.
class TypedAnswer : public QObject
{
public:
    struct Hooks
    {
        std::function<QString()> editorText;
        std::function<void(const QString &)> setEditorText;
        std::function<void()> press;
        std::function<void(const QString &)> release;
    };

    TypedAnswer(QWidget *editor, Hooks hooks, QObject *parent = nullptr);

    // The editor's text changed (connect its change signal here).
    void edited();
    // Shows the run's answer text when it differs from what was shown last.
    void show(const QString &runText);

    // The "提示：已保存." label both answer pages use.
    static QLabel *makeSaveHint(const QString &objectName, QWidget *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_editor;
    Hooks m_hooks;
    QString m_shownText;
    bool m_keyDown = false;
    bool m_rendering = false;
};
