// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/controls.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <fontconfig/fontconfig.h>

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

} // namespace

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

WindowContents::WindowContents(QWidget *parent)
    : QFrame(parent)
{
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
