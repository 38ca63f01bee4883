// The value label: a shown value announced with its caption, through the
// same interfaces a screen reader queries.
#include "ValueLabel.h"
#include "WindowRole.h"

#include <QAccessible>
#include <QFrame>

#include <gtest/gtest.h>

namespace quivra::shell {
namespace {

TEST(ValueLabelTest, NameIsTheCaptionValueAndTextAreWhatIsShown) {
    ValueLabel label(QStringLiteral("Shaft Weight:"));
    label.setText(QStringLiteral("255 Gr."));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Shaft Weight:"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("255 Gr."));
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 7);
    EXPECT_EQ(text->text(0, 3), QStringLiteral("255"));
    // Shown as typed: markup is not interpreted.
    label.setText(QStringLiteral("<b>264</b> Gr."));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("<b>264</b> Gr."));
}

TEST(WindowRoleTest, APlainWidgetWindowIsAnnouncedAsAWindow) {
    QFrame before(nullptr, Qt::Window);
    EXPECT_NE(QAccessible::queryAccessibleInterface(&before)->role(), QAccessible::Window);
    announceAsWindow(QFrame::staticMetaObject.className());
    QFrame after(nullptr, Qt::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&after)->role(), QAccessible::Window);
}

}  // namespace
}  // namespace quivra::shell
