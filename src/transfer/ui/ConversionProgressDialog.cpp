#include "ConversionProgressDialog.h"

#include <QCoreApplication>
#include <QFileInfo>

ConversionProgressDialog::ConversionProgressDialog(const QString &dataFile, QWidget *parent)
    : QProgressDialog(parent)
{
    setObjectName(QStringLiteral("conversionProgress"));
    setWindowTitle(QStringLiteral("提示"));
    setLabelText(
        QStringLiteral("正在转换数据文件 %1，请稍候……").arg(QFileInfo(dataFile).fileName()));
    setCancelButton(nullptr);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(360);
    setRange(0, 1);
    setValue(0);
}

DataFileConverter::Progress ConversionProgressDialog::progress()
{
    return [this](int done, int total) {
        if (!isVisible())
            show();
        setMaximum(total);
        setValue(done);
        QCoreApplication::processEvents();
    };
}
