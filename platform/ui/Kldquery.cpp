#include "platform/ui/Kldquery.h"

#include "platform/ui/HelpKey.h"
#include "platform/ui/LocaliseForm.h"
#include "platform/ui/SuiteText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace k2k {

namespace {

// A text the suite's encoding cannot hold is answered as far as it can: the characters
// it lacks become "?", as the suite's own controls would hand them over.
std::string SuiteTextOf(const QString& text) {
    if (auto converted = ToSuiteText(text))
        return *converted;
    QString replaced;
    for (const QChar c : text)
        replaced += ToSuiteText(QString(c)) ? c : QChar(u'?');
    return ToSuiteText(replaced).value_or(std::string());
}

} // namespace

Kldquery::Kldquery(const SuiteServices& services, const QFont& font, QWidget* parent)
    : QDialog(parent), m_lblPrompt(new QLabel(this)), m_txtText(new QLineEdit(this)),
      m_cboCombo(new QComboBox(this)), m_cboDropdown(new QComboBox(this)),
      m_cmdAccept(new QPushButton(QStringLiteral("Accept"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("Kldquery"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    m_txtText->setObjectName(QStringLiteral("txtText"));
    m_cboCombo->setObjectName(QStringLiteral("cboCombo"));
    m_cboDropdown->setObjectName(QStringLiteral("cboDropdown"));
    m_cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    SetTag(*m_cmdAccept, "99177");
    SetTag(*m_cmdCancel, "99388");

    m_cboCombo->setEditable(true);
    m_cboCombo->setInsertPolicy(QComboBox::NoInsert);
    m_lblPrompt->setWordWrap(false);
    m_cmdAccept->setDefault(true);
    m_cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdAccept);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblPrompt);
    layout->addWidget(m_txtText);
    layout->addWidget(m_cboCombo);
    layout->addWidget(m_cboDropdown);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdAccept, &QPushButton::clicked, this, &Kldquery::cmdAccept_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &Kldquery::cmdCancel_Click);
    // Escape and the close box cancel.
    connect(this, &QDialog::rejected, this, [this] { m_cancelled = true; });
    new HelpKey(*this, [this] {
        if (m_showHelp)
            m_showHelp();
    });

    LocaliseForm(*this, services, font);
}

std::string Kldquery::QUERY(const std::string& title, const std::string& prompt,
                            std::vector<std::string>& values, int style, int& index) {
    Prepare(title, prompt, values, style, index);
    exec();
    if (values.empty())
        values.emplace_back();
    values[0] = m_answer;
    index = m_answerIndex;
    return m_answer;
}

void Kldquery::Prepare(const std::string& title, const std::string& prompt,
                       const std::vector<std::string>& values, int style, int index) {
    m_style = (style == 2 || style == 3) ? style : 1;
    m_answer.clear();
    m_answerIndex = 0;
    m_cancelled = true; // until accepted
    setWindowTitle(FromSuiteText(title));
    m_lblPrompt->setText(FromSuiteText(prompt));
    for (QWidget* answer : std::initializer_list<QWidget*>{m_txtText, m_cboCombo, m_cboDropdown})
        SetAccessibleName(*answer, m_lblPrompt->text()); // the box reads as the question

    const QString current = values.empty() ? QString() : FromSuiteText(values[0]);
    QStringList list;
    for (std::size_t i = 1; i < values.size(); ++i)
        list << FromSuiteText(values[i]);

    m_txtText->setVisible(m_style == 1);
    m_cboCombo->setVisible(m_style == 2);
    m_cboDropdown->setVisible(m_style == 3);
    switch (m_style) {
    case 2:
        m_cboCombo->clear();
        m_cboCombo->addItems(list);
        m_cboCombo->setEditText(current);
        m_cboCombo->setFocus();
        break;
    case 3:
        m_cboDropdown->clear();
        m_cboDropdown->addItems(list);
        // A position outside the list chooses nothing.
        m_cboDropdown->setCurrentIndex(index >= 0 && index < list.size() ? index : -1);
        m_cboDropdown->setFocus();
        break;
    default:
        m_txtText->setText(current);
        m_txtText->selectAll();
        m_txtText->setFocus();
        break;
    }
    SetForm();
}

void Kldquery::SetForm() {
    // The prompt's lines decide the height, the longest of them the width.
    const QFontMetrics metrics(m_lblPrompt->font());
    int widest = 0;
    for (const QString& line : m_lblPrompt->text().split(u'\n'))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    const int inputWidth = qMax(240, widest);
    for (QWidget* input : {static_cast<QWidget*>(m_txtText), static_cast<QWidget*>(m_cboCombo),
                           static_cast<QWidget*>(m_cboDropdown)})
        input->setMinimumWidth(inputWidth);
    adjustSize();
}

void Kldquery::cmdAccept_Click() {
    switch (m_style) {
    case 2:
        m_answer = SuiteTextOf(m_cboCombo->currentText());
        m_cboCombo->hide();
        break;
    case 3:
        m_answer = SuiteTextOf(m_cboDropdown->currentText());
        m_answerIndex = m_cboDropdown->currentIndex() + 1;
        m_cboDropdown->hide();
        break;
    default:
        m_answer = SuiteTextOf(m_txtText->text());
        m_txtText->hide();
        break;
    }
    m_cancelled = false;
    accept();
}

void Kldquery::cmdCancel_Click() {
    m_cancelled = true;
    reject();
}

} // namespace k2k
