// A registered-types tree of 10,010 types (10 categories, 40 families in each, 24 types in
// each family, a tenth of them the user's): the editor builds its tree from the table, and
// the part dialog opens over it (made, its items built, shown and painted once). The user
// waits on both, so together they must stay well under a second.

#include "platform/MessageBoxes.h"
#include "platform/SuiteServices.h"
#include "regtypes/RegTypesEditor.h"
#include "regtypes/ui/RegTypesDialog.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace k2k {
namespace {

class NoView final : public RegTypesView {
public:
    void NodeAdded(int, NodeId) override {}
    void NodeTextChanged(int, NodeId) override {}
    void NodeRemoving(int, NodeId) override {}
    void TreeRebuilt(int) override {}
    void ShowNode(int, NodeId) override {}
    void StartLabelEdit(int, NodeId) override {}
    std::string AskFindPattern(const std::string&) override { return {}; }
};

RegTypeTables LargeTables() {
    RegTypeTables tables;
    int made = 0;
    const auto add = [&](std::string path, std::string text) {
        tables.Append(kPartTypeTable, {++made % 10 == 0 ? 1 : 0, std::move(path), std::move(text)});
    };
    int second = 0;
    int third = 0;
    for (int top = 1; top <= 10; ++top) {
        add(std::to_string(top), "Category " + std::to_string(top));
        for (int family = 0; family < 40; ++family) {
            const std::string familyPath = std::to_string(top) + "," + std::to_string(++second);
            add(familyPath, "Family " + std::to_string(97 * second % 1000));
            for (int type = 0; type < 24; ++type) {
                ++third;
                add(familyPath + "," + std::to_string(third),
                    "Type " + std::to_string(7919 * third % 100000));
            }
        }
    }
    tables.SetCountsToUpperBounds();
    return tables;
}

void BM_RegTypesEditorLoad(benchmark::State& state) {
    RegTypeTables tables = LargeTables();
    ConsoleMessageBoxes boxes;
    SuiteServices services(std::filesystem::temp_directory_path() / "no-suite.ini", boxes);
    NoView view;
    for (auto _ : state) {
        RegTypesEditor editor(RegTypesKind::Part, tables, services, view);
        editor.Load();
        benchmark::DoNotOptimize(editor.Tree(0).Count());
    }
    state.counters["types"] = tables.UpperBound(kPartTypeTable);
}
BENCHMARK(BM_RegTypesEditorLoad)->Unit(benchmark::kMillisecond);

void BM_RegTypesDialogOpens(benchmark::State& state) {
    RegTypeTables tables = LargeTables();
    ConsoleMessageBoxes boxes;
    SuiteServices services(std::filesystem::temp_directory_path() / "no-suite.ini", boxes);
    for (auto _ : state) {
        RegTypesDialog dialog(RegTypesKind::Part, tables, services, QApplication::font());
        dialog.show();
        dialog.Tree(0)->expandAll(); // the worst case: every node laid out
        QApplication::processEvents();
        dialog.repaint();
        benchmark::DoNotOptimize(dialog.Tree(0)->topLevelItemCount());
    }
    state.counters["types"] = tables.UpperBound(kPartTypeTable);
}
BENCHMARK(BM_RegTypesDialogOpens)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace k2k
