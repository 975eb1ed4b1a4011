#include "platform/ui/PanelText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

constexpr int kNaturalWidthCap = 60; // average characters: wider texts ask for no more

// The text as laid out: lines kept, and a break allowed after each "_", which joins the
// parts of most package names ("QFN-56-1EP_7x7mm_P0.4mm").
QString Laid(const QString& text) {
    QString laid = text;
    laid.replace(QLatin1Char('\n'), QChar::LineSeparator);
    laid.replace(QLatin1Char('_'), QStringLiteral("_\u200B"));
    return laid;
}

} // namespace

PanelText::PanelText(QWidget* parent) : QLabel(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setTextFormat(Qt::PlainText);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Copy"), this);
    connect(copy, &QAction::triggered, this, [this] {
        QString whole = text();
        QApplication::clipboard()->setText(whole.remove(QChar(0x200B)));
    });
    addAction(copy);
}

int PanelText::LayOut(QTextLayout& layout, int width) const {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setText(Laid(text()));
    layout.setFont(font());
    layout.setTextOption(option);
    const qreal lineWidth = std::max(1, width);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    const int lines = std::max(1, layout.lineCount());
    return std::max(int(std::ceil(height)), lines * fontMetrics().height());
}

int PanelText::heightForWidth(int width) const {
    QTextLayout layout;
    const QMargins margins = contentsMargins();
    return LayOut(layout, width - margins.left() - margins.right()) + margins.top() +
           margins.bottom();
}

QSize PanelText::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int cap = metrics.averageCharWidth() * kNaturalWidthCap;
    int natural = 0;
    for (const QString& line : text().split(QLatin1Char('\n')))
        natural = std::max(natural, metrics.horizontalAdvance(line));
    const QMargins margins = contentsMargins();
    const int width = std::min(natural, cap) + margins.left() + margins.right() + 1;
    return {width, heightForWidth(width)};
}

QSize PanelText::minimumSizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = contentsMargins();
    return {metrics.averageCharWidth() * 4 + margins.left() + margins.right(),
            metrics.height() + margins.top() + margins.bottom()};
}

void PanelText::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect();
    QTextLayout layout;
    LayOut(layout, area.width());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    layout.draw(&painter, area.topLeft());
}

} // namespace k2k
