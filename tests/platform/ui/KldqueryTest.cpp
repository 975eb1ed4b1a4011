#include "platform/ui/Kldquery.h"

#include "platform/SuiteServices.h"
#include "support/TestSupport.h"
#include "support/ui/WidgetDriver.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace k2k {
namespace {

void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void Type(QWidget* target, const QString& text) {
    for (const QChar c : text)
        Key(target, c.toUpper().unicode(), QString(c));
}

struct Answer {
    std::string returned;
    std::vector<std::string> values;
    int index = 0;
    bool cancelled = false;
};

class KldqueryTest : public ::testing::Test {
protected:
    // Runs QUERY; user acts on the shown box (the controls by name) while it is modal.
    Answer Ask(std::vector<std::string> values, int style, int index,
               const std::function<void(Kldquery&)>& user) {
        test::WhenModal<Kldquery>(user);
        Answer answer;
        answer.returned = m_query.QUERY("Library Browser", "Name:", values, style, index);
        answer.values = values;
        answer.index = index;
        answer.cancelled = m_query.Cancelled();
        return answer;
    }

    template <typename T>
    T* Find(const char* name) {
        return test::Child<T>(m_query, name);
    }

    test::TempDir m_dir;
    test::RecordingMessageBoxes m_boxes;
    SuiteServices m_services{m_dir / "suite.ini", m_boxes};
    Kldquery m_query{m_services, QApplication::font()};
};

// Style 1 (and any style but 2 and 3) asks in the text box, its text all selected, so
// typing replaces it; Enter accepts.
TEST_F(KldqueryTest, TypedAnswerReplacesTheSelectedTextInTheSuitesEncoding) {
    for (int style : {1, 0, 4}) {
        SCOPED_TRACE(style);
        const Answer answer = Ask({"74LS00", "unused"}, style, 5, [this](Kldquery&) {
            auto* text = Find<QLineEdit>("txtText");
            EXPECT_TRUE(text->isVisible() && !Find<QComboBox>("cboCombo")->isVisible() &&
                        !Find<QComboBox>("cboDropdown")->isVisible());
            EXPECT_EQ(text->selectedText(), "74LS00");
            Type(text, "LM741");
            Key(text, Qt::Key_Return, "\r");
        });
        EXPECT_EQ(answer.returned, "LM741");
        EXPECT_EQ(answer.values, (std::vector<std::string>{"LM741", "unused"}));
        EXPECT_EQ(answer.index, 0) << "only a list choice answers an index";
        EXPECT_FALSE(answer.cancelled);
    }

    // The texts are in the suite's encoding; a character Windows-1252 lacks becomes "?".
    const Answer answer =
        Ask({"Gr\xF6\xDF"
             "e"},
            1, 0, [this](Kldquery&) {
                EXPECT_EQ(Find<QLineEdit>("txtText")->text(), QString::fromUtf8("Größe"));
                Find<QLineEdit>("txtText")->setText(QString::fromUtf8("Ω 4k7 µF"));
                Find<QPushButton>("cmdAccept")->click();
            });
    EXPECT_EQ(answer.returned, "? 4k7 \xB5"
                               "F");
}

TEST_F(KldqueryTest, ComboAnswerIsItsTextTypedOrChosen) {
    Answer answer = Ask({"DIP", "DIP14", "SO8"}, 2, 0, [this](Kldquery&) {
        auto* combo = Find<QComboBox>("cboCombo");
        EXPECT_TRUE(combo->isVisible());
        EXPECT_EQ(combo->currentText(), "DIP");
        EXPECT_EQ(combo->count(), 2);
        combo->lineEdit()->selectAll();
        Type(combo->lineEdit(), "TO92");
        Key(combo->lineEdit(), Qt::Key_Return, "\r");
    });
    EXPECT_EQ(answer.returned, "TO92");
    EXPECT_EQ(answer.values[0], "TO92");
    EXPECT_EQ(answer.values.size(), 3u) << "a typed text is not added to the list";

    answer = Ask({"", "DIP14", "SO8"}, 2, 0, [this](Kldquery&) {
        Find<QComboBox>("cboCombo")->setCurrentIndex(1);
        Find<QPushButton>("cmdAccept")->click();
    });
    EXPECT_EQ(answer.returned, "SO8");
}

// The index passed is a list position (0 the first entry, values[1]); the index answered
// is one more than the position chosen.
TEST_F(KldqueryTest, DropdownAnswersTheEntryAndItsPositionPlusOne) {
    Answer answer = Ask({"", "PDIP", "SOIC", "QFP"}, 3, 1, [this](Kldquery&) {
        auto* list = Find<QComboBox>("cboDropdown");
        EXPECT_TRUE(list->isVisible());
        EXPECT_EQ(list->currentText(), "SOIC");
        Find<QPushButton>("cmdAccept")->click();
    });
    EXPECT_EQ(answer.returned, "SOIC");
    EXPECT_EQ(answer.values[0], "SOIC");
    EXPECT_EQ(answer.index, 2);

    answer = Ask({"", "PDIP", "SOIC", "QFP"}, 3, 0, [this](Kldquery& query) {
        Find<QComboBox>("cboDropdown")->setCurrentIndex(2);
        Key(&query, Qt::Key_Enter, "\r");
    });
    EXPECT_EQ(answer.returned, "QFP");
    EXPECT_EQ(answer.index, 3);

    answer = Ask({"", "PDIP"}, 3, 7, [this](Kldquery&) {
        EXPECT_EQ(Find<QComboBox>("cboDropdown")->currentIndex(), -1)
            << "a position beyond the list chooses nothing";
        Find<QPushButton>("cmdAccept")->click();
    });
    EXPECT_EQ(answer.returned, "");
    EXPECT_EQ(answer.index, 0);
}

// Cancel, the button or Escape, answers nothing in every style, also after an earlier
// accepted answer.
TEST_F(KldqueryTest, CancelAnswersAnEmptyTextInEveryStyle) {
    Ask({"first"}, 1, 0, [this](Kldquery&) { Find<QPushButton>("cmdAccept")->click(); });
    for (int style : {1, 2, 3}) {
        SCOPED_TRACE(style);
        Answer answer = Ask({"74LS00", "A", "B"}, style, 1,
                            [this](Kldquery&) { Find<QPushButton>("cmdCancel")->click(); });
        EXPECT_TRUE(answer.returned.empty() && answer.values[0].empty() && answer.index == 0);
        EXPECT_TRUE(answer.cancelled);
        answer = Ask({"74LS00", "A", "B"}, style, 1,
                     [](Kldquery& query) { Key(&query, Qt::Key_Escape); });
        EXPECT_TRUE(answer.returned.empty() && answer.cancelled) << "Escape";
    }
}

} // namespace
} // namespace k2k
