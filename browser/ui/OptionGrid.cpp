#include "browser/ui/OptionGrid.h"

#include "browser/BrowserComponent.h"
#include "browser/HistoryBoxes.h"
#include "browser/OptionGridRows.h"
#include "browser/RegTypePicks.h"
#include "browser/SimulationPicks.h"
#include "common/Messages.h"
#include "platform/UserSettings.h"
#include "platform/ui/K2kGrid.h"
#include "platform/ui/SuiteText.h"
#include "system/Text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace k2k {

namespace {

constexpr int kLibraryList = 1; // the drop-down list of the Library row
constexpr int kValueCol = 1;
constexpr int kLeftMiddle = 1; // the alignment of both columns

} // namespace

OptionGrid::OptionGrid(K2kGrid& grid, LibraryKind kind, BrowserComponent& browser,
                       HistoryCompleter& completer, QObject* parent)
    : QObject(parent), m_grid(grid), m_kind(kind), m_browser(browser), m_completer(completer) {
    m_grid.setObjectName(ControlName(kind));
    connect(&m_grid, &K2kGrid::ComboChange, this, [this](int box) { OnComboChange(box); });
    connect(&m_grid, &K2kGrid::ComboKeyDown, this,
            [this](int box, int keyCode, int /*shift*/) { OnComboKeyDown(box, keyCode); });
    connect(&m_grid, &K2kGrid::CellButtonClick, this,
            [this](int col, int row) { CellButtonClick(col, row); });
}

QString OptionGrid::ControlName(LibraryKind kind) {
    static const char* const kNames[] = {"egrdPartSearchOptions", "egrdSymbolSearchOptions",
                                         "egrdPackageSearchOptions", "egrdPadstackSearchOptions"};
    return QString::fromLatin1(kNames[static_cast<int>(kind)]);
}

// What a screen reader calls the grid, and the identifier of this system's own text.
QString OptionGrid::ReaderName() const {
    static const char* const kNames[] = {"Part search options", "Symbol search options",
                                         "Package search options", "Padstack search options"};
    static const char* const kIds[] = {"992264", "992265", "992266", "992267"};
    const auto index = static_cast<std::size_t>(m_kind);
    return Text(kNames[index], kIds[index]);
}

// A pick button reads as the title of the dialog it opens.
QString OptionGrid::PickName(int row) const {
    if (const auto pick = RegTypePickAt(m_kind, row))
        return Text(pick->title, pick->titleId);
    if (const auto pick = SimulationPickAt(m_kind, row))
        return Text(pick->title, pick->titleId);
    return {};
}

QString OptionGrid::Text(const char* defaultText, const char* id) const {
    return FromSuiteText(m_browser.Services().GetText(defaultText, id));
}

void OptionGrid::Shape() {
    m_grid.SetRows(OptionGridRowCount(m_kind));
    m_grid.SetFixedCount(1);
    m_grid.SetGridName(ReaderName());
    m_grid.SetCellText(0, 0, Text("Options", kOptionsCaptionId));
    m_grid.SetCellText(0, kValueCol, Text("Values", kValuesCaptionId));
    for (const OptionGridRow& row : OptionGridRows(m_kind))
        m_grid.SetCellText(row.row, 0, Text(row.caption, row.captionId));
    m_grid.ResizeRows(0);
}

void OptionGrid::SetUp() {
    Shape();
    for (int box = 1; box <= m_grid.numberofcombobox(); ++box)
        m_grid.SetComboText(box, QString());
    for (const OptionGridRow& row : OptionGridRows(m_kind)) {
        if (row.cell == GridCell::LibraryList) {
            m_grid.SetCellDropDown(kValueCol, row.row, kLibraryList, true);
        } else if (row.cell == GridCell::PickButton) {
            m_grid.SetCellButton(kValueCol, row.row, true);
            m_grid.SetCellButtonName(kValueCol, row.row, PickName(row.row));
            // the others have no pick dialog yet
            m_grid.SetCellButtonEnabled(kValueCol, row.row,
                                        SimulationPickAt(m_kind, row.row).has_value());
        }
    }
    m_grid.ResizeColumns(0); // the rows took their height in Shape
    for (int col = 0; col < m_grid.Cols(); ++col)
        m_grid.SetColAlignment(col, kLeftMiddle);
    for (int row = 1; row < m_grid.Rows(); ++row)
        m_grid.SetCellText(row, kValueCol, QString());
    EnableRegTypePicks();
}

void OptionGrid::FillLibraryList() {
    m_grid.DropDownClear(kLibraryList);
    const std::vector<std::string> entries = LibraryListEntries(m_browser.Catalogue(), m_kind);
    for (std::size_t i = 0; i < entries.size(); ++i)
        m_grid.DropDownAddItem(kLibraryList, FromSuiteText(entries[i]), static_cast<int>(i));
    m_grid.SetDropDownListIndex(kLibraryList, 0);
    m_grid.SetCellText(CriterionRow(m_kind, SearchCriterion::Library), kValueCol,
                       m_grid.DropDownList(kLibraryList, 0));
}

void OptionGrid::AttachHistoryBoxes() {
    m_grid.Setnumberofcombobox(HistoryBoxCount(m_kind));
    for (const OptionGridRow& row : OptionGridRows(m_kind))
        if (row.cell == GridCell::HistoryBox)
            m_grid.SetCellHistoryBox(kValueCol, row.row, row.historyBox, true);
}

void OptionGrid::Reset() {
    SetUp();
    FillLibraryList();
}

