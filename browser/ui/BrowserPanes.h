#pragma once
// The main window's two panes, one above the other, sharing the height with a bar the
// person drags: the search pane (the tabs with the option grids, and the command panel)
// and the result pane (the result lists). A bigger window gives its extra height to the
// results; the search pane keeps the height it was given. barMoved tells a move of the bar
// that the person made from one the window made.

#include <QSplitter>

namespace k2k {

class BrowserPanes final : public QSplitter {
    Q_OBJECT
public:
    explicit BrowserPanes(QWidget* parent = nullptr);

    QWidget* SearchPane() const noexcept { return m_search; }
    QWidget* ResultPane() const noexcept { return m_results; }
    int SearchPaneHeight() const;
    // The result pane takes the rest of the height.
    void SetSearchPaneHeight(int height);

signals:
    // Either pane changed its size (the window's or the bar's doing).
    void panesResized();
    // The person moved the bar; the search pane's height is now height.
    void barMoved(int height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_search;
    QWidget* m_results;
};

} // namespace k2k
