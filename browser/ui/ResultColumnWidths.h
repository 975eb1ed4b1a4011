#pragma once
// The widths of a result list's columns. After every search the columns fit their contents
// and share the list's visible width (browser/ColumnWidths.h: the widest give way first),
// except those a person has sized by hand: those keep the chosen width, remembered by the
// column's caption, so that a column the options add or remove moves the others without
// handing one's width to another. A double click on a column's edge fits it again and gives
// it back to the automatic fitting. A header section is never narrower than its caption
// with the sort arrow beside it, so the arrow never covers the caption.

#include <QHash>
#include <QObject>
#include <QString>

class QTableView;

namespace k2k {

class ResultColumnWidths final : public QObject {
    Q_OBJECT

public:
    // Follows the view's header and the resets of its model (set before this is made).
    explicit ResultColumnWidths(QTableView& view);

    // Every column not sized by hand: fitted to its caption and rows when fit is true,
    // else the list's default width (or its caption's, when wider). Remembers fit for the
    // widths laid after the columns change.
    void Fit(bool fit);
    // The width a person gave the column of this caption; 0 when none.
    int ChosenWidth(const QString& caption) const { return m_chosen.value(caption, 0); }

private:
    QString Caption(int column) const;
    void Lay();
    // The width the columns share: the list's, less a vertical scroll bar its rows bring.
    int VisibleWidth() const;

    QTableView& m_view;
    QHash<QString, int> m_chosen; // caption -> the width a person gave it
    bool m_fit = true;
    bool m_laying = false; // the widths being set here are not a person's
};

} // namespace k2k
