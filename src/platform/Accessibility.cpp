#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char kRoleProperty[] = "tallimoAccessibleRole";

class RoleAccessible final : public QAccessibleWidget
{
public:
    RoleAccessible(QWidget *widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *label = qobject_cast<const QLabel *>(widget());
        if (t == QAccessible::Name && label && label->accessibleName().isEmpty())
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *roleFactory(const QString &, QObject *object)
{
    const QVariant role = object->property(kRoleProperty);
    if (!role.isValid() || !object->isWidgetType())
        return nullptr;
    return new RoleAccessible(static_cast<QWidget *>(object), role.value<QAccessible::Role>());
}

} // namespace

void setAccessibleRole(QWidget *widget, QAccessible::Role role)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(roleFactory), true);
    widget->setProperty(kRoleProperty, QVariant::fromValue(role));
}

void nameCount(QLabel *count, const QString &meaning)
{
    count->setAccessibleName(meaning + u": "_qs + count->text());
}
