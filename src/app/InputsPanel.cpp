#include "InputsPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quivra::app {

namespace {

const QString kInch = QStringLiteral("\"");

// The grey is the darkest that still reads as greyed: #767676 keeps a
// contrast of 4.5:1 on the white of an edit, which 128,128,128 misses.
QColor colourOf(selection::TextColour colour) {
    return colour == selection::TextColour::Grey ? QColor(118, 118, 118) : QColor(Qt::black);
}

// Active and inactive texts only: a disabled control keeps its greyed look.
void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    if (widget->palette().color(QPalette::Active, role) == colour) return;
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Active, role, colour);
    pal.setColor(QPalette::Inactive, role, colour);
    widget->setPalette(pal);
}

void applyState(QWidget* widget, const selection::ControlState& state) {
    if (widget->isVisibleTo(widget->parentWidget()) != state.visible)
        widget->setVisible(state.visible);
    if (widget->isEnabled() != state.enabled) widget->setEnabled(state.enabled);
}

void applyGroup(ChoiceGroup* group, const selection::ControlState& state) {
    applyState(group, state);
    group->setFontColour(colourOf(state.font));
}

void setQuietly(QLineEdit* field, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (field->text() == value) return;
    const QSignalBlocker block(field);
    field->setText(value);
}

// Groups lie in pairs on one spot (only one of each pair shows at a time):
// each keeps its room while hidden so the column does not jump.
void keepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

