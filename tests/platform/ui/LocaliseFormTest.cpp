#include "platform/ui/LocaliseForm.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace k2k {
namespace {

// Services whose language file knows a few of the browser's texts, in German.
class LocaliseFormTest : public test::ServicesTest {
protected:
    void SetUp() override {
        test::WriteFile(dir / "TEXTS.LNG", "99177=Annehmen\r\n4811=Bibliotheksbrowser\r\n"
                                           "5068=Register\xE4nderung\r\n");
        services.SetLanguagePath(dir.SuitePath());
    }
};

TEST_F(LocaliseFormTest, ControlsWithATagTakeTheirTextOthersKeepTheirs) {
    QWidget window;
    window.setWindowTitle("Library Browser");
    SetTag(window, "4811");
    auto* accept = new QPushButton("Accept", &window);
    SetTag(*accept, "99177");
    auto* untagged = new QLabel("As designed", &window);
    auto* emptyTag = new QLabel("Also as designed", &window);
    SetTag(*emptyTag, "");
    auto* unknown = new QPushButton("&Stop", &window);
    SetTag(*unknown, "1614");
    auto* menu = new QMenu("Register", &window);
    SetTag(*menu, "5068");
    SetTag(*menu->addAction("Accept"), "99177");
    QFont bold = untagged->font();
    bold.setBold(true);
    untagged->setFont(bold);

    QFont font = QApplication::font();
    font.setPointSize(13);
    LocaliseForm(window, services, font);

    EXPECT_EQ(window.windowTitle(), "Bibliotheksbrowser");
    EXPECT_EQ(accept->text(), "Annehmen");
    EXPECT_EQ(untagged->text(), "As designed");
    EXPECT_EQ(emptyTag->text(), "Also as designed");
    EXPECT_EQ(unknown->text(), "&Stop") << "a text the language lacks is the default";
    EXPECT_EQ(menu->title(), QString::fromUtf8("Registeränderung"))
        << "the language file is Windows-1252";
    EXPECT_EQ(menu->actions().front()->text(), "Annehmen");
    for (QWidget* control : {static_cast<QWidget*>(accept), static_cast<QWidget*>(untagged),
                             static_cast<QWidget*>(menu)}) {
        EXPECT_EQ(control->font().pointSize(), 13);
        EXPECT_FALSE(control->font().bold());
    }
}

// A named combo box is read by its name and its text as its value, also when a screen reader
// read it before it was named (Qt had read it the Linux way then: its text as name).
TEST(NamedComboBoxTest, IsReadByItsNameWithItsTextAsValue) {
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(QStringLiteral("74*"));
    ASSERT_EQ(QAccessible::queryAccessibleInterface(&combo)->text(QAccessible::Name), "74*");
    SetAccessibleName(combo, QStringLiteral("Part Name"));
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(&combo);
    EXPECT_EQ(reading->text(QAccessible::Name), "Part Name");
    EXPECT_EQ(reading->text(QAccessible::Value), "74*");
    EXPECT_EQ(combo.lineEdit()->accessibleName(), "Part Name") << "where the focus goes";
}

} // namespace
} // namespace k2k
