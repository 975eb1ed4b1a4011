// The grid's lists: the history boxes and the drop-down lists that its cells show.
#include "platform/ui/K2kGrid.h"

#include <QComboBox>

#include <algorithm>
#include <functional>

namespace k2k {

namespace {

// Keeps a text out of the way of a combo box's own list handling.
void PreserveText(QComboBox* combo, const std::function<void()>& change) {
    const QString text = combo->currentText();
    change();
    combo->setEditText(text);
}

} // namespace

// --- history boxes

void K2kGrid::Setnumberofcombobox(int count) {
    count = std::max(count, 0);
    while (numberofcombobox() > count) {
        const int box = numberofcombobox();
        std::vector<CellKey> holding;
        for (const auto& [key, placed] : m_placed)
            if (placed.editor == CellEditor::HistoryBox && placed.number == box)
                holding.push_back(key);
        for (const CellKey& key : holding)
            TakeOut(key.first, key.second);
        delete m_historyBoxes.back();
        m_historyBoxes.pop_back();
    }
    while (numberofcombobox() < count)
        m_historyBoxes.push_back(NewCombo());
}

void K2kGrid::SetCellHistoryBox(int col, int row, int box, bool show) {
    QComboBox* combo = HistoryBox(box);
    if (!combo)
        return;
    std::vector<CellKey> holding; // one box lives in one cell
    for (const auto& [key, placed] : m_placed)
        if (placed.editor == CellEditor::HistoryBox && placed.number == box)
            holding.push_back(key);
    const bool alreadyHere = holding.size() == 1 && holding[0] == CellKey{row, col};
    if (show && alreadyHere)
        return;
    for (const CellKey& key : holding)
        if (show || key == CellKey{row, col})
            TakeOut(key.first, key.second);
    if (!show || row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return;
    Place(row, col, Placed{CellEditor::HistoryBox, box, nullptr, combo->lineEdit(), nullptr, {}},
          combo);
}

QComboBox* K2kGrid::HistoryBox(int box) const {
    if (box < 1 || box > numberofcombobox())
        return nullptr;
    return m_historyBoxes[static_cast<std::size_t>(box - 1)];
}

QString K2kGrid::ComboText(int box) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->currentText() : QString();
}

void K2kGrid::SetComboText(int box, const QString& text) {
    if (QComboBox* combo = HistoryBox(box))
        combo->setEditText(text);
}

int K2kGrid::ComboListCount(int box) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->count() : 0;
}

QString K2kGrid::ComboList(int box, int index) const {
    const QComboBox* combo = HistoryBox(box);
    return combo ? combo->itemText(index) : QString();
}

void K2kGrid::ComboAddItem(int box, const QString& text) {
    if (QComboBox* combo = HistoryBox(box))
        PreserveText(combo, [&] { combo->addItem(text); });
}

void K2kGrid::ComboAddItems(int box, const QStringList& texts) {
    if (QComboBox* combo = HistoryBox(box); combo && !texts.isEmpty())
        PreserveText(combo, [&] { combo->addItems(texts); });
}

void K2kGrid::ComboClear(int box) {
    if (QComboBox* combo = HistoryBox(box)) {
        combo->clear();
        combo->setEditText(QString());
    }
}

// --- drop-down lists

void K2kGrid::DropDownClear(int list) {
    if (list >= 1)
        PreserveText(DropDown(list), [&] { DropDown(list)->clear(); });
}

void K2kGrid::DropDownAddItem(int list, const QString& text, int position) {
    if (list < 1)
        return;
    QComboBox* combo = DropDown(list);
    if (position < 0 || position > combo->count())
        position = combo->count();
    PreserveText(combo, [&] { combo->insertItem(position, text); });
}

int K2kGrid::DropDownListIndex(int list) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? -1 : found->second->currentIndex();
}

void K2kGrid::SetDropDownListIndex(int list, int index) {
    if (list < 1)
        return;
    QComboBox* combo = DropDown(list);
    combo->setCurrentIndex(index);
    combo->setEditText(combo->itemText(index)); // also when the index stays
}

QString K2kGrid::DropDownList(int list, int index) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? QString() : found->second->itemText(index);
}

int K2kGrid::DropDownListCount(int list) const {
    const auto found = m_dropDowns.find(list);
    return found == m_dropDowns.end() ? 0 : found->second->count();
}

} // namespace k2k
