#include "tests/EditLimitCheck.h"

#include "platform/ui/EditLimit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The edit's object names from the root down.
std::string PathOf(const QObject* object, const QObject* root)
{
    QString path;
    for (; object && object != root; object = object->parent())
        if (!object->objectName().isEmpty())
            path = object->objectName() + (path.isEmpty() ? QString() : QLatin1Char('.') + path);
    return path.toStdString();
}
} // namespace

void ExpectEditLimitsHold(QWidget* root)
{
    const QList<TEditLimit*> limits = root->findChildren<TEditLimit*>();
    EXPECT_FALSE(limits.isEmpty());
    for (TEditLimit* limit : limits) {
        auto* edit = qobject_cast<QLineEdit*>(limit->parent());
        ASSERT_NE(edit, nullptr);
        const std::string where = PathOf(edit, root);
        if (TEditLimit::Of(edit) != limit) {
            ADD_FAILURE() << where << ": a later validator replaced the limit";
            continue;
        }
        const QString saved = edit->text();
        const int max = limit->MaxLength();
        const QString longer(max + 3, u'1');
        // Edits whose own validator refuses the digits (addresses) are left out.
        edit->setText(QString());
        QString probe = longer;
        int pos = 0;
        if (limit->validate(probe, pos) == QValidator::Invalid) {
            edit->setText(saved);
            continue;
        }
        edit->setText(longer);
        EXPECT_EQ(edit->text(), longer) << where << ": text from code was cut";
        if (!edit->isReadOnly()) {
            edit->clear();
            QApplication::clipboard()->setText(longer);
            edit->paste();
            EXPECT_EQ(edit->text(), limit->Input() == TEditLimit::TypedOnly ? longer : longer.left(max))
                << where << ": paste";
            // Typing (a few edits with long limits take pastes only here).
            if (edit->isEnabled() && max <= 256) {
                edit->clear();
                QTest::keyClicks(edit, longer);
                EXPECT_EQ(edit->text(), longer.left(max)) << where << ": typing";
            }
        }
        edit->setText(saved);
    }
}
