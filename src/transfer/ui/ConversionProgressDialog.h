#pragma once

#include "transfer/DataFileConverter.h"

#include <QProgressDialog>

// Shows how far the conversion of the data file has come, table by table. It
// has no cancel button: the conversion replaces the file in one step at its
// end, and stopping it halfway would only leave the original as it is.
class ConversionProgressDialog : public QProgressDialog
{
public:
    explicit ConversionProgressDialog(const QString &dataFile, QWidget *parent = nullptr);

    // The callback the conversion reports to.
    DataFileConverter::Progress progress();
};
