// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QLabel>

inline constexpr char kDesignFamily[] = "Verdana";
inline constexpr char kDesignCaptionFamily[] = "MS Sans Serif";

// The design's typeface where it is installed, elsewhere the desktop's own.
QFont designFont(qreal pointSize, bool bold = false, bool underline = false,
                 const QString &family = QLatin1String(kDesignFamily));

// Loads fontconfig's configuration and finds out which of the design's families are installed.
// Safe on any thread before the first window exists, so the program can do it alongside Qt's
// own start; designFont finds out by itself when this has not run.
void prepareDesignFonts();

// A frame without a caption, as the design draws it around a group of controls. (A group box
// would draw the same, from a picture that makes Qt load every image plugin first.)
QFrame *makeFrame(QWidget *parent, const char *name);

// A light palette with the given window colour, for windows whose design fixes their background:
// everything drawn on them keeps its contrast under a dark desktop palette.
QPalette fixedLightPalette(const QColor &window);

// The design's navy, of frames, captions and links.
inline constexpr QRgb kNavy = qRgb(0, 0, 128);

// Gives one colour of a widget's palette a colour the design fixes.
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour);

// Creates a control as a child of `parent` under the design's name, which is also its object name.
template<class Control, class... Args>
Control *makeControl(QWidget *parent, const char *name, Args &&...args)
{
    auto *control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// The frame that holds a window's controls, with nothing of its own to see. Assistive
// technologies are told what the window shows as text as the frame's name and description.
class WindowContents final : public QFrame
{
    Q_OBJECT

public:
    explicit WindowContents(QWidget *parent);
};

// A label with a stored caption, shown the way a caption with mnemonic markers is shown: "&&" as
// one "&", a lone "&" not at all. Clicking it (when it is a link) emits Click.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    // Stores the caption and shows it as a caption is shown.
    void setCaption(const QString &caption);
    // Stores the caption and shows `shown` in its place, for a caption whose look on screen the
    // label cannot give by itself.
    void setCaption(const QString &caption, const QString &shown);

    // Makes the label a link: pointing-hand cursor, Click on a left-button click. Assistive
    // technologies see it as a link, with a press action that clicks it.
    void setLink();
    bool isLink() const { return m_link; }

    // Wraps the text at a fixed width. Its size then follows from the text and the font alone:
    // the label answers size questions from a cache instead of laying the whole text out anew for
    // each (QLabel does, several times per question), and reports no height-for-width, which would
    // have every layout above it ask again and again.
    void wrapAtWidth(int width);
    bool hasHeightForWidth() const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool wrapsAtFixedWidth() const { return m_wrapWidth > 0; }

    QString m_caption;
    int m_wrapWidth = 0;
    mutable struct
    {
        QString text;
        QFont font;
        int width = -1;
        QSize size;
    } m_hint;
    bool m_link = false;
    bool m_pressed = false;
};

// A list of numbers of at most a given count of digits: its size follows from the widest digit,
// where a plain list measures every entry, twice, before its window first shows.
class DigitsComboBox : public QComboBox
{
    Q_OBJECT

public:
    DigitsComboBox(int digits, QWidget *parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void changeEvent(QEvent *event) override;

private:
    const int m_digits;
    mutable QSize m_hint;
};
