#pragma once

#include <QHeaderView>

// The header row of the quota table, drawn like its cells with red texts.
class QuotaGridHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit QuotaGridHeader(QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