InputsPanel::InputsPanel(QWidget* parent)
    : QWidget(parent),
      m_bowType(new ChoiceGroup(QStringLiteral("BowType"), {},
                                {QStringLiteral("Compound Bow"), QStringLiteral("Recurve Bow"),
                                 QStringLiteral("Modern Longbow")},
                                QStringLiteral("Bow Type"), 1, this)),
      m_targBowType(new ChoiceGroup(QStringLiteral("TargBowType"), {},
                                    {QStringLiteral("Compound Bow"), QStringLiteral("Recurve Bow")},
                                    QStringLiteral("Bow Type"), 1, this)),
      m_releaseType(
          new ChoiceGroup(QStringLiteral("ReleaseType"), {},
                          {QStringLiteral("Mechanical Release"), QStringLiteral("Fingers Release")},
                          QStringLiteral("Release"), 1, this)),
      m_overDraw(new ChoiceGroup(
          QStringLiteral("OverDraw"), QStringLiteral("OverDraw"),
          {QStringLiteral("No"), QStringLiteral("1") + kInch, QStringLiteral("2") + kInch,
           QStringLiteral("3") + kInch, QStringLiteral("4") + kInch, QStringLiteral("5") + kInch},
          {}, 6, this)),
      m_wheelType(new ChoiceGroup(
          QStringLiteral("WheelType"), QStringLiteral("AMO fps"),
          {QStringLiteral("Single/Hard Cam over 230 "), QStringLiteral("Medium Cam        211-230"),
           QStringLiteral("Soft Cam               under 211")},
          {}, 1, this)),
      m_huntCamType(
          new ChoiceGroup(QStringLiteral("HuntCamType"), {},
                          {QStringLiteral("Single or Hard Cam"), QStringLiteral("Medium Cam")},
                          QStringLiteral("Cam Type"), 1, this)),
      m_braceHt(new ChoiceGroup(
          QStringLiteral("BraceHt"), QStringLiteral("Brace Height"),
          {QStringLiteral("Over 6.5") + kInch, QStringLiteral("Under 6.5") + kInch}, {}, 1, this)) {
    setObjectName(QStringLiteral("InputsPanel"));
    for (ChoiceGroup* group : groups()) group->setItemIndex(0);
    m_targBowType->hide();
    m_wheelType->hide();
    for (ChoiceGroup* group : {m_bowType, m_targBowType, m_huntCamType, m_wheelType}) {
        keepRoomWhenHidden(group);
    }

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(8);
    layout->addWidget(buildFields(), 0, 0, 1, 2);
    layout->addWidget(m_bowType, 1, 0);
    layout->addWidget(m_targBowType, 1, 0);
    layout->addWidget(m_releaseType, 1, 1);
    layout->addWidget(m_huntCamType, 2, 0, 1, 2);
    layout->addWidget(m_wheelType, 2, 0, 1, 2);
    layout->addWidget(m_overDraw, 3, 0, 1, 2);
    layout->addWidget(m_braceHt, 4, 0, 1, 2);
    layout->setRowStretch(5, 1);

    // Tab follows the screen: the three numbers top to bottom (a youth field
    // stands in for its adult field), then the groups row by row.
    const std::vector<QWidget*> order = tabOrder();
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

std::vector<QWidget*> InputsPanel::tabOrder() const {
    std::vector<QWidget*> order{m_bowWeight, m_youthBowWeight, m_arrowLength, m_youthArrowLength,
                                m_pointWeight};
    for (ChoiceGroup* group : {m_bowType, m_targBowType, m_releaseType, m_huntCamType, m_wheelType,
                               m_overDraw, m_braceHt}) {
        for (int i = 0; i < group->count(); ++i) order.push_back(group->item(i));
    }
    return order;
}

QLineEdit* InputsPanel::makeField(const QString& name, const QString& text, const QString& label) {
    auto* field = new QLineEdit(text, this);
    field->setObjectName(name);
    field->setAccessibleName(label);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(64);
    return field;
}

QWidget* InputsPanel::buildFields() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);

    struct Field {
        QLineEdit** edit;
        const char* name;
        const char* text;
        const char* label;
        int upDown;
        std::array<int, 4> range;  // min, max, step, start
        int row;
    };
    const std::array<Field, 5> fields{{
        {&m_bowWeight, "BowWeightSpin", "60", "Bow Weight", 1, {17, 124, 1, 60}, 0},
        {&m_youthBowWeight, "YouthBowWtSpin", "30", "Youth Bow Weight", 3, {16, 40, 1, 30}, 0},
        {&m_arrowLength, "ArrowLengthSpin", "30", "Arrow Length", 2, {23, 33, 1, 30}, 1},
        {&m_youthArrowLength,
         "YouthArrowLenSpin",
         "25",
         "Youth Arrow Length",
         5,
         {21, 27, 1, 25},
         1},
        {&m_pointWeight, "PointWtSpin", "100", "Point Weight", 4, {65, 160, 5, 100}, 2},
    }};
    const std::array<std::pair<const char*, const char*>, 3> labels{
        {{"Label17", "Bow Weight"}, {"Label9", "Arrow Length"}, {"Label6", "Point Weight"}}};
    std::array<QLabel*, 3> rowLabels{};
    for (int row = 0; row < 3; ++row) {
        auto* label =
            new QLabel(QString::fromLatin1(labels[static_cast<std::size_t>(row)].second), box);
        label->setObjectName(QString::fromLatin1(labels[static_cast<std::size_t>(row)].first));
        label->setAccessibleName(label->text());
        grid->addWidget(label, row, 0);
        rowLabels[static_cast<std::size_t>(row)] = label;
    }
    m_label6 = rowLabels[2];
    for (const Field& f : fields) {
        *f.edit = makeField(QString::fromLatin1(f.name), QString::fromLatin1(f.text),
                            QString::fromLatin1(f.label));
        auto* upDown = new UpDown(f.range[0], f.range[1], f.range[2], f.range[3], box);
        upDown->setObjectName(QStringLiteral("UpDown") + QString::number(f.upDown));
        upDown->setBuddy(*f.edit);
        upDown->setFieldLabel(QString::fromLatin1(f.label));
        m_upDowns[static_cast<std::size_t>(f.upDown - 1)] = upDown;
        grid->addWidget(*f.edit, f.row, 1);
        grid->addWidget(upDown, f.row, 2);
    }
    rowLabels[0]->setBuddy(m_bowWeight);
    rowLabels[1]->setBuddy(m_arrowLength);
    m_label6->setBuddy(m_pointWeight);
    m_youthBowWeight->hide();
    m_youthArrowLength->hide();
    upDown(3)->hide();
    upDown(5)->hide();
    grid->setColumnStretch(3, 1);
    return box;
}

