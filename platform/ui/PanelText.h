#pragma once
// A text of a viewer's information panel (a name, a library, a field's value). It wraps at
// word boundaries and, where one word is wider than the panel (most package names are one
// long word), anywhere inside it, so every character stays in sight at any width; its
// height follows its width. Its context menu copies the whole text.

#include <QLabel>

class QTextLayout;

namespace k2k {

class PanelText final : public QLabel {
public:
    explicit PanelText(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Lays the text out in lines of at most width pixels; answers the height it takes.
    int LayOut(QTextLayout& layout, int width) const;
};

} // namespace k2k
