#include "simulation/SimulationPicker.h"

#include "system/FolderListing.h"
#include "system/Text.h"

#include <algorithm>
#include <cstdlib>

namespace k2k {

namespace {

constexpr SimulationColumn kFunctionColumns[] = {
    {"5013", "Simulation Function"},
    {"99542", "Description"},
    {"15223", "FileName"},
};
constexpr SimulationColumn kElementColumns[] = {
    {"3569", "Element Code"},
    {"99897", "Model"},
    {"991383", "Variant"},
    {"99542", "Description"},
};
constexpr SimulationColumn kSubcircuitColumns[] = {
    {"991446", "Family"},
    {"991263", "SubCircuit"},
    {"99542", "Description"},
};

// The column each tab's tool tip shows: the description.
constexpr std::array<int, kSimulationTabCount> kToolTipColumn{1, 3, 2};

constexpr int kFunctionWidth = 7;

// Text comparison without regard to case, through the one upper-case table.
bool LessNoCase(std::string_view a, std::string_view b) noexcept {
    const std::uint8_t* upper = UpperTable();
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [upper](char x, char y) {
            return upper[static_cast<unsigned char>(x)] < upper[static_cast<unsigned char>(y)];
        });
}

} // namespace

std::span<const SimulationColumn> SimulationColumns(SimulationTab tab) noexcept {
    switch (tab) {
    case SimulationTab::Function:
        return kFunctionColumns;
    case SimulationTab::ElementCode:
        return kElementColumns;
    case SimulationTab::Subcircuit:
        return kSubcircuitColumns;
    }
    return {};
}

std::string SimulationFunctionText(std::int32_t number) {
    const std::string size = DecimalText(std::llabs(static_cast<long long>(number)));
    std::string text(1, number < 0 ? '-' : '+');
    if (size.size() < kFunctionWidth)
        text.append(kFunctionWidth - size.size(), ' ');
    return text + size;
}

std::vector<std::string> SubcircuitFamilies(const SimulationTables& tables,
                                            const std::string& subcircuitDir) {
    std::vector<std::string> families;
    if (!tables.spiceReferencesReady)
        return families;
    families.emplace_back(kAllFamilies);
    for (const std::string& subfolder : ListSubfolders(subcircuitDir))
        families.push_back(UpperCase(subfolder));
    return families;
}

void SimulationPicker::SetUp(std::vector<std::string> families) {
    m_families = std::move(families);
    m_filters = SimulationFilters{};
    m_filters.family = m_families.empty() ? std::string() : m_families.front();
    for (int tab = 0; tab < kSimulationTabCount; ++tab)
        Fill(static_cast<SimulationTab>(tab));
}

void SimulationPicker::SetAnalog(bool ticked) {
    m_filters.analog = ticked;
    Fill(SimulationTab::Function);
}

void SimulationPicker::SetDigital(bool ticked) {
    m_filters.digital = ticked;
    Fill(SimulationTab::Function);
}

void SimulationPicker::SetStandardCkt(bool ticked) {
    m_filters.standardCkt = ticked;
    Fill(SimulationTab::ElementCode);
}

void SimulationPicker::SetCodeModel(bool ticked) {
    m_filters.codeModel = ticked;
    Fill(SimulationTab::ElementCode);
}

void SimulationPicker::SetFamily(std::string family) {
    m_filters.family = std::move(family);
    Fill(SimulationTab::Subcircuit);
}

bool SimulationPicker::Passes(SimulationTab tab, int entry) const {
    switch (tab) {
    case SimulationTab::Function: {
        const std::int32_t number = m_tables.models[entry].Number;
        return (number < 0 && m_filters.analog) || (number > 0 && m_filters.digital);
    }
    case SimulationTab::ElementCode: {
        const bool codeModel = UpperCase(Trim(m_tables.elements[entry].Code)) == "A";
        return codeModel ? m_filters.codeModel : m_filters.standardCkt;
    }
    case SimulationTab::Subcircuit:
        return m_filters.family == kAllFamilies ||
               UpperCase(m_tables.subcircuits[entry].Family) == m_filters.family;
    }
    return false;
}

void SimulationPicker::Fill(SimulationTab tab) {
    List& list = ListOf(tab);
    list.entries.clear();
    list.selectedEntry.reset();
    const int count = tab == SimulationTab::Function      ? m_tables.models.Count()
                      : tab == SimulationTab::ElementCode ? m_tables.elements.Count()
                                                          : m_tables.subcircuits.Count();
    for (int entry = 1; entry <= count; ++entry)
        if (Passes(tab, entry))
            list.entries.push_back(entry);
    Sort(tab);
}

