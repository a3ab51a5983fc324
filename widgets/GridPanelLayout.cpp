#include "GridPanelLayout.h"

#include <QEvent>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

QList<double> parsePercents(const QString &text)
{
    QList<double> percents;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        percents.append(std::max(0.0, part.toDouble()));
    if (percents.isEmpty() || std::accumulate(percents.begin(), percents.end(), 0.0) <= 0.0)
        percents = {100.0};
    return percents;
}

QString formatPercents(const QList<double> &percents)
{
    QStringList parts;
    for (double percent : percents)
        parts.append(QString::number(percent));
    return parts.join(QLatin1Char(' '));
}

// Edge of cell `index` along a side of `length`, rounded to whole pixels.
int edge(const QList<double> &shares, qsizetype index, int length)
{
    const double total = std::accumulate(shares.begin(), shares.end(), 0.0);
    const double before = std::accumulate(shares.begin(), shares.begin() + index, 0.0);
    return int(std::lround(length * before / total));
}

int intProperty(const QWidget *widget, const char *name, int fallback)
{
    const QVariant value = widget->property(name);
    return value.isValid() ? value.toInt() : fallback;
}

} // namespace

GridPanelLayout::GridPanelLayout(QWidget *parent)
    : QWidget(parent)
{}

QString GridPanelLayout::columnPercents() const
{
    return formatPercents(m_columns);
}

void GridPanelLayout::setColumnPercents(const QString &percents)
{
    m_columns = parsePercents(percents);
    placeChildren();
}

QString GridPanelLayout::rowPercents() const
{
    return formatPercents(m_rows);
}

void GridPanelLayout::setRowPercents(const QString &percents)
{
    m_rows = parsePercents(percents);
    placeChildren();
}

QRect GridPanelLayout::cellRect(int column, int row, int columnSpan, int rowSpan) const
{
    const auto clampIndex = [](int index, const QList<double> &shares) {
        return std::clamp<qsizetype>(index, 0, shares.size());
    };
    const qsizetype left = clampIndex(column, m_columns);
    const qsizetype right = clampIndex(column + std::max(1, columnSpan), m_columns);
    const qsizetype top = clampIndex(row, m_rows);
    const qsizetype bottom = clampIndex(row + std::max(1, rowSpan), m_rows);
    const int x0 = edge(m_columns, left, width());
    const int y0 = edge(m_rows, top, height());
    return QRect(x0, y0, edge(m_columns, right, width()) - x0, edge(m_rows, bottom, height()) - y0);
}

void GridPanelLayout::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

bool GridPanelLayout::event(QEvent *event)
{
    if (event->type() == QEvent::ChildPolished)
        placeChildren();
    return QWidget::event(event);
}

void GridPanelLayout::placeChildren()
{
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const int margins = intProperty(child, "margins", 0);
        const QRect cell =
            cellRect(intProperty(child, "column", 0), intProperty(child, "row", 0),
                     intProperty(child, "columnSpan", 1), intProperty(child, "rowSpan", 1));
        child->setGeometry(cell.adjusted(margins, margins, -margins, -margins));
    }
}
