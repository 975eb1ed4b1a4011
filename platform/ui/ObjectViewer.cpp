#include "platform/ui/ObjectViewer.h"

#include "formats/TextMarkup.h"
#include "platform/ui/DrawingView.h"
#include "platform/ui/PanelText.h"
#include "platform/ui/SuiteText.h"
#include "system/NativePath.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace k2k {

namespace {

// The panel takes three parts of the width for the drawing's five, and never less than this.
constexpr int kPanelMinimumWidth = 180;
constexpr int kDrawingStretch = 5;
constexpr int kPanelStretch = 3;
const QColor kGraphics(30, 60, 140);
// A bar over a marked run: this share of the text's height thick, its ends drawn in by as
// much again so that the bars of two neighbouring runs stay apart.
constexpr double kBarShare = 0.07;

QString KindName(DrawingKind kind) {
    switch (kind) {
    case DrawingKind::Package:
        return QStringLiteral("package");
    case DrawingKind::Padstack:
        return QStringLiteral("padstack");
    default:
        return QStringLiteral("symbol");
    }
}

QLabel* PanelLabel(QWidget* parent, const char* name) {
    auto* label = new PanelText(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QFormLayout* PanelForm() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    return form;
}

// A library as a person reads it: this system's form of a path (a text such as "Project
// library" stays), free to wrap after each folder.
QString LibraryShown(const QString& library) {
    if (!library.contains(QLatin1Char('\\')))
        return library;
    const std::optional<std::string> suite = ToSuiteText(library);
    QString shown = suite ? FromSuiteText(DisplayPath(*suite)) : library;
    return shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
}

QPen GraphicsPen(const QColor& colour) {
    QPen pen(colour, 2);
    pen.setCosmetic(true); // as thick at every zoom
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

} // namespace

ObjectViewer::ObjectViewer(QString appName, DrawingKind kind, QString title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_appName(std::move(appName)), m_kind(kind),
      m_title(std::move(title)), m_view(new DrawingView(this)), m_scene(new QGraphicsScene(this)),
      m_name(PanelLabel(this, "lblName")), m_library(PanelLabel(this, "lblLibrary")),
      m_fields(PanelForm()), m_notes(PanelLabel(this, "lblNotes")),
      m_problems(PanelLabel(this, "lblProblems")) {
    setObjectName(m_appName);
    setWindowTitle(m_title);
    setAttribute(Qt::WA_DeleteOnClose, false); // the opener releases it
    m_view->setScene(m_scene);
    setFocusProxy(m_view); // the keys zoom and pan as soon as the window is active

    // The panel scrolls up and down; its texts wrap, so it never needs to scroll sideways.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrInfo"));
    scroll->setAccessibleName(QStringLiteral("Object information"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setMinimumWidth(kPanelMinimumWidth);
    scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* panel = new QWidget(scroll);
    panel->setObjectName(QStringLiteral("picInfo"));
    auto* panelLayout = new QVBoxLayout(panel);
    auto* top = PanelForm();
    top->addRow(QStringLiteral("Name:"), m_name);
    top->addRow(QStringLiteral("Library:"), m_library);
    panelLayout->addLayout(top);
    panelLayout->addLayout(m_fields);
    auto* keys = new QLabel(QStringLiteral("Wheel, + and -: zoom\nF, Home or Ctrl+0: fit\n"
                                           "Drag or arrow keys: pan"),
                            panel);
    keys->setObjectName(QStringLiteral("lblKeys"));
    keys->setEnabled(false);
    panelLayout->addStretch(1);
    panelLayout->addWidget(keys);

    scroll->setWidget(panel);

    m_notes->setStyleSheet(QStringLiteral("color: #305070"));
    m_notes->hide();
    m_problems->setStyleSheet(QStringLiteral("color: #a03000"));
    m_problems->hide();
    auto* left = new QVBoxLayout;
    left->addWidget(m_view, 1);
    left->addWidget(m_notes);
    left->addWidget(m_problems);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left, kDrawingStretch);
    row->addWidget(scroll, kPanelStretch);
    resize(820, 540);
}

ObjectViewer::~ObjectViewer() = default;

void ObjectViewer::Open(Reader reader) {
    m_reader = std::move(reader);
    m_fitted = false;
    Show(m_reader ? m_reader() : std::nullopt);
    if (isVisible()) {
        m_view->FitToWindow();
        m_fitted = true;
    }
}

void ObjectViewer::Refresh() {
    if (!m_reader)
        return;
    Show(m_reader());
    if (!m_fitted || !m_view->sceneRect().contains(m_scene->itemsBoundingRect())) {
        m_view->FitToWindow();
        m_fitted = isVisible();
    }
}

void ObjectViewer::NotifyMe(const QString& command) {
    m_notification = command;
    const QString prefix = m_appName + QStringLiteral(",LIB,");
    if (!command.startsWith(prefix))
        return;
    QString library = command.mid(prefix.size());
    if (m_kind == DrawingKind::Padstack && library.endsWith(QLatin1Char(',')))
        library.chop(1);
    ShowLibrary(library);
}

void ObjectViewer::ShowLibrary(const QString& library) {
    m_libraryText = library;
    m_library->setText(LibraryShown(library));
    m_library->setToolTip(library);
}

QString ObjectViewer::ObjectName() const {
    return m_name->text();
}

QString ObjectViewer::LibraryText() const {
    return m_libraryText;
}

QString ObjectViewer::ProblemText() const {
    return m_problems->text();
}

QString ObjectViewer::NoteText() const {
    return m_notes->text();
}

void ObjectViewer::Show(const std::optional<ViewerContent>& content) {
    m_scene->clear();
    m_notes->clear();
    QStringList problems;
    if (content) {
        m_name->setText(FromSuiteText(content->name));
        ShowLibrary(FromSuiteText(content->library));
        ShowFields(content->fields);
        Draw(content->drawing, problems);
        setWindowTitle(m_title + QStringLiteral(" - ") + FromSuiteText(content->name));
    } else {
        problems << QStringLiteral("the %1 is no longer in its library").arg(KindName(m_kind));
    }
    m_problems->setText(problems.isEmpty()
                            ? QString()
                            : QStringLiteral("Not drawn: ") + problems.join(QStringLiteral("; ")));
    m_problems->setVisible(!problems.isEmpty());
    m_notes->setVisible(!m_notes->text().isEmpty());
}

void ObjectViewer::ShowFields(const std::vector<std::pair<std::string, std::string>>& fields) {
    while (m_fields->rowCount() > 0)
        m_fields->removeRow(0);
    m_fieldLabels.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QLabel* value = PanelLabel(this, "lblField");
        value->setObjectName(QStringLiteral("lblField%1").arg(i + 1));
        value->setText(FromSuiteText(fields[i].second));
        m_fields->addRow(FromSuiteText(fields[i].first) + QLatin1Char(':'), value);
        m_fieldLabels.push_back(value);
    }
}

void ObjectViewer::Draw(const std::string& text, QStringList& problems) {
    const ParsedDrawing parsed = ParseDrawing(text);
    for (const DrawingProblem& problem : parsed.problems) {
        const QString message = FromSuiteText(problem.message);
        problems << (problem.statement > 0
                         ? QStringLiteral("statement %1: %2").arg(problem.statement).arg(message)
                         : message);
    }
    if (!parsed.drawing)
        return;
    const Drawing& drawing = *parsed.drawing;
    if (drawing.kind != m_kind)
        problems << QStringLiteral("the drawing is a %1's, not a %2's")
                        .arg(KindName(drawing.kind), KindName(m_kind));
    m_unit = MilsPerUnit(drawing.unit);
    QStringList notes;
    for (const std::string& note : drawing.notes)
        notes << QStringLiteral("Note: ") + FromSuiteText(note);
    m_notes->setText(notes.join(QLatin1Char('\n')));
    DrawGraphics(drawing);
    DrawKind(drawing, problems);
}

void ObjectViewer::DrawGraphics(const Drawing& drawing) {
    const QPen pen = GraphicsPen(kGraphics);
    for (const DrawLine& line : drawing.lines)
        m_scene->addLine(QLineF(At(line.from), At(line.to)), pen);
    for (const DrawRect& rect : drawing.rects)
        m_scene->addRect(QRectF(At(rect.corner1), At(rect.corner2)).normalized(), pen);
    for (const DrawArc& arc : drawing.arcs) {
        const QPointF centre = At(arc.centre);
        const double radius = Scaled(arc.radius);
        const QRectF box(centre.x() - radius, centre.y() - radius, 2.0 * radius, 2.0 * radius);
        QPainterPath path;
        path.arcMoveTo(box, arc.startDegrees);
        path.arcTo(box, arc.startDegrees, arc.sweepDegrees);
        m_scene->addPath(path, pen);
    }
    for (const DrawText& text : drawing.texts)
        AddMarkedText(At(text.at), std::max(1, int(std::lround(Scaled(text.height)))), text.text,
                      kGraphics);
}

QGraphicsSimpleTextItem* ObjectViewer::AddText(QPointF point, int height, const QString& text,
                                               const QColor& colour, Qt::Alignment alignment,
                                               int degrees) {
    auto* item = new QGraphicsSimpleTextItem(text);
    QFont font = item->font();
    font.setPixelSize(std::max(1, height));
    item->setFont(font);
    item->setBrush(colour);
    const QRectF box = item->boundingRect();
    const QFontMetricsF metrics(font);
    double dx = 0;
    if (alignment & Qt::AlignRight)
        dx = -box.width();
    else if (alignment & Qt::AlignHCenter)
        dx = -box.width() / 2;
    double dy = -metrics.ascent();
    if (alignment & Qt::AlignTop)
        dy = 0;
    else if (alignment & Qt::AlignBottom)
        dy = -box.height();
    else if (alignment & Qt::AlignVCenter)
        dy = -box.height() / 2;
    QTransform place;
    place.rotate(-degrees);
    place.translate(dx, dy);
    item->setTransform(place);
    item->setPos(point);
    m_scene->addItem(item);
    return item;
}

QGraphicsItem* ObjectViewer::AddMarkedText(QPointF point, int height, const std::string& text,
                                           const QColor& colour, Qt::Alignment alignment,
                                           int degrees) {
    const std::vector<TextRun> runs = MarkupRuns(text);
    QString plain;
    std::vector<std::pair<int, int>> bars; // from, to: characters of the plain text
    for (const TextRun& run : runs) {
        const int from = int(plain.size());
        plain += FromSuiteText(run.text);
        if (run.overbar)
            bars.emplace_back(from, int(plain.size()));
    }
    QGraphicsSimpleTextItem* item = AddText(point, height, plain, colour, alignment, degrees);
    if (bars.empty())
        return item;
    // The text's own coordinates: its box's top left at 0 0, the baseline at the ascent.
    const QFontMetricsF metrics(item->font());
    const double thickness = std::max(1.0, height * kBarShare);
    const double y = std::max(thickness / 2, metrics.ascent() - metrics.capHeight() - thickness);
    QPen pen(colour, thickness);
    pen.setCapStyle(Qt::FlatCap);
    for (const auto& [from, to] : bars) {
        const double left = metrics.horizontalAdvance(plain.left(from)) + thickness;
        const double right = metrics.horizontalAdvance(plain.left(to)) - thickness;
        auto* bar = new QGraphicsLineItem(QLineF(left, y, std::max(left, right), y), item);
        bar->setPen(pen);
    }
    return item;
}

void ObjectViewer::AddPad(QPointF centre, const DrawLayer& layer, int degrees, int drill,
                          const QColor& colour, double unit) {
    const double width = std::max(1, layer.width) * unit;
    double height = std::max(1, layer.height) * unit;
    if (layer.shape == PadShape::Round || layer.shape == PadShape::Square)
        height = width;
    const QRectF box(-width / 2, -height / 2, width, height);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    switch (layer.shape) {
    case PadShape::Round:
        path.addEllipse(box);
        break;
    case PadShape::Oblong: {
        const double radius = std::min(width, height) / 2;
        path.addRoundedRect(box, radius, radius);
        break;
    }
    default:
        path.addRect(box);
        break;
    }
    if (drill > 0)
        path.addEllipse(QPointF(0, 0), drill * unit / 2.0, drill * unit / 2.0);
    QGraphicsPathItem* item = m_scene->addPath(path, QPen(colour.darker(140), 0), colour);
    item->setPos(centre);
    item->setRotation(-degrees);
}

void ObjectViewer::closeEvent(QCloseEvent* event) {
    event->accept();
    emit NotifyServer(m_appName, QStringLiteral("SHUTDOWN"));
}

void ObjectViewer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_fitted) {
        m_view->FitToWindow();
        m_fitted = true;
    }
}

} // namespace k2k
