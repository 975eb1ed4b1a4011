#pragma once
// The small suite opened by a real browser component: searches run through the
// component's engine. On it, the fixtures of the result-list tests and of the tests that
// work the part grid of a window.

#include "browser/BrowserComponent.h"
#include "browser/HistoryBoxes.h"
#include "browser/OptionGridRows.h"
#include "browser/ui/OptionGrid.h"
#include "platform/Kernel.h"
#include "platform/ui/K2kGrid.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ui/WidgetDriver.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace k2k::test {

// The component over the small suite, opened by SetUp after PrepareSuite changed its files;
// the feedback's hooks stand for the window.
class SmallSuiteBrowserTest : public SmallSuiteTest {
protected:
    void SetUp() override {
        SmallSuiteTest::SetUp();
        const SuiteOpening opening = m_browser.OpenSuite(m_dir.Path());
        ASSERT_TRUE(opening.ok) << opening.error;
    }

    HookedFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
};

class ResultListFixture : public SmallSuiteBrowserTest {
protected:
    // Shows the kind's optional columns whose entries are set (from 1); the others hidden.
    void ShowColumns(LibraryKind kind, const std::vector<std::string>& names,
                     const std::vector<bool>& shown) {
        auto& table = m_browser.State().displayOptions.Table(kind);
        table.assign(1, DisplayOption{});
        for (std::size_t i = 0; i < names.size(); ++i)
            table.push_back({shown[i] ? -1 : 0, names[i]});
    }

    void Search(LibraryKind kind, const std::string& name,
                const std::string& library = kAllLibraries) {
        std::vector<std::string> values = FreshGridValues(kind);
        SetGridValue(values, kind, SearchCriterion::Name, name);
        SetGridValue(values, kind, SearchCriterion::Library, library);
        ASSERT_EQ(m_browser.Engine().FindNow(kind, values), SearchOutcome::Searched);
    }

    ResultList& Results(LibraryKind kind) { return m_browser.State().search.Results(kind); }
};

// The part grid of a window over the component (m_options.SetUp is the test's to call).
class PartGridTest : public SmallSuiteBrowserTest {
protected:
    HistoryCompleter m_completer;
    K2kGrid m_grid;
    OptionGrid m_options{m_grid, LibraryKind::Part, m_browser, m_completer};
};

} // namespace k2k::test
