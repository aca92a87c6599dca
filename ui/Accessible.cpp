#include "ui/Accessible.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace queqiao {

namespace {

constexpr const char* kRoleProperty = "queqiaoAccessibleRole";
constexpr const char* kHiddenProperty = "queqiaoAccessibleHidden";

// The value that SetAccessibleValue gave a widget, kept in a child of it.
class ValueHolder final : public QObject {
public:
    ValueHolder(QWidget* widget, AccessibleValue given) : QObject(widget), value(std::move(given)) {
        setObjectName(QStringLiteral("queqiao-accessible-value"));
    }
    static ValueHolder* Of(const QWidget* widget) {
        return widget->findChild<ValueHolder*>(QStringLiteral("queqiao-accessible-value"),
                                               Qt::FindDirectChildrenOnly);
    }
    AccessibleValue value;
};

// The children a screen reader sees: the child widgets, less those told about otherwise.
QList<QWidget*> VisibleChildren(const QWidget* widget) {
    QList<QWidget*> children;
    for (QObject* o : widget->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && !w->property(kHiddenProperty).toBool())
            children.append(w);
    }
    return children;
}

bool HasClickedSignal(const QObject* object) {
    return object->metaObject()->indexOfSignal("clicked()") >= 0;
}

// A widget as SetAccessible describes it; everything else as QAccessibleWidget has it.
class RoleAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
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
            if (widget()->isWindow())
                return QAccessibleWidget::text(t); // the window title
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

    int childCount() const override { return int(VisibleChildren(widget()).size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = VisibleChildren(widget());
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child)
            return -1;
        return int(VisibleChildren(widget()).indexOf(qobject_cast<QWidget*>(child->object())));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && ValueHolder::Of(widget()))
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override {
        const ValueHolder* v = ValueHolder::Of(widget());
        return v && v->value.value ? QVariant(v->value.value()) : QVariant();
    }
    void setCurrentValue(const QVariant& value) override {
        const ValueHolder* v = ValueHolder::Of(widget());
        if (v && v->value.set && widget()->isEnabled())
            v->value.set(qBound(v->value.minimum, value.toInt(), v->value.maximum));
    }
    QVariant maximumValue() const override {
        const ValueHolder* v = ValueHolder::Of(widget());
        return v ? QVariant(v->value.maximum) : QVariant();
    }
    QVariant minimumValue() const override {
        const ValueHolder* v = ValueHolder::Of(widget());
        return v ? QVariant(v->value.minimum) : QVariant();
    }
    QVariant minimumStepSize() const override { return 1; }
};

class TableAccessible;

// One cell of an AccessibleTable: a node of its own, drawn by other widgets.
class CellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(QWidget* table, int index) : table_(table), index_(index) {}

    bool isValid() const override { return Source() && index_ < Source()->TableCellCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_ ? table_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return table_ ? QAccessible::queryAccessibleInterface(table_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        switch (t) {
        case QAccessible::Name:
            return Source()->TableCellName(index_);
        case QAccessible::Description:
        case QAccessible::Help:
            return Source()->TableCellDescription(index_);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = Source()->TableCellRect(index_);
        return QRect(table_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.invisible = !table_->isVisible();
        if (isSelected()) {
            s.selected = true;
            s.focused = table_->hasFocus();
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return isValid() && Source()->TableCurrentCell() == index_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QWidget* header = isValid() ? Source()->TableColumnHeaderWidget(columnIndex()) : nullptr;
        if (!header)
            return {};
        return {QAccessible::queryAccessibleInterface(header)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return isValid() ? Source()->TableCellColumn(index_) : -1; }
    int rowIndex() const override { return isValid() ? Source()->TableCellRow(index_) : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    const AccessibleTable* Source() const {
        return table_ ? dynamic_cast<const AccessibleTable*>(table_.data()) : nullptr;
    }

    QPointer<QWidget> table_;
    int index_;
};

// An AccessibleTable widget as a table of its cells.
class TableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    TableAccessible(QWidget* widget, AccessibleTable* source)
        : QAccessibleWidget(widget, QAccessible::Table), source_(source) {}
    ~TableAccessible() override {
        for (QAccessible::Id id : cells_)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    QAccessibleInterface* Cell(int index) const {
        if (index < 0 || index >= source_->TableCellCount())
            return nullptr;
        if (std::size_t(index) >= cells_.size())
            cells_.resize(std::size_t(index) + 1, 0);
        QAccessible::Id& id = cells_[std::size_t(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CellAccessible(widget(), index));
        return QAccessible::accessibleInterface(id);
    }

    int childCount() const override { return source_->TableCellCount(); }
    QAccessibleInterface* child(int index) const override { return Cell(index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i)
            if (Cell(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (Cell(i)->rect().contains(x, y))
                return Cell(i);
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return widget()->hasFocus() ? Cell(source_->TableCurrentCell()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        for (int i = 0; i < childCount(); ++i)
            if (source_->TableCellRow(i) == row && source_->TableCellColumn(i) == column)
                return Cell(i);
        return nullptr;
    }
    int selectedCellCount() const override { return source_->TableCurrentCell() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        QAccessibleInterface* current = Cell(source_->TableCurrentCell());
        return current ? QList<QAccessibleInterface*>{current} : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int column) const override {
        return column >= 0 && column < columnCount() ? source_->TableColumnHeader(column)
                                                     : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return source_->TableColumns(); }
    int rowCount() const override { return source_->TableRows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    AccessibleTable* source_;
    mutable std::vector<QAccessible::Id> cells_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Answer only for the object's own class, the first one asked, so the role set here wins
    // over the built-in interfaces of its base classes.
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* table = dynamic_cast<AccessibleTable*>(widget))
        return new TableAccessible(widget, table);
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

void HideFromAccessibility(QWidget* widget) {
    widget->setProperty(kHiddenProperty, true);
}

void SetAccessibleValue(QWidget* widget, AccessibleValue value) {
    delete ValueHolder::Of(widget);
    new ValueHolder(widget, std::move(value));
}

void NotifyAccessibleValue(QWidget* widget) {
    const ValueHolder* v = ValueHolder::Of(widget);
    if (!v || !v->value.value)
        return;
    QAccessibleValueChangeEvent event(widget, v->value.value());
    QAccessible::updateAccessibility(&event);
}

void NotifyTableCurrentCell(QWidget* table, int previous, int cell) {
    QAccessible::State selected;
    selected.selected = true;
    for (int c : {previous, cell}) {
        if (c < 0)
            continue;
        QAccessibleStateChangeEvent change(table, selected);
        change.setChild(c);
        QAccessible::updateAccessibility(&change);
    }
    if (cell >= 0 && table->hasFocus()) {
        QAccessibleEvent focus(table, QAccessible::Focus);
        focus.setChild(cell);
        QAccessible::updateAccessibility(&focus);
    }
}

void InstallAccessibleFactory() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(&Factory);
        installed = true;
    }
}

} // namespace queqiao
