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

    // Qt tells no window that it is modal, so a box's modality is told here.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (widget()->isWindow() && widget()->windowModality() != Qt::NonModal)
            state.modal = true;
        return state;
    }

    int childCount() const override { return int(shownChildren().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> shown = shownChildren();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> shownChildren() const
    {
        QList<QWidget *> shown;
        for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && !child->isHidden())
                shown += child;
        return shown;
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

// A plain widget interface offers no text, and Qt's bridge drops text events of such.
void keepFromScreenReaders(QWidget *widget)
{
    setAccessibleRole(widget, QAccessible::NoRole);
}

void nameCount(QLabel *count, const QString &meaning)
{
    count->setAccessibleName(meaning + u": "_qs + count->text());
}
