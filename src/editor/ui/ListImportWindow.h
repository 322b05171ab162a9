#pragma once

#include "editor/ListImport.h"

#include <QLatin1StringView>
#include <QWidget>

class FileDialogs;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The object names by which tests find the controls.
struct ListImportWindowNames
{
    static constexpr QLatin1StringView banks{"importBanks"};
    static constexpr QLatin1StringView chapters{"importChapters"};
    static constexpr QLatin1StringView pasteBox{"pasteBox"};
    static constexpr QLatin1StringView readPaste{"readPaste"};
    static constexpr QLatin1StringView chooseFile{"chooseFile"};
    static constexpr QLatin1StringView preview{"preview"};
    static constexpr QLatin1StringView counts{"counts"};
    static constexpr QLatin1StringView importButton{"importButton"};
    static constexpr QLatin1StringView report{"report"};
};

// "批量导入试题": a question list pasted or read from a file, previewed
// question by question with its status against the chosen chapter, then
// imported whole; the report lists what was stored and what was not.
class ListImportWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 660;
    inline static const QString kFileFilter =
        QStringLiteral("试题文件 (*.txt *.docx *.xlsx *.csv);;所有文件 (*)");

    ListImportWindow(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs,
                     QWidget *parent = nullptr);

    // Reads the banks anew and shows the window, the chapter given chosen
    // when it is among them.
    void open(qint64 chapterId = 0);
    ListImport &session() { return m_import; }

signals:
    // Questions were stored into the chapter.
    void imported(qint64 chapterId);

private:
    void showBanks();
    void showChapters();
    void showPlan();
    void chooseFile();
    void importAll();

    ListImport m_import;
    FileDialogs &m_dialogs;
    QComboBox *m_banks = nullptr;
    QComboBox *m_chapters = nullptr;
    QPlainTextEdit *m_paste = nullptr;
    QTableWidget *m_preview = nullptr;
    QLabel *m_source = nullptr;
    QLabel *m_counts = nullptr;
    QPushButton *m_importButton = nullptr;
    QPlainTextEdit *m_report = nullptr;
    bool m_filling = false;
};
