#pragma once
// The suite's viewers of a symbol, a package or a padstack (SymbolViewer, PackageViewer,
// PadstackViewer share this base). A viewer is a window of its own: the drawing (a
// DrawingView) beside a panel with the object's name, library and info fields, and under it
// the drawing's notes (how it was made, "body outline from the fabrication layer (F.Fab)")
// and a line saying what could not be drawn (the statements the drawing format left out, a
// missing drawing, an unknown padstack). The panel takes a share of the window's width, its
// texts wrap (PanelText) and it scrolls when they are taller than the window, so a long name
// or description is read whole at any size. Texts of the drawing may mark runs for a bar over
// them ("~{RESET}"): the viewer draws the plain text and the bar.
//
// Whoever opens a viewer gives it a reader: the viewer shows what the reader answers now
// and reads again on Refresh. The opener then hands it its notification text,
// "<viewer name>,LIB,<library>" (the padstack viewer's ends with ","), whose library the
// panel shows. The viewer talks back through NotifyServer(Aname, sCommand): when its window
// is closed it raises its own name and "SHUTDOWN", after which the opener releases it.
//
// Texts (names, libraries, fields, the drawing) are the suite's 8-bit texts.

#include "formats/Drawing.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QFormLayout;
class QGraphicsItem;
class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QLabel;

namespace k2k {

class DrawingView;

// What a viewer shows.
struct ViewerContent {
    std::string name;
    std::string library;
    std::vector<std::pair<std::string, std::string>> fields; // label, value
    std::string drawing;                                     // the drawing text
};

class ObjectViewer : public QWidget {
    Q_OBJECT
public:
    // nullopt: the object is gone; the viewer keeps its name and says so.
    using Reader = std::function<std::optional<ViewerContent>()>;

    ~ObjectViewer() override;

    // "K2KSMBVIEWER", "K2KPACKAGEVIEWER" or "K2KPSTACKVIEWER".
    const QString& AppName() const noexcept { return m_appName; }

    // Shows what the reader answers and keeps it for Refresh.
    void Open(Reader reader);
    // Reads the object again and redraws it, keeping the zoom and position.
    void Refresh();
    // A notification text from the opener; "<name>,LIB,<library>" sets the library shown.
    void NotifyMe(const QString& command);
    // The last notification text received.
    const QString& Notification() const noexcept { return m_notification; }

    QString ObjectName() const;
    // The library as the opener named it (the panel shows this system's form of a path).
    QString LibraryText() const;
    // What could not be drawn; empty when everything was.
    QString ProblemText() const;
    // The drawing's notes, one a line; empty when it has none.
    QString NoteText() const;
    DrawingView& View() const noexcept { return *m_view; }
    QGraphicsScene& Scene() const noexcept { return *m_scene; }

signals:
    void NotifyServer(const QString& Aname, const QString& sCommand);

protected:
    ObjectViewer(QString appName, DrawingKind kind, QString title, QWidget* parent);

    // Draws what only this kind has; what it cannot draw goes into problems.
    virtual void DrawKind(const Drawing& drawing, QStringList& problems) = 0;

    // --- drawing helpers; the scene is in mils, y downwards. At and Scaled take the units
    // of the drawing being drawn (mils, or micrometres after UNIT UM), y upwards.
    QPointF At(const DrawPoint& point) const { return {point.x * m_unit, -point.y * m_unit}; }
    double Scaled(int length) const { return length * m_unit; }
    double Unit() const noexcept { return m_unit; }
    // A text whose box is placed by alignment (Qt::AlignLeft/Right/HCenter with
    // Qt::AlignTop/Bottom/VCenter, or the baseline for Qt::AlignBaseline) against point,
    // turned by degrees counter-clockwise.
    QGraphicsSimpleTextItem* AddText(QPointF point, int height, const QString& text,
                                     const QColor& colour,
                                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignBaseline,
                                     int degrees = 0);
    // A suite text that may mark runs for a bar ("~{CS}/A0"): its plain text placed as AddText
    // places it, measured without the markup, and a line over each marked run (a child of the
    // text, so it turns with it).
    QGraphicsItem* AddMarkedText(QPointF point, int height, const std::string& text,
                                 const QColor& colour,
                                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignBaseline,
                                 int degrees = 0);
    // A pad of the given layer's shape centred at centre, turned by degrees; the drill, when
    // above 0, as a hole in it. unit: mils per unit of the layer's sizes and the drill.
    void AddPad(QPointF centre, const DrawLayer& layer, int degrees, int drill,
                const QColor& colour, double unit);

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Show(const std::optional<ViewerContent>& content);
    void Draw(const std::string& text, QStringList& problems);
    void DrawGraphics(const Drawing& drawing);
    void ShowLibrary(const QString& library);
    void ShowFields(const std::vector<std::pair<std::string, std::string>>& fields);

    QString m_appName;
    DrawingKind m_kind;
    QString m_title;
    Reader m_reader;
    QString m_notification;
    QString m_libraryText;
    DrawingView* m_view;
    QGraphicsScene* m_scene;
    QLabel* m_name;
    QLabel* m_library;
    QFormLayout* m_fields;
    QLabel* m_notes;
    QLabel* m_problems;
    std::vector<QLabel*> m_fieldLabels;
    bool m_fitted = false; // fitted to the window once it was shown
    double m_unit = 1.0;   // mils per unit of the drawing being drawn
};

} // namespace k2k
