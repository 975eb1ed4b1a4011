// The sample suite's help file answers every topic the browser can ask for.
#include "formats/HelpFile.h"
#include "services/HelpTopic.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(SampleHelpFile, HoldsATopicForEveryPlaceTheBrowserSets) {
    HelpFile file;
    ASSERT_EQ(file.Read(std::filesystem::path(K2K_SOURCE_DIR) / "sample/suite/K2Kbrwsr.HLP"), "");

    struct Place {
        const char* what;
        int menu, submenu, tool, subtool;
    };
    const std::vector<Place> places{
        {"contents (Help Topics, window start)", 0, 0, 0, 0},
        {"Part tab", 1, 1, 1, 1},
        {"Symbol tab", 2, 2, 2, 2},
        {"Package tab", 3, 3, 3, 3},
        {"Padstack tab", 4, 4, 4, 4},
        {"Explorer", 1, 1, 0, 0},
        {"Change Lib Path", 1, 2, 0, 0},
        {"Part Types", 2, 1, 1, 0},
        {"Symbol Types", 2, 1, 2, 0},
        {"Package Types", 2, 1, 3, 0},
        {"Padstack Types", 2, 1, 4, 0},
        {"Search Sequence", 2, 2, 0, 0},
        {"Refresh", 2, 3, 0, 0},
        {"Options", 2, 4, 0, 0},
        {"Always On Top", 2, 5, 0, 0},
    };
    for (const Place& p : places) {
        const int topic = HelpTopicNumber(p.menu, p.submenu, p.tool, p.subtool);
        const HelpTopicText* text = file.Topic(topic);
        ASSERT_NE(text, nullptr) << p.what << ": no topic " << topic;
        EXPECT_FALSE(text->body.empty()) << p.what << ": topic " << topic << " says nothing";
    }
}

} // namespace
} // namespace k2k
