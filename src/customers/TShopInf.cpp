#include "TShopInf.h"

#include "CustomerFiles.h"
#include "ErrorHandler.h"
#include "FieldWidths.h"
#include "MessageBox.h"
#include "RepairOffer.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <utility>

namespace quivra::customers {

TShopInf::TShopInf(std::filesystem::path dataDir, QWidget* parent)
    : QDialog(parent),
      m_dataDir(std::move(dataDir)),
      m_saveButton(new QPushButton(tr("&Save"), this)),
      m_exitButton(new QPushButton(tr("E&xit"), this)) {
    setObjectName(QStringLiteral("ShopInf"));
    setWindowTitle(tr("2012 Shop Information"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);

    // Damage is said once, with the offer to repair; declined, the record
    // is shown and Save refuses with the damage.
    (void)offerRepair(parent, shopTableHealth(m_dataDir));
    auto record = loadShopRecord(m_dataDir);
    if (!record.isOk()) throw shell::UserError(record.status().message());
    m_record = std::move(record).value();
    auto widths = characterFieldWidths(m_dataDir / kShopTableFile);
    if (!widths.isOk()) throw shell::UserError(widths.status().message());

    for (std::size_t i = 0; i < kEditedShopFields.size(); ++i) {
        const ShopField& field = kEditedShopFields[i];
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(i + 1));
        edit->setAccessibleName(tr(field.caption));
        const auto w = widths->find(field.name);
        if (w != widths->end() && w->second > 0) edit->setMaxLength(w->second);
        edit->setText(QString::fromStdString(m_record.*field.text));
        m_edits[i] = edit;
    }

    m_saveButton->setObjectName(QStringLiteral("ShopInfSaveBtn"));
    m_saveButton->setAccessibleName(tr("Save"));
    m_saveButton->setAutoDefault(false);
    m_exitButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_exitButton->setAccessibleName(tr("Exit"));
    m_exitButton->setAutoDefault(false);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { ShopInfSaveBtnClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { ShopInfExitBtnClick(); });

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    int row = 0;
    const auto addRow = [&](const QString& caption, std::initializer_list<int> edits) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(m_edits[static_cast<std::size_t>(*edits.begin())]);
        grid->addWidget(label, row, 0, Qt::AlignRight);
        auto* line = new QHBoxLayout;
        for (int i : edits) line->addWidget(m_edits[static_cast<std::size_t>(i)]);
        grid->addLayout(line, row++, 1);
    };
    addRow(tr("Shop Name:"), {0});
    addRow(tr("Address 1:"), {1});
    addRow(tr("Address 2:"), {2});
    addRow(tr("City / St / Zip:"), {3, 4, 5});
    addRow(tr("Phone:"), {6});
    addRow(tr("FAX:"), {7});
    addRow(tr("Additional Report Text:"), {8});
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_exitButton);
    grid->addLayout(buttons, row, 0, 1, 2);

    for (std::size_t i = 1; i < m_edits.size(); ++i) setTabOrder(m_edits[i - 1], m_edits[i]);
    setTabOrder(m_edits.back(), m_saveButton);
    setTabOrder(m_saveButton, m_exitButton);
    m_edits[0]->setFocus();
}

void TShopInf::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    m_edits[0]->setFocus();
}

ShopRecord TShopInf::editedRecord() const {
    ShopRecord r = m_record;  // keeps the country, which no edit shows
    for (std::size_t i = 0; i < kEditedShopFields.size(); ++i) {
        r.*kEditedShopFields[i].text = m_edits[i]->text().toStdString();
    }
    return r;
}

void TShopInf::ShopInfSaveBtnClick() {
    const ShopRecord r = editedRecord();
    if (storage::Status s = saveShopRecord(m_dataDir, r); !s) {
        shell::MessageBox::error(this, QString::fromStdString(s.message()));
        return;
    }
    m_record = r;
}

void TShopInf::ShopInfExitBtnClick() {
    reject();
}

}  // namespace quivra::customers
