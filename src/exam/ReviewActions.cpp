#include "exam/ReviewActions.h"

#include "base/Clipboard.h"
#include "base/GbkText.h"
#include "base/Notifier.h"
#include "base/TextFileWriter.h"

#include <QStringList>

ReviewActions::ReviewActions(Clipboard &clipboard, Notifier &notifier)
    : m_clipboard(clipboard), m_notifier(notifier)
{
}

QString ReviewActions::fileName(int setIndex)
{
    return QStringLiteral("NO") + text::twoDigits(setIndex) + QStringLiteral(".txt");
}

bool ReviewActions::copy(const StyledText &review)
{
    QStringList lines;
    lines.reserve(review.size());
    for (const StyledLine &line : review)
        lines << line.text();
    if (!m_clipboard.setText(lines.join(QLatin1Char('\n')))) {
        m_notifier.inform(QStringLiteral("[软件提示]：剪切板无法写入，本页数据没有复制。"));
        return false;
    }
    m_notifier.inform(QStringLiteral(
        "[软件提示]：本页数据已经复制到剪切板，你可以将其粘贴到文本文件中留后查看。"));
    return true;
}

bool ReviewActions::save(const StyledText &review, int setIndex)
{
    const QString name = fileName(setIndex);
    const QString content = plainText(review) + QStringLiteral("\r\n");
    if (!TextFileWriter::append(name, content)) {
        m_notifier.inform(QStringLiteral("[软件提示]：文件") + name +
                          QStringLiteral("无法写入当前目录，本页数据没有保存。"));
        return false;
    }
    QString notice = QStringLiteral("[软件提示]：本页数据已经存到当前目录下，文件名是：") + name;
    // The file is GBK: say so when a typed answer held characters it cannot carry.
    if (!gbk::representable(content))
        notice += QStringLiteral("\r\n（文件为GBK编码，其中无法表示的字符已写作“?”。）");
    m_notifier.inform(notice);
    return true;
}
