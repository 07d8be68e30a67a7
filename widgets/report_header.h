#pragma once

#include <QHeaderView>

// The column titles of a report list. A title wider than its column is fitted as the printed table
// fits it, ending in "...", instead of being cut off at both sides of its centred text.
class CReportHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit CReportHeader(QWidget* parent = nullptr);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};