std::optional<std::vector<std::string>> OptionGrid::Values() const {
    std::vector<std::string> values;
    for (int row = 1; row < m_grid.Rows(); ++row) {
        std::optional<std::string> value = ToSuiteText(m_grid.CellText(row, kValueCol));
        if (!value)
            return std::nullopt;
        values.push_back(std::move(*value));
    }
    return values;
}

std::vector<std::string> OptionGrid::Entries(int box) const {
    std::vector<std::string> entries;
    for (int i = 0; i < m_grid.ComboListCount(box); ++i)
        if (std::optional<std::string> entry = ToSuiteText(m_grid.ComboList(box, i)))
            entries.push_back(std::move(*entry));
    return entries;
}

void OptionGrid::RememberValues() {
    for (int box = 1; box <= HistoryBoxCount(m_kind); ++box) {
        const std::optional<std::string> text = ToSuiteText(m_grid.ComboText(box));
        if (!text)
            continue; // such a value never reaches a search either
        const std::vector<std::string> entries = Entries(box);
        const auto update = RememberValue(*text, entries);
        if (!update)
            continue;
        if (QComboBox* combo = m_grid.HistoryBox(box)) {
            // Taking entries out must neither change the box's text nor complete it.
            const QSignalBlocker quiet(combo);
            const QString shown = combo->currentText();
            if (update->reused)
                combo->removeItem(static_cast<int>(*update->reused));
            for (std::size_t drop = update->dropOldest; drop > 0; --drop)
                combo->removeItem(0);
            combo->setEditText(shown);
        }
        m_grid.ComboAddItem(box, FromSuiteText(update->value));
    }
}

void OptionGrid::LoadHistory(const UserSettings& settings) {
    LoadHistory(*settings.Read(kHistoryApplication));
}

void OptionGrid::LoadHistory(const IniDocument& store) {
    for (int box = 1; box <= HistoryBoxCount(m_kind); ++box) {
        m_grid.ComboClear(box);
        QStringList entries;
        for (const std::string& entry : HistoryBoxEntries(store, m_kind, box))
            entries << FromSuiteText(entry);
        m_grid.ComboAddItems(box, entries);
    }
}

void OptionGrid::KeepHistory(HistoryBoxesToKeep& keep) const {
    for (int box = 1; box <= HistoryBoxCount(m_kind); ++box)
        keep.Add(m_kind, box, Entries(box));
}

bool OptionGrid::SaveHistory(UserSettings& settings) const {
    HistoryBoxesToKeep keep;
    KeepHistory(keep);
    return keep.Save(settings);
}

bool OptionGrid::IsBoxOfKind(int box) const {
    return box >= 1 && box <= HistoryBoxCount(m_kind) && m_grid.HistoryBox(box);
}

void OptionGrid::OnComboChange(int box) {
    if (!IsBoxOfKind(box))
        return;
    QLineEdit* edit = m_grid.HistoryBox(box)->lineEdit();
    // Windows-1252 holds each character in one byte, so positions are the same in both.
    const std::optional<std::string> text = ToSuiteText(edit->text());
    if (!text)
        return; // no entry can begin with it
    const auto completion = m_completer.Complete(
        *text, Entries(box), static_cast<std::size_t>(std::max(edit->cursorPosition(), 0)));
    if (!completion)
        return;
    edit->setText(FromSuiteText(completion->text));
    edit->setSelection(static_cast<int>(completion->selStart),
                       static_cast<int>(completion->selLength));
}

void OptionGrid::OnComboKeyDown(int box, int keyCode) {
    if (!IsBoxOfKind(box))
        return;
    m_completer.KeyDown(keyCode);
    if (keyCode == 13 && m_enter)
        m_enter();
}

void OptionGrid::CellButtonClick(int /*col*/, int row) {
    if (SimulationPickAt(m_kind, row))
        PickSimulationReference(row);
    else
        PickRegisteredType(row);
    m_grid.Refresh(); // after every pick, and after a click that picks nothing
}

void OptionGrid::SetRegTypePicker(RegTypePicker picker) {
    m_regTypePicker = std::move(picker);
    EnableRegTypePicks();
}

void OptionGrid::EnableRegTypePicks() {
    if (!m_regTypePicker)
        return;
    for (const OptionGridRow& row : OptionGridRows(m_kind))
        if (RegTypePickAt(m_kind, row.row))
            m_grid.SetCellButtonEnabled(kValueCol, row.row, true);
}

// The picked path, trimmed, goes into the cell; an empty one (nothing picked yet, or no OK
// ever) leaves the cell as it was.
void OptionGrid::PickRegisteredType(int row) {
    const std::optional<RegTypePick> pick = RegTypePickAt(m_kind, row);
    if (!pick || !m_regTypePicker)
        return;
    const std::string picked =
        m_regTypePicker(pick->table, LocalText(m_browser.Services(), pick->titleId, pick->title));
    const std::string_view value = Trim(picked);
    if (!value.empty())
        m_grid.SetCellText(row, kValueCol, FromSuiteText(value));
}

bool KeepHistory(std::span<OptionGrid* const> grids, UserSettings& settings, bool loadOnly) {
    bool saved = true;
    if (!loadOnly) {
        HistoryBoxesToKeep keep;
        for (const OptionGrid* grid : grids)
            grid->KeepHistory(keep);
        saved = keep.Save(settings);
    }
    const IniSnapshot store = settings.Read(kHistoryApplication);
    for (OptionGrid* grid : grids)
        grid->LoadHistory(*store);
    return saved;
}

} // namespace k2k
