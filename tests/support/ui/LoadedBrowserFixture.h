#pragma once
// The small suite (support/SmallSuite.h) with its system folder, opened as the host opens
// it, and the host class driving the real main window. Settings go to a folder of the
// test's own.
//
// SetUp writes the suite, lets PrepareSuite change its files, and opens it; Load makes the
// host class (once) and loads the window. The host's NotifyServer texts are heard as
// "Aname,sCommand".

#include "browser/ui/clsKldbrwsr.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "support/SmallSuite.h"
#include "support/ui/WidgetDriver.h"

#include <QByteArray>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace k2k {
class frmOptions;
}

namespace k2k::test {

class LoadedBrowserTest : public SmallSuiteTest {
protected:
    LoadedBrowserTest() : SmallSuiteTest(SuiteExtras::SystemFolder) {}
    void SetUp() override;
    void TearDown() override;
    void Load();
    // Waits until the window has settled after its showing, as it has long before a person
    // moves it: a move made earlier may be undone by the check of its frame.
    void WaitUntilSettled();
    // From PrepareSuite: the suite speaks the sample's language (its folder, as "DEU").
    void UseSampleLanguage(const char* language);
    // Chooses View > Options; user acts on the dialog while it is shown.
    void Options(std::function<void(frmOptions&)> user);

    // The window's child named name, or parent's.
    template <class T = QWidget>
    T* Child(const char* name) {
        return test::Child<T>(*m_window, name);
    }
    template <class T = QWidget>
    static T* Child(const QObject& parent, const char* name) {
        return test::Child<T>(parent, name);
    }

    TempDir m_config;
    ScopedVariable m_configHome{"XDG_CONFIG_HOME", m_config.Path()};
    QStringList m_heard;
    std::unique_ptr<clsKldbrwsr> m_browser;
    frmK32_LibBrowser* m_window = nullptr;
};

} // namespace k2k::test
