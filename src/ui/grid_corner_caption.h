#pragma once
// Paints the caption of a grid's fixed column ("Sr") into the table view's top-left corner,
// which Qt leaves blank, as a header section like the column titles beside it.
#include <QObject>
#include <QString>

class QTableView;

namespace dravenor {

class GridCornerCaption : public QObject {
    Q_OBJECT
public:
    GridCornerCaption(QTableView& view, QString caption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView& view_;
    QString caption_;
};

} // namespace dravenor
