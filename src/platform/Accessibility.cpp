#include "platform/Accessibility.h"

#include "platform/LineEditAccessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr char kRoleProperty[] = "tallimoAccessibleRole";
constexpr char kOneRunProperty[] = "tallimoOneAttributeRun";

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
        for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QVariant role = child->property(kRoleProperty);
            if (!child->isWindow() && !child->isHidden() && !(role.isValid() && role.value<QAccessible::Role>() == QAccessible::NoRole))
                shown += child;
        }
        return shown;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (const QVariant role = object->property(kRoleProperty); role.isValid())
        return new RoleAccessible(static_cast<QWidget *>(object), role.value<QAccessible::Role>());
    if (auto *box = qobject_cast<QLineEdit *>(object); box && box->property(kOneRunProperty).toBool())
        return new LineEditAccessible(box);
    return nullptr;
}

// Qt keeps the first interface made for a widget: the factory is in before any is asked for.
void installFactoryOnce()
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(factory), true);
}

} // namespace

void setAccessibleRole(QWidget *widget, QAccessible::Role role)
{
    installFactoryOnce();
    widget->setProperty(kRoleProperty, QVariant::fromValue(role));
}

void readAsOneRun(QLineEdit *box)
{
    installFactoryOnce();
    box->setProperty(kOneRunProperty, true);
}

QWidget *addNotice(QWidget *window)
{
    auto *notice = new QWidget(window);
    notice->setObjectName(u"notice"_qs);
    notice->setGeometry(0, 0, 0, 0);
    setAccessibleRole(notice, QAccessible::Notification);
    notice->hide(); // neither listed nor heard before it has something to say
    return notice;
}

// Qt tells hiding and showing as "showing" off and on; Orca 43 speaks a notification
// that comes. It stays, 0 x 0, until the next words.
void announce(QWidget *notice, const QString &words)
{
    notice->hide();
    notice->setAccessibleName(words);
    notice->show();
}

// A plain widget interface offers no text, and Qt's bridge drops text events of such.
void keepFromScreenReaders(QWidget *widget)
{
    setAccessibleRole(widget, QAccessible::NoRole);
}
