#include "editor/ListExport.h"

#include "base/FileDialogs.h"
#include "base/Notifier.h"
#include "base/StoreError.h"
#include "editor/QuestionListExport.h"
#include "store/QuestionTable.h"

#include <QFileInfo>
#include <limits>

ListExport::ListExport(QSqlDatabase db, Notifier &notifier, FileDialogs &dialogs)
    : m_db(std::move(db)), m_notifier(notifier), m_dialogs(dialogs)
{
}

bool ListExport::run(qint64 chapterId, qint64 bankId, const QString &suggestedName)
{
    if (chapterId <= 0 && bankId <= 0) {
        m_notifier.inform(kNothingChosen);
        return false;
    }
    QString path =
        m_dialogs.saveFileName(kCaption, suggestedName + QStringLiteral(".xlsx"), kFilter);
    if (path.isEmpty())
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"xlsx" && suffix != u"txt")
        path += QStringLiteral(".xlsx");
    QuestionListExport::Encoding encoding = QuestionListExport::Encoding::Utf8;
    if (QFileInfo(path).suffix().toLower() == u"txt")
        encoding = m_notifier.askYesNo(QStringLiteral("提示"), kAskGbk, Notifier::Icon::Question)
                       ? QuestionListExport::Encoding::Gbk
                       : QuestionListExport::Encoding::Utf8;
    QList<QuestionRow> questions;
    try {
        questions = QuestionTable(m_db).read(chapterId > 0 ? QuestionScope::chapter(chapterId)
                                                           : QuestionScope::bank(bankId),
                                             std::numeric_limits<int>::max());
    } catch (const StoreError &error) {
        m_notifier.inform(QuestionListExport::kNotWritten + error.reason());
        return false;
    }
    QString reason;
    if (!QuestionListExport::write(path, questions, encoding, &reason)) {
        m_notifier.inform(QuestionListExport::kNotWritten + reason);
        return false;
    }
    m_notifier.inform(QuestionListExport::kWritten.arg(questions.size()).arg(path));
    return true;
}
