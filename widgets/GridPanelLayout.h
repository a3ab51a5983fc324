#pragma once

#include <QList>
#include <QWidget>

// A panel that divides itself into columns and rows by percentages and places each child
// widget in a cell, spanning cells as asked, less the child's margins.
// A child names its cell with the dynamic properties "column", "row", "columnSpan" and
// "rowSpan"; its margins come from its "margins" property.
class GridPanelLayout : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString columnPercents READ columnPercents WRITE setColumnPercents)
    Q_PROPERTY(QString rowPercents READ rowPercents WRITE setRowPercents)

public:
    explicit GridPanelLayout(QWidget *parent = nullptr);

    // Percentages separated by blanks, for instance "33.30 33.35 33.35".
    QString columnPercents() const;
    void setColumnPercents(const QString &percents);
    QString rowPercents() const;
    void setRowPercents(const QString &percents);

    QRect cellRect(int column, int row, int columnSpan = 1, int rowSpan = 1) const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    void placeChildren();

    QList<double> m_columns{100.0};
    QList<double> m_rows{100.0};
};
