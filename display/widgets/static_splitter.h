#pragma once

#include <QSplitter>

// A splitter whose bars cannot be dragged and show no resize cursor; pane sizes change only when the
// frame lays them out.
class CStaticSplitter : public QSplitter {
    Q_OBJECT

public:
    explicit CStaticSplitter(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};
