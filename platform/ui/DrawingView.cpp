#include "platform/ui/DrawingView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMaxZoom = 400.0;
constexpr int kMinGridPixels = 12; // grid lines closer than this are thinned out
constexpr int kBaseGrid = 100;     // mils
const QColor kBackground(252, 252, 246);
const QColor kGridLine(226, 226, 218);
const QColor kAxis(200, 200, 190);

} // namespace

DrawingView::DrawingView(QWidget* parent) : QGraphicsView(parent) {
    setObjectName(QStringLiteral("viwDrawing"));
    setAccessibleName(QStringLiteral("Drawing"));
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setFocusPolicy(Qt::StrongFocus);
    // The drawing is panned by dragging and with the arrow keys.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumSize(200, 160);
}

void DrawingView::FitToWindow() {
    if (!scene())
        return;
    QRectF bounds = scene()->itemsBoundingRect();
    if (bounds.isEmpty())
        bounds = QRectF(-500, -500, 1000, 1000);
    const double margin = std::max(bounds.width(), bounds.height()) * 0.08 + 20;
    const QRectF framed = bounds.adjusted(-margin, -margin, margin, margin);
    const double reach = std::max(framed.width(), framed.height()) * 4;
    setSceneRect(framed.adjusted(-reach, -reach, reach, reach));
    resetTransform();
    fitInView(framed, Qt::KeepAspectRatio);
    m_fitted = Zoom();
    m_keepFitted = true;
}

double DrawingView::Zoom() const {
    return transform().m11();
}

void DrawingView::ZoomBy(double factor) {
    m_keepFitted = false;
    const double wanted = std::clamp(Zoom() * factor, m_fitted / 20, kMaxZoom);
    if (Zoom() > 0)
        scale(wanted / Zoom(), wanted / Zoom());
}

int DrawingView::GridSpacing() const {
    int spacing = kBaseGrid;
    while (Zoom() * spacing < kMinGridPixels && spacing < 100000000)
        spacing *= 10;
    return spacing;
}

void DrawingView::Pan(int dx, int dy) {
    m_keepFitted = false;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void DrawingView::mousePressEvent(QMouseEvent* event) {
    m_keepFitted = false; // a drag pans
    QGraphicsView::mousePressEvent(event);
}

void DrawingView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    if (m_keepFitted)
        FitToWindow();
}

void DrawingView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        event->ignore();
        return;
    }
    ZoomBy(std::pow(kZoomStep, steps / 120.0));
    event->accept();
}

void DrawingView::keyPressEvent(QKeyEvent* event) {
    const int stepX = std::max(1, viewport()->width() / 10);
    const int stepY = std::max(1, viewport()->height() / 10);
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(kZoomStep);
        break;
    case Qt::Key_Minus:
        ZoomBy(1 / kZoomStep);
        break;
    case Qt::Key_F:
    case Qt::Key_Home:
        FitToWindow();
        break;
    case Qt::Key_0: // Ctrl+0, as other programs fit
        if (!(event->modifiers() & Qt::ControlModifier)) {
            QGraphicsView::keyPressEvent(event);
            return;
        }
        FitToWindow();
        break;
    case Qt::Key_Left:
        Pan(-stepX, 0);
        break;
    case Qt::Key_Right:
        Pan(stepX, 0);
        break;
    case Qt::Key_Up:
        Pan(0, -stepY);
        break;
    case Qt::Key_Down:
        Pan(0, stepY);
        break;
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DrawingView::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, kBackground);
    const int spacing = GridSpacing();
    QPen pen(kGridLine, 1);
    pen.setCosmetic(true);
    painter->setPen(pen);
    const double left = std::floor(rect.left() / spacing) * spacing;
    const double top = std::floor(rect.top() / spacing) * spacing;
    for (double x = left; x <= rect.right(); x += spacing)
        painter->drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
    for (double y = top; y <= rect.bottom(); y += spacing)
        painter->drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    pen.setColor(kAxis);
    painter->setPen(pen);
    painter->drawLine(QPointF(0, rect.top()), QPointF(0, rect.bottom()));
    painter->drawLine(QPointF(rect.left(), 0), QPointF(rect.right(), 0));
}

} // namespace k2k
