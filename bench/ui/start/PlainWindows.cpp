// A second yardstick of the host's start-up: the same kinds and numbers of widgets the host
// and the browser show at a start, made the plain way with nothing read and nothing kept.
// Two top-level windows: one like the host's (a group of four check boxes, a three-column
// tree, a log, a command line) and one like the browser's (a menu bar of three menus, four
// tabs, the first with a grid of 16 rows whose value cells hold 8 editable combo boxes and
// 8 line edits with a button, in the Part grid's order, a six-column result list, four
// buttons, three check boxes, a status bar). It waits until the second window has been painted,
// closes both and ends, printing "shown_ms=N closed_ms=N" from main's beginning as `kalde2000
// --bench-start` does. What a start costs beyond this is the browser's own work; what this costs
// beyond the empty window is Qt's for windows with text, tables and menus.
#include "FirstPaint.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <string_view>

namespace {

class HostLike final : public QMainWindow {
public:
    HostLike() {
        auto* centre = new QWidget(this);
        auto* column = new QVBoxLayout(centre);
        auto* group = new QGroupBox(QStringLiteral("Running applications"), centre);
        auto* row = new QHBoxLayout(group);
        for (const char* name :
             {"Main application", "Schematic editor", "Layout editor", "Library manager"})
            row->addWidget(new QCheckBox(QString::fromLatin1(name), group));
        column->addWidget(group);
        column->addWidget(new QLabel(QStringLiteral("Commands from the browser:"), centre));
        auto* commands = new QTreeWidget(centre);
        commands->setHeaderLabels(
            {QStringLiteral("Aname"), QStringLiteral("Command"), QStringLiteral("The suite")});
        column->addWidget(commands);
        auto* log = new QPlainTextEdit(centre);
        log->setPlainText(QStringLiteral("Kalde2000 is running\nLoad: true"));
        column->addWidget(log);
        auto* line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("Command:"), centre));
        line->addWidget(new QLineEdit(centre));
        column->addLayout(line);
        setCentralWidget(centre);
        resize(840, 480);
    }
};

class BrowserLike final : public QMainWindow {
public:
    explicit BrowserLike(FirstPaint& firstPaint) : m_firstPaint(firstPaint) {
        for (const char* title : {"&Library", "&View", "&Help"}) {
            QMenu* menu = menuBar()->addMenu(QString::fromLatin1(title));
            for (int item = 0; item < 8; ++item)
                menu->addAction(QStringLiteral("Command %1").arg(item));
        }
        auto* centre = new QWidget(this);
        auto* column = new QVBoxLayout(centre);
        auto* top = new QHBoxLayout;
        auto* tabs = new QTabWidget(centre);
        bool first = true;
        for (const char* kind : {"Part", "Symbol", "Package", "Padstack"}) {
            tabs->addTab(MakeGrid(first), QString::fromLatin1(kind));
            first = false;
        }
        top->addWidget(tabs, 1);
        auto* buttons = new QVBoxLayout;
        for (const char* name : {"Find Now", "Edit New", "Find in List", "New Search"})
            buttons->addWidget(new QPushButton(QString::fromLatin1(name), centre));
        for (const char* name : {"All Conditions", "Match Case", "Numeric Search"})
            buttons->addWidget(new QCheckBox(QString::fromLatin1(name), centre));
        buttons->addStretch();
        top->addLayout(buttons);
        column->addLayout(top);
        auto* results = new QTableView(centre);
        auto* model = new QStandardItemModel(0, 6, results);
        model->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Library"),
                                          QStringLiteral("Description"), QStringLiteral("Package"),
                                          QStringLiteral("Manufacturer"),
                                          QStringLiteral("Part Type")});
        results->setModel(model);
        column->addWidget(results, 1);
        setCentralWidget(centre);
        statusBar()->showMessage(QStringLiteral("Enter Search Options"));
        resize(960, 883);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QMainWindow::paintEvent(event);
        m_firstPaint.Painted();
    }

private:
    // The Part grid's shape: a row's value cell is a combo box (C) or a line edit with a
    // button (B), in the Part grid's order; the grids of the tabs not shown have their
    // captions only.
    QWidget* MakeGrid(bool editors) {
        constexpr std::string_view kCells = "CCCCCBBBBCBCBBBC";
        const int kRows = static_cast<int>(kCells.size());
        auto* grid = new QTableWidget(kRows, 2);
        grid->setHorizontalHeaderLabels({QStringLiteral("Options"), QStringLiteral("Values")});
        grid->verticalHeader()->hide();
        grid->horizontalHeader()->setStretchLastSection(true);
        for (int row = 0; row < kRows; ++row) {
            grid->setItem(row, 0, new QTableWidgetItem(QStringLiteral("Option %1").arg(row)));
            if (!editors)
                continue;
            if (kCells[static_cast<size_t>(row)] == 'B') {
                auto* cell = new QWidget;
                auto* line = new QHBoxLayout(cell);
                line->setContentsMargins(0, 0, 0, 0);
                line->addWidget(new QLineEdit);
                line->addWidget(new QToolButton);
                grid->setCellWidget(row, 1, cell);
            } else {
                auto* box = new QComboBox;
                box->setEditable(true);
                grid->setCellWidget(row, 1, box);
            }
        }
        // As in the browser, the pane is as high as the grid, every row in sight.
        grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                               kRows * grid->verticalHeader()->defaultSectionSize() +
                               2 * grid->frameWidth());
        return grid;
    }

    FirstPaint& m_firstPaint;
};

} // namespace

int main(int argc, char** argv) {
    FirstPaint firstPaint; // the clock, from main's beginning
    QApplication application(argc, argv);
    HostLike host;
    host.show();
    BrowserLike browser(firstPaint);
    browser.show();
    return firstPaint.Run(application);
}
