// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <utility>

namespace {

// Whether each of the design's families is installed, as far as known.
QHash<QString, bool> &installedFamilies()
{
    static QHash<QString, bool> families;
    return families;
}

// A caption as shown: "&&" as one "&", a lone "&" (a mnemonic marker) not at all.
QString displayedCaption(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                shown.append(u'&');
            ++i;
            if (i < caption.size() && caption[i] != u'&')
                shown.append(caption[i]);
            continue;
        }
        shown.append(caption[i]);
    }
    return shown;
}

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

// A drop-down list as assistive technologies see it: named by its chosen item and labelled by its
// heading, as Qt has it, and showing the chosen item as its text, where screen readers read what
// a list holds. Qt 6.4 offers that text nowhere: the chosen item is lost to a screen reader,
// which speaks only the heading.
class ListAccessible final : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit ListAccessible(QComboBox *list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(t);
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

    // The chosen item as read-only text, with no selection and the cursor at its start.
    QString text(int startOffset, int endOffset) const override
    {
        return list()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(list()->currentText().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *programAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("CaptionLabel"))
        return new CaptionAccessible(static_cast<CaptionLabel *>(object));
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox *>(object)->isEditable())
        return new ListAccessible(static_cast<QComboBox *>(object));
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

void describeForScreenReaders(QWidget &window)
{
    QList<QLabel *> texts;
    for (QLabel *label : window.findChildren<QLabel *>()) {
        const auto *caption = qobject_cast<CaptionLabel *>(label);
        if (label->isVisibleTo(&window) && !label->text().isEmpty() && !label->buddy() &&
            !(caption && caption->isLink()) && label->text() != window.windowTitle())
            texts.append(label);
    }
    const auto at = [&window](const QLabel *label) { return label->mapTo(&window, QPoint()); };
    std::stable_sort(texts.begin(), texts.end(), [&at](const QLabel *a, const QLabel *b) {
        return std::pair(at(a).y(), at(a).x()) < std::pair(at(b).y(), at(b).x());
    });
    QStringList said;
    for (const QLabel *label : texts)
        said.append(label->text());
    window.setAccessibleDescription(said.join(u'\n'));
}

void prepareDesignFonts()
{
    FcInit();
    // An exact look-up in fontconfig's list of fonts: Qt's own answer would first run
    // fontconfig's substitution rules over the name.
    for (const char *family : {kDesignFamily, kDesignCaptionFamily}) {
        FcPattern *pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family));
        FcObjectSet *properties = FcObjectSetBuild(FC_FAMILY, nullptr);
        FcFontSet *fonts = FcFontList(nullptr, pattern, properties);
        installedFamilies().insert(QLatin1String(family), fonts && fonts->nfont > 0);
        if (fonts)
            FcFontSetDestroy(fonts);
        FcObjectSetDestroy(properties);
        FcPatternDestroy(pattern);
    }
}

QFont designFont(qreal pointSize, bool bold, bool underline, const QString &family)
{
    // Asking for a family that is not installed costs a fallback search for every font made
    // from it; the desktop's font is resolved anyway, for the menus and buttons.
    QHash<QString, bool> &installed = installedFamilies();
    const auto known = installed.constFind(family);
    const bool available = known != installed.constEnd()
        ? *known
        : *installed.insert(family, QFontDatabase::hasFamily(family));
    QFont font;
    if (available)
        font.setFamily(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QPalette fixedLightPalette(const QColor &window)
{
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, window);
    return palette;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QFrame *makeFrame(QWidget *parent, const char *name)
{
    auto *frame = makeControl<QFrame>(parent, name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    return frame;
}

CaptionLabel::CaptionLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::setCaption(const QString &caption)
{
    setCaption(caption, displayedCaption(caption));
}

void CaptionLabel::setCaption(const QString &caption, const QString &shown)
{
    m_caption = caption;
    setText(shown);
}

void CaptionLabel::setLink()
{
    m_link = true;
    setCursor(Qt::PointingHandCursor);
}

void CaptionLabel::wrapAtWidth(int width)
{
    m_wrapWidth = width;
    setWordWrap(true);
    setFixedWidth(width);
}

bool CaptionLabel::hasHeightForWidth() const
{
    return !wrapsAtFixedWidth() && QLabel::hasHeightForWidth();
}

QSize CaptionLabel::sizeHint() const
{
    if (!wrapsAtFixedWidth())
        return QLabel::sizeHint();
    const int width = m_wrapWidth;
    if (m_hint.width != width || m_hint.text != text() || m_hint.font != font()) {
        m_hint.text = text();
        m_hint.font = font();
        m_hint.width = width;
        m_hint.size = QSize(width, QLabel::heightForWidth(width));
    }
    return m_hint.size;
}

QSize CaptionLabel::minimumSizeHint() const
{
    return wrapsAtFixedWidth() ? sizeHint() : QLabel::minimumSizeHint();
}

void CaptionLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = m_link && event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit Click();
}

DigitsComboBox::DigitsComboBox(int digits, QWidget *parent)
    : QComboBox(parent)
    , m_digits(digits)
{
}

QSize DigitsComboBox::sizeHint() const
{
    if (!m_hint.isValid()) {
        // What QComboBox works out from its entries' widths, from the widest possible entry.
        const QFontMetrics metrics = fontMetrics();
        QChar widest = u'0';
        for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
            if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
                widest = QChar(digit);
        }
        const QSize text(metrics.boundingRect(QString(m_digits, widest)).width(),
                         qMax(qCeil(QFontMetricsF(metrics).height()), 14) + 2);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        m_hint = style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
    return m_hint;
}

void DigitsComboBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_hint = QSize();
    QComboBox::changeEvent(event);
}
