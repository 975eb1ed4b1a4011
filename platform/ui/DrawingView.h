#pragma once
// The drawing area of the viewers: a QGraphicsView over a scene in mils (y downwards, so
// items are placed at (x, -y)) with a grid behind it. The wheel and the keys + and - zoom
// about the pointer, F, Home and Ctrl+0 fit the drawing to the window, the arrow keys and a
// drag with the mouse pan. The grid's spacing grows by tens so that its lines never crowd.

#include <QGraphicsView>

namespace k2k {

class DrawingView final : public QGraphicsView {
    Q_OBJECT
public:
    explicit DrawingView(QWidget* parent = nullptr);

    // Fits the items of the scene into the window, with a margin; the scene extends far
    // around them so that the drawing can be panned.
    void FitToWindow();
    // Zooms by factor (above 1 in, below 1 out), kept between the fitted scale / 20 and
    // 400 pixels per mil.
    void ZoomBy(double factor);
    // Pixels per mil.
    double Zoom() const;
    // The grid spacing in mils at the current zoom.
    int GridSpacing() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private:
    void Pan(int dx, int dy);

    double m_fitted = 1.0;    // the zoom of the last fit
    bool m_keepFitted = true; // a resize fits again until the user zooms or pans
};

} // namespace k2k