int SimulationPicker::RowCount(SimulationTab tab) const noexcept {
    return static_cast<int>(ListOf(tab).entries.size());
}

std::string SimulationPicker::EntryText(SimulationTab tab, int entry, int column) const {
    std::string_view text;
    std::string number;
    switch (tab) {
    case SimulationTab::Function: {
        if (entry > m_tables.models.Count())
            return {};
        const SimulatorModel& model = m_tables.models[entry];
        if (column == 0)
            number = SimulationFunctionText(model.Number);
        text = column == 0   ? std::string_view(number)
               : column == 1 ? std::string_view(model.ModelName)
               : column == 2 ? std::string_view(model.Library)
                             : std::string_view();
        break;
    }
    case SimulationTab::ElementCode: {
        if (entry > m_tables.elements.Count())
            return {};
        const ElementProfile& element = m_tables.elements[entry];
        text = column == 0   ? std::string_view(element.Code)
               : column == 1 ? std::string_view(element.Model)
               : column == 2 ? std::string_view(element.Variant)
               : column == 3 ? std::string_view(element.Description)
                             : std::string_view();
        break;
    }
    case SimulationTab::Subcircuit: {
        if (entry > m_tables.subcircuits.Count())
            return {};
        const SubcircuitRef& subcircuit = m_tables.subcircuits[entry];
        text = column == 0   ? std::string_view(subcircuit.Family)
               : column == 1 ? std::string_view(subcircuit.Name)
               : column == 2 ? std::string_view(subcircuit.Description)
                             : std::string_view();
        break;
    }
    }
    return std::string(Trim(text));
}

std::string SimulationPicker::Text(SimulationTab tab, int row, int column) const {
    const List& list = ListOf(tab);
    if (row < 0 || row >= static_cast<int>(list.entries.size()))
        return {};
    return EntryText(tab, list.entries[static_cast<std::size_t>(row)], column);
}

std::string SimulationPicker::ToolTip(SimulationTab tab, int row) const {
    return Text(tab, row, kToolTipColumn[static_cast<std::size_t>(tab)]);
}

void SimulationPicker::SortBy(SimulationTab tab, int column) {
    List& list = ListOf(tab);
    if (column < 0 || column >= static_cast<int>(SimulationColumns(tab).size()))
        return;
    list.sortColumn = column;
    list.ascending = !list.ascending;
    Sort(tab);
}

void SimulationPicker::Sort(SimulationTab tab) {
    List& list = ListOf(tab);
    if (list.sortColumn < 0)
        return;
    std::vector<std::pair<std::string, int>> keyed;
    keyed.reserve(list.entries.size());
    for (int entry : list.entries)
        keyed.emplace_back(EntryText(tab, entry, list.sortColumn), entry);
    const bool ascending = list.ascending;
    std::stable_sort(keyed.begin(), keyed.end(), [ascending](const auto& a, const auto& b) {
        return ascending ? LessNoCase(a.first, b.first) : LessNoCase(b.first, a.first);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        list.entries[i] = keyed[i].second;
}

void SimulationPicker::Select(SimulationTab tab, std::optional<int> row) {
    List& list = ListOf(tab);
    if (row && *row >= 0 && *row < static_cast<int>(list.entries.size()))
        list.selectedEntry = list.entries[static_cast<std::size_t>(*row)];
    else
        list.selectedEntry.reset();
}

std::optional<int> SimulationPicker::SelectedRow(SimulationTab tab) const {
    const List& list = ListOf(tab);
    if (!list.selectedEntry)
        return std::nullopt;
    const auto found = std::find(list.entries.begin(), list.entries.end(), *list.selectedEntry);
    if (found == list.entries.end())
        return std::nullopt;
    return static_cast<int>(found - list.entries.begin());
}

bool SimulationPicker::Accept(SimulationTab shown) {
    const List& functions = ListOf(SimulationTab::Function);
    if (functions.selectedEntry && *functions.selectedEntry <= m_tables.models.Count())
        m_picked.simFunction = m_tables.models[*functions.selectedEntry].Number;

    const std::optional<int> row = SelectedRow(shown);
    if (!row)
        return false;
    if (shown == SimulationTab::ElementCode) {
        m_picked.elementCode = Text(shown, *row, 0);
        m_picked.modelCode = Text(shown, *row, 1);
        m_picked.modelVariant = Text(shown, *row, 2);
    } else if (shown == SimulationTab::Subcircuit) {
        m_picked.elementCode = "X";
        m_picked.modelCode = Text(shown, *row, 1);
        m_picked.modelVariant = "library";
    }
    return true;
}

} // namespace k2k
