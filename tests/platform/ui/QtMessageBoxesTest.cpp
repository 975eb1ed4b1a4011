#include "platform/ui/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(QtMessageBoxesTest, TheBoxHasTheIconButtonsAndTextsAsked) {
    const auto error =
        MakeMessageBox({"Element Template File Invalid.\r\n\\SYS\\elements.spc",
                        "Kalde 2000 - Library Browser", MsgIcon::Exclamation, MsgButtons::Ok, true},
                       nullptr);
    EXPECT_EQ(error->icon(), QMessageBox::Warning);
    EXPECT_EQ(error->text(), QString("Element Template File Invalid.\n\\SYS\\elements.spc"));
    EXPECT_EQ(error->windowTitle(), QString("Kalde 2000 - Library Browser"));
    EXPECT_EQ(error->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(error->windowModality(), Qt::ApplicationModal);

    const auto question = MakeMessageBox({"B\xFC"
                                          "cher l\xF6schen?",
                                          "", MsgIcon::Question, MsgButtons::YesNo, false},
                                         nullptr);
    EXPECT_EQ(question->text(), QString::fromUtf8("Bücher löschen?"));
    EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(static_cast<QAbstractButton*>(question->defaultButton()),
              question->button(QMessageBox::No));
}

TEST(QtMessageBoxesTest, TheAnswerOfAQuestionComesBack) {
    QtMessageBoxes boxes;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(boxes.Show({"Delete anyway ?", "", MsgIcon::Question, MsgButtons::YesNo, true}),
              MsgAnswer::Yes);
}

} // namespace
} // namespace k2k