std::array<QLineEdit*, 5> InputsPanel::textFields() const {
    return {m_bowWeight, m_youthBowWeight, m_arrowLength, m_youthArrowLength, m_pointWeight};
}

std::array<ChoiceGroup*, 7> InputsPanel::groups() const {
    return {m_bowType,   m_targBowType, m_releaseType, m_overDraw,
            m_wheelType, m_huntCamType, m_braceHt};
}

selection::SelectionInputs InputsPanel::read(core::Page page) const {
    selection::SelectionInputs in;
    in.page = page;
    in.bowWeight = m_bowWeight->text().toStdString();
    in.youthBowWeight = m_youthBowWeight->text().toStdString();
    in.arrowLength = m_arrowLength->text().toStdString();
    in.youthArrowLength = m_youthArrowLength->text().toStdString();
    in.pointWeight = m_pointWeight->text().toStdString();
    in.bowType = m_bowType->itemIndex();
    in.targBowType = m_targBowType->itemIndex();
    in.releaseType = m_releaseType->itemIndex();
    in.overDraw = m_overDraw->itemIndex();
    in.wheelType = m_wheelType->itemIndex();
    in.huntCamType = m_huntCamType->itemIndex();
    in.braceHt = m_braceHt->itemIndex();
    return in;
}

void InputsPanel::writeResetTexts(const selection::SelectionInputs& before,
                                  const selection::SelectionInputs& after) {
    using Text = std::string selection::SelectionInputs::*;
    const std::array<std::pair<QLineEdit*, Text>, 5> fields{{
        {m_bowWeight, &selection::SelectionInputs::bowWeight},
        {m_youthBowWeight, &selection::SelectionInputs::youthBowWeight},
        {m_arrowLength, &selection::SelectionInputs::arrowLength},
        {m_youthArrowLength, &selection::SelectionInputs::youthArrowLength},
        {m_pointWeight, &selection::SelectionInputs::pointWeight},
    }};
    for (const auto& [field, text] : fields) {
        if (after.*text != before.*text) setQuietly(field, after.*text);
    }
}

void InputsPanel::writeAllQuietly(const selection::SelectionInputs& in) {
    setQuietly(m_bowWeight, in.bowWeight);
    setQuietly(m_youthBowWeight, in.youthBowWeight);
    setQuietly(m_arrowLength, in.arrowLength);
    setQuietly(m_youthArrowLength, in.youthArrowLength);
    setQuietly(m_pointWeight, in.pointWeight);
    const std::array<int, 7> indexes{in.bowType,   in.targBowType, in.releaseType, in.overDraw,
                                     in.wheelType, in.huntCamType, in.braceHt};
    const auto all = groups();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QSignalBlocker block(all[i]);
        all[i]->setItemIndex(indexes[i]);
    }
}

void InputsPanel::applyControls(const selection::SetupControls& c) {
    applyGroup(m_bowType, c.bowType);
    applyGroup(m_targBowType, c.targBowType);
    applyGroup(m_huntCamType, c.huntCamType);
    applyGroup(m_wheelType, c.wheelType);
    applyGroup(m_braceHt, c.braceHt);
    applyGroup(m_releaseType, c.releaseType);
    applyGroup(m_overDraw, c.overDraw);
    const std::array<std::pair<QLineEdit*, const selection::ControlState*>, 4> pairs{{
        {m_bowWeight, &c.bowWeightSpin},
        {m_youthBowWeight, &c.youthBowWtSpin},
        {m_arrowLength, &c.arrowLengthSpin},
        {m_youthArrowLength, &c.youthArrowLenSpin},
    }};
    const std::array<int, 4> upDownOf{1, 3, 2, 5};
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        applyState(pairs[i].first, *pairs[i].second);
        applyState(upDown(upDownOf[i]), *pairs[i].second);
    }
    applyState(m_pointWeight, c.pointWtSpin);
    setTextColour(m_pointWeight, QPalette::Text, colourOf(c.pointWtSpin.font));
    applyState(upDown(4), c.upDown4);
    setTextColour(m_label6, QPalette::WindowText, colourOf(c.label6.font));
}

}  // namespace quivra::app
