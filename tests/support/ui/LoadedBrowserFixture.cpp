#include "support/ui/LoadedBrowserFixture.h"

#include "options/ui/frmOptions.h"
#include "platform/SuiteFolder.h"

#include <QAction>
#include <QApplication>
#include <QTest>

namespace k2k::test {

void LoadedBrowserTest::SetUp() {
    SmallSuiteTest::SetUp();
    OpenSuite();
}

void LoadedBrowserTest::UseSampleLanguage(const char* language) {
    std::string ini = ReadFile(m_dir / "kalde2000.ini");
    ini.replace(ini.find("[Kalde2000]\r\n"), 13, "[Kalde2000]\r\nLanguagePath=LANG\r\n");
    WriteFile(m_dir / "kalde2000.ini", ini);
    WriteFile(m_dir / "LANG" / "TEXTS.LNG",
              ReadFile(std::string(K2K_SOURCE_DIR) + "/sample/suite/SYS/LANG/" + language +
                       "/TEXTS.LNG"));
}

void LoadedBrowserTest::TearDown() {
    m_browser.reset();
}

void LoadedBrowserTest::Load() {
    if (!m_browser) {
        BrowserEnvironment environment;
        environment.kernel = &m_kernel;
        environment.directorySettings = DirectorySettingsOf(m_dir.Path());
        environment.boxes = &m_boxes;
        m_browser = std::make_unique<clsKldbrwsr>(environment, &frmK32_LibBrowser::Make);
        QObject::connect(
            m_browser.get(), &clsKldbrwsr::NotifyServer,
            [this](const QString& a, const QString& c) { m_heard << (a + QLatin1Char(',') + c); });
    }
    ASSERT_TRUE(m_browser->Load(0));
    m_window = qobject_cast<frmK32_LibBrowser*>(m_browser->Window());
    ASSERT_NE(m_window, nullptr) << "the host class makes the real window";
    QApplication::processEvents();
}

void LoadedBrowserTest::WaitUntilSettled() {
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_window->FrameSettled(); }, 5000));
}

void LoadedBrowserTest::Options(std::function<void(frmOptions&)> user) {
    WhenModal<frmOptions>(std::move(user));
    Child<QAction>("mnuOptions")->trigger();
}

} // namespace k2k::test
