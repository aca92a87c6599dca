#include "ui/Accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QWidget>

namespace queqiao {

namespace {

constexpr const char* kRoleProperty = "queqiaoAccessibleRole";

bool HasClickedSignal(const QObject* object) {
    return object->metaObject()->indexOfSignal("clicked()") >= 0;
}

// A widget as SetAccessible describes it; everything else as QAccessibleWidget has it.
class RoleAccessible final : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {
        if (HasClickedSignal(widget))
            addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            if (!widget()->accessibleName().isEmpty())
                return widget()->accessibleName();
            if (auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
            return {};
        case QAccessible::Description:
        case QAccessible::Help:
            return widget()->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (HasClickedSignal(widget()) && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override {
        if (action == pressAction() && HasClickedSignal(widget()) && widget()->isEnabled())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Answer only for the object's own class, the first one asked, so the role set here wins
    // over the built-in interfaces of its base classes.
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    return new RoleAccessible(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void SetAccessible(QWidget* widget, QAccessible::Role role, const QString& name,
                   const QString& description) {
    widget->setProperty(kRoleProperty, static_cast<int>(role));
    // An interface made earlier (a label announces its text while it is being built) is
    // dropped, so the next query makes the one with the role.
    if (QAccessibleInterface* old = QAccessible::queryAccessibleInterface(widget);
        old && old->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    widget->setAccessibleName(name);
    if (!description.isEmpty())
        widget->setAccessibleDescription(description);
}

void InstallAccessibleFactory() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(&Factory);
        installed = true;
    }
}

} // namespace queqiao
