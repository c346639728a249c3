// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/accessibility.h"

#include "platform/controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace {

// A caption label as assistive technologies see it: named by the text it shows and, once it is a
// link, a link whose press action does what a click does. Links stay out of the tab order, so this
// is how a screen reader's user follows them. The label may be asked about before it becomes a
// link, so every answer looks at what it is now.
class CaptionAccessible final : public QAccessibleWidget
{
public:
    explicit CaptionAccessible(CaptionLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QAccessible::Role role() const override
    {
        return label()->isLink() ? QAccessible::Link : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && label()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = label()->isLink();
        return s;
    }

    QStringList actionNames() const override
    {
        return label()->isLink() ? QStringList {pressAction()} : QStringList();
    }

    void doAction(const QString &actionName) override
    {
        if (label()->isLink() && actionName == pressAction())
            emit label()->Click();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    CaptionLabel *label() const { return static_cast<CaptionLabel *>(widget()); }
};

// Keeps the item list of a drop-down list on its chosen item, selected there as Qt's own list
// selects it when it opens, so that assistive technologies find the chosen item among the items
// (a screen reader reads it as the list's value, a voice-control tool finds "June" by name).
// Each change of the chosen item while the list is closed and has the keyboard moves the
// accessible focus onto the new item, as Qt moves it when the list is open: that focus change
// is what screen readers speak, and the only one Qt 6.4's AT-SPI bridge can carry (it offers
// no selection interface). The old item's focus is dropped by the same event.
void followChosenItem(QComboBox *list)
{
    const auto select = [list] {
        const QModelIndex chosen =
            list->model()->index(list->currentIndex(), 0, list->rootModelIndex());
        list->view()->selectionModel()->setCurrentIndex(chosen,
                                                        QItemSelectionModel::ClearAndSelect);
        if (!chosen.isValid() || !list->hasFocus() || list->view()->isVisible())
            return;
        QAccessibleEvent focus(list->view(), QAccessible::Focus);
        focus.setChild(chosen.row());
        QAccessible::updateAccessibility(&focus);
    };
    QObject::connect(list, &QComboBox::currentIndexChanged, list, select);
    // Asked for first while Qt builds the list's accessible interface: selected from the event
    // loop, where the selection's own accessibility events find that interface made.
    QMetaObject::invokeMethod(list, select, Qt::QueuedConnection);
}

// A drop-down list as assistive technologies see it: named by its heading, where Qt on Linux
// names it after its chosen item (a screen reader then says the item twice, as the name and as
// the value), with its item list as its one child, as Qt has it.
class ListAccessible final : public QAccessibleWidget
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    ,
                             public QAccessibleTextInterface
#endif
{
public:
    explicit ListAccessible(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        // The heading's text, through its buddy relation.
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList {showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Qt 6.4's AT-SPI bridge offers no selection interface, so the chosen item among the items is
    // lost to a screen reader reading the list's value; it reads the list's text instead: the
    // chosen item as read-only text, with no selection and the cursor at its start. From Qt 6.5
    // on, the item list's selection answers.
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(int startOffset, int endOffset) const override
    {
        return list()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override
    {
        return int(list()->currentText().size());
    }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override
    {
        return 0;
    }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override
    {
        return 0;
    }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override
    {
        return {};
    }
    int offsetAtPoint(const QPoint &) const override
    {
        return -1;
    }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }
#endif

private:
    QComboBox *list() const
    {
        return static_cast<QComboBox *>(widget());
    }
};

// What a window's contents show as text, in reading order, top to bottom and left to right: the
// labels that head no control and lead nowhere. The first row of them heads the rest.
struct WindowTexts
{
    QString heading;
    QString rest;
};

WindowTexts windowTexts(const QWidget &contents)
{
    const QString title = contents.window()->windowTitle();
    QList<QLabel *> texts;
    for (QLabel *label : contents.findChildren<QLabel *>()) {
        const auto *caption = qobject_cast<CaptionLabel *>(label);
        if (label->isVisibleTo(&contents) && !label->text().isEmpty() && !label->buddy() &&
            !(caption && caption->isLink()) && label->text() != title)
            texts.append(label);
    }
    const auto at = [&contents](const QLabel *label) { return label->mapTo(&contents, QPoint()); };
    std::stable_sort(texts.begin(), texts.end(), [&at](const QLabel *a, const QLabel *b) {
        return std::pair(at(a).y(), at(a).x()) < std::pair(at(b).y(), at(b).x());
    });
    QStringList heading;
    QStringList rest;
    for (const QLabel *label : texts)
        (at(label).y() == at(texts.first()).y() ? heading : rest).append(label->text());
    return {heading.join(u' '), rest.join(u'\n')};
}

// The frame that holds a window's controls as assistive technologies see it: a group named by
// its heading and described by its other texts. A screen reader announcing a dialog reads such
// texts by itself, but of any other window only its title; the group round the control that
// gets the keyboard it reads as the keyboard enters it, with the group's texts. Asked for when
// read, the texts are always what the window shows, and no change of them is announced while
// the window opens, where a reader would say them a second time.
class ContentsAccessible final : public QAccessibleWidget
{
public:
    explicit ContentsAccessible(QWidget *contents)
        : QAccessibleWidget(contents, QAccessible::Grouping)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return windowTexts(*widget()).heading;
        if (t == QAccessible::Description)
            return windowTexts(*widget()).rest;
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *programAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("WindowContents"))
        return new ContentsAccessible(static_cast<QWidget *>(object));
    if (className == QLatin1String("CaptionLabel"))
        return new CaptionAccessible(static_cast<CaptionLabel *>(object));
    if (className == QLatin1String("QComboBox") &&
        !static_cast<QComboBox *>(object)->isEditable()) {
        auto *list = static_cast<QComboBox *>(object);
        followChosenItem(list);
        return new ListAccessible(list);
    }
    // Qt calls a frame a "frame", which is what assistive technologies call a top-level window:
    // a screen reader then takes the frame round a group of controls for the window they are
    // in, finds it inactive and ignores the focus inside it. A frame round controls groups them.
    // (Labels and other controls derived from QFrame have interfaces of their own, found first.)
    // A plain top-level widget is a window all the same, not a part of one.
    if (className == QLatin1String("QWidget") && static_cast<QWidget *>(object)->isWindow())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("QFrame")) {
        auto *frame = static_cast<QFrame *>(object);
        if (frame->frameShape() != QFrame::HLine && frame->frameShape() != QFrame::VLine)
            return new QAccessibleWidget(frame, QAccessible::Grouping);
    }
    return nullptr;
}

} // namespace

void installAccessibility()
{
    // Qt asks the newest factory first. QApplication's constructor installs the one of Qt's own
    // widgets (a combo box's, a frame's), so this must come after it.
    QAccessible::installFactory(programAccessible);
}
