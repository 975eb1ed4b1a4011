#pragma once
// The small suite opened by a real browser component, for the result-list tests: searches
// run through the component's engine, and the feedback's hooks stand for the window.

#include "browser/BrowserComponent.h"
#include "browser/OptionGridRows.h"
#include "platform/Kernel.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <string>
#include <vector>

// Readable failures for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace k2k::test {

class HookedFeedback final : public SearchFeedback {
public:
    void LetPendingEventsRun() override {
        if (pending)
            pending();
    }
    void ResultsChanged(LibraryKind kind) override {
        if (resultsChanged)
            resultsChanged(kind);
    }
    std::function<void()> pending;
    std::function<void(LibraryKind)> resultsChanged;
};

class ResultListFixture : public ::testing::Test {
protected:
    void SetUp() override {
        WriteSmallSuite(m_dir.Path());
        const SuiteOpening opening = m_browser.OpenSuite(m_dir.Path());
        ASSERT_TRUE(opening.ok) << opening.error;
    }

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

    TempDir m_dir;
    Kernel m_kernel;
    RecordingMessageBoxes m_boxes;
    HookedFeedback m_feedback;
    BrowserComponent m_browser{m_kernel, m_dir / "suite.ini", m_boxes, m_feedback};
};

} // namespace k2k::test
