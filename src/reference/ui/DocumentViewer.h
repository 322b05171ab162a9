#pragma once

#include <QByteArray>
#include <QCursor>
#include <QLatin1StringView>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QListWidget;
class QTextDocument;
class QTextEdit;
class QThread;

// The object names by which tests and stored layouts find the controls.
struct DocumentViewerNames
{
    static constexpr QLatin1StringView window{"TForm9"};
    static constexpr QLatin1StringView topPanel{"Panel1"};
    static constexpr QLatin1StringView documentList{"ListBox1"};
    static constexpr QLatin1StringView documentView{"RichEdit1"};
    static constexpr QLatin1StringView statusBar{"StatusBar1"};
};

// The reader window "系统帮助": the titles of the stored regulation documents
// on the left, the chosen document on the right with its formatting, tables
// and pictures. Not modal; created once and reused, its caption keeps the
// title of the last document shown.
//
// A document is read on a thread of its own, so that the window, the practice
// run and its countdown go on while a long document is read; the status bar
// says so meanwhile. A document asked for later, an emptied view or a closed
// window drops the reading under way.
class DocumentViewer : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kListWidth = 220;
    static constexpr int kStripWidth = 8;
    static constexpr int kLeftMargin = 12;
    static inline const QString kReadingText = QStringLiteral("正在读取文档，请稍候……");

    explicit DocumentViewer(QWidget *parent = nullptr);
    ~DocumentViewer() override;

    // Shows the window maximised with these titles in the list.
    void open(const QStringList &titles);
    void setTitles(const QStringList &titles);
    QStringList titles() const;

    void clearDocument();
    // Starts reading the document's bytes (RTF with its formatting, anything
    // else as plain text); the view shows it when it has been read.
    void showDocument(const QString &title, const QByteArray &data);
    // True while a document asked for is being read.
    bool isReading() const { return m_wanted != nullptr; }
    // Readings whose threads still run, dropped ones included.
    int readingsUnderWay() const { return int(m_running.size()); }
    QTextEdit *view() const { return m_view; }

signals:
    // A title was clicked in the list.
    void titleClicked(const QString &title);
    // A document asked for has been read and set into the view.
    void documentShown();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Reading;

    void replaceDocument(QTextDocument *document);
    void readingDone(QThread *thread, const std::shared_ptr<Reading> &reading);
    void dropReading();
    void setBusy(bool busy);

    QListWidget *m_list = nullptr;
    QTextEdit *m_view = nullptr;
    QWidget *m_busy = nullptr;
    QCursor m_idleCursor;
    // The reading whose document the view waits for, and every reading whose
    // thread still runs (dropped ones included).
    std::shared_ptr<Reading> m_wanted;
    std::vector<std::pair<QThread *, std::shared_ptr<Reading>>> m_running;
};
