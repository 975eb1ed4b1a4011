#include "browser/ui/BrowserPanes.h"

#include "platform/ui/LocaliseForm.h"

#include <QEvent>

namespace k2k {

BrowserPanes::BrowserPanes(QWidget* parent)
    : QSplitter(Qt::Vertical, parent), m_search(new QWidget(this)), m_results(new QWidget(this)) {
    setObjectName(QStringLiteral("splBrowser"));
    m_search->setObjectName(QStringLiteral("picSearchPane"));
    m_results->setObjectName(QStringLiteral("picResultPane"));
    addWidget(m_search);
    addWidget(m_results);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    SetAccessibleName(*this, QStringLiteral("Search options and results"), "992268");
    for (int i = 0; i < count(); ++i)
        SetAccessibleName(*handle(i), QStringLiteral("Search options height"), "992269");
    m_search->installEventFilter(this);
    m_results->installEventFilter(this);
    connect(this, &QSplitter::splitterMoved, this,
            [this](int position) { emit barMoved(position); });
}

int BrowserPanes::SearchPaneHeight() const {
    return sizes().value(0);
}

void BrowserPanes::SetSearchPaneHeight(int height) {
    const int total = sizes().value(0) + sizes().value(1);
    setSizes({height, std::max(total - height, 1)});
}

bool BrowserPanes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == m_search || watched == m_results))
        emit panesResized();
    return QSplitter::eventFilter(watched, event);
}

} // namespace k2k
